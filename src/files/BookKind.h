#pragma once

#include <QString>

namespace purslet {

enum class BookKind { Own, Backup, Text };

// Chosen by the lower-cased last three characters of the path: "psl", "bak", other.
BookKind KindOfPath(const QString &path);

} // namespace purslet
