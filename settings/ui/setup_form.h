// The "Change settings" dialog. setUpSettings runs it; tests drive it through its controls,
// which carry the component names as object names.
#pragma once

#include "settings/ui/settings_ui.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace settings {

class ExactSpinBox;
class PathEdit;

class SettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // The modal result of OK; setUpSettings applies the rest only on this result.
    static constexpr int kOkResult = 100;

    SettingsDialog(Settings& s, const SetupHooks& hooks, QWidget* parent = nullptr);

    void enableExifControls();
    void disableExifControls();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void measurementsystemClick(bool inches);
    void onResampleOnLoadToggled(bool on);
    void onDownsizeOnLoadChanged(int value);
    void onUsePrinterResolutionClicked(bool on);
    void BitBtn1Click();
    void ColorBtnClick();
    void onOkClicked();

private:
    QWidget* buildGeneralPage();
    QWidget* buildMarginGroups(QWidget* page);
    QWidget* buildFoldersPage();
    QWidget* buildSavingPage();
    QWidget* buildLoadPage();
    QWidget* buildPrintPage();
    QGroupBox* buildPrintToImageGroup(QWidget* page);

    void FormCreate();
    void loadGeneral();
    void loadFoldersAndSaving();
    void loadOnLoad();
    void loadOnPrint();
    void applyEnablingRules();
    void connectRules();

    void applyMargins();
    void applyAspect();
    void applyPrintAndPosition();
    void applyFoldersAndResampling();
    void applyDetailsAndDropping();

    Settings& m_s;
    SetupHooks m_hooks;
    bool m_metric = true;                 // the unit the margin spins show
    std::optional<float> m_chosenMagFactor; // set only when a Zoom item is clicked

    QTabWidget* PageControl1 = nullptr;
    QPushButton* OK_Btn = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // "General "
    QWidget* General = nullptr;
    QCheckBox* Get_Camera_Details = nullptr;
    QCheckBox* Any_Jpeg_Camera_Data = nullptr;
    QCheckBox* Inc_Filename = nullptr;
    QCheckBox* Inc_DMY = nullptr;
    QCheckBox* Inc_MDY = nullptr;
    QCheckBox* Inc_Time = nullptr;
    QCheckBox* Inc_Exposure = nullptr;
    QCheckBox* Inc_Flash = nullptr;
    QCheckBox* Inc_This_Text = nullptr;
    QLabel* textstr = nullptr;
    QLineEdit* Inc_Text = nullptr;
    ExactSpinBox* Defined_Margin = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Margin_Default = nullptr;
    ExactSpinBox* Page_Margin = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* set_default_PM = nullptr;
    QCheckBox* centre = nullptr;
    ExactSpinBox* User_Defined = nullptr;
    QPushButton* Button1 = nullptr;
    QGroupBox* measurementsystem = nullptr;
    QRadioButton* measurementMm = nullptr;
    QRadioButton* measurementInches = nullptr;
    QGroupBox* Zoom = nullptr;
    QRadioButton* zoomItems[3] = {};

    // "Folders && Files "
    PathEdit* Edit_Dir = nullptr;
    QPushButton* Button2 = nullptr;
    PathEdit* Curve_Folder = nullptr;
    QCheckBox* Check_assos = nullptr;
    PathEdit* Edit_Image_Editor = nullptr;

    // "Saving Images / Pages"
    QSpinBox* Save_Quality = nullptr;
    QRadioButton* bmp = nullptr;
    QRadioButton* jpg = nullptr;
    QCheckBox* Create_Props_File = nullptr;

    // "On image load"
    QCheckBox* On_Load_Warning = nullptr;
    QCheckBox* Use_Colour_Profiles = nullptr;
    QCheckBox* Honour_Orientation = nullptr;
    QGroupBox* Apply_Curve_On_Load = nullptr;
    PathEdit* Apply_Curve = nullptr;
    QGroupBox* Enable_resample_on_load = nullptr;
    QSpinBox* Downsize_OnLoad_Spin = nullptr;
    QComboBox* Resamp_onload_Filter = nullptr;
    QCheckBox* autorotate = nullptr;
    QCheckBox* autocentre = nullptr;
    QCheckBox* SearchSubFolders = nullptr;
    QLineEdit* SearchString = nullptr;

    // "On Print "
    QCheckBox* Print_Props = nullptr;
    QCheckBox* Print_Marks = nullptr;
    QSpinBox* Rule_Weight = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* ColorBtn = nullptr;
    QComboBox* Resample_on_Print = nullptr;
    QRadioButton* Print_As_Bitmap = nullptr;
    QRadioButton* Print_As_Jpeg = nullptr;
    QCheckBox* Use_Printers_Res = nullptr;
    QSpinBox* ProofRes = nullptr;
    QComboBox* Resample_On_Proof = nullptr;
    QCheckBox* Wait_For_Q = nullptr;
    QCheckBox* Skip_Unreadable = nullptr;
    QSpinBox* Min_Resolution = nullptr;
    QCheckBox* Confirm_Low_Res = nullptr;
};

} // namespace settings
