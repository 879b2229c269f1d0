#include "settings/ui/default_choosers.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

namespace settings {

std::optional<QFont> chooseFontWith(const SetupHooks& hooks, QWidget* parent, const QFont& initial)
{
    if (hooks.chooseFont)
        return hooks.chooseFont(parent, initial);
    // The margin text is printed at printer resolution: bitmap fonts would print blocky.
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::ScalableFonts);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

ColourChoice chooseColourWith(const SetupHooks& hooks, QWidget* parent, const QColor& initial)
{
    if (hooks.chooseColour)
        return hooks.chooseColour(parent, initial);
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return {ColourChoice::Status::Cancelled, {}};
    return {ColourChoice::Status::Chosen, colour};
}

std::optional<QString> chooseFolderWith(const SetupHooks& hooks, QWidget* parent, const QString& caption,
                                        const QString& start)
{
    if (hooks.chooseFolder)
        return hooks.chooseFolder(parent, caption, start);
    // The desktop's folder dialog offers to create a new folder.
    const QString folder = QFileDialog::getExistingDirectory(parent, caption, start);
    return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
}

// Linux programs carry no ".exe": the dialog lists folders and executable files of any name.
std::optional<QString> chooseProgramWith(const SetupHooks& hooks, QWidget* parent, const QString& start)
{
    if (hooks.chooseProgram)
        return hooks.chooseProgram(parent, start);
    QFileDialog dialog(parent, QCoreApplication::translate("Paginor", "Selected application "), QFileInfo(start).absolutePath());
    // Only Qt's own dialog honours the executable filter.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    dialog.setNameFilter(QCoreApplication::translate("Paginor", "Application files (*)"));
    if (!start.isEmpty())
        dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // A name typed into the dialog bypasses the listing's filter.
    const QFileInfo chosen(dialog.selectedFiles().first());
    if (!chosen.isFile() || !chosen.isExecutable())
        return std::nullopt;
    return chosen.absoluteFilePath();
}

std::optional<QString> chooseCurveWith(const SetupHooks& hooks, QWidget* parent, const QString& startFolder)
{
    if (hooks.chooseCurve)
        return hooks.chooseCurve(parent, startFolder);
    const QString file =
        QFileDialog::getOpenFileName(parent, QString(), startFolder, QCoreApplication::translate("Paginor", std::string(kCurveFilter).c_str()));
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

} // namespace settings
