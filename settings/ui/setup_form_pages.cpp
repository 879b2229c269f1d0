// The settings dialog's pages: the controls of each page, laid out as the dialog shows them.
#include "settings/ui/setup_form.h"
#include "settings/ui/setup_form_parts.h"

#include "settings/ui/default_choosers.h"
#include "settings/ui/path_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace settings {

using namespace setup_parts;

QWidget* SettingsDialog::buildGeneralPage()
{
    General = named(new QWidget, "General");
    auto* layout = new QVBoxLayout(General);

    Get_Camera_Details = checkBox(tr("Try to get embedded image data && print in margins "), "Get_Camera_Details", General);
    layout->addWidget(Get_Camera_Details);
    Any_Jpeg_Camera_Data = checkBox(tr("Read camera data from any JPEG"), "Any_Jpeg_Camera_Data", General);
    layout->addWidget(Any_Jpeg_Camera_Data);

    auto* details = new QGridLayout;
    Inc_Filename = checkBox(tr("File name"), "Inc_Filename", General);
    Inc_DMY = checkBox(tr("Date dd/mm/yy"), "Inc_DMY", General);
    Inc_MDY = checkBox(tr("Date mm/dd/yy"), "Inc_MDY", General);
    Inc_Time = checkBox(tr("Time taken"), "Inc_Time", General);
    Inc_Exposure = checkBox(tr("Exposure"), "Inc_Exposure", General);
    Inc_Flash = checkBox(tr("Flash"), "Inc_Flash", General);
    details->addWidget(Inc_Filename, 0, 0);
    details->addWidget(Inc_DMY, 0, 1);
    details->addWidget(Inc_MDY, 0, 2);
    details->addWidget(Inc_Time, 1, 0);
    details->addWidget(Inc_Exposure, 1, 1);
    details->addWidget(Inc_Flash, 1, 2);
    layout->addLayout(details);

    auto* textRow = new QHBoxLayout;
    Inc_This_Text = checkBox(tr(""), "Inc_This_Text", General);
    textstr = named(new QLabel(tr("Text string "), General), "textstr");
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

QWidget* SettingsDialog::buildMarginGroups(QWidget* page)
{
    auto* holder = new QWidget(page);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* imageMargins = new QGroupBox(tr("&Image Margins"), holder);
    auto* im = new QHBoxLayout(imageMargins);
    Defined_Margin = realSpin(0.0, 30.0, 0.05, "Defined_Margin", imageMargins);
    Label1 = named(new QLabel(tr("mm"), imageMargins), "Label1");
    Margin_Default = named(new QPushButton(tr("Set Default "), imageMargins), "Margin_Default");
    im->addWidget(Defined_Margin);
    im->addWidget(Label1);
    im->addWidget(Margin_Default);
    grid->addWidget(imageMargins, 0, 0);

    auto* pageMargin = new QGroupBox(tr("&Page Margin "), holder);
    auto* pm = new QGridLayout(pageMargin);
    Page_Margin = realSpin(-100.0, 100.0, 0.05, "Page_Margin", pageMargin);
    Label19 = named(new QLabel(tr("mm"), pageMargin), "Label19");
    set_default_PM = named(new QPushButton(tr("Set Default "), pageMargin), "set_default_PM");
    centre = checkBox(tr("Centre image on paper"), "centre", pageMargin);
    pm->addWidget(Page_Margin, 0, 0);
    pm->addWidget(Label19, 0, 1);
    pm->addWidget(set_default_PM, 0, 2);
    pm->addWidget(centre, 1, 0, 1, 3);
    grid->addWidget(pageMargin, 0, 1);

    auto* aspect = new QGroupBox(tr("Frame Aspect"), holder);
    auto* fa = new QHBoxLayout(aspect);
    User_Defined = realSpin(0.2, 10.0, 0.1, "User_Defined", aspect);
    Button1 = named(new QPushButton(tr("Set Default"), aspect), "Button1");
    fa->addWidget(User_Defined);
    fa->addWidget(Button1);
    grid->addWidget(aspect, 1, 0);

    measurementsystem = named(new QGroupBox(tr("Measurement System"), holder), "measurementsystem");
    auto* ms = new QHBoxLayout(measurementsystem);
    measurementMm = named(new QRadioButton(tr("mm"), measurementsystem), "measurementsystem_mm");
    measurementInches = named(new QRadioButton(tr("Inches"), measurementsystem), "measurementsystem_Inches");
    ms->addWidget(measurementMm);
    ms->addWidget(measurementInches);
    grid->addWidget(measurementsystem, 1, 1);

    // Kept for the stored Form_Mag_Factor; the on-screen layout sizes itself to the window.
    Zoom = named(new QGroupBox(tr("&Layout area size "), holder), "Zoom");
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

QWidget* SettingsDialog::buildFoldersPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* folders = new QGroupBox(tr("Default Folders "), page);
    auto* fl = new QGridLayout(folders);
    Edit_Dir = new PathEdit("Edit_Dir", true, [this](const QString& current) {
        return chooseFolderWith(m_hooks, this, tr("Image Folder"), current);
    }, folders);
    Edit_Dir->setBrowseOnly();
    Button2 = named(new QPushButton(tr("Clear"), folders), "Button2");
    Curve_Folder = new PathEdit("Curve_Folder", true, [this](const QString& current) {
        return chooseFolderWith(m_hooks, this, tr("Curve Folders "), current);
    }, folders);
    Curve_Folder->setBrowseOnly();
    fl->addWidget(new QLabel(tr("Image Folder"), folders), 0, 0);
    fl->addWidget(Edit_Dir, 0, 1);
    fl->addWidget(Button2, 0, 2);
    fl->addWidget(new QLabel(tr("Curve Folders "), folders), 1, 0);
    fl->addWidget(Curve_Folder, 1, 1);
    layout->addWidget(folders);

    auto* exportTo = new QGroupBox(tr("Export images to "), page);
    auto* el = new QGridLayout(exportTo);
    Check_assos = checkBox(tr("Associated application "), "Check_assos", exportTo);
    Check_assos->setChecked(true);
    Edit_Image_Editor = new PathEdit("Edit_Image_Editor", false, [this](const QString& current) {
        return chooseProgramWith(m_hooks, this, current);
    }, exportTo);
    el->addWidget(Check_assos, 0, 0, 1, 2);
    el->addWidget(new QLabel(tr("Selected application "), exportTo), 1, 0);
    el->addWidget(Edit_Image_Editor, 1, 1);
    layout->addWidget(exportTo);
    layout->addStretch(1);
    return page;
}

QWidget* SettingsDialog::buildSavingPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* quality = new QGroupBox(tr("Jpeg Quality Setting - for all Jpeg saved files  "), page);
    auto* ql = new QHBoxLayout(quality);
    Save_Quality = intSpin(1, 100, 1, "Save_Quality", quality);
    ql->addWidget(Save_Quality);
    ql->addWidget(new QLabel(tr("100 = Best"), quality));
    ql->addStretch(1);
    layout->addWidget(quality);

    auto* storeAs = new QGroupBox(tr("When saving pages - store images as : "), page);
    auto* sl = new QHBoxLayout(storeAs);
    bmp = named(new QRadioButton(tr("Bmp"), storeAs), "bmp");
    jpg = named(new QRadioButton(tr("Jpg"), storeAs), "jpg");
    sl->addWidget(bmp);
    sl->addWidget(jpg);
    sl->addStretch(1);
    layout->addWidget(storeAs);

    auto* single = new QGroupBox(tr("When saving individual images "), page);
    auto* il = new QHBoxLayout(single);
    Create_Props_File = checkBox(tr("Write props file (.VDT)"), "Create_Props_File", single);
    il->addWidget(Create_Props_File);
    layout->addWidget(single);
    layout->addStretch(1);
    return page;
}

QWidget* SettingsDialog::buildLoadPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    On_Load_Warning = checkBox(tr("Show warning dialog box on image load (if any onload options enabled)"),
                               "On_Load_Warning", page);
    layout->addWidget(On_Load_Warning);
    Use_Colour_Profiles = checkBox(tr("Convert photos with a colour profile to sRGB"), "Use_Colour_Profiles", page);
    layout->addWidget(Use_Colour_Profiles);
    Honour_Orientation = checkBox(tr("Turn photos upright as their camera recorded"), "Honour_Orientation", page);
    layout->addWidget(Honour_Orientation);

    // Qt's check box in a group title is the group itself; unchecked, it disables what it holds.
    Apply_Curve_On_Load = named(new QGroupBox(tr(" Apply contrast curve      "), page), "Apply_Curve_On_Load");
    Apply_Curve_On_Load->setCheckable(true);
    auto* cl = new QHBoxLayout(Apply_Curve_On_Load);
    Apply_Curve = new PathEdit("Apply_Curve", false, [this](const QString&) {
        return chooseCurveWith(m_hooks, this, Curve_Folder->text());
    }, Apply_Curve_On_Load);
    cl->addWidget(Apply_Curve);
    layout->addWidget(Apply_Curve_On_Load);

    Enable_resample_on_load = named(new QGroupBox(tr("Resample images  "), page), "Enable_resample_on_load");
    Enable_resample_on_load->setCheckable(true);
    auto* rl = new QHBoxLayout(Enable_resample_on_load);
    Downsize_OnLoad_Spin = intSpin(5, 1000, 25, "Downsize_OnLoad_Spin", Enable_resample_on_load);
    Resamp_onload_Filter = listBox(shownNames(kLoadFilters), "Resamp_onload_Filter", Enable_resample_on_load);
    rl->addWidget(new QLabel(tr("to "), Enable_resample_on_load));
    rl->addWidget(Downsize_OnLoad_Spin);
    rl->addWidget(new QLabel(tr(" % of original "), Enable_resample_on_load));
    rl->addWidget(new QLabel(tr("Using the "), Enable_resample_on_load));
    rl->addWidget(Resamp_onload_Filter);
    rl->addWidget(new QLabel(tr("filter "), Enable_resample_on_load));
    layout->addWidget(Enable_resample_on_load);

    auto* position = new QGroupBox(tr("Position "), page);
    auto* pl = new QHBoxLayout(position);
    autorotate = checkBox(tr("Auto rotate"), "autorotate", position);
    autorotate->setToolTip(tr("Automatically rotates image\nfiles to match frame orientation."));
    autocentre = checkBox(tr("Auto centre"), "autocentre", position);
    pl->addWidget(autorotate);
    pl->addWidget(autocentre);
    pl->addStretch(1);
    layout->addWidget(position);

    auto* dropping = new QGroupBox(tr("When folders are Dragged && Dropped"), page);
    auto* dl = new QGridLayout(dropping);
    SearchSubFolders = checkBox(tr("Check all sub folders "), "SearchSubFolders", dropping);
    SearchString = named(new QLineEdit(dropping), "SearchString");
    dl->addWidget(SearchSubFolders, 0, 0, 1, 3);
    dl->addWidget(new QLabel(tr("Filter"), dropping), 1, 0);
    dl->addWidget(SearchString, 1, 1);
    dl->addWidget(new QLabel(tr("(image) files "), dropping), 1, 2);
    layout->addWidget(dropping);
    layout->addStretch(1);
    return page;
}

QWidget* SettingsDialog::buildPrintPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* margins = new QGroupBox(tr("Print (in margins) "), page);
    auto* ml = new QGridLayout(margins);
    Print_Props = checkBox(tr("Image details "), "Print_Props", margins);
    Print_Marks = checkBox(tr("Cut marks"), "Print_Marks", margins);
    Rule_Weight = intSpin(1, 10, 1, "Rule_Weight", margins);
    BitBtn1 = named(new QPushButton(tr("Fonts"), margins), "BitBtn1");
    ColorBtn = named(new QPushButton(tr("Colour"), margins), "ColorBtn");
    ml->addWidget(Print_Props, 0, 0);
    ml->addWidget(BitBtn1, 0, 1);
    ml->addWidget(ColorBtn, 0, 2);
    ml->addWidget(Print_Marks, 1, 0);
    ml->addWidget(new QLabel(tr("Cut mark Width "), margins), 1, 1);
    ml->addWidget(Rule_Weight, 1, 2);
    layout->addWidget(margins);

    auto* resample = new QGroupBox(tr("Resample"), page);
    auto* rl = new QHBoxLayout(resample);
    Resample_on_Print = listBox(shownNames(kPrintFilters), "Resample_on_Print", resample);
    rl->addWidget(new QLabel(tr("when printing to printer"), resample));
    rl->addWidget(Resample_on_Print);
    layout->addWidget(resample);

    layout->addWidget(buildPrintToImageGroup(page));

    auto* queue = new QGroupBox(tr("Windows print Queue "), page);
    auto* wl = new QHBoxLayout(queue);
    Wait_For_Q = checkBox(tr("Wait until Print Queue is empty before printing"), "Wait_For_Q", queue);
    wl->addWidget(Wait_For_Q);
    layout->addWidget(queue);

    auto* unattended = new QGroupBox(tr("Long batches"), page);
    auto* ul = new QGridLayout(unattended);
    Skip_Unreadable = checkBox(tr("Pass over files that can't be read, without a message"), "Skip_Unreadable", unattended);
    ul->addWidget(Skip_Unreadable, 0, 0, 1, 2);
    ul->addWidget(new QLabel(tr("Warn below this many pixels per inch (0 = never)"), unattended), 1, 0);
    Min_Resolution = named(new QSpinBox(unattended), "Min_Resolution");
    Min_Resolution->setRange(0, 10000);
    ul->addWidget(Min_Resolution, 1, 1);
    Confirm_Low_Res = checkBox(tr("Ask before printing frames below it"), "Confirm_Low_Res", unattended);
    ul->addWidget(Confirm_Low_Res, 2, 0, 1, 2);
    layout->addWidget(unattended);
    layout->addStretch(1);
    return page;
}

QGroupBox* SettingsDialog::buildPrintToImageGroup(QWidget* page)
{
    auto* toImage = new QGroupBox(tr("Print to image - file characteristics  "), page);
    auto* grid = new QGridLayout(toImage);
    Print_As_Bitmap = named(new QRadioButton(tr("Bmp"), toImage), "Print_As_Bitmap");
    Print_As_Jpeg = named(new QRadioButton(tr("Jpeg"), toImage), "Print_As_Jpeg");
    grid->addWidget(new QLabel(tr("Type "), toImage), 0, 0);
    grid->addWidget(Print_As_Bitmap, 0, 1);
    grid->addWidget(Print_As_Jpeg, 0, 2);

    Use_Printers_Res = checkBox(tr("Use the printers "), "Use_Printers_Res", toImage);
    ProofRes = intSpin(72, 1000, 10, "ProofRes", toImage);
    grid->addWidget(new QLabel(tr("Resolution"), toImage), 1, 0);
    grid->addWidget(Use_Printers_Res, 1, 1);
    auto* res = new QHBoxLayout;
    res->addWidget(new QLabel(tr("Set to "), toImage));
    res->addWidget(ProofRes);
    res->addWidget(new QLabel(tr("dpi"), toImage));
    grid->addLayout(res, 1, 2);

    Resample_On_Proof = listBox(shownNames(kPrintFilters), "Resample_On_Proof", toImage);
    grid->addWidget(new QLabel(tr("Resample "), toImage), 2, 0);
    grid->addWidget(Resample_On_Proof, 2, 1, 1, 2);
    return toImage;
}

} // namespace settings
