// The load step's rig for the loading tests: a page on default settings against A4 at 600
// dpi, its queue and hooks, and JPEG files that say which file they are.
#pragma once

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "page/core/loading.h"
#include "page/core/page.h"
#include "settings/core/settings.h"
#include "tests/support/bitmaps.h"
#include "tests/support/files.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace loadtest {

using support::TempFolder;

inline const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

// A JPEG whose green channel tells which file it is (10, 20, 30, ...).
inline std::string writeJpeg(const TempFolder& t, const std::string& name, int id, int w = 64, int h = 48)
{
    const std::string path = t.file(name);
    imaging::saveJpeg(support::solidBitmap(w, h, 0, 10 * id, 200).view(), path, 95);
    return path;
}

struct LoadFixture {
    LoadFixture() { core::setMessages(&messages); }
    ~LoadFixture() { core::setMessages(nullptr); }

    void select(std::initializer_list<int> frames)
    {
        for (int n : frames)
            model.frame(n).Selected = true;
    }
    // The id written into the file shown in frame n, read back from its pixels.
    int idShownIn(int n)
    {
        const imaging::Bitmap* b = model.screenBitmap(n, 1, 1);
        if (!b)
            return 0;
        return (b->row(b->height() / 2)[3 * (b->width() / 2) + 1] + 5) / 10;
    }

    core::ScriptedMessages messages;
    settings::Settings s;
    page::Page model{s, [] { return kA4At600; }};
    page::FileQueue queue;
    page::LoadHooks hooks;
};

} // namespace loadtest
