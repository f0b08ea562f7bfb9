#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace purslet {

QString StripTrailingBackslash(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path.left(path.size() - 1);
    return path;
}

QString ProgramFolder()
{
    const QString home = qEnvironmentVariable("PURSLET_HOME");
    if (!home.isEmpty())
        return StripTrailingBackslash(home);
    return StripTrailingBackslash(QCoreApplication::applicationDirPath());
}

QString FileTitleOf(const QString &path)
{
    const qsizetype pos = path.lastIndexOf(QLatin1Char('/'));
    return pos < 0 ? path : path.mid(pos + 1);
}

} // namespace purslet
