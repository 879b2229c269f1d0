// The window side of layout files and of saving a frame's picture: the save and open
// dialogs, the overwrite question, status and repainting around layout_page.h.
#pragma once

#include "page/core/page.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace printing {

// What the commands need from the main window.
struct LayoutWindowHooks {
    std::function<void(int count)> setFrameCount; // Sel_Frames and changeFrameCount
    std::function<void()> disableBatchCommands;   // tb_load_next, tb_print_next, "Clear File list"
    std::function<void()> repaintAll;             // every frame repainted
    std::function<void(int frame)> selectFrame;   // the frame selected alone
    std::function<void()> keepAlive;              // pending window events processed
    int screenWidth = 0;                          // a frame's size on the screen
    int screenHeight = 0;
};

// A file chosen in the save-picture dialog.
struct ChosenImageFile {
    QString path;
    bool bitmap = false; // the "Bitmap files" filter was chosen
};

class LayoutCommands {
public:
    LayoutCommands(page::Page& page, QWidget* parent, LayoutWindowHooks hooks);

    // The dialogs; tests put scripted answers here. An empty string: cancelled.
    std::function<QString(QWidget* parent, const QString& title)> chooseSaveLayout;
    std::function<QString(QWidget* parent, const QString& title)> chooseOpenLayout;
    std::function<std::optional<ChosenImageFile>(QWidget* parent, const QString& presetName)> chooseImageFile;

    void savePageArchive();
    void load_page();
    // "Save Frame's Image": the picture page::pictureSource picks, clicked being the
    // frame the popup menu was opened on (0 when none); a copy saves its source's picture.
    void saveFile(int clicked = 0);

    // "Save Page - Zip" when a live frame is loaded and the ZIP engine is there;
    // "Load Page - Zip" when the engine is there.
    bool canSavePage() const;
    bool canLoadPage() const;

private:
    page::Page& m_page;
    QWidget* m_parent;
    LayoutWindowHooks m_hooks;
};

} // namespace printing
