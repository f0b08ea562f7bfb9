#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace purslet {

QString StripTrailingBackslash(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path.left(path.size() - 1);
    return path;
}

QString InstalledShareFolder(const QString &executableFolder)
{
    const QString folder = StripTrailingBackslash(executableFolder);
    if (QFileInfo(folder).fileName() != QLatin1String("bin"))
        return {};
    const QString share = QDir::cleanPath(folder + QStringLiteral("/../share/purslet"));
    return QFileInfo(share).isDir() ? share : QString();
}

ProgramPlaces ProgramPlacesFor(const QString &executableFolder, const QString &pursletHome, const QString &dataHome)
{
    ProgramPlaces places;
    const QString share = InstalledShareFolder(executableFolder);
    if (share.isEmpty()) {
        places.folder = StripTrailingBackslash(executableFolder);
        places.help = places.folder + QStringLiteral("/help");
    } else {
        // Without a data folder (no home at all) the prefix is the only
        // place left; writes there fail as in any read-only program folder.
        places.folder = dataHome.isEmpty() ? StripTrailingBackslash(executableFolder)
                                           : StripTrailingBackslash(dataHome) + QStringLiteral("/purslet");
        places.help = share + QStringLiteral("/help");
        places.samples = share + QStringLiteral("/samples");
    }
    // A folder named by PURSLET_HOME is the user's own choice, filled by hand.
    if (!pursletHome.isEmpty()) {
        places.folder = StripTrailingBackslash(pursletHome);
        places.samples.clear();
    }
    return places;
}

ProgramPlaces CurrentProgramPlaces()
{
    return ProgramPlacesFor(QCoreApplication::applicationDirPath(), qEnvironmentVariable("PURSLET_HOME"),
                            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString ProgramFolder()
{
    return CurrentProgramPlaces().folder;
}

void PrepareProgramFolder(const ProgramPlaces &places)
{
    if (places.samples.isEmpty() || places.folder.isEmpty() || QFileInfo::exists(places.folder))
        return;
    // The backup holds the user's book: other users of the machine have no
    // business in this folder.
    if (!QDir().mkpath(QFileInfo(places.folder).absolutePath()) ||
        !QDir().mkdir(places.folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return;
    for (const char *name : {"Income.ini", "Outgo.ini"}) {
        const QString file = QLatin1Char('/') + QLatin1String(name);
        // The copy is the user's to change, whatever the installed file's mode.
        if (QFile::copy(places.samples + file, places.folder + file))
            QFile::setPermissions(places.folder + file,
                                  QFile::permissions(places.folder + file) | QFile::WriteOwner | QFile::ReadOwner);
    }
}

void PrepareProgramFolder()
{
    PrepareProgramFolder(CurrentProgramPlaces());
}

QString FileTitleOf(const QString &path)
{
    const qsizetype pos = path.lastIndexOf(QLatin1Char('/'));
    return pos < 0 ? path : path.mid(pos + 1);
}

} // namespace purslet
