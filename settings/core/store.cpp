// readDefaults, readSettings and saveSettings over a Store, and the text form of values.
#include "settings/core/settings.h"

#include "core/text.h"
#include "core/translatable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace settings {
namespace {

using S = Settings;

struct IntRange {
    std::string_view name;
    std::int32_t low, high;
};

// Ranges the program's own controls keep to. A stored or typed value outside them
// would drive the page geometry or the encoders into nonsense, so it is refused.
constexpr IntRange kIntRanges[] = {
    {"tsz", 1, 1638},
    {"Quality", 1, 100},
    {"RuleWeight", 1, 10},
    {"Filter", 0, 7},
    {"resample_for_printer", 0, 7},
    {"resample_on_load", 0, 6},
    {"resample_on_load_Size", 5, 1000},
    {"Manual_Resamp_Size", 5, 1000},
    {"Print_Image_Resolution", 72, 1000},
    {"Print_Image_Resample_USing", 0, 7},
    {"Manual_Resamp_Filter", 0, 6},
    {"Printer_Duplex", 0, 3},
    {"Min_Print_Resolution", 0, 10000},
};

bool validCount(std::int32_t n)
{
    return n == 1 || n == 2 || n == 4 || n == 8 || n == 16;
}

// Empty when the value is acceptable for the field, else why not.
core::Message rangeProblem(const Field& f, std::int32_t v)
{
    if (f.readName == "NumberOfFrames")
        return validCount(v) ? "" : QT_TRANSLATE_NOOP("Paginor", "must be 1, 2, 4, 8 or 16");
    for (const auto& r : kIntRanges)
        if (r.name == f.readName && (v < r.low || v > r.high))
            return {QT_TRANSLATE_NOOP("Paginor", "must be between %1 and %2"), r.low, r.high};
    return "";
}

core::Message rangeProblem(const Field& f, float v)
{
    if (!std::isfinite(v))
        return QT_TRANSLATE_NOOP("Paginor", "must be a finite number");
    if (f.readName == "Global_AspectRatio" && !(v > 0.0f && v <= 1000.0f))
        return QT_TRANSLATE_NOOP("Paginor", "must be above 0");
    if (f.readName == "Form_Mag_Factor" && !(v > 0.0f && v <= 10.0f))
        return QT_TRANSLATE_NOOP("Paginor", "must be above 0");
    if (f.readName == "margin_mm" && (v < 0.0f || v > 1000.0f))
        return {QT_TRANSLATE_NOOP("Paginor", "must be between %1 and %2"), 0, 1000};
    if (f.readName == "Page_Margin_mm" && (v < -100.0f || v > 100.0f))
        return {QT_TRANSLATE_NOOP("Paginor", "must be between %1 and %2"), -100, 100};
    return "";
}

void assignInt(Settings& s, const Field& f, std::int32_t v)
{
    if (auto m = std::get_if<std::int32_t S::*>(&f.member))
        s.**m = v;
    else if (auto b = std::get_if<std::uint8_t S::*>(&f.member))
        s.**b = static_cast<std::uint8_t>(v);
}

void assignBool(Settings& s, const Field& f, bool v) { s.*std::get<bool S::*>(f.member) = v; }
void assignFloat(Settings& s, const Field& f, float v) { s.*std::get<float S::*>(f.member) = v; }
void assignString(Settings& s, const Field& f, std::string v) { s.*std::get<std::string S::*>(f.member) = std::move(v); }

std::int32_t intOf(const Settings& s, const Field& f)
{
    if (auto m = std::get_if<std::int32_t S::*>(&f.member))
        return s.**m;
    return s.*std::get<std::uint8_t S::*>(f.member);
}

// Reads one stored value into its setting with the reading of its kind. Returns an
// empty string on success, else the report for a value that can't be taken.
core::Message readInto(Settings& s, const Field& f, const StoredValue& v)
{
    const core::Message invalid(QT_TRANSLATE_NOOP("Paginor", "Invalid data type for '%1'"), f.readName);
    switch (f.kind) {
    case Kind::Int: {
        auto i = std::get_if<std::int32_t>(&v);
        if (!i)
            return invalid;
        if (auto p = rangeProblem(f, *i); !p.empty())
            return {QT_TRANSLATE_NOOP("Paginor", "Invalid value %1 for '%2': %3"), *i, f.readName, p};
        assignInt(s, f, *i);
        return "";
    }
    case Kind::Bool: {
        auto i = std::get_if<std::int32_t>(&v);
        if (!i)
            return invalid;
        assignBool(s, f, *i != 0);
        return "";
    }
    case Kind::Float: {
        auto bytes = std::get_if<std::vector<std::uint8_t>>(&v);
        auto value = bytes ? decodeFloat(*bytes) : std::nullopt;
        if (!value)
            return invalid;
        if (auto p = rangeProblem(f, *value); !p.empty())
            return {QT_TRANSLATE_NOOP("Paginor", "Invalid value for '%1': %2"), f.readName, p};
        assignFloat(s, f, *value);
        return "";
    }
    case Kind::String: {
        auto str = std::get_if<std::string>(&v);
        if (!str)
            return invalid;
        assignString(s, f, *str);
        return "";
    }
    }
    return invalid;
}

StoredValue storedOf(const Settings& s, const Field& f)
{
    switch (f.kind) {
    case Kind::Int: return intOf(s, f);
    case Kind::Bool: return std::int32_t(s.*std::get<bool S::*>(f.member) ? 1 : 0);
    case Kind::Float: return encodeFloat(s.*std::get<float S::*>(f.member));
    case Kind::String: return s.*std::get<std::string S::*>(f.member);
    }
    return std::int32_t(0);
}

std::optional<std::int32_t> storedPrinterIndex(const Store& store, const std::function<void(const core::Message&)>& warn)
{
    auto stored = store.read("Printer");
    if (!stored)
        return std::nullopt;
    auto index = std::get_if<std::int32_t>(&*stored);
    if (!index) {
        warn({QT_TRANSLATE_NOOP("Paginor", "Invalid data type for '%1'"), "Printer"});
        return std::nullopt;
    }
    return *index;
}

std::optional<int> storedPrinterName(const Store& store, const PrinterList& printers)
{
    auto stored = store.read("Printer_Name");
    auto name = stored ? std::get_if<std::string>(&*stored) : nullptr;
    if (!name || name->empty())
        return std::nullopt;
    return printers.indexOf(*name);
}

// The name wins over the index: queues come and go, and an index then names another.
bool selectStoredPrinter(Settings& s, const Store& store, PrinterList* printers,
                         const std::function<void(const core::Message&)>& warn)
{
    const auto index = storedPrinterIndex(store, warn);
    if (!printers) {
        if (index)
            s.Printer = *index;
        return true;
    }
    if (auto named = storedPrinterName(store, *printers); named && printers->select(*named)) {
        s.Printer = *named;
        return true;
    }
    if (!index)
        return true;
    if (printers->select(*index)) {
        s.Printer = *index;
        return true;
    }
    // A printer that went away: fall back to the default (or first) without a word.
    auto def = printers->defaultIndex();
    if (!def && printers->count() > 0)
        def = 0;
    if (def && printers->select(*def)) {
        s.Printer = *def;
        return true;
    }
    return false;
}

} // namespace

bool readDefaults(Settings& s, PrinterList* printers, const Environment& env)
{
    if (printers) {
        auto def = printers->defaultIndex();
        // Many machines have printers but no default: the first one serves.
        if (!def && printers->count() > 0)
            def = 0;
        if (!def || !printers->select(*def))
            return false;
    }
    // start_dir, ApplyCurve, En_CurveOnLoad and Image_Editor_App keep their values.
    Settings fresh;
    fresh.start_dir = s.start_dir;
    fresh.ApplyCurve = s.ApplyCurve;
    fresh.En_CurveOnLoad = s.En_CurveOnLoad;
    fresh.Image_Editor_App = s.Image_Editor_App;
    s = std::move(fresh);
    if (printers) {
        s.Printer = printers->current();
        s.Printer_Name = printers->nameOf(s.Printer);
    }

    std::error_code ec;
    if (!env.curveDir.empty())
        std::filesystem::create_directories(env.curveDir, ec);
    s.Curve_Dir = env.curveDir;
    s.Zip_Available = !env.tempDir.empty() && std::filesystem::is_directory(env.tempDir, ec);
    return true;
}

bool readSettings(Settings& s, const Store& store, PrinterList* printers, const Environment& env,
                  const std::function<void(const core::Message&)>& warn)
{
    if (!store.canRead())
        return readDefaults(s, printers, env);
    for (const core::Message& problem : store.keyProblems())
        warn(problem);
    if (!selectStoredPrinter(s, store, printers, warn))
        return false;
    s.Image_Editor_App.clear();
    if (printers)
        s.Printer_Name = printers->nameOf(printers->current());
    else if (auto name = store.read("Printer_Name"); name && std::holds_alternative<std::string>(*name))
        s.Printer_Name = std::get<std::string>(*name);
    for (const auto& f : fields()) {
        if (f.readName == "Printer" || f.readName == "Printer_Name" || f.readName == "Image_Editor_App")
            continue;
        if (auto v = store.read(f.readName))
            if (auto problem = readInto(s, f, *v); !problem.empty())
                warn(problem);
        if (f.readName == "ApplyCurve") {
            // An older version kept the curve on load under this name; it wins when present.
            if (auto legacy = store.read("Enable_Curve_on_Load")) {
                if (auto str = std::get_if<std::string>(&*legacy))
                    s.ApplyCurve = *str;
                else
                    warn({QT_TRANSLATE_NOOP("Paginor", "Invalid data type for '%1'"), "Enable_Curve_on_Load"});
            }
        }
    }
    return true;
}

void saveSettings(const Settings& s, Store& store, const PrinterList* printers)
{
    store.beginWrite();
    for (const auto& f : fields()) {
        if (f.readName == "Printer" && printers)
            store.write(f.writeName, std::int32_t(printers->current()));
        else if (f.readName == "Printer_Name" && printers)
            store.write(f.writeName, printers->nameOf(printers->current()));
        else
            store.write(f.writeName, storedOf(s, f));
    }
    store.endWrite();
}

std::string formatValue(const Settings& s, const Field& f)
{
    switch (f.kind) {
    case Kind::Int: return std::to_string(intOf(s, f));
    case Kind::Bool: return s.*std::get<bool S::*>(f.member) ? "true" : "false";
    case Kind::Float: {
        // to_chars without a precision gives the shortest text that reads back as the same float.
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, s.*std::get<float S::*>(f.member));
        return std::string(buf, r.ptr);
    }
    case Kind::String: return s.*std::get<std::string S::*>(f.member);
    }
    return {};
}

void parseValue(Settings& s, const Field& f, std::string_view text)
{
    const std::string name(f.readName);
    auto fail = [&](const core::Message& why) {
        throw SettingsError({"Invalid value '%1' for %2: %3", text, name, why});
    };
    switch (f.kind) {
    case Kind::Bool: {
        const std::string t = core::lower(text);
        if (t == "true" || t == "1" || t == "yes" || t == "on")
            assignBool(s, f, true);
        else if (t == "false" || t == "0" || t == "no" || t == "off")
            assignBool(s, f, false);
        else
            fail("expected true or false");
        return;
    }
    case Kind::Int: {
        std::int32_t v = 0;
        auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec != std::errc() || p != text.data() + text.size() || text.empty())
            fail("expected a whole number");
        if (auto problem = rangeProblem(f, v); !problem.empty())
            fail(problem);
        assignInt(s, f, v);
        return;
    }
    case Kind::Float: {
        float v = 0;
        auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec != std::errc() || p != text.data() + text.size() || text.empty())
            fail("expected a number");
        if (auto problem = rangeProblem(f, v); !problem.empty())
            fail(problem);
        assignFloat(s, f, v);
        return;
    }
    case Kind::String: assignString(s, f, std::string(text)); return;
    }
}

} // namespace settings
