// The settings key on disk: an INI file in the user's XDG config folder, written through
// QSettings. Each value keeps its registry kind in its text ("dword:", "hex:", "sz:"), so a
// float comes back as the same 8 bytes and a string is never taken for a number.
#pragma once

#include "core/message.h"

#include "settings/core/settings.h"

#include <QString>

#include <memory>

class QSettings;

namespace settings {

class QtStore final : public Store {
public:
    // The user's settings file: $XDG_CONFIG_HOME/Korvan/Paginor.conf.
    QtStore();
    // A settings file of the caller's choosing (tests).
    explicit QtStore(const QString& filePath);
    ~QtStore() override;

    bool canRead() const override;
    std::optional<StoredValue> read(std::string_view name) const override;
    std::vector<core::Message> keyProblems() const override;
    void beginWrite() override;
    void write(std::string_view name, const StoredValue& value) override;
    void endWrite() override;

    QString fileName() const;

    // The text form of a stored value, and back (nullopt for text of no known kind).
    static QString encode(const StoredValue& value);
    static std::optional<StoredValue> decode(const QString& text);

private:
    QString findKey(std::string_view name) const;
    // The keys of the file's general section in the order the file holds them.
    QStringList keysInFileOrder() const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace settings
