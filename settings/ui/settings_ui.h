// The settings dialog: how the main window runs it and what it needs from the main window.
#pragma once

#include "core/message.h"

#include "core/translatable.h"

#include "settings/core/settings.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace settings {

// Fixed message texts, shared by the dialog and its tests.
inline constexpr std::string_view kColourDialogFailed = QT_TRANSLATE_NOOP("Paginor", "Color selection dialog failed to load.");
inline constexpr std::string_view kDropFilterPrefix = "Drag && Drop\nFile extension '";
inline constexpr std::string_view kDropFilterSuffix = "' is not a valid image format";
// The file filter of the curve chooser.
inline constexpr std::string_view kCurveFilter = QT_TRANSLATE_NOOP("Paginor", "Paginor curves (*.tcv)");

// What the colour chooser reports: a colour, a cancel, or that no dialog could be shown.
struct ColourChoice {
    enum class Status {
        Chosen,    // the user pressed OK; colour holds the choice
        Cancelled, // the user closed the dialog; nothing changes
        Failed,    // the dialog could not be shown; the user is told, nothing changes
    };
    Status status = Status::Cancelled;
    QColor colour;
};

// Everything the dialog needs from outside: the main window's parts it must not own, and the
// desktop's choosers (tests put scripted answers here). An empty main-window hook is skipped;
// an empty chooser falls back to the desktop's dialog.
struct SetupHooks {
    // setPageMargin: stores the gap between frames (mm) with the printer values derived from it.
    std::function<void(float marginMm)> setMargin;
    // The printer's horizontal resolution in dots per inch, shown by "Use the printers ".
    std::function<int()> printerDpiX;
    // Puts the main window's Text_Button and Page_Button down or up.
    std::function<void(bool printProps, bool printMarks)> setPrintButtons;
    // The image open dialog's initial folder.
    std::function<void(const std::string& folder)> setOpenFolder;
    // redisplayPictures: rebuilds the frames at the new settings.
    std::function<void()> redisplayImages;

    // Font chooser listing scalable fonts only; nullopt when cancelled.
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> chooseFont;
    std::function<ColourChoice(QWidget* parent, const QColor& initial)> chooseColour;
    // Folder chooser that may create folders; nullopt when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& caption, const QString& start)>
        chooseFolder;
    // Chooser for an executable program.
    std::function<std::optional<QString>(QWidget* parent, const QString& start)> chooseProgram;
    // Chooser for a curve file, starting in startFolder.
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)> chooseCurve;
};

// Converts between a tcol value (0x00BBGGRR) and a colour.
QColor colourFromTcol(std::int32_t tcol);
std::int32_t tcolFromColour(const QColor& colour);

// The extension of a drop filter from its last dot on ("" when there is none), as typed.
std::string dropFilterExtension(std::string_view mask);
// A drop filter is valid when its extension, in upper case, is a part of the list of image
// extensions the loader accepts. An empty extension is never valid.
bool isValidDropFilter(std::string_view mask);
// The message shown for an invalid drop filter.
core::Message dropFilterMessage(std::string_view mask);

// setUpSettings: runs the dialog on s until the user cancels or OKs a valid drop filter.
// On OK the settings are marked changed and the frames are redisplayed. Returns true on OK.
bool setUpSettings(QWidget* parent, Settings& s, const SetupHooks& hooks);

} // namespace settings
