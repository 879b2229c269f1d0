// Feeds arbitrary settings files to the settings reader: each line "Name=kind:value" is
// one stored value, decoded as the settings file's values are, then read over the
// defaults. What must hold: every value the reader keeps is one the command line would
// accept, and prints back as it was read.
#include "fuzz/fuzz_file.h"
#include "settings/qt/qt_store.h"
#include "settings/core/settings.h"

#include <QString>

#include <string>
#include <string_view>

namespace {

using fuzzing::require;

void fillStore(std::string_view text, settings::MemoryStore& store)
{
    store.beginWrite();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            continue;
        const QString value = QString::fromUtf8(line.data() + eq + 1, qsizetype(line.size() - eq - 1));
        auto decoded = settings::QtStore::decode(value);
        store.write(line.substr(0, eq), decoded ? *decoded : settings::StoredValue(std::vector<std::uint8_t>{}));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    settings::MemoryStore store;
    fillStore({reinterpret_cast<const char*>(data), size}, store);
    settings::Settings s;
    const settings::Environment env{"", ""};
    settings::readDefaults(s, nullptr, env);
    settings::readSettings(s, store, nullptr, env, [](const std::string& warning) { require(!warning.empty()); });
    for (const settings::Field& f : settings::fields()) {
        const std::string text = settings::formatValue(s, f);
        settings::Settings again = s;
        try {
            settings::parseValue(again, f, text);
        } catch (const settings::SettingsError&) {
            // Text values the command line refuses are fine; numbers read from the file
            // must be ones it accepts.
            require(f.kind == settings::Kind::String);
            continue;
        }
        require(settings::formatValue(again, f) == text);
    }
    return 0;
}
