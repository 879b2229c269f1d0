// The window's language: the translation for the user's locale, when one is installed, and
// the translated form of the program's fixed texts where the window shows them.
#pragma once

#include "core/message.h"

#include <QLocale>
#include <QString>

#include <string_view>

class QCoreApplication;

namespace app {

// Where the translations are: translations/ beside the program in the build folder,
// share/paginor/translations once installed.
QString translationFolder();

// Installs paginor_<locale>.qm from folder (the nearest match of locale's UI languages);
// false when there is none. Only the window calls it: headless output stays untranslated.
bool loadTranslation(QCoreApplication& application, const QString& folder, const QLocale& locale = QLocale());

// A fixed text marked with QT_TRANSLATE_NOOP("Paginor", ...) in the user's language; a text
// the translation does not know as it stands.
QString shownText(std::string_view text);
// A message in the user's language: its form translated, filled in with its parts, each
// part translated when it is a fixed text and never when it is a name or a number.
QString shownText(const core::Message& message);

} // namespace app
