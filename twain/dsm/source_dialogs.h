// The source manager's two windows: the chooser of MSG_USERSELECT and the source's own
// small dialog of MSG_ENABLEDS (mode, resolution, paper source, Scan, Close).
#pragma once

#include "twain/dsm/sane_device.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace twain::dsm {

// Searches anew from the chooser ("Look again"); the list to show, or nothing when the
// search was cancelled (the chooser keeps its list).
using LookAgain = std::function<std::optional<std::vector<DeviceInfo>>(QWidget* chooser)>;

// Returns the device chosen, or an empty name when the user cancels.
std::string chooseDevice(QWidget* parent, const std::vector<DeviceInfo>& devices, const std::string& current,
                         const LookAgain& lookAgain);

// "Looking for scanners…" with Cancel (rejects) while the device search runs; the search
// accepts it when done.
class LookingBox final : public QDialog {
public:
    explicit LookingBox(QWidget* parent);
};

class SourceDialog final : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> scan;
        std::function<void()> cancel;
        std::function<void()> close;
    };
    SourceDialog(QWidget* parent, SaneDevice& device, Hooks hooks);

    // Sets any option of the device, as the scan command's options do; the message
    // when the device refuses it (empty when set).
    Q_INVOKABLE QString setOption(const QString& name, const QString& value);
    // The settings of the three boxes onto the device; false (with the reason shown) on failure.
    bool applyChoices();
    void setBusy(bool busy);
    void setProgress(int percent);
    void setMessage(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QComboBox* addChoice(const char* objectName, const QString& caption, const std::string& option);

    SaneDevice& m_device;
    Hooks m_hooks;
    QComboBox* m_mode = nullptr;
    QComboBox* m_resolution = nullptr;
    QComboBox* m_source = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_scan = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace twain::dsm
