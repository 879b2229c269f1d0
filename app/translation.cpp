#include "app/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <string>

namespace app {

QString translationFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + "/translations", dir + "/../share/paginor/translations"})
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).canonicalPath();
    return dir + "/../share/paginor/translations";
}

bool loadTranslation(QCoreApplication& application, const QString& folder, const QLocale& locale)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, "paginor", "_", folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

QString shownText(std::string_view text)
{
    const std::string source(text); // translate() wants the text to end in a zero
    return QCoreApplication::translate("Paginor", source.c_str());
}

} // namespace app
