#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

namespace purslet {

// What the desktop needs to open *.psl files with this program.
struct FileTypeRegistration
{
    QString programPath; // the executable, absolute
    QString dataHome;    // $XDG_DATA_HOME, default ~/.local/share
    QByteArray iconPng;  // the program's icon; nothing is written for it when empty
    bool runUpdaters = true;
    // Starts an updater (tool, folder) without waiting; empty: the system's.
    std::function<void(const QString &, const QString &)> startTool;
};

inline const QString kMimeType = QStringLiteral("application/x-purslet");

// The name of the desktop entry that started this program, without
// ".desktop": the package's for an installed program, the per-user copy's
// otherwise. The desktop matches windows to their entry by it.
QString DesktopEntryId();

// The quoted program path for the Exec key of a desktop entry.
QString DesktopExecQuote(const QString &path);
// The package's MIME type and desktop entry, the entry running programPath.
QString MimePackageText();
QString DesktopEntryText(const QString &programPath);

// Writes the MIME package, the desktop entry and the icon under the data
// home, then refreshes the desktop's caches when the tools are there. Runs on
// every start; every failure is silent and what could be written stays.
void RegisterFileType(const FileTypeRegistration &registration);
// The same for the running program and the user's data home
// ($XDG_DATA_HOME, default ~/.local/share); nothing for an installed program,
// whose package brought all of it.
void RegisterFileType(const QByteArray &iconPng, bool runUpdaters = true);

} // namespace purslet
