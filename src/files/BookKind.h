#pragma once

#include <QString>

namespace purslet {

// Encrypted: the records as a text file holds them, encrypted under a key
// derived from the password.
enum class BookKind { Own, Backup, Text, Encrypted };

// A name ending in ".pslx" (any case) is encrypted; otherwise chosen by the
// lower-cased last three characters of the path: "psl", "bak", other.
BookKind KindOfPath(const QString &path);

} // namespace purslet
