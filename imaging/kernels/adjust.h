// The images of the "Edit Image" window: the working image (the picture reshaped to the
// frame's aspect ratio, as adjusted so far), the baseline every tool recomputes from,
// and their screen-sized renditions, on which a slider step shows before the full
// image follows. Plain C++; imaging/ui/bright_adjust.h is the window.
#pragma once

#include "core/translatable.h"

#include "imaging/kernels/imaging.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace imaging {

inline constexpr std::string_view kNoResourcesToAdjust = QT_TRANSLATE_NOOP("Paginor", "Not enough resources available to adjust image");

// The picture at its own height, round(height * aspectRatio) wide, centred: a wider
// picture loses columns at both sides, a narrower one gets white columns. 32-bit.
// Throws std::bad_alloc when the two working images would not fit the budget below,
// ImagingError when the ratio gives no width.
Bitmap makeWorkingImage(ConstBitmapView picture, float aspectRatio);

// A 32-bit copy of a 24- or 32-bit bitmap. The fourth byte is 255 here and in the
// working image, as Qt's 32-bit RGB format expects of it.
Bitmap to32Bit(ConstBitmapView src);

// How many bytes the working images of one window may take (the working image and its
// baseline, 8 bytes a pixel). By default half the machine's memory; tests lower it.
std::size_t workingImageBudget();
void setWorkingImageBudget(std::size_t bytes); // 0 restores the default

// A tool's pass: reads the baseline (or its rendition), writes the working image (or its
// rendition), both 32-bit and the same size.
using ToolPass = std::function<void(ConstBitmapView from, BitmapView to)>;

ToolPass brightnessPass(int amount);
ToolPass colourPass(int red, int green, int blue);
ToolPass tonePass(const ToneLUT& lut);

class AdjustImages {
public:
    // Builds the working image, its baseline and renditions of at most 1024 pixels a
    // side; throws as makeWorkingImage does.
    AdjustImages(ConstBitmapView picture, float aspectRatio);

    const Bitmap& working() const { return m_working; }
    Bitmap takeWorking() { return std::move(m_working); }
    const Bitmap& baseline() const { return m_baseline; }
    // The working image at the preview's size (nearest pixels, so it shows exactly what
    // a per-pixel tool gives on the full image).
    const Bitmap& preview() const { return m_previewWorking; }

    // The size the renditions are made at, at most the working image's size.
    void setPreviewSize(int width, int height);
    // The baseline becomes a copy of the working image.
    void commit();
    // The working image becomes a copy of the baseline.
    void restoreBaseline();
    // A new working image (a cut-out, of any size; 32-bit). The baseline follows at the
    // next commit; room for it is taken now. Throws std::bad_alloc, changing nothing,
    // when the new image and its baseline would not fit the budget or the memory.
    void setWorking(Bitmap working);
    // Changes the working image in place (a filter that reads its neighbours, which has
    // no per-pixel rendition) and renews the preview from it.
    void changeWorking(const std::function<void(BitmapView)>& change);
    // The pass on the renditions only (a slider step shows at once) ...
    void applyToPreview(const ToolPass& pass);
    // ... and on the full images, which also renews the preview.
    void apply(const ToolPass& pass);

private:
    void sampleInto(const Bitmap& from, Bitmap& to) const;

    Bitmap m_working;
    Bitmap m_baseline;
    Bitmap m_previewBaseline;
    Bitmap m_previewWorking;
};

} // namespace imaging
