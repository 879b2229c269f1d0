// The "Change settings" dialog, answered through its controls as a user would.
#include "settings/ui/setup_form.h"

#include "core/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <map>
#include <stdexcept>

using namespace settings;

namespace {

template <class T>
T* find(QWidget& form, const char* name)
{
    T* control = form.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr)
        throw std::runtime_error(std::string("the dialog has no control ") + name);
    return control;
}

void pressOk(QWidget& form) { find<QPushButton>(form, "OK_Btn")->click(); }
void pressCancel(QWidget& form) { find<QPushButton>(form, "BitBtn2")->click(); }
void chooseUnit(QWidget& form, const char* unit)
{
    find<QRadioButton>(form, unit == std::string("Inches") ? "measurementsystem_Inches" : "measurementsystem_mm")
        ->click();
}
QString shown(QWidget& form, const char* spinName) { return find<QDoubleSpinBox>(form, spinName)->text(); }

// Every stored setting as text, to compare whole records.
std::map<std::string, std::string> storedValues(const Settings& s)
{
    std::map<std::string, std::string> values;
    for (const Field& f : fields())
        values[std::string(f.readName)] = formatValue(s, f);
    return values;
}

// What every named control shows, to compare two dialogs.
std::map<QString, QString> controlStates(QWidget& form)
{
    std::map<QString, QString> states;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith("qt_"))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
            states[name] = b->isChecked() ? "on" : "off";
        else if (auto* g = qobject_cast<QGroupBox*>(w); g && g->isCheckable())
            states[name] = g->isChecked() ? "on" : "off";
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
            states[name] = spin->text();
        else if (auto* list = qobject_cast<QComboBox*>(w))
            states[name] = QString::number(list->currentIndex());
        else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->parent()->inherits("QAbstractSpinBox"))
            states[name] = edit->text();
    }
    return states;
}

// Hooks that stand in for the main window and the desktop's choosers.
struct FakeWindow {
    std::vector<float> margins;
    float pageMarginAtSetMargin = -1000.0f;
    std::vector<std::pair<bool, bool>> printButtons;
    std::vector<std::string> openFolders;
    int redisplays = 0;
    int dpi = 600;
    QString folderAnswer = "/srv/photos";
    QString curveAnswer = "/srv/curves/warm.tcv";
    QString curveStart;

    SetupHooks hooks(const Settings& s)
    {
        SetupHooks h;
        h.setMargin = [this, &s](float mm) {
            margins.push_back(mm);
            pageMarginAtSetMargin = s.Page_Margin_mm;
        };
        h.printerDpiX = [this] { return dpi; };
        h.setPrintButtons = [this](bool props, bool marks) { printButtons.emplace_back(props, marks); };
        h.setOpenFolder = [this](const std::string& f) { openFolders.push_back(f); };
        h.redisplayImages = [this] { ++redisplays; };
        h.chooseFolder = [this](QWidget*, const QString&, const QString&) { return std::optional(folderAnswer); };
        h.chooseCurve = [this](QWidget*, const QString& start) {
            curveStart = start;
            return std::optional(curveAnswer);
        };
        return h;
    }
};

// Moves every control of the dialog away from the defaults, each as a user would.
void changeEveryControl(QWidget& form)
{
    find<QCheckBox>(form, "Get_Camera_Details")->click();
    find<QCheckBox>(form, "Inc_Filename")->click();
    find<QCheckBox>(form, "Inc_DMY")->click();
    find<QCheckBox>(form, "Inc_Time")->click();
    find<QCheckBox>(form, "Inc_Exposure")->click();
    find<QCheckBox>(form, "Inc_Flash")->click();
    find<QCheckBox>(form, "Inc_This_Text")->click();
    find<QLineEdit>(form, "Inc_Text")->setText("Holiday in Wales");
    find<QDoubleSpinBox>(form, "Defined_Margin")->setValue(4.5);
    find<QDoubleSpinBox>(form, "Page_Margin")->setValue(7.25);
    find<QCheckBox>(form, "centre")->click();
    find<QDoubleSpinBox>(form, "User_Defined")->setValue(1.5);

    find<QPushButton>(form, "Edit_Dir_Browse")->click();
    find<QPushButton>(form, "Curve_Folder_Browse")->click();
    find<QCheckBox>(form, "Check_assos")->click();
    find<QLineEdit>(form, "Edit_Image_Editor")->setText("/usr/bin/gimp");

    find<QSpinBox>(form, "Save_Quality")->setValue(80);
    find<QRadioButton>(form, "jpg")->click();
    find<QCheckBox>(form, "Create_Props_File")->click();

    find<QCheckBox>(form, "On_Load_Warning")->click();
    find<QGroupBox>(form, "Apply_Curve_On_Load")->setChecked(true);
    find<QPushButton>(form, "Apply_Curve_Browse")->click();
    find<QGroupBox>(form, "Enable_resample_on_load")->setChecked(true);
    find<QSpinBox>(form, "Downsize_OnLoad_Spin")->setValue(75);
    find<QComboBox>(form, "Resamp_onload_Filter")->setCurrentIndex(5);
    find<QCheckBox>(form, "autorotate")->click();
    find<QCheckBox>(form, "autocentre")->click();
    find<QCheckBox>(form, "SearchSubFolders")->click();
    find<QLineEdit>(form, "SearchString")->setText("*.png");

    find<QCheckBox>(form, "Print_Props")->click();
    find<QCheckBox>(form, "Print_Marks")->click();
    find<QSpinBox>(form, "Rule_Weight")->setValue(4);
    find<QComboBox>(form, "Resample_on_Print")->setCurrentIndex(6);
    find<QRadioButton>(form, "Print_As_Jpeg")->click();
    find<QCheckBox>(form, "Use_Printers_Res")->click();
    find<QSpinBox>(form, "ProofRes")->setValue(300);
    find<QComboBox>(form, "Resample_On_Proof")->setCurrentIndex(3);
    find<QCheckBox>(form, "Wait_For_Q")->click();
}

// Answers each "Change settings" dialog that setUpSettings opens with the next step;
// a dialog beyond the script is cancelled and remembered, so a loop cannot hang the test.
class DialogScript : public QObject {
public:
    using Step = std::function<void(SettingsDialog&)>;
    explicit DialogScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogScript::poll);
        m_timer.start(5);
    }
    int shown() const { return m_shown; }
    bool ranDry() const { return m_ranDry; }

private:
    void poll()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<SettingsDialog*>(w);
            if (form == nullptr || !form->isVisible() || form->property("scripted").toBool())
                continue;
            form->setProperty("scripted", true);
            const auto step = static_cast<std::size_t>(m_shown++);
            if (step < m_steps.size()) {
                m_steps[step](*form);
            } else {
                m_ranDry = true;
                form->reject();
            }
        }
    }

    std::vector<Step> m_steps;
    QTimer m_timer;
    int m_shown = 0;
    bool m_ranDry = false;
};

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private:
    core::ScriptedMessages m_messages;

private slots:
    void init()
    {
        m_messages.clear();
        core::setMessages(&m_messages);
    }
    void cleanup() { core::setMessages(nullptr); }

    void opensOnGeneralWithTheCaption()
    {
        Settings s;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        QCOMPARE(form.windowTitle(), QString("Change settings"));
        auto* pages = find<QTabWidget>(form, "PageControl1");
        QCOMPARE(pages->count(), 5);
        QCOMPARE(pages->tabText(pages->currentIndex()), QString("General "));
        QVERIFY(!find<QGroupBox>(form, "Zoom")->isVisibleTo(&form));
    }

    void switchingToInchesShowsTheMarginInInchesAtOnce()
    {
        Settings s;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        chooseUnit(form, "Inches");
        QCOMPARE(shown(form, "Defined_Margin"), QString("0.1181"));
        QCOMPARE(find<QLabel>(form, "Label1")->text(), QString("Inch"));
        QCOMPARE(find<QLabel>(form, "Label19")->text(), QString("Inch"));
        QVERIFY(!s.Use_Metric);
        chooseUnit(form, "mm");
        QCOMPARE(shown(form, "Defined_Margin"), QString("3.0000"));
        QVERIFY(s.Use_Metric);
    }

    void unitChangeStaysWhenCancelledButTheMarginDoesNot()
    {
        Settings s;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        chooseUnit(form, "Inches");
        find<QDoubleSpinBox>(form, "Defined_Margin")->setValue(0.5);
        pressCancel(form);
        QVERIFY(!s.Use_Metric);
        QCOMPARE(s.margin_mm, 3.0f);
        QVERIFY(win.margins.empty());
    }

    void inchMarginsBecomeMillimetres_data()
    {
        QTest::addColumn<double>("pageInches");
        QTest::addColumn<float>("pageMm");
        QTest::addColumn<double>("gapInches");
        QTest::addColumn<float>("gapMm");
        QTest::newRow("half an inch: 12.7 rounds to 13, the gap stays exact") << 0.5 << 13.0f << 0.5 << 12.7f;
        QTest::newRow("a quarter inch: 6.35 rounds down") << 0.25 << 6.0f << 0.25 << 6.35f;
        QTest::newRow("negative page margin") << -0.5 << -13.0f << 0.1 << 2.54f;
        QTest::newRow("zero") << 0.0 << 0.0f << 0.0 << 0.0f;
    }
    void inchMarginsBecomeMillimetres()
    {
        QFETCH(double, pageInches);
        QFETCH(float, pageMm);
        QFETCH(double, gapInches);
        QFETCH(float, gapMm);
        Settings s;
        s.Use_Metric = false;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        find<QDoubleSpinBox>(form, "Page_Margin")->setValue(pageInches);
        find<QDoubleSpinBox>(form, "Defined_Margin")->setValue(gapInches);
        pressOk(form);
        QCOMPARE(form.result(), SettingsDialog::kOkResult);
        QCOMPARE(s.Page_Margin_mm, pageMm);
        QCOMPARE(s.margin_mm, gapMm);
        QCOMPARE(win.margins, std::vector<float>{gapMm});
        // The printer's page margin is derived from the new value, not the old one.
        QCOMPARE(win.pageMarginAtSetMargin, pageMm);
    }

    void okWithoutTouchingKeepsExactValuesInInches()
    {
        Settings s;
        s.Use_Metric = false;
        s.Page_Margin_mm = 5.0f;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        QCOMPARE(shown(form, "Defined_Margin"), QString("0.1181"));
        QCOMPARE(shown(form, "User_Defined"), QString("1.3333"));
        pressOk(form);
        QCOMPARE(s.margin_mm, 3.0f);
        QCOMPARE(s.Page_Margin_mm, 5.0f);
        QCOMPARE(s.Global_AspectRatio, kDefaultAspectRatio);
    }

    void marginDefaultButtonGivesThreeMillimetresInEitherUnit()
    {
        Settings s;
        s.margin_mm = 9.0f;
        s.Use_Metric = false;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        find<QPushButton>(form, "Margin_Default")->click();
        QCOMPARE(shown(form, "Defined_Margin"), QString("0.1181"));
        pressOk(form);
        QCOMPARE(s.margin_mm, 3.0f);
    }

    void aspectAboveFiveFallsBack_data()
    {
        QTest::addColumn<double>("entered");
        QTest::addColumn<float>("stored");
        QTest::newRow("6 is too wide") << 6.0 << 1.3333333f;
        QTest::newRow("10, the top of the range") << 10.0 << 1.3333333f;
        QTest::newRow("5 is still allowed") << 5.0 << 5.0f;
        QTest::newRow("a tall frame") << 0.5 << 0.5f;
    }
    void aspectAboveFiveFallsBack()
    {
        QFETCH(double, entered);
        QFETCH(float, stored);
        Settings s;
        FakeWindow win;
        {
            SettingsDialog form(s, win.hooks(s));
            find<QDoubleSpinBox>(form, "User_Defined")->setValue(entered);
            pressOk(form);
        }
        QCOMPARE(s.Global_AspectRatio, stored);
        SettingsDialog again(s, win.hooks(s));
        QCOMPARE(find<QDoubleSpinBox>(again, "User_Defined")->value(), std::round(stored * 1e4) / 1e4);
    }

    void dropFilterIsCheckedAfterOk_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("refusedExtension");
        QTest::newRow("*.jpg") << "*.jpg" << "";
        QTest::newRow("*.JPEG") << "*.JPEG" << "";
        QTest::newRow("*.* means every file") << "*.*" << "";
        QTest::newRow("*.JP is a part of .JPG") << "*.JP" << "";
        QTest::newRow("lower-case tif") << "holiday*.tif" << "";
        QTest::newRow("*.doc is no image") << "*.doc" << ".doc";
        QTest::newRow("a lone * has no extension") << "*" << "";
    }
    void dropFilterIsCheckedAfterOk()
    {
        QFETCH(QString, filter);
        QFETCH(QString, refusedExtension);
        const bool refused = !isValidDropFilter(filter.toStdString());
        QCOMPARE(refused, filter == "*" || !refusedExtension.isEmpty());

        Settings s;
        FakeWindow win;
        QString shownAgain;
        DialogScript script({
            [&](SettingsDialog& f) {
                find<QLineEdit>(f, "SearchString")->setText(filter);
                pressOk(f);
            },
            [&](SettingsDialog& f) {
                shownAgain = find<QLineEdit>(f, "SearchString")->text();
                find<QLineEdit>(f, "SearchString")->setText("*.png");
                pressOk(f);
            },
        });
        QVERIFY(setUpSettings(nullptr, s, win.hooks(s)));
        QVERIFY(!script.ranDry());
        QVERIFY(s.Settings_Changed);
        QCOMPARE(win.redisplays, 1);
        if (!refused) {
            QCOMPARE(script.shown(), 1);
            QCOMPARE(s.DroppedSearchString, filter.toStdString());
            QVERIFY(m_messages.entries().empty());
            return;
        }
        QCOMPARE(script.shown(), 2);
        QCOMPARE(shownAgain, filter);
        QCOMPARE(s.DroppedSearchString, std::string("*.png"));
        QCOMPARE(m_messages.entries().size(), std::size_t(1));
        QCOMPARE(m_messages.entries()[0].kind, core::MessageKind::Information);
        QCOMPARE(m_messages.entries()[0].text,
                 "Drag && Drop\nFile extension '" + refusedExtension.toStdString() + "' is not a valid image format");
    }

    void cancellingTheRepeatedDialogKeepsTheFirstOkButNotTheBadFilter()
    {
        Settings s;
        s.DroppedSearchString = "*.jpg";
        FakeWindow win;
        DialogScript script({
            [](SettingsDialog& f) {
                find<QLineEdit>(f, "SearchString")->setText("*.doc");
                find<QSpinBox>(f, "Save_Quality")->setValue(50);
                pressOk(f);
            },
            [](SettingsDialog& f) { pressCancel(f); },
        });
        QVERIFY(setUpSettings(nullptr, s, win.hooks(s)));
        QCOMPARE(script.shown(), 2);
        QCOMPARE(s.DroppedSearchString, std::string("*.jpg"));
        QCOMPARE(s.Quality, 50);
        QVERIFY(s.Settings_Changed);
        QCOMPARE(win.redisplays, 1);
    }

    void cancelChangesNothingButTheImmediateSettings()
    {
        Settings s;
        const auto before = storedValues(s);
        FakeWindow win;
        DialogScript script({[](SettingsDialog& f) {
            changeEveryControl(f);
            pressCancel(f);
        }});
        QVERIFY(!setUpSettings(nullptr, s, win.hooks(s)));
        auto after = storedValues(s);
        QCOMPARE(after["OLW"], std::string("false"));
        after["OLW"] = before.at("OLW");
        QVERIFY(after == before);
        QVERIFY(!s.Settings_Changed);
        QCOMPARE(win.redisplays, 0);
        QVERIFY(win.margins.empty() && win.openFolders.empty() && win.printButtons.empty());
    }

    void okWritesEverySetting()
    {
        Settings s;
        FakeWindow win;
        DialogScript script({[](SettingsDialog& f) {
            changeEveryControl(f);
            pressOk(f);
        }});
        QVERIFY(setUpSettings(nullptr, s, win.hooks(s)));
        QVERIFY(s.Get_Camera_Details && !s.Inc_Filename && s.Inc_DMY && !s.Inc_MDY && s.Inc_Time);
        QVERIFY(s.Inc_Exposure && s.Inc_Flash && !s.Inc_This_Text);
        QCOMPARE(s.Inc_Text, std::string("Holiday in Wales"));
        QCOMPARE(s.margin_mm, 4.5f);
        QCOMPARE(s.Page_Margin_mm, 7.25f);
        QVERIFY(s.centre_output);
        QCOMPARE(s.Global_AspectRatio, 1.5f);
        QCOMPARE(s.start_dir, std::string("/srv/photos"));
        QCOMPARE(s.Curve_Dir, std::string("/srv/photos"));
        QVERIFY(!s.app_assos);
        QCOMPARE(s.Image_Editor_App, std::string("/usr/bin/gimp"));
        QCOMPARE(s.Quality, 80);
        QVERIFY(s.store_as_Jpg && !s.Save_Props_File && !s.OLW && s.En_CurveOnLoad);
        QCOMPARE(s.ApplyCurve, std::string("/srv/curves/warm.tcv"));
        QCOMPARE(s.resample_on_load_Size, 75);
        QCOMPARE(s.resample_on_load, 5);
        QVERIFY(s.autorotate && s.autocentre && !s.searchSubFolders);
        QCOMPARE(s.DroppedSearchString, std::string("*.png"));
        QVERIFY(s.PrintProps && s.PrintMarks);
        QCOMPARE(s.RuleWeight, 4);
        QCOMPARE(s.resample_for_printer, 6);
        QVERIFY(s.Print_Image_As_Jpeg && !s.Print_Image_Use_Printers_Res);
        QCOMPARE(s.Print_Image_Resolution, 300);
        QCOMPARE(s.Print_Image_Resample_USing, 3);
        QVERIFY(s.Wait_For_Empty_Q && s.Settings_Changed);
        QCOMPARE(win.margins, std::vector<float>{4.5f});
        QCOMPARE(win.printButtons, (std::vector<std::pair<bool, bool>>{{true, true}}));
        QCOMPARE(win.openFolders, std::vector<std::string>{"/srv/photos"});
        QCOMPARE(win.redisplays, 1);
    }

    void everyControlSurvivesTheStore()
    {
        Settings s;
        FakeWindow win;
        std::map<QString, QString> before;
        {
            SettingsDialog form(s, win.hooks(s));
            changeEveryControl(form);
            before = controlStates(form);
            pressOk(form);
        }
        MemoryStore store;
        saveSettings(s, store, nullptr);
        Settings t;
        const Environment env{};
        QVERIFY(readDefaults(t, nullptr, env));
        std::vector<std::string> warnings;
        QVERIFY(readSettings(t, store, nullptr, env, [&](const std::string& w) { warnings.push_back(w); }));
        QVERIFY(warnings.empty());
        SettingsDialog again(t, win.hooks(t));
        auto after = controlStates(again);
        // The export program is written but deliberately not read back at start.
        QCOMPARE(after.at("Edit_Image_Editor"), QString());
        before.erase("Edit_Image_Editor");
        after.erase("Edit_Image_Editor");
        QVERIFY(before.size() > 40);
        for (const auto& [name, state] : before)
            QVERIFY2(after[name] == state, qPrintable(name + ": " + state + " came back as " + after[name]));
    }

    void uncheckingResampleOnLoadSetsHundredAtOnce()
    {
        Settings s;
        s.resample_on_load_Size = 50;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        auto* group = find<QGroupBox>(form, "Enable_resample_on_load");
        auto* spin = find<QSpinBox>(form, "Downsize_OnLoad_Spin");
        auto* filter = find<QComboBox>(form, "Resamp_onload_Filter");
        QVERIFY(group->isChecked() && spin->isEnabled() && filter->isEnabled());
        group->setChecked(false);
        QCOMPARE(spin->value(), 100);
        QVERIFY(!spin->isEnabled() && !filter->isEnabled());
        pressCancel(form);
        QCOMPARE(s.resample_on_load_Size, 100);
    }

    void filterListFollowsTheResampleSize()
    {
        Settings s;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        auto* group = find<QGroupBox>(form, "Enable_resample_on_load");
        auto* spin = find<QSpinBox>(form, "Downsize_OnLoad_Spin");
        auto* filter = find<QComboBox>(form, "Resamp_onload_Filter");
        QVERIFY(!group->isChecked() && !spin->isEnabled() && !filter->isEnabled());
        group->setChecked(true);
        QVERIFY(spin->isEnabled());
        spin->setValue(125);
        QVERIFY(filter->isEnabled());
        spin->setValue(100);
        QVERIFY(!filter->isEnabled());
    }

    void enablingRulesFollowTheirCheckBoxes()
    {
        Settings s;
        s.Inc_DMY = true;
        s.Inc_MDY = true;
        s.centre_output = true;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        for (const char* exif : {"Inc_Time", "Inc_DMY", "Inc_MDY", "Inc_Exposure", "Inc_Flash"})
            QVERIFY2(!find<QCheckBox>(form, exif)->isEnabled(), exif);
        QVERIFY(find<QCheckBox>(form, "Inc_Filename")->isEnabled());
        QVERIFY(!find<QCheckBox>(form, "Inc_DMY")->isChecked());
        QVERIFY(find<QCheckBox>(form, "Inc_MDY")->isChecked());
        QVERIFY(!find<QDoubleSpinBox>(form, "Page_Margin")->isEnabled());
        QVERIFY(!find<QPushButton>(form, "set_default_PM")->isEnabled());
        QVERIFY(!find<QLineEdit>(form, "Edit_Image_Editor")->isEnabled());
        QVERIFY(!find<QLineEdit>(form, "Apply_Curve")->isEnabled());

        find<QCheckBox>(form, "Get_Camera_Details")->click();
        find<QCheckBox>(form, "Inc_DMY")->click();
        QVERIFY(find<QCheckBox>(form, "Inc_DMY")->isChecked() && !find<QCheckBox>(form, "Inc_MDY")->isChecked());
        find<QCheckBox>(form, "Inc_This_Text")->click();
        QVERIFY(!find<QLineEdit>(form, "Inc_Text")->isEnabled());
        QVERIFY(!find<QLabel>(form, "textstr")->isEnabled());
        find<QCheckBox>(form, "centre")->click();
        QVERIFY(find<QDoubleSpinBox>(form, "Page_Margin")->isEnabled());
        find<QCheckBox>(form, "Check_assos")->click();
        QVERIFY(find<QLineEdit>(form, "Edit_Image_Editor")->isEnabled());
    }

    void printerResolutionIsShownWhileUsed()
    {
        Settings s;
        s.Print_Image_Resolution = 150;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        auto* res = find<QSpinBox>(form, "ProofRes");
        QCOMPARE(res->value(), 600);
        QVERIFY(!res->isEnabled());
        find<QCheckBox>(form, "Use_Printers_Res")->click();
        QVERIFY(res->isEnabled());
        QCOMPARE(res->value(), 600);
    }

    void fontDialogSetsSizeAndName()
    {
        Settings s;
        FakeWindow win;
        SetupHooks hooks = win.hooks(s);
        QFont offered;
        std::optional<QFont> answer = QFont("DejaVu Serif", 11);
        hooks.chooseFont = [&](QWidget*, const QFont& initial) {
            offered = initial;
            return answer;
        };
        SettingsDialog form(s, hooks);
        find<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(offered.family(), QString("Arial"));
        QCOMPARE(offered.pointSize(), 6);
        QCOMPARE(s.tsz, 11);
        QCOMPARE(s.Margin_Font_Name, std::string("DejaVu Serif"));
        answer.reset();
        find<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(s.tsz, 11);
        QCOMPARE(s.Margin_Font_Name, std::string("DejaVu Serif"));
    }

    void colourDialogStoresBlueGreenRed()
    {
        Settings s;
        s.tcol = 0x00FF8000; // blue 255, green 128, red 0
        FakeWindow win;
        SetupHooks hooks = win.hooks(s);
        QColor offered;
        ColourChoice answer{ColourChoice::Status::Chosen, QColor(0x12, 0x34, 0x56)};
        hooks.chooseColour = [&](QWidget*, const QColor& initial) {
            offered = initial;
            return answer;
        };
        SettingsDialog form(s, hooks);
        find<QPushButton>(form, "ColorBtn")->click();
        QCOMPARE(offered, QColor(0, 128, 255));
        QCOMPARE(s.tcol, 0x00563412);
        answer.status = ColourChoice::Status::Failed;
        find<QPushButton>(form, "ColorBtn")->click();
        QCOMPARE(s.tcol, 0x00563412);
        QCOMPARE(m_messages.texts(), std::vector<std::string>{std::string(kColourDialogFailed)});
    }

    void curveChooserStartsInTheCurveFolderShown()
    {
        Settings s;
        s.Curve_Dir = "/srv/old-curves";
        FakeWindow win;
        win.folderAnswer = "/srv/new-curves";
        SettingsDialog form(s, win.hooks(s));
        find<QPushButton>(form, "Curve_Folder_Browse")->click();
        find<QGroupBox>(form, "Apply_Curve_On_Load")->setChecked(true);
        find<QPushButton>(form, "Apply_Curve_Browse")->click();
        QCOMPARE(win.curveStart, QString("/srv/new-curves"));
        QCOMPARE(find<QLineEdit>(form, "Apply_Curve")->text(), win.curveAnswer);
    }

    void droppingAFileOnTheImageFolderTakesItsFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile photo(dir.filePath("beach.jpg"));
        QVERIFY(photo.open(QIODevice::WriteOnly));
        photo.close();
        Settings s;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        auto* edit = find<QLineEdit>(form, "Edit_Dir");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(photo.fileName()), QUrl("https://example.org/x.jpg")});
        // Qt delivers a drop to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &drop);
        QCOMPARE(edit->text(), QDir(dir.path()).absolutePath());
        find<QPushButton>(form, "Button2")->click();
        QCOMPARE(edit->text(), QString());
    }

    void damagedStoredChoicesSurviveOk()
    {
        Settings s;
        s.resample_for_printer = 12;
        s.Form_Mag_Factor = 1.2f;
        FakeWindow win;
        SettingsDialog form(s, win.hooks(s));
        QCOMPARE(find<QComboBox>(form, "Resample_on_Print")->currentIndex(), -1);
        pressOk(form);
        QCOMPARE(s.resample_for_printer, 12);
        QCOMPARE(s.Form_Mag_Factor, 1.2f);
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_ui_test.moc"
