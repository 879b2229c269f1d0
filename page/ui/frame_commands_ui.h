// The frame commands in the window: mouse selection, the frame popup menu, the Select
// menu and the Ctrl keys on the frame-count list, the toolbar's picture buttons, the
// system clipboard, reload and export to other programs, and freezing the toolbar
// while printing. The rules live in frame_commands.h; this paints and asks.
#pragma once

#include "core/message.h"

#include "core/translatable.h"

#include "page/core/frame_commands.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QMenu;
class QMimeData;
class QUrl;
class QWidget;

namespace page {

class PageView;

inline constexpr std::string_view kClipboardUnreadable = QT_TRANSLATE_NOOP("Paginor", "The picture on the clipboard could not be read");

// What the commands need from the rest of the window. An empty hook leaves its popup
// entry disabled (and its key doing nothing) until the command exists.
struct FrameCommandHooks {
    std::function<void(bool withDialog)> openImages;      // openImageFiles: "Load", double-click, Ctrl+L
    std::function<bool()> loadWarningAccepted;            // the load warning where it applies; false = Cancel
    std::function<void(const std::string& path)> loadFile; // FileList := {path}, NextFileIndex := 0, one load step
    std::function<void()> editImage;                      // "Edit Image", Ctrl+E, double-click on a picture
    std::function<void()> print;                          // Ctrl+P
    std::function<void()> settings;                       // Ctrl+S
    std::function<void()> loadFromTwain;
    std::function<void()> saveFramesImage;
    std::function<void()> extendedDetails;
    // How other programs are started; tests put recorders here. Empty: QProcess::startDetached
    // and QDesktopServices::openUrl.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
    std::function<bool(const QUrl& url)> openUrl;
};

// The clipboard's picture formats: what "Copy" offers and what "Paste" accepts.
namespace clipboard {
// Offers the image as application/x-qt-image, image/png, image/bmp, image/x-bmp,
// image/x-MS-bmp and image/jpeg, each encoded only when a program asks for it.
QMimeData* mimeDataFor(const QImage& image);
bool holdsBitmap(const QMimeData* data);
// The picture of the first readable image format; a null image when there is none.
QImage imageFrom(const QMimeData* data);
} // namespace clipboard

class FrameCommandsUi final : public QObject {
    Q_OBJECT
public:
    // window holds the toolbar buttons, the menu actions and Sel_Frames by their object
    // names; view must outlive this object.
    FrameCommandsUi(PageView& view, QWidget* window, FrameCommandHooks hooks = {});

    void setHooks(FrameCommandHooks hooks) { m_hooks = std::move(hooks); }
    FrameCommandHooks& hooks() { return m_hooks; }
    FrameCommands& commands() { return m_commands; }
    QMenu* popupMenu() const { return m_popup; }
    // "Apply Curves": the curve list fills it; enabled when it has entries.
    QMenu* curvesMenu() const { return m_curves; }
    QAction* popupAction(const QString& objectName) const;

    void SelectImage(int n, bool exclusive);
    void selectAllImages();
    void deselectAllImages();
    void enable_image_buttons(bool on);
    // Empties frame n with its look, unless copies still show its picture.
    void removeSelectedImages(int n);
    void RotateBitmap(int mode);
    // "Apply Curves" rebuilt from the curve files in Curve_Dir (at start-up and whenever the
    // settings change the folder).
    void addCurvesToMenu();

    // The toolbar frozen around printing.
    void saveButtonState();
    void disableButtons();
    void restoreButtonState();
    const ButtonStates& savedButtons() const { return m_saved; }

signals:
    // A command's work began or ended beside the window (the window turns its commands
    // off and on).
    void busyChanged(bool busy);
    // Resample ended: the frames show their new pixels.
    void resampleFinished();
    // Grayscale ended: the frames show their grey pixels.
    void greyscaleFinished();
    // Rotate or a flip ended: the frames show their turned pixels.
    void turnFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onFramePressed(int frame, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void onFrameDoubleClicked(int frame);
    void All1Click();
    void DeSelectAll1Click();
    void Delete1Click();
    void Remove1Click();
    void tb_binClick();
    void Copy1Click();
    void Paste1Click();
    void onSpecialCopyClicked();
    void onSpecialPasteClicked();
    void ReloadClick();
    void OriginalClick();
    void Modified1Click();
    void RunShell1Click();
    void GrayScaleClick();
    void Resample1Click();
    void Load2Click();
    void onCropToFrameClicked();

private:
    void buildPopup();
    void wireWindow();
    QAction* addPopupEntry(QMenu* menu, const char* objectName, const QString& caption, void (FrameCommandsUi::*slot)());
    QAction* addHookEntry(const char* objectName, const QString& caption, std::function<void()> FrameCommandHooks::*hook);
    void setPopupEntries(int frame);
    void applySelection(const SelectResult& result, int selectedFrame);
    void paintBorder(int frame, bool selected);
    void removeSelectedFrames();
    void reloadFrom(int frame, const std::string& path);
    void PopupHandler(const QString& caption);
    bool onFrameSelectorKeyPressed(int key);
    void setButtonEnabled(const char* objectName, bool on);
    void applyButtonStates(const ButtonStates& states);
    bool buttonEnabled(const char* objectName) const;
    void setStatus(const core::Message& text);
    // Resample, a frame at a time beside the window's loop.
    struct ResampleRun;
    void resampleNext(const std::shared_ptr<ResampleRun>& run);
    void endResample(const std::optional<core::Message>& error);
    // Grayscale, the same way.
    struct GreyscaleRun;
    void greyNext(const std::shared_ptr<GreyscaleRun>& run);
    void endGreyscale();
    // Rotate and the flips, the same way.
    struct TurnRun;
    void turnNext(const std::shared_ptr<TurnRun>& run);
    void endTurn(const std::optional<core::Message>& error);

    PageView& m_view;
    QWidget* m_window;
    FrameCommandHooks m_hooks;
    FrameCommands m_commands;
    QMenu* m_popup = nullptr;
    QMenu* m_reload = nullptr;
    QMenu* m_curves = nullptr;
    ButtonStates m_saved;
    bool m_resampling = false;
};

} // namespace page
