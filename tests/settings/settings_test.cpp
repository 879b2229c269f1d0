#include "settings/qt/qt_store.h"
#include "settings/core/settings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <bit>
#include <cstring>
#include <filesystem>
#include <random>

using namespace settings;

namespace {

// Stands in for the CUPS printer list, so the fall-back rules can be driven.
class FakePrinters final : public PrinterList {
public:
    FakePrinters(int count, std::optional<int> def) : m_count(count), m_default(def) {}
    int count() const override { return m_count; }
    std::optional<int> defaultIndex() const override { return m_default; }
    bool select(int index) override
    {
        if (index < 0 || index >= m_count)
            return false;
        m_current = index;
        return true;
    }
    int current() const override { return m_current; }
    // Queues are named "queue0", "queue1", ...
    std::string nameOf(int index) const override
    {
        return index >= 0 && index < m_count ? "queue" + std::to_string(index) : std::string();
    }
    std::optional<int> indexOf(std::string_view name) const override
    {
        for (int i = 0; i < m_count; ++i)
            if (nameOf(i) == name)
                return i;
        return std::nullopt;
    }

private:
    int m_count;
    std::optional<int> m_default;
    int m_current = -1;
};

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_env.curveDir = (m_dir.path() + "/data/Paginor/Curves").toStdString();
        m_env.tempDir = m_dir.path().toStdString();
    }
    Settings loaded(const Store& store, FakePrinters* printers = nullptr)
    {
        Settings s;
        EXPECT_TRUE(readDefaults(s, printers, m_env));
        EXPECT_TRUE(readSettings(s, store, printers, m_env, [&](const std::string& w) { m_warnings.push_back(w); }));
        return s;
    }
    // Every stored setting moved away from its default, each to a different value.
    static Settings allChanged()
    {
        Settings s;
        int n = 0;
        for (const auto& f : fields()) {
            ++n;
            switch (f.kind) {
            case Kind::Bool: parseValue(s, f, formatValue(s, f) == "true" ? "false" : "true"); break;
            case Kind::String: parseValue(s, f, "value " + std::to_string(n) + " \xc3\xa9, \"quoted\""); break;
            case Kind::Float: parseValue(s, f, f.readName == "Page_Margin_mm" ? "-12.7" : "2.718281"); break;
            case Kind::Int: break;
            }
        }
        s.Printer = 1;
        s.Printer_Name = "queue1"; // written from the printer selected, as the index is
        s.Printer_Duplex = 2;
        s.tsz = 11;
        s.tcol = 0x00123456;
        s.NumberOfFrames = 16;
        s.Quality = 42;
        s.RuleWeight = 7;
        s.Filter = 7;
        s.resample_for_printer = 6;
        s.resample_on_load = 5;
        s.resample_on_load_Size = 250;
        s.Manual_Resamp_Size = 33;
        s.Print_Image_Resolution = 720;
        s.Print_Image_Resample_USing = 0;
        s.Manual_Resamp_Filter = 2;
        s.Min_Print_Resolution = 240;
        s.Global_AspectRatio = std::bit_cast<float>(0x3FAAAAA9u);
        return s;
    }

    QTemporaryDir m_dir;
    Environment m_env;
    std::vector<std::string> m_warnings;
};

bool sameStored(const Settings& a, const Settings& b)
{
    for (const auto& f : fields())
        if (f.readName != "Image_Editor_App" && formatValue(a, f) != formatValue(b, f))
            return false;
    return true;
}

} // namespace

TEST_F(SettingsStore, FirstRunGivesTheTableDefaultsAndCreatesTheCurveFolder)
{
    MemoryStore empty;
    const Settings s = loaded(empty);
    EXPECT_TRUE(s.Inc_Filename);
    EXPECT_EQ(s.Inc_Text, "Printed by Paginor");
    EXPECT_EQ(s.NumberOfFrames, 4);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(s.Global_AspectRatio), 0x3FAAAAA8u);
    EXPECT_EQ(s.margin_mm, 3.0f);
    EXPECT_EQ(s.Quality, 95);
    EXPECT_EQ(s.Manual_Resamp_Filter, 5);
    EXPECT_EQ(s.DroppedSearchString, "*.*");
    EXPECT_EQ(s.Margin_Font_Name, "Arial");
    EXPECT_FALSE(s.Settings_Changed);
    EXPECT_TRUE(s.Zip_Available);
    EXPECT_EQ(s.Curve_Dir, m_env.curveDir);
    EXPECT_TRUE(std::filesystem::is_directory(m_env.curveDir));
    EXPECT_TRUE(m_warnings.empty());
}

TEST_F(SettingsStore, KeyHoldingOnlyTheFrameCountChangesOnlyThat)
{
    MemoryStore store;
    store.write("NumberOfFrames", std::int32_t(8));
    Settings s = loaded(store);
    EXPECT_EQ(s.NumberOfFrames, 8);
    s.NumberOfFrames = 4;
    Settings defaults;
    readDefaults(defaults, nullptr, m_env);
    EXPECT_TRUE(sameStored(s, defaults));
}

TEST_F(SettingsStore, EveryValueComesBackBitForBitThroughMemoryAndDisk)
{
    FakePrinters printers(3, 0);
    const Settings original = allChanged();
    printers.select(1);

    MemoryStore memory;
    saveSettings(original, memory, &printers);
    EXPECT_TRUE(sameStored(loaded(memory, &printers), original));

    const QString file = m_dir.path() + "/cfg/Paginor.conf";
    {
        QtStore disk(file);
        saveSettings(original, disk, &printers);
    }
    QtStore reread(file);
    const Settings back = loaded(reread, &printers);
    EXPECT_TRUE(sameStored(back, original));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(back.Global_AspectRatio), 0x3FAAAAA9u);
    EXPECT_EQ(back.Page_Margin_mm, -12.7f);
    EXPECT_EQ(printers.current(), 1);
    EXPECT_TRUE(m_warnings.empty()) << m_warnings.front();
}

TEST_F(SettingsStore, FloatsAreStoredAsEightByteDoubles)
{
    const auto bytes = encodeFloat(3.0f);
    ASSERT_EQ(bytes.size(), 8u);
    double d;
    std::memcpy(&d, bytes.data(), 8); // this machine is little-endian, like the stored form
    EXPECT_EQ(d, 3.0);
    EXPECT_FALSE(decodeFloat({1, 2, 3, 4}).has_value());
}

TEST_F(SettingsStore, NamesAreMatchedWithoutRegardToCase)
{
    MemoryStore store;
    Settings s;
    saveSettings(s, store, nullptr);
    const auto names = store.names();
    EXPECT_NE(std::find(names.begin(), names.end(), "Inc_FileName"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Inc_This_TExt"), names.end());
    EXPECT_EQ(names.size(), 49u + 4u + 3u + 2u + 1u)
        << "the settings table, the printer's choices, the print checks, colour and camera data, orientation";

    const QString file = m_dir.path() + "/case.conf";
    {
        QSettings raw(file, QSettings::NativeFormat);
        raw.setValue("INC_FILENAME", "dword:00000000");
        raw.setValue("numberofframes", "dword:00000002");
    }
    QtStore disk(file);
    const Settings back = loaded(disk);
    EXPECT_FALSE(back.Inc_Filename);
    EXPECT_EQ(back.NumberOfFrames, 2);
}

TEST_F(SettingsStore, ExportApplicationIsWrittenButNeverReadBack)
{
    MemoryStore store;
    Settings s;
    s.Image_Editor_App = "/usr/bin/gimp";
    saveSettings(s, store, nullptr);
    ASSERT_TRUE(store.read("Image_Editor_App").has_value());
    EXPECT_EQ(std::get<std::string>(*store.read("Image_Editor_App")), "/usr/bin/gimp");
    EXPECT_EQ(loaded(store).Image_Editor_App, "");
}

TEST_F(SettingsStore, LegacyCurveOnLoadNameWinsOverApplyCurve)
{
    MemoryStore store;
    store.write("ApplyCurve", std::string("/curves/new.tcv"));
    store.write("Enable_Curve_on_Load", std::string("/curves/old.tcv"));
    EXPECT_EQ(loaded(store).ApplyCurve, "/curves/old.tcv");
}

TEST_F(SettingsStore, ValueOfTheWrongKindIsMissingAndReportedOnce)
{
    MemoryStore store;
    store.write("Quality", std::string("ninety"));
    store.write("margin_mm", std::int32_t(5));
    store.write("Inc_Text", std::int32_t(1));
    store.write("tsz", std::int32_t(9));
    const Settings s = loaded(store);
    EXPECT_EQ(s.Quality, 95);
    EXPECT_EQ(s.margin_mm, 3.0f);
    EXPECT_EQ(s.Inc_Text, "Printed by Paginor");
    EXPECT_EQ(s.tsz, 9);
    ASSERT_EQ(m_warnings.size(), 3u);
    EXPECT_EQ(m_warnings[0], "Invalid data type for 'Inc_Text'");
}

TEST_F(SettingsStore, ValuesThatWouldBreakThePageAreRefused)
{
    MemoryStore store;
    store.write("NumberOfFrames", std::int32_t(3));
    store.write("Global_AspectRatio", encodeFloat(std::numeric_limits<float>::quiet_NaN()));
    store.write("Quality", std::int32_t(0));
    const Settings s = loaded(store);
    EXPECT_EQ(s.NumberOfFrames, 4);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(s.Global_AspectRatio), 0x3FAAAAA8u);
    EXPECT_EQ(s.Quality, 95);
    EXPECT_EQ(m_warnings.size(), 3u);
}

TEST_F(SettingsStore, PrinterThatWentAwayFallsBackToTheDefault)
{
    MemoryStore store;
    store.write("Printer", std::int32_t(7));
    FakePrinters printers(2, 1);
    EXPECT_EQ(loaded(store, &printers).Printer, 1);
    EXPECT_TRUE(m_warnings.empty());

    FakePrinters none(0, std::nullopt);
    Settings s;
    EXPECT_FALSE(readDefaults(s, &none, m_env));
    EXPECT_FALSE(readSettings(s, store, &none, m_env, [](const std::string&) {}));
}

TEST_F(SettingsStore, StoredQueueNameWinsOverItsIndex)
{
    // A queue was added before ours: the index now names another printer, the name does not.
    MemoryStore store;
    store.write("Printer", std::int32_t(1));
    store.write("Printer_Name", std::string("queue2"));
    FakePrinters printers(3, 0);
    Settings s = loaded(store, &printers);
    EXPECT_EQ(s.Printer, 2);
    EXPECT_EQ(printers.current(), 2);
    EXPECT_EQ(s.Printer_Name, "queue2");

    // The named queue is gone: the index decides, and the name follows it.
    store.write("Printer_Name", std::string("gone"));
    s = loaded(store, &printers);
    EXPECT_EQ(s.Printer, 1);
    EXPECT_EQ(s.Printer_Name, "queue1");
}

TEST_F(SettingsStore, FailedSaveSaysSoAndWritesNothing)
{
    MemoryStore store;
    store.setFailWrites(true);
    try {
        saveSettings(Settings{}, store, nullptr);
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_EQ(std::string(e.what()), kCantSaveSettings);
    }
    EXPECT_TRUE(store.names().empty());

    // A settings folder that can't be created: a plain file stands where it should be.
    QFile blocker(m_dir.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtStore disk(m_dir.path() + "/blocked/sub/Paginor.conf");
    EXPECT_THROW(saveSettings(Settings{}, disk, nullptr), SettingsError);
}

TEST(SettingsText, EveryFloatReadsBackAsTheSameSingle)
{
    std::mt19937 rng(7);
    const Field* f = findField("global_aspectratio");
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < 20000; ++i) {
        Settings s;
        float v = std::bit_cast<float>(std::uint32_t(rng()) & 0x7fffffffu);
        if (!std::isfinite(v) || v <= 0.0f || v > 1000.0f)
            continue;
        s.Global_AspectRatio = v;
        Settings back;
        parseValue(back, *f, formatValue(s, *f));
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back.Global_AspectRatio), std::bit_cast<std::uint32_t>(v));
    }
}

TEST(SettingsText, BadTextIsRefusedWithTheNameAndLeavesTheValue)
{
    Settings s;
    EXPECT_THROW(parseValue(s, *findField("Quality"), "95x"), SettingsError);
    EXPECT_THROW(parseValue(s, *findField("Quality"), "101"), SettingsError);
    EXPECT_THROW(parseValue(s, *findField("PrintMarks"), "maybe"), SettingsError);
    EXPECT_THROW(parseValue(s, *findField("NumberOfFrames"), "5"), SettingsError);
    EXPECT_EQ(s.Quality, 95);
    parseValue(s, *findField("INC_TEXT"), "-128");
    EXPECT_EQ(s.Inc_Text, "-128");
}

TEST(SettingsDisk, TextThatLooksLikeANumberStaysText)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/k.conf";
    {
        QtStore store(file);
        store.beginWrite();
        store.write("Inc_Text", std::string("dword:00000005"));
        store.endWrite();
    }
    QtStore store(file);
    auto v = store.read("inc_text");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(std::get<std::string>(*v), "dword:00000005");
}

TEST_F(SettingsStore, ANameStoredTwiceInDifferentCaseIsReportedOnceAndTheFirstIsRead)
{
    const QString file = m_dir.path() + "/twice.conf";
    {
        QFile raw(file);
        ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
        // Sorted by QSettings, the lower-case spelling would come last; the file has it first.
        raw.write("[General]\nnumberofframes=dword:00000002\nQuality=dword:00000050\n"
                  "NumberOfFrames=dword:00000010\nNUMBEROFFRAMES=dword:00000008\n");
    }
    QtStore disk(file);
    std::vector<std::string> warnings;
    Settings s;
    ASSERT_TRUE(readSettings(s, disk, nullptr, Environment{}, [&](const std::string& w) { warnings.push_back(w); }));
    EXPECT_EQ(s.NumberOfFrames, 2);
    EXPECT_EQ(s.Quality, 80);
    EXPECT_EQ(warnings, std::vector<std::string>{"'numberofframes' is stored more than once (as 'numberofframes', "
                                                 "'NumberOfFrames', 'NUMBEROFFRAMES'); the first is read"});
}
