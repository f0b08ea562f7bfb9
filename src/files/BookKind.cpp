#include "files/BookKind.h"

namespace purslet {

BookKind KindOfPath(const QString &path)
{
    if (path.endsWith(QLatin1String(".pslx"), Qt::CaseInsensitive))
        return BookKind::Encrypted;
    const QString last = path.right(3).toLower();
    if (last == QLatin1String("psl"))
        return BookKind::Own;
    if (last == QLatin1String("bak"))
        return BookKind::Backup;
    return BookKind::Text;
}

} // namespace purslet
