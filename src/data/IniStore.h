#pragma once

#include "data/IniFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>

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
    // The file as it is now, for reading many keys of it with ValueIn: one
    // look at the disk instead of one per key.
    std::shared_ptr<const IniFile> file(const QString &baseName) const;
    // ReadIniValue's rules on a file already read.
    static QString ValueIn(const IniFile &file, const QString &section, const QString &key,
                           const QString &defaultValue);
    // Writes the value; failures are not reported (as the platform call).
    void WriteIniValue(const QString &baseName, const QString &section, const QString &key, const QString &value);
    // Same, but a failed write throws RuntimeError.
    void writeValueOrThrow(const QString &baseName, const QString &section, const QString &key,
                           const QString &value);

    // Forget cached contents (after a file was removed or replaced by us).
    void invalidate(const QString &baseName);

    // Setup.ini keeps paths that code page 932 cannot hold; the catalogs,
    // shared with other machines, stay code page 932.
    static IniFile::Encoding encodingOf(const QString &baseName);

private:
    struct Cached
    {
        std::shared_ptr<const IniFile> file;
        qint64 size = -1;
        QDateTime modified;
    };
    std::shared_ptr<const IniFile> load(const QString &path) const;

    QString m_folder;
    mutable QHash<QString, Cached> m_cache;
};

} // namespace purslet
