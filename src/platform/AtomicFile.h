#pragma once

#include <QByteArray>
#include <QString>

namespace purslet {

enum class SyncToDisk { Yes, No };

// Replaces the file with the bytes in one step: a failed write keeps the old
// file whole. A symlink stays a symlink and its target is replaced; the
// file's mode is kept. A read-only file is refused, not replaced.
// Throws RuntimeError: 61 disk full, 70 permission denied, 75 a folder or
// another path that is no file, 76 path not found. SyncToDisk::No skips
// waiting for the disk, for scratch files such as the undo backup, whose
// loss in a power cut costs nothing.
void WriteFileAtomically(const QString &path, const QByteArray &bytes, SyncToDisk sync = SyncToDisk::Yes);

// Reads a whole file of at most maxBytes. Throws RuntimeError: 53 when it
// does not exist, 76 when its folder does not, 70 when it may not be read,
// 75 for a folder or a device that fails, FileTooLarge past maxBytes.
QByteArray ReadWholeFile(const QString &path, qint64 maxBytes);

// True when both names lead to one existing file: the same name, a symbolic
// link or a hard link.
bool IsSameFile(const QString &a, const QString &b);

// Removes a file; a missing file is RuntimeError 53.
void RemoveFile(const QString &path);

} // namespace purslet
