#pragma once

#include <QByteArray>
#include <QString>

namespace purslet {

// Replaces the file with the bytes in one step: a failed write keeps the old
// file whole. Throws RuntimeError (61 disk full, 70 permission, 76 path).
void WriteFileAtomically(const QString &path, const QByteArray &bytes);

// Reads a whole file. Throws RuntimeError 53 when it does not exist.
QByteArray ReadWholeFile(const QString &path);

// Removes a file; a missing file is RuntimeError 53.
void RemoveFile(const QString &path);

} // namespace purslet
