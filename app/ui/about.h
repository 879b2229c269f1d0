// The about window, which also serves as the start-up splash.
#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace app {

// Results of the window: the splash timer ran out, or the user pressed OK.
inline constexpr int kSplashDone = 100;
inline constexpr int kAboutOk = 300;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // splash: closes itself after splashMs with kSplashDone and shows no OK button.
    AboutDialog(const QString& versionLabel, bool splash, QWidget* parent = nullptr, int splashMs = 3000);

    QPushButton* okButton() const { return Okbtn; }

private slots:
    void Timer1Timer();
    void OkbtnClick();

private:
    QPushButton* Okbtn;
    QTimer* Timer1;
};

// The about text shown under the picture.
QString aboutText();

} // namespace app
