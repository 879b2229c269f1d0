// The choosers of the settings dialog: the hook when one is given, the desktop's dialog otherwise.
#pragma once

#include "settings/ui/settings_ui.h"

namespace settings {

std::optional<QFont> chooseFontWith(const SetupHooks& hooks, QWidget* parent, const QFont& initial);
ColourChoice chooseColourWith(const SetupHooks& hooks, QWidget* parent, const QColor& initial);
std::optional<QString> chooseFolderWith(const SetupHooks& hooks, QWidget* parent, const QString& caption,
                                        const QString& start);
std::optional<QString> chooseProgramWith(const SetupHooks& hooks, QWidget* parent, const QString& start);
std::optional<QString> chooseCurveWith(const SetupHooks& hooks, QWidget* parent, const QString& startFolder);

} // namespace settings
