// The load warning ("Warning - Image Load Settings are active !"): shown before images are
// loaded while settings change every loaded picture, so the user can still cancel.
#pragma once

#include "settings/core/settings.h"

#include <QDialog>
#include <QString>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace settings {

// True when OLW is on and at least one on-load setting is active.
bool loadWarningApplies(const Settings& s);
// The lines that say what will be done to each loaded picture, in the user's language.
QString loadWarningText(const Settings& s);

class WarningDialog final : public QDialog {
    Q_OBJECT
public:
    WarningDialog(Settings& s, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QCheckBox* DontShow = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel

    // Closing by either button: the warning stays on unless the box was ticked.
    void done(int result) override;

private:
    Settings& m_settings;
};

// Shows the warning when it applies. True: go on loading; false: the user cancelled.
bool confirmLoadSettings(Settings& s, QWidget* parent);

} // namespace settings
