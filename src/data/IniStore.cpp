#include "data/IniStore.h"

#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

namespace purslet {

QString IniStore::folder() const
{
    return m_folder.isEmpty() ? ProgramFolder() : StripTrailingBackslash(m_folder);
}

QString IniStore::pathOf(const QString &baseName) const
{
    return folder() + QLatin1Char('/') + baseName + QLatin1String(".ini");
}

IniFile::Encoding IniStore::encodingOf(const QString &baseName)
{
    return baseName.compare(QLatin1String("Setup"), Qt::CaseInsensitive) == 0 ? IniFile::Encoding::Utf8WhenNeeded
                                                                              : IniFile::Encoding::Cp932;
}

std::shared_ptr<const IniFile> IniStore::load(const QString &path) const
{
    const QFileInfo info(path);
    Cached &cached = m_cache[path];
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (cached.file && cached.size == size && cached.modified == modified && size >= 0)
        return cached.file;
    cached.size = size;
    cached.modified = modified;
    auto parsed = std::make_shared<IniFile>();
    if (size >= 0) {
        QFile file(path);
        // Bounded like the book readers: a catalog of 32,768 entries is a
        // megabyte or two, and a device or a runaway file must not exhaust memory.
        // Asked for what the file holds, not the bound: read() sets aside all
        // it is asked for before it reads.
        constexpr qint64 kMostBytes = qint64(16) << 20;
        if (file.open(QIODevice::ReadOnly))
            *parsed = IniFile::parse(
                file.read(file.isSequential() || size == 0 ? kMostBytes : std::min(size, kMostBytes)));
        else
            cached.size = -1; // unreadable: try again next time
    }
    cached.file = parsed;
    return cached.file;
}

std::shared_ptr<const IniFile> IniStore::file(const QString &baseName) const
{
    return load(pathOf(baseName));
}

QString IniStore::ValueIn(const IniFile &file, const QString &section, const QString &key,
                          const QString &defaultValue)
{
    const QString value = file.value(section, key);
    if (value.isEmpty())
        return defaultValue;
    return value.left(1023);
}

QString IniStore::ReadIniValue(const QString &baseName, const QString &section, const QString &key,
                               const QString &defaultValue) const
{
    return ValueIn(*load(pathOf(baseName)), section, key, defaultValue);
}

void IniStore::writeValueOrThrow(const QString &baseName, const QString &section, const QString &key,
                                 const QString &value)
{
    const QString path = pathOf(baseName);
    auto file = std::make_shared<IniFile>(*load(path));
    file->setValue(section, key, value);
    m_cache.remove(path);
    WriteFileAtomically(path, file->serialize(encodingOf(baseName)));
    const QFileInfo info(path);
    m_cache.insert(path, Cached{std::move(file), info.size(), info.lastModified()});
}

void IniStore::WriteIniValue(const QString &baseName, const QString &section, const QString &key,
                             const QString &value)
{
    try {
        writeValueOrThrow(baseName, section, key, value);
    } catch (const RuntimeError &) {
        // The platform call's result is not looked at either.
    }
}

void IniStore::invalidate(const QString &baseName)
{
    m_cache.remove(pathOf(baseName));
}

} // namespace purslet
