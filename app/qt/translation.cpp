#include "app/qt/translation.h"

#include "core/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <string>

namespace app {
namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A fixed text in the user's language; a list of lines (a heading and what it lists) that
// has no translation of its own, line by line.
QString translatedFixed(const QString& text)
{
    const QByteArray source = text.toUtf8();
    const QString exact = QCoreApplication::translate("Paginor", source.constData());
    if (exact != text || !text.contains('\n'))
        return exact;
    QStringList lines = text.split('\n');
    for (QString& line : lines)
        line = translatedFixed(line);
    return lines.join('\n');
}

} // namespace

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
    return translatedFixed(fromView(text));
}

QString shownText(const core::Message& message)
{
    switch (message.kind()) {
    case core::Message::Kind::Fixed: return shownText(std::string_view(message.form()));
    case core::Message::Kind::Name: return fromView(message.form());
    case core::Message::Kind::Composed: break;
    }
    std::vector<std::string> parts;
    for (const core::Message& part : message.parts())
        parts.push_back(shownText(part).toStdString());
    const QString form = QCoreApplication::translate("Paginor", message.form().c_str());
    return QString::fromStdString(core::fillIn(form.toStdString(), parts));
}

} // namespace app
