#include "platform/AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>

namespace purslet {

namespace {
[[noreturn]] void throwFor(const QString &path, QFileDevice::FileError error)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw RuntimeError(RuntimeError::PathNotFound);
    switch (error) {
    case QFileDevice::PermissionsError:
        throw RuntimeError(RuntimeError::PermissionDenied);
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        throw RuntimeError(RuntimeError::DiskFull);
    default:
        throw RuntimeError(RuntimeError::PermissionDenied);
    }
}
} // namespace

namespace {
void writeWithoutSync(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw RuntimeError(RuntimeError::PathNotFound);
    QTemporaryFile file(info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1String(".XXXXXX"));
    if (!file.open())
        throwFor(path, file.error());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throwFor(path, file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error());
    file.close();
    // rename() replaces the old file in one step; QFile::rename would refuse.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        throwFor(path, QFileDevice::PermissionsError);
    file.setAutoRemove(false);
}
} // namespace

void WriteFileAtomically(const QString &path, const QByteArray &bytes, SyncToDisk sync)
{
    if (sync == SyncToDisk::No) {
        writeWithoutSync(path, bytes);
        return;
    }
    QSaveFile file(path);
    // A file in a folder we may not create temporaries in still gets written.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throwFor(path, file.error());
    if (file.write(bytes) != bytes.size()) {
        const auto err = file.error();
        file.cancelWriting();
        throwFor(path, err == QFileDevice::NoError ? QFileDevice::WriteError : err);
    }
    if (!file.commit())
        throwFor(path, file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error());
}

QByteArray ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        if (!info.absoluteDir().exists())
            throw RuntimeError(RuntimeError::PathNotFound);
        if (!info.exists())
            throw RuntimeError(RuntimeError::FileNotFound);
        throw RuntimeError(RuntimeError::PermissionDenied);
    }
    return file.readAll();
}

void RemoveFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(RuntimeError::FileNotFound);
    if (!file.remove())
        throw RuntimeError(RuntimeError::PermissionDenied);
}

} // namespace purslet
