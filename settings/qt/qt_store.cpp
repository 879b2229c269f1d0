#include "settings/qt/qt_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QUrl>

namespace settings {

QtStore::QtStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor"))
{
}

QtStore::QtStore(const QString& filePath) : m_settings(std::make_unique<QSettings>(filePath, QSettings::NativeFormat))
{
}

QtStore::~QtStore() = default;

QString QtStore::fileName() const
{
    return m_settings->fileName();
}

bool QtStore::canRead() const
{
    QFileInfo info(m_settings->fileName());
    return info.exists() && info.isReadable() && m_settings->status() == QSettings::NoError;
}

QStringList QtStore::keysInFileOrder() const
{
    QFile file(m_settings->fileName());
    QStringList keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool general = true; // values before any section belong to the general one
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('['))
            general = line.compare(QLatin1String("[General]"), Qt::CaseInsensitive) == 0;
        else if (general && !line.startsWith(';') && !line.startsWith('#') && line.indexOf('=') > 0)
            keys << QUrl::fromPercentEncoding(line.left(line.indexOf('=')).trimmed().toUtf8());
    }
    return keys;
}

// Value names are matched without regard to case, as the registry does. A file edited by
// hand may hold one name in two spellings; the first in the file is the one read.
QString QtStore::findKey(std::string_view name) const
{
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
    QStringList matches;
    for (const QString& k : m_settings->childKeys())
        if (k.compare(wanted, Qt::CaseInsensitive) == 0)
            matches << k;
    if (matches.size() <= 1)
        return matches.value(0);
    for (const QString& k : keysInFileOrder())
        if (matches.contains(k))
            return k;
    return matches.first();
}

std::vector<core::Message> QtStore::keyProblems() const
{
    std::vector<core::Message> problems;
    QStringList seen;
    const QStringList keys = keysInFileOrder();
    for (const QString& k : keys) {
        if (seen.contains(k, Qt::CaseInsensitive))
            continue;
        seen << k;
        QStringList spellings;
        for (const QString& other : keys)
            if (other.compare(k, Qt::CaseInsensitive) == 0 && !spellings.contains(other))
                spellings << other;
        if (spellings.size() > 1)
            problems.push_back({QT_TRANSLATE_NOOP("Paginor", "'%1' is stored more than once (as '%2'); the first is read"), k.toStdString(),
                                spellings.join("', '").toStdString()});
    }
    return problems;
}

std::optional<StoredValue> QtStore::read(std::string_view name) const
{
    const QString key = findKey(name);
    if (key.isEmpty())
        return std::nullopt;
    const QVariant v = m_settings->value(key);
    auto decoded = decode(v.toString());
    if (!decoded)
        return StoredValue(std::vector<std::uint8_t>{}); // unknown kind: reads as a wrong kind
    return decoded;
}

void QtStore::beginWrite()
{
    const QFileInfo info(m_settings->fileName());
    if (!QDir().mkpath(info.absolutePath()) || !m_settings->isWritable())
        throw SettingsError(kCantSaveSettings);
}

void QtStore::write(std::string_view name, const StoredValue& value)
{
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
    // One value per name whatever its case: drop an older spelling first.
    for (const QString& k : m_settings->childKeys())
        if (k.compare(wanted, Qt::CaseInsensitive) == 0 && k != wanted)
            m_settings->remove(k);
    m_settings->setValue(wanted, encode(value));
}

void QtStore::endWrite()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        throw SettingsError(kCantSaveSettings);
}

QString QtStore::encode(const StoredValue& value)
{
    if (auto i = std::get_if<std::int32_t>(&value))
        return QStringLiteral("dword:%1").arg(quint32(*i), 8, 16, QLatin1Char('0'));
    if (auto bytes = std::get_if<std::vector<std::uint8_t>>(&value)) {
        QStringList parts;
        for (auto b : *bytes)
            parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
        return QStringLiteral("hex:") + parts.join(',');
    }
    return QStringLiteral("sz:") + QString::fromStdString(std::get<std::string>(value));
}

std::optional<StoredValue> QtStore::decode(const QString& text)
{
    if (text.startsWith(QLatin1String("sz:")))
        return StoredValue(text.mid(3).toStdString());
    if (text.startsWith(QLatin1String("dword:"))) {
        const QString digits = text.mid(6);
        bool ok = false;
        const quint32 v = digits.toUInt(&ok, 16);
        if (!ok || digits.size() != 8)
            return std::nullopt;
        return StoredValue(std::int32_t(v));
    }
    if (text.startsWith(QLatin1String("hex:"))) {
        std::vector<std::uint8_t> bytes;
        const QString body = text.mid(4);
        if (body.isEmpty())
            return StoredValue(bytes);
        for (const QString& part : body.split(',')) {
            bool ok = false;
            const uint b = part.toUInt(&ok, 16);
            if (!ok || part.size() != 2)
                return std::nullopt;
            bytes.push_back(std::uint8_t(b));
        }
        return StoredValue(bytes);
    }
    return std::nullopt;
}

} // namespace settings
