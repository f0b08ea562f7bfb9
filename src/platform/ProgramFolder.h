#pragma once

#include <QString>

namespace purslet {

// The path without a final separator ("/" here; a lone root stays "/"
// only as the empty text, so that joining gives one separator).
QString StripTrailingBackslash(const QString &path);

// Where the program's files are. A program run from its build folder keeps
// everything beside its executable. An installed one (the executable in
// <prefix>/bin beside <prefix>/share/purslet) serves every user of the
// machine, so each user's files live in the user's data folder.
struct ProgramPlaces
{
    QString folder;  // Setup.ini, the catalogs and the backup; never ends with a separator
    QString help;    // the help pages
    QString samples; // an installed program's samples for a new program folder; empty otherwise
};

// <prefix>/share/purslet when the executable's folder is <prefix>/bin and
// that folder exists; empty for any other folder.
QString InstalledShareFolder(const QString &executableFolder);

// The places for an executable in the given folder: the program folder is
// pursletHome when set (and then never filled with samples), else
// dataHome/purslet when installed, else the executable's folder.
ProgramPlaces ProgramPlacesFor(const QString &executableFolder, const QString &pursletHome, const QString &dataHome);
// The same for the running program, PURSLET_HOME and $XDG_DATA_HOME.
ProgramPlaces CurrentProgramPlaces();

// The folder of Setup.ini, the catalogs and the backup.
QString ProgramFolder();

// An installed program's first start for this user: creates the program
// folder and copies the sample catalogs into it, so that the matter lists
// are not empty. A folder that exists is left as it is; failures are silent.
void PrepareProgramFolder(const ProgramPlaces &places);
void PrepareProgramFolder();

// The text after the last separator; a path without one is its own title.
QString FileTitleOf(const QString &path);

} // namespace purslet
