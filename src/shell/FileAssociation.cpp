#include "shell/FileAssociation.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

// The templates are compiled into the static core library; its resource
// initialiser has to be referenced or the linker drops it.
static void initDesktopResources()
{
    Q_INIT_RESOURCE(desktop);
}

namespace purslet {

namespace {
QString resourceText(const QString &name)
{
    initDesktopResources();
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

enum class Written { Same, New, Failed };

// A file that already holds these bytes is left alone: every start registers,
// and an unchanged registration costs neither a disk flush nor an updater.
Written writeFile(const QString &path, const QByteArray &bytes)
{
    QFile current(path);
    if (current.size() == bytes.size() && current.open(QIODevice::ReadOnly) && current.readAll() == bytes)
        return Written::Same;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Written::Failed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Written::Failed;
    file.write(bytes);
    return file.commit() ? Written::New : Written::Failed;
}

void runDetached(const QString &tool, const QString &folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess::startDetached(program, {folder});
}
} // namespace

QString DesktopExecQuote(const QString &path)
{
    // Inside a quoted Exec argument ", `, $ and \ take a backslash; the key's
    // value escapes that backslash once more, and % is doubled. A line break,
    // tab or carriage return can only stand in a key's value escaped.
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1String("\\\\") + c;
        else if (c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\\\\\");
        else if (c == QLatin1Char('%'))
            quoted += QLatin1String("%%");
        else if (c == QLatin1Char('\n'))
            quoted += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            quoted += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            quoted += QLatin1String("\\r");
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DesktopEntryId()
{
    return InstalledShareFolder(QCoreApplication::applicationDirPath()).isEmpty()
               ? QStringLiteral("purslet")
               : QStringLiteral("org.example.purslet");
}

QString MimePackageText()
{
    return resourceText(QStringLiteral(":/desktop/purslet.xml"));
}

QString DesktopEntryText(const QString &programPath)
{
    // The installed entry runs "purslet" from the PATH; this copy runs the
    // program where it is. GLib looks for the program under the Exec text
    // before it turns %% into %, so it would not find a path holding "%":
    // such a path reaches the program through sh, which GLib finds.
    QString command = DesktopExecQuote(programPath);
    if (programPath.contains(QLatin1Char('%')))
        command = QStringLiteral(R"(sh -c "exec \\"\\$0\\" \\"\\$@\\"" )") + command;
    QString text = resourceText(QStringLiteral(":/desktop/purslet.desktop"));
    const QString installedExec = QStringLiteral("\nExec=purslet ");
    const qsizetype at = text.indexOf(installedExec);
    if (at >= 0)
        text.replace(at, installedExec.size(), QStringLiteral("\nExec=") + command + QLatin1Char(' '));
    return text;
}

void RegisterFileType(const FileTypeRegistration &r)
{
    if (r.dataHome.isEmpty())
        return;
    const QString mimeFolder = r.dataHome + QStringLiteral("/mime");
    const QString appsFolder = r.dataHome + QStringLiteral("/applications");
    const Written mime = writeFile(mimeFolder + QStringLiteral("/packages/purslet.xml"), MimePackageText().toUtf8());
    const Written desktop =
        writeFile(appsFolder + QStringLiteral("/purslet.desktop"), DesktopEntryText(r.programPath).toUtf8());
    if (!r.iconPng.isEmpty()) {
        // Beside the themes, where icon lookups fall back to: a theme folder
        // of the user's without the theme's cache makes every program's
        // toolkit test each of the theme's folders for every icon it looks up.
        const QString icons = r.dataHome + QStringLiteral("/icons");
        writeFile(icons + QStringLiteral("/purslet.png"), r.iconPng);
        // Where earlier versions put it, and the folders made for it alone.
        const QString old = QStringLiteral("/hicolor/48x48/apps");
        if (QFile::remove(icons + old + QStringLiteral("/purslet.png"))) {
            for (QString folder = old; !folder.isEmpty(); folder.truncate(folder.lastIndexOf(QLatin1Char('/'))))
                if (!QDir().rmdir(icons + folder))
                    break;
        }
    }
    if (!r.runUpdaters)
        return;
    const auto run = r.startTool ? r.startTool : runDetached;
    // Again when an earlier update never produced its database.
    if (mime == Written::New ||
        (mime == Written::Same && !QFile::exists(mimeFolder + QStringLiteral("/application/x-purslet.xml"))))
        run(QStringLiteral("update-mime-database"), mimeFolder);
    if (desktop == Written::New ||
        (desktop == Written::Same && !QFile::exists(appsFolder + QStringLiteral("/mimeinfo.cache"))))
        run(QStringLiteral("update-desktop-database"), appsFolder);
}

void RegisterFileType(const QByteArray &iconPng, bool runUpdaters)
{
    // An installed program has the package's entry, MIME type and icons.
    if (!InstalledShareFolder(QCoreApplication::applicationDirPath()).isEmpty())
        return;
    FileTypeRegistration r;
    r.programPath = QCoreApplication::applicationFilePath();
    r.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    r.iconPng = iconPng;
    r.runUpdaters = runUpdaters;
    RegisterFileType(r);
}

} // namespace purslet
