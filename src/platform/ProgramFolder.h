#pragma once

#include <QString>

namespace purslet {

// The path without a final separator ("/" here; a lone root stays "/"
// only as the empty text, so that joining gives one separator).
QString StripTrailingBackslash(const QString &path);

// The folder of Setup.ini, the catalogs and the backup: PURSLET_HOME when set,
// otherwise the folder of the executable. Never ends with a separator.
QString ProgramFolder();

// The text after the last separator; a path without one is its own title.
QString FileTitleOf(const QString &path);

} // namespace purslet
