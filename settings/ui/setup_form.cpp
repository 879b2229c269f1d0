#include "settings/ui/setup_form.h"
#include "settings/ui/setup_form_parts.h"

#include "settings/ui/default_choosers.h"
#include "settings/ui/exact_spin_box.h"
#include "settings/ui/path_edit.h"

#include "core/messages.h"

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

using namespace setup_parts;

SettingsDialog::SettingsDialog(Settings& s, const SetupHooks& hooks, QWidget* parent)
    : QDialog(parent), m_s(s), m_hooks(hooks)
{
    setObjectName("Setup_Form");
    setWindowTitle(tr("Change settings"));
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    // All five page names stay in sight; the dialog grows to hold them.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->addTab(buildGeneralPage(), tr("General "));
    PageControl1->addTab(buildFoldersPage(), tr("Folders && Files "));
    PageControl1->addTab(buildSavingPage(), tr("Saving Images / Pages"));
    PageControl1->addTab(buildLoadPage(), tr("On image load"));
    PageControl1->addTab(buildPrintPage(), tr("On Print "));

    OK_Btn = named(new QPushButton(tr("OK"), this), "OK_Btn");
    BitBtn2 = named(new QPushButton(tr("Cancel"), this), "BitBtn2");
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
    connect(OK_Btn, &QPushButton::clicked, this, &SettingsDialog::onOkClicked);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// Centred on the screen rather than over the main window, which may sit anywhere.
void SettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}

// ---- opening ------------------------------------------------------------------------------

void SettingsDialog::FormCreate()
{
    PageControl1->setCurrentWidget(General);
    loadGeneral();
    loadFoldersAndSaving();
    loadOnLoad();
    loadOnPrint();
    applyEnablingRules();
}

void SettingsDialog::loadGeneral()
{
    Get_Camera_Details->setChecked(m_s.Get_Camera_Details);
    Any_Jpeg_Camera_Data->setChecked(m_s.Any_Jpeg_Camera_Data);
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

void SettingsDialog::loadFoldersAndSaving()
{
    Edit_Dir->setText(fromStd(m_s.start_dir));
    Curve_Folder->setText(fromStd(m_s.Curve_Dir));
    Check_assos->setChecked(m_s.app_assos);
    Edit_Image_Editor->setText(fromStd(m_s.Image_Editor_App));

    Save_Quality->setValue(m_s.Quality);
    (m_s.store_as_Jpg ? jpg : bmp)->setChecked(true);
    Create_Props_File->setChecked(m_s.Save_Props_File);
}

void SettingsDialog::loadOnLoad()
{
    On_Load_Warning->setChecked(m_s.OLW);
    Use_Colour_Profiles->setChecked(m_s.Use_Colour_Profiles);
    Honour_Orientation->setChecked(m_s.Honour_Orientation);
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

void SettingsDialog::loadOnPrint()
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
    Skip_Unreadable->setChecked(m_s.Batch_Skip_Unreadable);
    Min_Resolution->setValue(m_s.Min_Print_Resolution);
    Confirm_Low_Res->setChecked(m_s.Confirm_Low_Resolution);
}

void SettingsDialog::applyEnablingRules()
{
    if (Get_Camera_Details->isChecked())
        enableExifControls();
    else
        disableExifControls();
    Inc_Text->setEnabled(Inc_This_Text->isChecked());
    textstr->setEnabled(Inc_This_Text->isChecked());
    Page_Margin->setEnabled(!centre->isChecked());
    set_default_PM->setEnabled(!centre->isChecked());
    Edit_Image_Editor->setEnabled(!Check_assos->isChecked());
    Resamp_onload_Filter->setEnabled(Downsize_OnLoad_Spin->value() != 100);
    ProofRes->setEnabled(!Use_Printers_Res->isChecked());
}

void SettingsDialog::enableExifControls()
{
    for (QCheckBox* box : {Inc_Time, Inc_DMY, Inc_MDY, Inc_Exposure, Inc_Flash, Any_Jpeg_Camera_Data})
        box->setEnabled(true);
}

void SettingsDialog::disableExifControls()
{
    for (QCheckBox* box : {Inc_Time, Inc_DMY, Inc_MDY, Inc_Exposure, Inc_Flash, Any_Jpeg_Camera_Data})
        box->setEnabled(false);
}

// ---- actions while the dialog is open -----------------------------------------------------

void SettingsDialog::connectRules()
{
    connect(Get_Camera_Details, &QCheckBox::toggled, this, [this](bool on) {
        on ? enableExifControls() : disableExifControls();
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
    connect(measurementInches, &QRadioButton::toggled, this, &SettingsDialog::measurementsystemClick);
    for (int i = 0; i < 3; ++i)
        connect(zoomItems[i], &QRadioButton::clicked, this, [this, i] { m_chosenMagFactor = kMagFactors[i]; });

    connect(Button2, &QPushButton::clicked, this, [this] { Edit_Dir->setText(QString()); });
    connect(Check_assos, &QCheckBox::toggled, this, [this](bool on) { Edit_Image_Editor->setEnabled(!on); });

    connect(On_Load_Warning, &QCheckBox::toggled, this, [this](bool on) { m_s.OLW = on; });
    connect(Enable_resample_on_load, &QGroupBox::toggled, this, &SettingsDialog::onResampleOnLoadToggled);
    connect(Downsize_OnLoad_Spin, &QSpinBox::valueChanged, this, &SettingsDialog::onDownsizeOnLoadChanged);

    connect(BitBtn1, &QPushButton::clicked, this, &SettingsDialog::BitBtn1Click);
    connect(ColorBtn, &QPushButton::clicked, this, &SettingsDialog::ColorBtnClick);
    connect(Use_Printers_Res, &QCheckBox::toggled, this, &SettingsDialog::onUsePrinterResolutionClicked);
}

void SettingsDialog::measurementsystemClick(bool inches)
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

void SettingsDialog::onResampleOnLoadToggled(bool on)
{
    // The group box enables and disables what it holds.
    if (on) {
        Resamp_onload_Filter->setEnabled(true);
        return;
    }
    Downsize_OnLoad_Spin->setValue(100);
    m_s.resample_on_load_Size = 100;
}

void SettingsDialog::onDownsizeOnLoadChanged(int value)
{
    Resamp_onload_Filter->setEnabled(value != 100);
}

void SettingsDialog::onUsePrinterResolutionClicked(bool on)
{
    if (on && m_hooks.printerDpiX)
        ProofRes->setValue(m_hooks.printerDpiX());
    ProofRes->setEnabled(!on);
}

void SettingsDialog::BitBtn1Click()
{
    const QFont initial(fromStd(m_s.Margin_Font_Name), std::max(1, m_s.tsz));
    const std::optional<QFont> chosen = chooseFontWith(m_hooks, this, initial);
    if (!chosen)
        return;
    if (chosen->pointSize() > 0)
        m_s.tsz = chosen->pointSize();
    m_s.Margin_Font_Name = chosen->family().toStdString();
}

void SettingsDialog::ColorBtnClick()
{
    const ColourChoice choice = chooseColourWith(m_hooks, this, colourFromTcol(m_s.tcol));
    if (choice.status == ColourChoice::Status::Failed)
        core::messages().error(kColourDialogFailed);
    else if (choice.status == ColourChoice::Status::Chosen && choice.colour.isValid())
        m_s.tcol = tcolFromColour(choice.colour);
}

// ---- OK -----------------------------------------------------------------------------------

void SettingsDialog::onOkClicked()
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

void SettingsDialog::applyMargins()
{
    const double margin = Defined_Margin->exactValue();
    const double pageMargin = Page_Margin->exactValue();
    const float marginMm = static_cast<float>(m_metric ? margin : margin * kMmPerInch);
    // From inches the page margin becomes whole millimetres (halves to even); the gap stays exact.
    // The page margin is stored before setPageMargin runs, which derives the printer's page margin
    // from it; the other way round the printer would keep the old margin until the next rebuild.
    m_s.Page_Margin_mm = static_cast<float>(m_metric ? pageMargin : std::nearbyint(pageMargin * kMmPerInch));
    m_s.margin_mm = marginMm;
    if (m_hooks.setMargin)
        m_hooks.setMargin(marginMm);
}

void SettingsDialog::applyAspect()
{
    if (User_Defined->exactValue() > 5.0)
        User_Defined->setExactValue(kFallbackAspect);
    m_s.Global_AspectRatio = static_cast<float>(User_Defined->exactValue());
    if (m_chosenMagFactor)
        m_s.Form_Mag_Factor = *m_chosenMagFactor;
}

void SettingsDialog::applyPrintAndPosition()
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

void SettingsDialog::applyFoldersAndResampling()
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
    m_s.Any_Jpeg_Camera_Data = Any_Jpeg_Camera_Data->isChecked();
    m_s.Use_Colour_Profiles = Use_Colour_Profiles->isChecked();
    m_s.Honour_Orientation = Honour_Orientation->isChecked();
}

void SettingsDialog::applyDetailsAndDropping()
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
    m_s.Batch_Skip_Unreadable = Skip_Unreadable->isChecked();
    m_s.Min_Print_Resolution = Min_Resolution->value();
    m_s.Confirm_Low_Resolution = Confirm_Low_Res->isChecked();
    m_s.searchSubFolders = SearchSubFolders->isChecked();
    m_s.DroppedSearchString = SearchString->text().toStdString();
    m_s.centre_output = centre->isChecked();
}

} // namespace settings
