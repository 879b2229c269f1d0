#include "page/ui/frame_commands_ui.h"
#include "page/ui/frame_commands_ui_parts.h"

#include "core/messages.h"
#include "imaging/qt/qimage_adapter.h"
#include "page/ui/page_view.h"
#include "settings/ui/resample_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QUrl>

namespace page {

using namespace commands_ui;

FrameCommandsUi::FrameCommandsUi(PageView& view, QWidget* window, FrameCommandHooks hooks)
    : QObject(window), m_view(view), m_window(window), m_hooks(std::move(hooks)), m_commands(view.page())
{
    setObjectName("FrameCommands");
    buildPopup();
    wireWindow();
    connect(&m_view, &PageView::frameMouseDown, this, &FrameCommandsUi::onFramePressed);
    connect(&m_view, &PageView::frameDoubleClicked, this, &FrameCommandsUi::onFrameDoubleClicked);
}

QAction* FrameCommandsUi::addPopupEntry(QMenu* menu, const char* objectName, const QString& caption,
                                        void (FrameCommandsUi::*slot)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(objectName));
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    return a;
}

QAction* FrameCommandsUi::addHookEntry(const char* objectName, const QString& caption,
                                       std::function<void()> FrameCommandHooks::*hook)
{
    QAction* a = m_popup->addAction(caption);
    a->setObjectName(QString::fromLatin1(objectName));
    connect(a, &QAction::triggered, this, [this, hook] {
        if (const auto& run = m_hooks.*hook)
            run();
    });
    return a;
}

void FrameCommandsUi::buildPopup()
{
    m_popup = new QMenu(m_window);
    m_popup->setObjectName("PopupMenu1");
    addPopupEntry(m_popup, "Load2", tr("Load"), &FrameCommandsUi::Load2Click);
    addHookEntry("LoadfromTWAIN1", tr("Load from TWAIN"), &FrameCommandHooks::loadFromTwain);
    m_popup->addSeparator();
    addPopupEntry(m_popup, "Copy1", tr("Frame Copy"), &FrameCommandsUi::Copy1Click);
    addPopupEntry(m_popup, "Paste1", tr("Frame Paste"), &FrameCommandsUi::Paste1Click)->setEnabled(false);
    addPopupEntry(m_popup, "Remove1", tr("Remove"), &FrameCommandsUi::Remove1Click);
    m_popup->addSeparator();
    addPopupEntry(m_popup, "Special_Copy", tr("Copy"), &FrameCommandsUi::onSpecialCopyClicked);
    addPopupEntry(m_popup, "Special_Paste", tr("Paste"), &FrameCommandsUi::onSpecialPasteClicked);
    m_popup->addSeparator();
    m_reload = m_popup->addMenu(tr("Reload"));
    m_reload->setObjectName("Reload");
    m_reload->menuAction()->setObjectName("Reload1");
    connect(m_reload, &QMenu::aboutToShow, this, &FrameCommandsUi::ReloadClick);
    addPopupEntry(m_reload, "Original1", tr("Original"), &FrameCommandsUi::OriginalClick);
    addPopupEntry(m_reload, "Modified1", tr("Modified Export (!)"), &FrameCommandsUi::Modified1Click);
    addPopupEntry(m_popup, "RunShell1", tr("Export Images ... "), &FrameCommandsUi::RunShell1Click);
    m_popup->addSeparator();
    addPopupEntry(m_popup, "Rotate1", tr("Rotate 90\u00B0"), nullptr);
    addPopupEntry(m_popup, "VerticalFlip1", tr("Vertical Flip"), nullptr);
    addPopupEntry(m_popup, "HorizontalFlip1", tr("Horizontal Flip"), nullptr);
    connect(popupAction("Rotate1"), &QAction::triggered, this, [this] { RotateBitmap(1); });
    connect(popupAction("VerticalFlip1"), &QAction::triggered, this, [this] { RotateBitmap(2); });
    connect(popupAction("HorizontalFlip1"), &QAction::triggered, this, [this] { RotateBitmap(3); });
    addPopupEntry(m_popup, "GrayScale", tr("Grayscale"), &FrameCommandsUi::GrayScaleClick);
    addPopupEntry(m_popup, "Resample1", tr("Resample"), &FrameCommandsUi::Resample1Click);
    m_curves = m_popup->addMenu(tr("Apply Curves"));
    m_curves->setObjectName("ApplyCurves");
    m_curves->menuAction()->setObjectName("ApplyCurves1");
    addCurvesToMenu();
    addHookEntry("EditImage1", tr("Edit Image"), &FrameCommandHooks::editImage);
    m_popup->addSeparator();
    addHookEntry("SaveFramesImage1", tr("Save Frame's Image"), &FrameCommandHooks::saveFramesImage);
    addHookEntry("ExtendedImageDetails1", tr("Extended Image Details "), &FrameCommandHooks::extendedDetails);
}

QAction* FrameCommandsUi::popupAction(const QString& objectName) const
{
    return m_popup->findChild<QAction*>(objectName);
}

void FrameCommandsUi::wireWindow()
{
    auto wireAction = [this](const char* name, void (FrameCommandsUi::*slot)()) {
        if (auto* a = m_window->findChild<QAction*>(QString::fromLatin1(name))) {
            a->setProperty("notYetBuilt", false);
            a->setEnabled(true);
            connect(a, &QAction::triggered, this, slot);
        }
    };
    wireAction("All1", &FrameCommandsUi::All1Click);
    wireAction("DeSelectAll1", &FrameCommandsUi::DeSelectAll1Click);
    wireAction("Delete1", &FrameCommandsUi::Delete1Click);
    auto wireButton = [this](const char* name, auto handler) {
        if (auto* b = m_window->findChild<QAbstractButton*>(QString::fromLatin1(name)))
            connect(b, &QAbstractButton::clicked, this, handler);
    };
    wireButton("tb_bin", [this] { tb_binClick(); });
    wireButton("tb_rotate", [this] { RotateBitmap(1); });
    wireButton("tb_flip_Vert", [this] { RotateBitmap(2); });
    wireButton("tb_flip_horiz", [this] { RotateBitmap(3); });
    wireButton("Centre_btn", [this] { onCropToFrameClicked(); });
    setButtonEnabled("tb_bin", true);
    if (auto* list = m_window->findChild<QComboBox*>("Sel_Frames"))
        list->installEventFilter(this);
}

// ---- buttons and status -----------------------------------------------------------------

void FrameCommandsUi::setButtonEnabled(const char* objectName, bool on)
{
    if (auto* w = m_window->findChild<QWidget*>(QString::fromLatin1(objectName)))
        w->setEnabled(on);
    else if (auto* a = m_window->findChild<QAction*>(QString::fromLatin1(objectName)))
        a->setEnabled(on);
}

bool FrameCommandsUi::buttonEnabled(const char* objectName) const
{
    if (auto* w = m_window->findChild<QWidget*>(QString::fromLatin1(objectName)))
        return w->isEnabled();
    return false;
}

void FrameCommandsUi::setStatus(const core::Message& text)
{
    m_view.page().status().showStatus(text);
}

void FrameCommandsUi::enable_image_buttons(bool on)
{
    for (const char* name : {"tb_rotate", "tb_flip_horiz", "tb_flip_Vert", "Centre_btn"})
        setButtonEnabled(name, on);
}

void FrameCommandsUi::saveButtonState()
{
    m_saved.tb_load = buttonEnabled("tb_load");
    m_saved.tb_load_next = buttonEnabled("tb_load_next");
    m_saved.tb_stop = buttonEnabled("tb_stop");
    m_saved.tb_print = buttonEnabled("tb_print");
    m_saved.tb_print_next = buttonEnabled("tb_print_next");
    m_saved.Text_Button = buttonEnabled("Text_Button");
    m_saved.Page_Button = buttonEnabled("Page_Button");
}

// The buttons printing freezes and thaws; tb_stop is left to the caller, as printing turns
// it on while everything else is off.
void FrameCommandsUi::applyButtonStates(const ButtonStates& states)
{
    setButtonEnabled("tb_load", states.tb_load);
    setButtonEnabled("tb_load_next", states.tb_load_next);
    // "Clear File list" goes off with tb_load_next; it comes back with it too, or the list
    // could not be cleared after a print.
    setButtonEnabled("ClearFilelist1", states.tb_load_next);
    setButtonEnabled("tb_print", states.tb_print);
    setButtonEnabled("tb_print_next", states.tb_print_next);
    setButtonEnabled("Text_Button", states.Text_Button);
    setButtonEnabled("Page_Button", states.Page_Button);
}

void FrameCommandsUi::disableButtons()
{
    applyButtonStates(ButtonStates{}); // tb_stop stays as it is: printing needs it
}

void FrameCommandsUi::restoreButtonState()
{
    applyButtonStates(m_saved);
    setButtonEnabled("tb_stop", m_saved.tb_stop);
}

// ---- selection --------------------------------------------------------------------------

void FrameCommandsUi::paintBorder(int frame, bool selected)
{
    FrameControl* f = m_view.FrameImage(frame);
    FrameControl* f1 = m_view.FrameImage(1);
    if (!f || !f1)
        return;
    // The one-pixel rectangle (1, 1)-(W, H) of frame 1's size, as the page draws it white.
    QPainter p(&f->canvas());
    p.setPen(selected ? QColor(Qt::red) : QColor(Qt::white));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, f1->width() - 2, f1->height() - 2));
    f->update();
}

void FrameCommandsUi::applySelection(const SelectResult& result, int selectedFrame)
{
    for (int k : result.deselected)
        paintBorder(k, false);
    if (selectedFrame >= 1 && selectedFrame <= m_view.page().state().FrameCount)
        paintBorder(selectedFrame, true);
    if (result.imageButtons)
        enable_image_buttons(*result.imageButtons);
    if (result.aspectButton)
        setButtonEnabled("tb_ar", *result.aspectButton);
    setStatus(result.status);
}

void FrameCommandsUi::SelectImage(int n, bool exclusive)
{
    applySelection(m_commands.SelectImage(n, exclusive), n);
}

void FrameCommandsUi::selectAllImages()
{
    const SelectResult result = m_commands.selectAllImages();
    for (int k = 1; k <= m_view.page().state().FrameCount; ++k)
        paintBorder(k, true);
    applySelection(result, 0);
}

void FrameCommandsUi::deselectAllImages()
{
    enable_image_buttons(false);
    setButtonEnabled("tb_ar", false);
    applySelection(m_commands.SelectImage(0, true), 0);
    m_view.clearSelection();
}

void FrameCommandsUi::onFramePressed(int frame, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                      QPoint globalPos)
{
    if (button != Qt::RightButton) {
        const bool addToSelection = button == Qt::LeftButton && modifiers == Qt::ShiftModifier;
        SelectImage(frame, !addToSelection);
        return;
    }
    m_commands.PopupFrame = static_cast<std::uint8_t>(frame);
    setPopupEntries(frame);
    SelectImage(frame, false);
    m_popup->popup(globalPos);
}

void FrameCommandsUi::setPopupEntries(int frame)
{
    const bool clip = clipboard::holdsBitmap(QGuiApplication::clipboard()->mimeData());
    bool curves = false;
    for (QAction* a : m_curves->actions())
        curves = curves || a->isEnabled();
    const PopupEnabling e = m_commands.popupEnabling(frame, clip, curves);
    auto set = [this](const char* name, bool on) {
        if (QAction* a = popupAction(QString::fromLatin1(name)))
            a->setEnabled(on);
    };
    // Commands that come with other parts of the window stay off until they are there.
    set("Load2", e.load && bool(m_hooks.openImages));
    set("LoadfromTWAIN1", e.loadFromTwain && bool(m_hooks.loadFromTwain));
    set("Copy1", e.frameCopy);
    set("Paste1", e.framePaste);
    set("Remove1", e.remove);
    set("Special_Copy", e.copy);
    set("Special_Paste", e.paste);
    set("SaveFramesImage1", e.saveFramesImage && bool(m_hooks.saveFramesImage));
    m_curves->menuAction()->setEnabled(e.applyCurves);
    set("HorizontalFlip1", e.horizontalFlip);
    set("VerticalFlip1", e.verticalFlip);
    set("Rotate1", e.rotate);
    set("EditImage1", e.editImage && bool(m_hooks.editImage));
    set("RunShell1", e.exportImages);
    m_reload->menuAction()->setEnabled(e.reload && bool(m_hooks.loadFile));
    set("GrayScale", e.grayscale);
    set("Resample1", e.resample);
    set("ExtendedImageDetails1", e.extendedDetails && bool(m_hooks.extendedDetails));
}

void FrameCommandsUi::onFrameDoubleClicked(int frame)
{
    const FrameRecord& f = m_view.page().frame(frame);
    if (f.Selected && f.Loaded) {
        if (m_hooks.editImage)
            m_hooks.editImage();
        return;
    }
    if (m_hooks.openImages)
        m_hooks.openImages(true);
    setStatus("");
}

void FrameCommandsUi::All1Click()
{
    selectAllImages();
}

void FrameCommandsUi::DeSelectAll1Click()
{
    deselectAllImages();
}

// ---- emptying ---------------------------------------------------------------------------

void FrameCommandsUi::removeSelectedImages(int n)
{
    if (!m_commands.removeSelectedImages(n))
        return;
    if (n <= m_view.page().state().FrameCount && m_view.FrameImage(n)) {
        m_view.paintEmptyFrame(n);
        // The frame keeps its place in the selection; its border says so.
        if (m_view.page().frame(n).Selected)
            paintBorder(n, true);
        setButtonEnabled("tb_ar", false);
    }
}

void FrameCommandsUi::removeSelectedFrames()
{
    const Page& page = m_view.page();
    for (int n = 1; n <= page.state().FrameCount; ++n)
        if (page.frame(n).Loaded && page.frame(n).Selected)
            removeSelectedImages(n);
}

void FrameCommandsUi::Delete1Click()
{
    removeSelectedFrames();
}

void FrameCommandsUi::Remove1Click()
{
    removeSelectedFrames();
}

void FrameCommandsUi::tb_binClick()
{
    removeSelectedFrames();
}

// ---- keys on the frame-count list -------------------------------------------------------

bool FrameCommandsUi::onFrameSelectorKeyPressed(int key)
{
    auto run = [](const std::function<void()>& hook) {
        if (hook)
            hook();
    };
    switch (key) {
    case Qt::Key_A: selectAllImages(); return true;
    case Qt::Key_D: deselectAllImages(); return true;
    case Qt::Key_E: run(m_hooks.editImage); return true;
    case Qt::Key_L:
        if (m_hooks.openImages)
            m_hooks.openImages(true);
        return true;
    case Qt::Key_P: run(m_hooks.print); return true;
    case Qt::Key_R: removeSelectedFrames(); return true;
    case Qt::Key_S: run(m_hooks.settings); return true;
    default: return false;
    }
}

bool FrameCommandsUi::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl alone: Ctrl+Shift+A and the like are left to the list.
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier && onFrameSelectorKeyPressed(key->key()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace page
