// The program's settings: one typed record, its defaults, and the store that keeps it
// between runs under the registry's rules (names matched without regard to case,
// every value kept as its kind).
#pragma once

#include "core/message.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace settings {

// Fixed message texts, shared by the code and its tests.
inline constexpr std::string_view kCantSaveSettings = QT_TRANSLATE_NOOP("Paginor", "Can't save settings");
inline constexpr std::string_view kNoDefaultPrinter =
    QT_TRANSLATE_NOOP("Paginor", "Can't run Paginor because there is no default printer available.\nHint - Install or set up a default printer.");
inline constexpr std::string_view kPleaseInstallPrinter = QT_TRANSLATE_NOOP("Paginor", "Please install a printer");

// The bit pattern 0x3FAAAAA8: the default frame aspect ratio as the original single holds it.
inline constexpr float kDefaultAspectRatio = 1.3333330f;

// Carries its message with its form, so the window can translate it.
class SettingsError : public core::MessageError {
public:
    using core::MessageError::MessageError;
};

// Every setting under its registry value name. Field names are the value names, so
// each Part's reference to a setting reads the same in the code.
struct Settings {
    bool Inc_Filename = true;
    bool Inc_Time = false;
    bool Inc_DMY = false;
    bool Inc_MDY = false;
    bool Inc_Exposure = false;
    bool Inc_This_Text = true;
    std::string Inc_Text = "Printed by Paginor";
    bool Inc_Flash = false;
    std::int32_t Printer = 0;
    std::int32_t tsz = 6;
    std::int32_t tcol = 0;           // 0x00BBGGRR
    std::uint8_t NumberOfFrames = 4; // 1, 2, 4, 8 or 16
    float Global_AspectRatio = kDefaultAspectRatio;
    float Form_Mag_Factor = 1.0f;
    bool PrintProps = false;
    bool PrintMarks = false;
    float margin_mm = 3.0f;
    std::string start_dir;
    std::string Image_Editor_App;
    std::string Curve_Dir;
    std::string ApplyCurve;
    bool En_CurveOnLoad = false;
    bool autocentre = false;
    bool app_assos = true;
    bool autorotate = false;
    bool bp = true;
    bool Save_Props_File = true;
    std::int32_t Quality = 95;
    std::int32_t RuleWeight = 1;
    bool Use_Metric = true;
    std::int32_t Filter = 4;
    bool CZ = true;
    std::int32_t resample_for_printer = 0;
    std::int32_t resample_on_load = 0;
    std::int32_t resample_on_load_Size = 100;
    std::int32_t Manual_Resamp_Size = 100;
    bool OLW = true;
    bool store_as_Jpg = false;
    bool Print_Image_As_Jpeg = false;
    bool Print_Image_Use_Printers_Res = true;
    std::int32_t Print_Image_Resolution = 100;
    std::int32_t Print_Image_Resample_USing = 1;
    std::int32_t Manual_Resamp_Filter = 5;
    bool Get_Camera_Details = false;
    bool Wait_For_Empty_Q = false;
    std::string DroppedSearchString = "*.*";
    bool searchSubFolders = true;
    float Page_Margin_mm = 0.0f;
    bool centre_output = false;
    // The printer's own choices, kept after the table above: the queue by name (CUPS
    // adds and removes queues, so the index alone can point at another printer), the
    // paper and duplex picked in "&Printer Setup", and the last printer's page as
    // "WIDTHxHEIGHT@DPI" so the page can be laid out when no printer is left.
    std::string Printer_Name;
    std::string Printer_Paper;      // a page size key as Qt names it ("A4", "Letter")
    std::int32_t Printer_Duplex = 0; // QPrinter::DuplexMode: 0 none, 1 auto, 2 long edge, 3 short edge
    std::string Printer_Page;
    // Frames whose picture prints at fewer pixels per inch than this are marked on the
    // screen, and headless printing warns of them; 0 turns the check off.
    std::int32_t Min_Print_Resolution = 150;
    // The window asks "Print anyway?" before printing such frames. Off by default: the
    // print commands otherwise ask nothing they did not ask before.
    bool Confirm_Low_Resolution = false;
    // Batch printing passes over files that can't be decoded without a message box, so
    // a long batch runs unattended; off keeps a box per file.
    bool Batch_Skip_Unreadable = false;
    // Beyond the table: pictures carrying an ICC profile shown and printed in sRGB, and
    // camera data taken from any JPEG when the EXIF reader finds none.
    bool Use_Colour_Profiles = true;
    bool Any_Jpeg_Camera_Data = false;
    // Pictures turned upright by the orientation their camera recorded, as they are
    // decoded; off loads the stored pixels as they are.
    bool Honour_Orientation = true;

    // Not stored.
    std::string Margin_Font_Name = "Arial";
    bool Settings_Changed = false;
    bool Zip_Available = false;
};

enum class Kind { Int, Bool, Float, String };

// One row of the settings table: how a setting is named when read and when written,
// its kind, and where it lives in the record.
struct Field {
    std::string_view readName;
    std::string_view writeName; // differs in case for two values; both name the same value
    Kind kind;
    std::variant<std::int32_t Settings::*, bool Settings::*, float Settings::*, std::string Settings::*,
                 std::uint8_t Settings::*>
        member;
};

// The stored settings in the order saveSettings writes them: the 49 of the settings
// table, then the printer's choices, then the colour and camera-data choices.
const std::vector<Field>& fields();
// Finds a field by name, without regard to case.
const Field* findField(std::string_view name);

// A value as the store keeps it: a DWORD, raw bytes (REG_BINARY) or a string (REG_SZ).
using StoredValue = std::variant<std::int32_t, std::vector<std::uint8_t>, std::string>;

// One key of typed values whose names are matched without regard to case.
class Store {
public:
    virtual ~Store() = default;
    // The key exists and can be read (false on a first run).
    virtual bool canRead() const = 0;
    virtual std::optional<StoredValue> read(std::string_view name) const = 0;
    // What is wrong with the key itself (a name stored twice in different letter case),
    // one text a problem; read() has already settled each.
    virtual std::vector<core::Message> keyProblems() const { return {}; }
    // Creates the key when missing; throws SettingsError(kCantSaveSettings) when it can't.
    virtual void beginWrite() = 0;
    virtual void write(std::string_view name, const StoredValue& value) = 0;
    // Makes what was written durable; throws SettingsError(kCantSaveSettings) on failure.
    virtual void endWrite() = 0;
};

// An in-memory key, for tests and for runs that must not touch the user's settings.
class MemoryStore final : public Store {
public:
    bool canRead() const override { return m_exists; }
    std::optional<StoredValue> read(std::string_view name) const override;
    void beginWrite() override;
    void write(std::string_view name, const StoredValue& value) override;
    void endWrite() override {}

    // Names as last written (case kept), for tests.
    std::vector<std::string> names() const;
    void setFailWrites(bool fail) { m_failWrites = fail; }

private:
    bool m_exists = false;
    bool m_failWrites = false;
    std::map<std::string, std::pair<std::string, StoredValue>> m_values; // lower-case name -> (name, value)
};

// The printers the settings choose among: the CUPS printer list, in its order.
class PrinterList {
public:
    virtual ~PrinterList() = default;
    virtual int count() const = 0;
    virtual std::optional<int> defaultIndex() const = 0;
    // Makes printer index the current one; false when the index is not valid.
    virtual bool select(int index) = 0;
    virtual int current() const = 0;
    // The queue name of printer index ("" when not valid) and the index of a name.
    virtual std::string nameOf(int index) const { (void)index; return {}; }
    virtual std::optional<int> indexOf(std::string_view name) const { (void)name; return std::nullopt; }
};

// Where the defaults come from on this machine.
struct Environment {
    std::string curveDir;   // the default curve folder; created when missing
    std::string tempDir;    // the system's temporary folder ("" when none can be found)
};

// Sets every setting to its default, selects the default printer (the first printer when
// none is the default), creates the curve folder and works out Zip_Available. Returns
// false when the list holds no printer at all. printers may be null for runs without one.
bool readDefaults(Settings& s, PrinterList* printers, const Environment& env);

// Reads the store over the defaults. The printer is the stored Printer_Name when that
// queue exists, else the stored index, else the default (or first) printer. Returns false
// when none of them can be selected (the caller shows kPleaseInstallPrinter).
// Values of the wrong kind are treated as missing and reported through warn, once each.
bool readSettings(Settings& s, const Store& store, PrinterList* printers, const Environment& env,
                  const std::function<void(const core::Message&)>& warn);

// Writes every stored setting in the table's order. Throws SettingsError(kCantSaveSettings).
void saveSettings(const Settings& s, Store& store, const PrinterList* printers);

// Text form used by `paginor settings` and `--set`: bools true/false, floats in the
// shortest form that reads back as the same single.
std::string formatValue(const Settings& s, const Field& f);
// Parses text for field f into s; throws SettingsError with a clear message on bad text.
void parseValue(Settings& s, const Field& f, std::string_view text);

// Encodes a float as the store keeps it (8-byte little-endian double) and back.
std::vector<std::uint8_t> encodeFloat(float value);
std::optional<float> decodeFloat(const std::vector<std::uint8_t>& bytes);

} // namespace settings
