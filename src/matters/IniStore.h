#pragma once

#include "matters/IniFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

namespace purslet {

// The settings files beside the program ("Setup", "Income", "Outgo" + ".ini").
// Parsed files are kept while their size and time on disk stay the same.
class IniStore final
{
public:
    IniStore() = default;
    // A fixed folder instead of ProgramFolder() (tests, the command line).
    explicit IniStore(QString folder) : m_folder(std::move(folder)) {}

    QString folder() const;
    QString pathOf(const QString &baseName) const;

    // The stored value (at most 1,023 characters), or the default when the
    // key is missing or empty.
    QString ReadIniValue(const QString &baseName, const QString &section, const QString &key,
                         const QString &defaultValue) const;
    // Writes the value; failures are not reported (as the platform call).
    void WriteIniValue(const QString &baseName, const QString &section, const QString &key, const QString &value);
    // Same, but a failed write throws RuntimeError.
    void writeValueOrThrow(const QString &baseName, const QString &section, const QString &key,
                           const QString &value);

    // Forget cached contents (after a file was removed or replaced by us).
    void invalidate(const QString &baseName);

private:
    struct Cached
    {
        IniFile file;
        qint64 size = -1;
        QDateTime modified;
    };
    const IniFile &load(const QString &path) const;

    QString m_folder;
    mutable QHash<QString, Cached> m_cache;
};

} // namespace purslet
