#include "settings/ui/setup_form.h"

#include "settings/ui/default_choosers.h"
#include "settings/ui/exact_spin_box.h"
#include "settings/ui/path_edit.h"

#include "app/core/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace settings {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kDefaultMarginMm = 3.0;
// What a frame aspect above the allowed 5 falls back to.
constexpr float kFallbackAspect = 1.3333333f;
constexpr float kMagFactors[3] = {0.7f, 1.0f, 1.5f};

const QStringList kLoadFilters = {"Box", "Triangle", "Hermitite", "Bell", "Spline", "Lanczos3", "Mitchell"};
const QStringList kPrintFilters = {"Don't Resample ",    "Use Box Filter",     "Use Triangle Filter",
                                   "Use Hermitite Filter", "Use Bell Filter",  "Use Spline Filter",
                                   "Use Lanczos3 Filter", "Use Mitchell Filter"};

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* checkBox(const char* caption, const char* name, QWidget* parent)
{
    return named(new QCheckBox(QString::fromUtf8(caption), parent), name);
}

QSpinBox* intSpin(int min, int max, int step, const char* name, QWidget* parent)
{
    auto* spin = named(new QSpinBox(parent), name);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    return spin;
}

ExactSpinBox* realSpin(double min, double max, double step, const char* name, QWidget* parent)
{
    auto* spin = named(new ExactSpinBox(parent), name);
    spin->setDecimals(4);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    return spin;
}

QComboBox* listBox(const QStringList& items, const char* name, QWidget* parent)
{
    auto* box = named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

// A stored index outside the list shows no entry, and keeps the stored value unless the user
// picks one, so a damaged setting is never replaced by -1.
void showIndex(QComboBox* box, std::int32_t index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

std::int32_t chosenIndex(const QComboBox* box, std::int32_t old)
{
    return box->currentIndex() >= 0 ? box->currentIndex() : old;
}

QString unitName(bool metric) { return metric ? QStringLiteral("mm") : QStringLiteral("Inch"); }

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TSetup_Form::TSetup_Form(Settings& s, const SetupHooks& hooks, QWidget* parent)
    : QDialog(parent), m_s(s), m_hooks(hooks)
{
    setObjectName("Setup_Form");
    setWindowTitle("Change settings");
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    // All five page names stay in sight; the dialog grows to hold them.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->addTab(buildGeneralPage(), "General ");
    PageControl1->addTab(buildFoldersPage(), "Folders && Files ");
    PageControl1->addTab(buildSavingPage(), "Saving Images / Pages");
    PageControl1->addTab(buildLoadPage(), "On image load");
    PageControl1->addTab(buildPrintPage(), "On Print ");

    OK_Btn = named(new QPushButton("OK", this), "OK_Btn");
    BitBtn2 = named(new QPushButton("Cancel", this), "BitBtn2");
    OK_Btn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK_Btn);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    // A fixed dialog border: the pages set the size, the user cannot change it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
    connectRules();
    connect(OK_Btn, &QPushButton::clicked, this, &TSetup_Form::OK_BtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// Centred on the screen rather than over the main window, which may sit anywhere.
void TSetup_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}

// ---- building the pages -------------------------------------------------------------------

QWidget* TSetup_Form::buildGeneralPage()
{
    General = named(new QWidget, "General");
    auto* layout = new QVBoxLayout(General);

    Get_Camera_Details = checkBox("Try to get embedded image data && print in margins ", "Get_Camera_Details", General);
    layout->addWidget(Get_Camera_Details);

    auto* details = new QGridLayout;
    Inc_Filename = checkBox("File name", "Inc_Filename", General);
    Inc_DMY = checkBox("Date dd/mm/yy", "Inc_DMY", General);
    Inc_MDY = checkBox("Date mm/dd/yy", "Inc_MDY", General);
    Inc_Time = checkBox("Time taken", "Inc_Time", General);
    Inc_Exposure = checkBox("Exposure", "Inc_Exposure", General);
    Inc_Flash = checkBox("Flash", "Inc_Flash", General);
    details->addWidget(Inc_Filename, 0, 0);
    details->addWidget(Inc_DMY, 0, 1);
    details->addWidget(Inc_MDY, 0, 2);
    details->addWidget(Inc_Time, 1, 0);
    details->addWidget(Inc_Exposure, 1, 1);
    details->addWidget(Inc_Flash, 1, 2);
    layout->addLayout(details);

    auto* textRow = new QHBoxLayout;
    Inc_This_Text = checkBox("", "Inc_This_Text", General);
    textstr = named(new QLabel("Text string ", General), "textstr");
    Inc_Text = named(new QLineEdit(General), "Inc_Text");
    textstr->setBuddy(Inc_Text);
    textRow->addWidget(Inc_This_Text);
    textRow->addWidget(textstr);
    textRow->addWidget(Inc_Text, 1);
    layout->addLayout(textRow);

    layout->addWidget(buildMarginGroups(General));
    layout->addStretch(1);
    return General;
}

QWidget* TSetup_Form::buildMarginGroups(QWidget* page)
{
    auto* holder = new QWidget(page);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* imageMargins = new QGroupBox("&Image Margins", holder);
    auto* im = new QHBoxLayout(imageMargins);
    Defined_Margin = realSpin(0.0, 30.0, 0.05, "Defined_Margin", imageMargins);
    Label1 = named(new QLabel("mm", imageMargins), "Label1");
    Margin_Default = named(new QPushButton("Set Default ", imageMargins), "Margin_Default");
    im->addWidget(Defined_Margin);
    im->addWidget(Label1);
    im->addWidget(Margin_Default);
    grid->addWidget(imageMargins, 0, 0);

    auto* pageMargin = new QGroupBox("&Page Margin ", holder);
    auto* pm = new QGridLayout(pageMargin);
    Page_Margin = realSpin(-100.0, 100.0, 0.05, "Page_Margin", pageMargin);
    Label19 = named(new QLabel("mm", pageMargin), "Label19");
    set_default_PM = named(new QPushButton("Set Default ", pageMargin), "set_default_PM");
    centre = checkBox("Centre image on paper", "centre", pageMargin);
    pm->addWidget(Page_Margin, 0, 0);
    pm->addWidget(Label19, 0, 1);
    pm->addWidget(set_default_PM, 0, 2);
    pm->addWidget(centre, 1, 0, 1, 3);
    grid->addWidget(pageMargin, 0, 1);

    auto* aspect = new QGroupBox("Frame Aspect", holder);
    auto* fa = new QHBoxLayout(aspect);
    User_Defined = realSpin(0.2, 10.0, 0.1, "User_Defined", aspect);
    Button1 = named(new QPushButton("Set Default", aspect), "Button1");
    fa->addWidget(User_Defined);
    fa->addWidget(Button1);
    grid->addWidget(aspect, 1, 0);

    measurementsystem = named(new QGroupBox("Measurement System", holder), "measurementsystem");
    auto* ms = new QHBoxLayout(measurementsystem);
    measurementMm = named(new QRadioButton("mm", measurementsystem), "measurementsystem_mm");
    measurementInches = named(new QRadioButton("Inches", measurementsystem), "measurementsystem_Inches");
    ms->addWidget(measurementMm);
    ms->addWidget(measurementInches);
    grid->addWidget(measurementsystem, 1, 1);

    // Kept for the stored Form_Mag_Factor; the on-screen layout sizes itself to the window.
    Zoom = named(new QGroupBox("&Layout area size ", holder), "Zoom");
    auto* zl = new QHBoxLayout(Zoom);
    const char* zoomCaptions[3] = {"&Small", "&Medium", "&Large"};
    for (int i = 0; i < 3; ++i) {
        zoomItems[i] = new QRadioButton(zoomCaptions[i], Zoom);
        zoomItems[i]->setObjectName(QStringLiteral("Zoom_%1").arg(i));
        zl->addWidget(zoomItems[i]);
    }
    Zoom->setVisible(false);
    grid->addWidget(Zoom, 2, 0, 1, 2);
    return holder;
}

QWidget* TSetup_Form::buildFoldersPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* folders = new QGroupBox("Default Folders ", page);
    auto* fl = new QGridLayout(folders);
    Edit_Dir = new PathEdit("Edit_Dir", true, [this](const QString& current) {
        return chooseFolderWith(m_hooks, this, "Image Folder", current);
    }, folders);
    Edit_Dir->setBrowseOnly();
    Button2 = named(new QPushButton("Clear", folders), "Button2");
    Curve_Folder = new PathEdit("Curve_Folder", true, [this](const QString& current) {
        return chooseFolderWith(m_hooks, this, "Curve Folders ", current);
    }, folders);
    Curve_Folder->setBrowseOnly();
    fl->addWidget(new QLabel("Image Folder", folders), 0, 0);
    fl->addWidget(Edit_Dir, 0, 1);
    fl->addWidget(Button2, 0, 2);
    fl->addWidget(new QLabel("Curve Folders ", folders), 1, 0);
    fl->addWidget(Curve_Folder, 1, 1);
    layout->addWidget(folders);

    auto* exportTo = new QGroupBox("Export images to ", page);
    auto* el = new QGridLayout(exportTo);
    Check_assos = checkBox("Associated application ", "Check_assos", exportTo);
    Check_assos->setChecked(true);
    Edit_Image_Editor = new PathEdit("Edit_Image_Editor", false, [this](const QString& current) {
        return chooseProgramWith(m_hooks, this, current);
    }, exportTo);
    el->addWidget(Check_assos, 0, 0, 1, 2);
    el->addWidget(new QLabel("Selected application ", exportTo), 1, 0);
    el->addWidget(Edit_Image_Editor, 1, 1);
    layout->addWidget(exportTo);
    layout->addStretch(1);
    return page;
}

QWidget* TSetup_Form::buildSavingPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* quality = new QGroupBox("Jpeg Quality Setting - for all Jpeg saved files  ", page);
    auto* ql = new QHBoxLayout(quality);
    Save_Quality = intSpin(1, 100, 1, "Save_Quality", quality);
    ql->addWidget(Save_Quality);
    ql->addWidget(new QLabel("100 = Best", quality));
    ql->addStretch(1);
    layout->addWidget(quality);

    auto* storeAs = new QGroupBox("When saving pages - store images as : ", page);
    auto* sl = new QHBoxLayout(storeAs);
    bmp = named(new QRadioButton("Bmp", storeAs), "bmp");
    jpg = named(new QRadioButton("Jpg", storeAs), "jpg");
    sl->addWidget(bmp);
    sl->addWidget(jpg);
    sl->addStretch(1);
    layout->addWidget(storeAs);

    auto* single = new QGroupBox("When saving individual images ", page);
    auto* il = new QHBoxLayout(single);
    Create_Props_File = checkBox("Write props file (.VDT)", "Create_Props_File", single);
    il->addWidget(Create_Props_File);
    layout->addWidget(single);
    layout->addStretch(1);
    return page;
}

QWidget* TSetup_Form::buildLoadPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    On_Load_Warning = checkBox("Show warning dialog box on image load (if any onload options enabled)",
                               "On_Load_Warning", page);
    layout->addWidget(On_Load_Warning);

    // Qt's check box in a group title is the group itself; unchecked, it disables what it holds.
    Apply_Curve_On_Load = named(new QGroupBox(" Apply contrast curve      ", page), "Apply_Curve_On_Load");
    Apply_Curve_On_Load->setCheckable(true);
    auto* cl = new QHBoxLayout(Apply_Curve_On_Load);
    Apply_Curve = new PathEdit("Apply_Curve", false, [this](const QString&) {
        return chooseCurveWith(m_hooks, this, Curve_Folder->text());
    }, Apply_Curve_On_Load);
    cl->addWidget(Apply_Curve);
    layout->addWidget(Apply_Curve_On_Load);

    Enable_resample_on_load = named(new QGroupBox("Resample images  ", page), "Enable_resample_on_load");
    Enable_resample_on_load->setCheckable(true);
    auto* rl = new QHBoxLayout(Enable_resample_on_load);
    Downsize_OnLoad_Spin = intSpin(5, 1000, 25, "Downsize_OnLoad_Spin", Enable_resample_on_load);
    Resamp_onload_Filter = listBox(kLoadFilters, "Resamp_onload_Filter", Enable_resample_on_load);
    rl->addWidget(new QLabel("to ", Enable_resample_on_load));
    rl->addWidget(Downsize_OnLoad_Spin);
    rl->addWidget(new QLabel(" % of original ", Enable_resample_on_load));
    rl->addWidget(new QLabel("Using the ", Enable_resample_on_load));
    rl->addWidget(Resamp_onload_Filter);
    rl->addWidget(new QLabel("filter ", Enable_resample_on_load));
    layout->addWidget(Enable_resample_on_load);

    auto* position = new QGroupBox("Position ", page);
    auto* pl = new QHBoxLayout(position);
    autorotate = checkBox("Auto rotate", "autorotate", position);
    autorotate->setToolTip("Automatically rotates image\nfiles to match frame orientation.");
    autocentre = checkBox("Auto centre", "autocentre", position);
    pl->addWidget(autorotate);
    pl->addWidget(autocentre);
    pl->addStretch(1);
    layout->addWidget(position);

    auto* dropping = new QGroupBox("When folders are Dragged && Dropped", page);
    auto* dl = new QGridLayout(dropping);
    SearchSubFolders = checkBox("Check all sub folders ", "SearchSubFolders", dropping);
    SearchString = named(new QLineEdit(dropping), "SearchString");
    dl->addWidget(SearchSubFolders, 0, 0, 1, 3);
    dl->addWidget(new QLabel("Filter", dropping), 1, 0);
    dl->addWidget(SearchString, 1, 1);
    dl->addWidget(new QLabel("(image) files ", dropping), 1, 2);
    layout->addWidget(dropping);
    layout->addStretch(1);
    return page;
}

QWidget* TSetup_Form::buildPrintPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* margins = new QGroupBox("Print (in margins) ", page);
    auto* ml = new QGridLayout(margins);
    Print_Props = checkBox("Image details ", "Print_Props", margins);
    Print_Marks = checkBox("Cut marks", "Print_Marks", margins);
    Rule_Weight = intSpin(1, 10, 1, "Rule_Weight", margins);
    BitBtn1 = named(new QPushButton("Fonts", margins), "BitBtn1");
    ColorBtn = named(new QPushButton("Colour", margins), "ColorBtn");
    ml->addWidget(Print_Props, 0, 0);
    ml->addWidget(BitBtn1, 0, 1);
    ml->addWidget(ColorBtn, 0, 2);
    ml->addWidget(Print_Marks, 1, 0);
    ml->addWidget(new QLabel("Cut mark Width ", margins), 1, 1);
    ml->addWidget(Rule_Weight, 1, 2);
    layout->addWidget(margins);

    auto* resample = new QGroupBox("Resample", page);
    auto* rl = new QHBoxLayout(resample);
    Resample_on_Print = listBox(kPrintFilters, "Resample_on_Print", resample);
    rl->addWidget(new QLabel("when printing to printer", resample));
    rl->addWidget(Resample_on_Print);
    layout->addWidget(resample);

    layout->addWidget(buildPrintToImageGroup(page));

    auto* queue = new QGroupBox("Windows print Queue ", page);
    auto* wl = new QHBoxLayout(queue);
    Wait_For_Q = checkBox("Wait until Print Queue is empty before printing", "Wait_For_Q", queue);
    wl->addWidget(Wait_For_Q);
    layout->addWidget(queue);
    layout->addStretch(1);
    return page;
}

QGroupBox* TSetup_Form::buildPrintToImageGroup(QWidget* page)
{
    auto* toImage = new QGroupBox("Print to image - file characteristics  ", page);
    auto* grid = new QGridLayout(toImage);
    Print_As_Bitmap = named(new QRadioButton("Bmp", toImage), "Print_As_Bitmap");
    Print_As_Jpeg = named(new QRadioButton("Jpeg", toImage), "Print_As_Jpeg");
    grid->addWidget(new QLabel("Type ", toImage), 0, 0);
    grid->addWidget(Print_As_Bitmap, 0, 1);
    grid->addWidget(Print_As_Jpeg, 0, 2);

    Use_Printers_Res = checkBox("Use the printers ", "Use_Printers_Res", toImage);
    ProofRes = intSpin(72, 1000, 10, "ProofRes", toImage);
    grid->addWidget(new QLabel("Resolution", toImage), 1, 0);
    grid->addWidget(Use_Printers_Res, 1, 1);
    auto* res = new QHBoxLayout;
    res->addWidget(new QLabel("Set to ", toImage));
    res->addWidget(ProofRes);
    res->addWidget(new QLabel("dpi", toImage));
    grid->addLayout(res, 1, 2);

    Resample_On_Proof = listBox(kPrintFilters, "Resample_On_Proof", toImage);
    grid->addWidget(new QLabel("Resample ", toImage), 2, 0);
    grid->addWidget(Resample_On_Proof, 2, 1, 1, 2);
    return toImage;
}

// ---- opening ------------------------------------------------------------------------------

void TSetup_Form::FormCreate()
{
    PageControl1->setCurrentWidget(General);
    loadGeneral();
    loadFoldersAndSaving();
    loadOnLoad();
    loadOnPrint();
    applyEnablingRules();
}

void TSetup_Form::loadGeneral()
{
    Get_Camera_Details->setChecked(m_s.Get_Camera_Details);
    Inc_Filename->setChecked(m_s.Inc_Filename);
    // Both dates stored on: the month-first one wins, as the dialog never shows both.
    Inc_DMY->setChecked(m_s.Inc_DMY && !m_s.Inc_MDY);
    Inc_MDY->setChecked(m_s.Inc_MDY);
    Inc_Time->setChecked(m_s.Inc_Time);
    Inc_Exposure->setChecked(m_s.Inc_Exposure);
    Inc_Flash->setChecked(m_s.Inc_Flash);
    Inc_This_Text->setChecked(m_s.Inc_This_Text);
    Inc_Text->setText(fromStd(m_s.Inc_Text));

    m_metric = m_s.Use_Metric;
    const double scale = m_metric ? 1.0 : kMmPerInch;
    Defined_Margin->setExactValue(m_s.margin_mm / scale);
    Page_Margin->setExactValue(m_s.Page_Margin_mm / scale);
    (m_metric ? measurementMm : measurementInches)->setChecked(true);
    Label1->setText(unitName(m_metric));
    Label19->setText(unitName(m_metric));
    centre->setChecked(m_s.centre_output);
    User_Defined->setExactValue(m_s.Global_AspectRatio);

    if (m_s.Form_Mag_Factor < 1.0f)
        zoomItems[0]->setChecked(true);
    else if (m_s.Form_Mag_Factor == 1.0f)
        zoomItems[1]->setChecked(true);
    else if (m_s.Form_Mag_Factor == 1.5f)
        zoomItems[2]->setChecked(true);
}

void TSetup_Form::loadFoldersAndSaving()
{
    Edit_Dir->setText(fromStd(m_s.start_dir));
    Curve_Folder->setText(fromStd(m_s.Curve_Dir));
    Check_assos->setChecked(m_s.app_assos);
    Edit_Image_Editor->setText(fromStd(m_s.Image_Editor_App));

    Save_Quality->setValue(m_s.Quality);
    (m_s.store_as_Jpg ? jpg : bmp)->setChecked(true);
    Create_Props_File->setChecked(m_s.Save_Props_File);
}

void TSetup_Form::loadOnLoad()
{
    On_Load_Warning->setChecked(m_s.OLW);
    Apply_Curve_On_Load->setChecked(m_s.En_CurveOnLoad);
    Apply_Curve->setText(fromStd(m_s.ApplyCurve));
    Downsize_OnLoad_Spin->setValue(m_s.resample_on_load_Size);
    showIndex(Resamp_onload_Filter, m_s.resample_on_load);
    Enable_resample_on_load->setChecked(m_s.resample_on_load_Size != 100);
    autorotate->setChecked(m_s.autorotate);
    autocentre->setChecked(m_s.autocentre);
    SearchSubFolders->setChecked(m_s.searchSubFolders);
    SearchString->setText(fromStd(m_s.DroppedSearchString));
}

void TSetup_Form::loadOnPrint()
{
    Print_Props->setChecked(m_s.PrintProps);
    Print_Marks->setChecked(m_s.PrintMarks);
    Rule_Weight->setValue(m_s.RuleWeight);
    showIndex(Resample_on_Print, m_s.resample_for_printer);
    (m_s.Print_Image_As_Jpeg ? Print_As_Jpeg : Print_As_Bitmap)->setChecked(true);
    Use_Printers_Res->setChecked(m_s.Print_Image_Use_Printers_Res);
    ProofRes->setValue(m_s.Print_Image_Resolution);
    if (m_s.Print_Image_Use_Printers_Res && m_hooks.printerDpiX)
        ProofRes->setValue(m_hooks.printerDpiX());
    showIndex(Resample_On_Proof, m_s.Print_Image_Resample_USing);
    Wait_For_Q->setChecked(m_s.Wait_For_Empty_Q);
}

void TSetup_Form::applyEnablingRules()
{
    if (Get_Camera_Details->isChecked())
        Enable_Exif_Bits();
    else
        Disable_Exif_Bits();
    Inc_Text->setEnabled(Inc_This_Text->isChecked());
    textstr->setEnabled(Inc_This_Text->isChecked());
    Page_Margin->setEnabled(!centre->isChecked());
    set_default_PM->setEnabled(!centre->isChecked());
    Edit_Image_Editor->setEnabled(!Check_assos->isChecked());
    Resamp_onload_Filter->setEnabled(Downsize_OnLoad_Spin->value() != 100);
    ProofRes->setEnabled(!Use_Printers_Res->isChecked());
}

void TSetup_Form::Enable_Exif_Bits()
{
    for (QCheckBox* box : {Inc_Time, Inc_DMY, Inc_MDY, Inc_Exposure, Inc_Flash})
        box->setEnabled(true);
}

void TSetup_Form::Disable_Exif_Bits()
{
    for (QCheckBox* box : {Inc_Time, Inc_DMY, Inc_MDY, Inc_Exposure, Inc_Flash})
        box->setEnabled(false);
}

// ---- actions while the dialog is open -----------------------------------------------------

void TSetup_Form::connectRules()
{
    connect(Get_Camera_Details, &QCheckBox::toggled, this, [this](bool on) {
        on ? Enable_Exif_Bits() : Disable_Exif_Bits();
    });
    connect(Inc_DMY, &QCheckBox::toggled, this, [this](bool on) { if (on) Inc_MDY->setChecked(false); });
    connect(Inc_MDY, &QCheckBox::toggled, this, [this](bool on) { if (on) Inc_DMY->setChecked(false); });
    connect(Inc_This_Text, &QCheckBox::toggled, Inc_Text, &QWidget::setEnabled);
    connect(Inc_This_Text, &QCheckBox::toggled, textstr, &QWidget::setEnabled);
    connect(centre, &QCheckBox::toggled, this, [this](bool on) {
        Page_Margin->setEnabled(!on);
        set_default_PM->setEnabled(!on);
    });
    connect(Margin_Default, &QPushButton::clicked, this, [this] {
        Defined_Margin->setExactValue(m_metric ? kDefaultMarginMm : kDefaultMarginMm / kMmPerInch);
    });
    connect(set_default_PM, &QPushButton::clicked, this, [this] { Page_Margin->setExactValue(0.0); });
    connect(Button1, &QPushButton::clicked, this, [this] { User_Defined->setExactValue(4.0 / 3.0); });
    connect(measurementInches, &QRadioButton::toggled, this, &TSetup_Form::measurementsystemClick);
    for (int i = 0; i < 3; ++i)
        connect(zoomItems[i], &QRadioButton::clicked, this, [this, i] { m_chosenMagFactor = kMagFactors[i]; });

    connect(Button2, &QPushButton::clicked, this, [this] { Edit_Dir->setText(QString()); });
    connect(Check_assos, &QCheckBox::toggled, this, [this](bool on) { Edit_Image_Editor->setEnabled(!on); });

    connect(On_Load_Warning, &QCheckBox::toggled, this, [this](bool on) { m_s.OLW = on; });
    connect(Enable_resample_on_load, &QGroupBox::toggled, this, &TSetup_Form::Enable_resample_on_loadClick);
    connect(Downsize_OnLoad_Spin, &QSpinBox::valueChanged, this, &TSetup_Form::Downsize_OnLoad_SpinChange);

    connect(BitBtn1, &QPushButton::clicked, this, &TSetup_Form::BitBtn1Click);
    connect(ColorBtn, &QPushButton::clicked, this, &TSetup_Form::ColorBtnClick);
    connect(Use_Printers_Res, &QCheckBox::toggled, this, &TSetup_Form::Use_Printers_ResClick);
}

void TSetup_Form::measurementsystemClick(bool inches)
{
    if (inches == !m_metric)
        return;
    const double factor = inches ? 1.0 / kMmPerInch : kMmPerInch;
    Defined_Margin->setExactValue(Defined_Margin->exactValue() * factor);
    Page_Margin->setExactValue(Page_Margin->exactValue() * factor);
    m_metric = !inches;
    // The unit is a preference of its own: it stays even when the dialog is cancelled.
    m_s.Use_Metric = m_metric;
    Label1->setText(unitName(m_metric));
    Label19->setText(unitName(m_metric));
}

void TSetup_Form::Enable_resample_on_loadClick(bool on)
{
    // The group box enables and disables what it holds.
    if (on) {
        Resamp_onload_Filter->setEnabled(true);
        return;
    }
    Downsize_OnLoad_Spin->setValue(100);
    m_s.resample_on_load_Size = 100;
}

void TSetup_Form::Downsize_OnLoad_SpinChange(int value)
{
    Resamp_onload_Filter->setEnabled(value != 100);
}

void TSetup_Form::Use_Printers_ResClick(bool on)
{
    if (on && m_hooks.printerDpiX)
        ProofRes->setValue(m_hooks.printerDpiX());
    ProofRes->setEnabled(!on);
}

void TSetup_Form::BitBtn1Click()
{
    const QFont initial(fromStd(m_s.Margin_Font_Name), std::max(1, m_s.tsz));
    const std::optional<QFont> chosen = chooseFontWith(m_hooks, this, initial);
    if (!chosen)
        return;
    if (chosen->pointSize() > 0)
        m_s.tsz = chosen->pointSize();
    m_s.Margin_Font_Name = chosen->family().toStdString();
}

void TSetup_Form::ColorBtnClick()
{
    const ColourChoice choice = chooseColourWith(m_hooks, this, colourFromTcol(m_s.tcol));
    if (choice.status == ColourChoice::Status::Failed)
        app::messages().error(kColourDialogFailed);
    else if (choice.status == ColourChoice::Status::Chosen && choice.colour.isValid())
        m_s.tcol = tcolFromColour(choice.colour);
}

// ---- OK -----------------------------------------------------------------------------------

void TSetup_Form::OK_BtnClick()
{
    applyMargins();
    applyAspect();
    applyPrintAndPosition();
    applyFoldersAndResampling();
    if (m_hooks.setOpenFolder)
        m_hooks.setOpenFolder(Edit_Dir->text().toStdString());
    applyDetailsAndDropping();
    done(kOkResult);
}

void TSetup_Form::applyMargins()
{
    const double margin = Defined_Margin->exactValue();
    const double pageMargin = Page_Margin->exactValue();
    const float marginMm = static_cast<float>(m_metric ? margin : margin * kMmPerInch);
    // From inches the page margin becomes whole millimetres (halves to even); the gap stays exact.
    // The page margin is stored before Set_Margin runs, which derives the printer's page margin
    // from it; the other way round the printer would keep the old margin until the next rebuild.
    m_s.Page_Margin_mm = static_cast<float>(m_metric ? pageMargin : std::nearbyint(pageMargin * kMmPerInch));
    m_s.margin_mm = marginMm;
    if (m_hooks.setMargin)
        m_hooks.setMargin(marginMm);
}

void TSetup_Form::applyAspect()
{
    if (User_Defined->exactValue() > 5.0)
        User_Defined->setExactValue(kFallbackAspect);
    m_s.Global_AspectRatio = static_cast<float>(User_Defined->exactValue());
    if (m_chosenMagFactor)
        m_s.Form_Mag_Factor = *m_chosenMagFactor;
}

void TSetup_Form::applyPrintAndPosition()
{
    m_s.PrintProps = Print_Props->isChecked();
    m_s.PrintMarks = Print_Marks->isChecked();
    m_s.autorotate = autorotate->isChecked();
    m_s.RuleWeight = Rule_Weight->value();
    m_s.autocentre = autocentre->isChecked();
    m_s.app_assos = Check_assos->isChecked();
    m_s.Save_Props_File = Create_Props_File->isChecked();
    m_s.Quality = Save_Quality->value();
    if (m_hooks.setPrintButtons)
        m_hooks.setPrintButtons(m_s.PrintProps, m_s.PrintMarks);
}

void TSetup_Form::applyFoldersAndResampling()
{
    m_s.start_dir = Edit_Dir->text().toStdString();
    m_s.Image_Editor_App = Edit_Image_Editor->text().toStdString();
    m_s.Curve_Dir = Curve_Folder->text().toStdString();
    m_s.ApplyCurve = Apply_Curve->text().toStdString();
    m_s.En_CurveOnLoad = Apply_Curve_On_Load->isChecked();
    m_s.resample_for_printer = chosenIndex(Resample_on_Print, m_s.resample_for_printer);
    m_s.resample_on_load = chosenIndex(Resamp_onload_Filter, m_s.resample_on_load);
    m_s.resample_on_load_Size = Downsize_OnLoad_Spin->value();
    m_s.OLW = On_Load_Warning->isChecked();
    m_s.Print_Image_As_Jpeg = Print_As_Jpeg->isChecked();
    m_s.Print_Image_Use_Printers_Res = Use_Printers_Res->isChecked();
    m_s.Print_Image_Resolution = ProofRes->value();
    m_s.Print_Image_Resample_USing = chosenIndex(Resample_On_Proof, m_s.Print_Image_Resample_USing);
    m_s.Get_Camera_Details = Get_Camera_Details->isChecked();
}

void TSetup_Form::applyDetailsAndDropping()
{
    m_s.store_as_Jpg = jpg->isChecked();
    m_s.Inc_Filename = Inc_Filename->isChecked();
    m_s.Inc_Time = Inc_Time->isChecked();
    m_s.Inc_DMY = Inc_DMY->isChecked();
    m_s.Inc_MDY = Inc_MDY->isChecked();
    m_s.Inc_Exposure = Inc_Exposure->isChecked();
    m_s.Inc_Text = Inc_Text->text().toStdString();
    m_s.Inc_This_Text = Inc_This_Text->isChecked();
    m_s.Inc_Flash = Inc_Flash->isChecked();
    m_s.Wait_For_Empty_Q = Wait_For_Q->isChecked();
    m_s.searchSubFolders = SearchSubFolders->isChecked();
    m_s.DroppedSearchString = SearchString->text().toStdString();
    m_s.centre_output = centre->isChecked();
}

} // namespace settings
