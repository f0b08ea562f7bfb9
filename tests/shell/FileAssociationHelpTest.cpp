#include "ScriptedUi.h"

#include "shell/FileAssociation.h"
#include "presenters/HelpCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

QString readUtf8(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A registration of the program at `program` into `dataHome`, with an icon
// and without the updaters.
FileTypeRegistration quietRegistration(const QString &dataHome, const QString &program)
{
    FileTypeRegistration r;
    r.programPath = program;
    r.dataHome = dataHome;
    r.iconPng = QByteArray("png");
    r.runUpdaters = false;
    return r;
}

TEST(FileAssociation, WritesTheMimePackageAndDesktopEntry)
{
    QTemporaryDir data;
    FileTypeRegistration r = quietRegistration(data.path(), QStringLiteral("/opt/My Tools/purslet"));
    RegisterFileType(r);

    const QString mime = readUtf8(data.path() + QStringLiteral("/mime/packages/purslet.xml"));
    EXPECT_TRUE(mime.contains(QStringLiteral("<mime-type type=\"application/x-purslet\">")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<comment>Pursletﾃﾞｰﾀﾌｧｲﾙ</comment>")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.psl\"/>")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.pslx\"/>")));

    const QString desktop = readUtf8(data.path() + QStringLiteral("/applications/purslet.desktop"));
    EXPECT_TRUE(desktop.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nExec=\"/opt/My Tools/purslet\" %f\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nMimeType=application/x-purslet;application/x-purslet-encrypted;\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nIcon=purslet\n")));
    EXPECT_TRUE(QFile::exists(data.path() + QStringLiteral("/icons/purslet.png")));

    // Written again on the next start from another folder: the last one wins.
    r.programPath = QStringLiteral("/usr/local/bin/purslet");
    RegisterFileType(r);
    EXPECT_TRUE(readUtf8(data.path() + QStringLiteral("/applications/purslet.desktop"))
                    .contains(QStringLiteral("Exec=\"/usr/local/bin/purslet\" %f")));
}

TEST(FileAssociation, TheRunningProgramRegistersUnderXdgDataHome)
{
    QTemporaryDir data;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    RegisterFileType(QByteArray("icon"), false);
    if (old.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old);

    const QString desktop = readUtf8(data.path() + QStringLiteral("/applications/purslet.desktop"));
    EXPECT_TRUE(desktop.contains(QStringLiteral("Exec=\"") + QCoreApplication::applicationFilePath()
                                 + QStringLiteral("\" %f")));
    EXPECT_TRUE(QFile::exists(data.path() + QStringLiteral("/mime/packages/purslet.xml")));
}

TEST(FileAssociation, UpdatersRunOnlyForWhatChanged)
{
    QTemporaryDir data;
    QStringList started;
    FileTypeRegistration r;
    r.programPath = QStringLiteral("/p/purslet");
    r.dataHome = data.path();
    r.startTool = [&](const QString &tool, const QString &) { started << tool; };
    const QStringList both{QStringLiteral("update-mime-database"), QStringLiteral("update-desktop-database")};

    RegisterFileType(r);
    EXPECT_EQ(started, both);
    // The updaters' databases, as they would have left them.
    QFile(data.path() + QStringLiteral("/applications/mimeinfo.cache")).open(QIODevice::WriteOnly);
    QDir().mkpath(data.path() + QStringLiteral("/mime/application"));
    QFile(data.path() + QStringLiteral("/mime/application/x-purslet.xml")).open(QIODevice::WriteOnly);
    started.clear();
    RegisterFileType(r);
    EXPECT_TRUE(started.isEmpty());

    r.programPath = QStringLiteral("/q/purslet");
    RegisterFileType(r);
    EXPECT_EQ(started, QStringList{both[1]});
    // A database gone since: made again although nothing changed.
    QFile::remove(data.path() + QStringLiteral("/mime/application/x-purslet.xml"));
    started.clear();
    RegisterFileType(r);
    EXPECT_EQ(started, QStringList{both[0]});
}

TEST(FileAssociation, TheIconLeavesTheUsersThemeFolder)
{
    // An earlier version's icon in a theme folder of its own goes, with the
    // folders; another program's icon in the same theme keeps its folders.
    QTemporaryDir data;
    const QString hicolor = data.path() + QStringLiteral("/icons/hicolor");
    for (const char *file : {"/48x48/apps/purslet.png", "/32x32/apps/other.png"}) {
        QDir().mkpath(QFileInfo(hicolor + QLatin1String(file)).path());
        QFile(hicolor + QLatin1String(file)).open(QIODevice::WriteOnly);
    }
    RegisterFileType(quietRegistration(data.path(), QStringLiteral("/p/purslet")));
    EXPECT_TRUE(QFile::exists(data.path() + QStringLiteral("/icons/purslet.png")));
    EXPECT_FALSE(QFileInfo::exists(hicolor + QStringLiteral("/48x48")));
    EXPECT_TRUE(QFile::exists(hicolor + QStringLiteral("/32x32/apps/other.png")));
}

TEST(FileAssociation, QuotesTheReservedCharactersOfExec)
{
    EXPECT_EQ(DesktopExecQuote(QStringLiteral("/a/b")), QStringLiteral("\"/a/b\""));
    EXPECT_EQ(DesktopExecQuote(QStringLiteral("/a$b\"c")), QStringLiteral("\"/a\\\\$b\\\\\"c\""));
    EXPECT_EQ(DesktopExecQuote(QStringLiteral("/100%")), QStringLiteral("\"/100%%\""));
    EXPECT_EQ(DesktopExecQuote(QStringLiteral("/a\\b")), QStringLiteral("\"/a\\\\\\\\b\""));
}

TEST(FileAssociation, FailuresAreSilent)
{
    QTemporaryDir data;
    QFile blocker(data.path() + QStringLiteral("/mime"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where a folder should be
    blocker.close();
    FileTypeRegistration r;
    r.programPath = QStringLiteral("/p/purslet");
    r.dataHome = data.path();
    r.runUpdaters = false;
    RegisterFileType(r);
    EXPECT_TRUE(QFile::exists(data.path() + QStringLiteral("/applications/purslet.desktop")));
}

TEST(Help, TargetsAndVersion)
{
    ScriptedUi ui;
    helpIndex_Click(ui);
    helpTopics_Click(ui);
    helpSupport_Click(ui);
    const QString folder = QCoreApplication::applicationDirPath();
    ASSERT_EQ(ui.urls.size(), 3);
    EXPECT_EQ(ui.urls[0], QStringLiteral("file://") + folder + QStringLiteral("/help/index.html"));
    EXPECT_EQ(ui.urls[1], QStringLiteral("file://") + folder + QStringLiteral("/help/topic.html"));
    EXPECT_EQ(ui.urls[2], kSupportAddress);
    EXPECT_TRUE(ui.statuses.isEmpty());

    helpVersion_Click(ui);
    helpVersion_Click(ui);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(ui.modals, (QStringList{QStringLiteral("frmVersion"), QStringLiteral("frmVersion")}));

    EXPECT_EQ(VersionLabel(3, 25), QStringLiteral("Ver.3.25"));
    EXPECT_EQ(VersionLabel(3, 5), QStringLiteral("Ver.3.05"));
    EXPECT_EQ(VersionLabel(3, 100), QStringLiteral("Ver.3.100"));
    EXPECT_EQ(VersionLabel(PURSLET_VERSION_MAJOR, PURSLET_VERSION_MINOR), QStringLiteral("Ver.3.25"));
}

} // namespace
