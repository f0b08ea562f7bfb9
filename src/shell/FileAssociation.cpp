#include "shell/FileAssociation.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace purslet {

namespace {
bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
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
    // value escapes that backslash once more, and % is doubled.
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1String("\\\\") + c;
        else if (c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\\\\\");
        else if (c == QLatin1Char('%'))
            quoted += QLatin1String("%%");
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString MimePackageText()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"application/x-purslet\">\n"
                          "    <comment>Pursletﾃﾞｰﾀﾌｧｲﾙ</comment>\n"
                          "    <icon name=\"purslet\"/>\n"
                          "    <glob pattern=\"*.psl\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n");
}

QString DesktopEntryText(const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Purslet\n"
                          "Comment=Pursletﾃﾞｰﾀﾌｧｲﾙ\n"
                          "Exec=%1 %f\n"
                          "Icon=purslet\n"
                          "MimeType=application/x-purslet;\n"
                          "Terminal=false\n"
                          "Categories=Office;Finance;\n")
        .arg(DesktopExecQuote(programPath));
}

void RegisterFileType(const FileTypeRegistration &r)
{
    if (r.dataHome.isEmpty())
        return;
    const QString mimeFolder = r.dataHome + QStringLiteral("/mime");
    const QString appsFolder = r.dataHome + QStringLiteral("/applications");
    const bool mimeWritten =
        writeFile(mimeFolder + QStringLiteral("/packages/purslet.xml"), MimePackageText().toUtf8());
    const bool desktopWritten =
        writeFile(appsFolder + QStringLiteral("/purslet.desktop"), DesktopEntryText(r.programPath).toUtf8());
    if (!r.iconPng.isEmpty())
        writeFile(r.dataHome + QStringLiteral("/icons/hicolor/48x48/apps/purslet.png"), r.iconPng);
    if (!r.runUpdaters)
        return;
    if (mimeWritten)
        runDetached(QStringLiteral("update-mime-database"), mimeFolder);
    if (desktopWritten)
        runDetached(QStringLiteral("update-desktop-database"), appsFolder);
}

void RegisterFileType(const QByteArray &iconPng, bool runUpdaters)
{
    FileTypeRegistration r;
    r.programPath = QCoreApplication::applicationFilePath();
    r.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    r.iconPng = iconPng;
    r.runUpdaters = runUpdaters;
    RegisterFileType(r);
}

} // namespace purslet
