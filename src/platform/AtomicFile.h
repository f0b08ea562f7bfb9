#pragma once

#include <QByteArray>
#include <QString>

namespace purslet {

enum class SyncToDisk { Yes, No };

// Replaces the file with the bytes in one step: a failed write keeps the old
// file whole. Throws RuntimeError (61 disk full, 70 permission, 76 path).
// SyncToDisk::No skips waiting for the disk, for scratch files such as the
// undo backup, whose loss in a power cut costs nothing.
void WriteFileAtomically(const QString &path, const QByteArray &bytes, SyncToDisk sync = SyncToDisk::Yes);

// Reads a whole file. Throws RuntimeError 53 when it does not exist.
QByteArray ReadWholeFile(const QString &path);

// Removes a file; a missing file is RuntimeError 53.
void RemoveFile(const QString &path);

} // namespace purslet
