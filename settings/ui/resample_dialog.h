// The "Resample images" dialog: the size in percent and the filter the "Resample"
// command uses, kept in the settings Manual_Resamp_Size and Manual_Resamp_Filter.
#pragma once

#include "settings/core/settings.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace settings {

class ResampleDialog final : public QDialog {
    Q_OBJECT
public:
    // The modal result of OK; anything else means the command does nothing.
    static constexpr int kOkResult = 100;

    explicit ResampleDialog(Settings& s, QWidget* parent = nullptr);

    // Closing, however it happens, writes both controls back to the settings.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void BitBtn1Click();
    void controlChanged();

private:
    Settings& m_s;
    QSpinBox* Manual_Resamp_Size = nullptr;
    QComboBox* Resamp_onload_Filter = nullptr;
};

} // namespace settings
