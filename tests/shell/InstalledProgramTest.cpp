#include "platform/ProgramFolder.h"
#include "shell/FileAssociation.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace purslet;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A prefix as the package lays it out: bin/ and share/purslet/ with the samples.
struct Prefix
{
    QTemporaryDir dir;
    QString bin() const { return dir.path() + QStringLiteral("/usr/bin"); }
    QString share() const { return dir.path() + QStringLiteral("/usr/share/purslet"); }
    Prefix()
    {
        QDir().mkpath(bin());
        writeFile(share() + QStringLiteral("/samples/Income.ini"), "[Income]\r\n");
        writeFile(share() + QStringLiteral("/samples/Outgo.ini"), "[Outgo]\r\n");
    }
};

TEST(ProgramPlaces, BuildFolderInstalledPrefixAndPursletHome)
{
    Prefix prefix;
    const QString data = QStringLiteral("/home/u/.local/share");
    const QString build = prefix.dir.path() + QStringLiteral("/build");
    // A "bin" folder with no share/purslet beside it is not an installation.
    QTemporaryDir bare;
    QDir().mkpath(bare.path() + QStringLiteral("/bin"));

    struct Case
    {
        QString executableFolder, pursletHome, dataHome;
        QString folder, help, samples;
    };
    const Case cases[] = {
        {build, {}, data, build, build + QStringLiteral("/help"), {}},
        {build + QLatin1Char('/'),
         QStringLiteral("/h/"),
         data,
         QStringLiteral("/h"),
         build + QStringLiteral("/help"),
         {}},
        {prefix.bin(),
         {},
         data,
         data + QStringLiteral("/purslet"),
         prefix.share() + QStringLiteral("/help"),
         prefix.share() + QStringLiteral("/samples")},
        {prefix.bin() + QLatin1Char('/'),
         {},
         data + QLatin1Char('/'),
         data + QStringLiteral("/purslet"),
         prefix.share() + QStringLiteral("/help"),
         prefix.share() + QStringLiteral("/samples")},
        {prefix.bin(), QStringLiteral("/h"), data, QStringLiteral("/h"), prefix.share() + QStringLiteral("/help"), {}},
        {prefix.bin(),
         {},
         {},
         prefix.bin(),
         prefix.share() + QStringLiteral("/help"),
         prefix.share() + QStringLiteral("/samples")},
        {bare.path() + QStringLiteral("/bin"),
         {},
         data,
         bare.path() + QStringLiteral("/bin"),
         bare.path() + QStringLiteral("/bin/help"),
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.executableFolder.toStdString() + " home=" + c.pursletHome.toStdString());
        const ProgramPlaces places = ProgramPlacesFor(c.executableFolder, c.pursletHome, c.dataHome);
        EXPECT_EQ(places.folder, c.folder);
        EXPECT_EQ(places.help, c.help);
        EXPECT_EQ(places.samples, c.samples);
    }
}

TEST(ProgramPlaces, FirstStartCopiesTheSampleCatalogsOnce)
{
    Prefix prefix;
    QTemporaryDir data;
    const ProgramPlaces places = ProgramPlacesFor(prefix.bin(), {}, data.path() + QStringLiteral("/deeper"));
    // An installed file may be read-only; the user's copy must take new matters.
    QFile::setPermissions(prefix.share() + QStringLiteral("/samples/Outgo.ini"), QFile::ReadOwner | QFile::ReadOther);

    PrepareProgramFolder(places);
    const QFileDevice::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFile::permissions(places.folder) & others);
    EXPECT_EQ(readFile(places.folder + QStringLiteral("/Income.ini")), QByteArray("[Income]\r\n"));
    EXPECT_EQ(readFile(places.folder + QStringLiteral("/Outgo.ini")), QByteArray("[Outgo]\r\n"));
    EXPECT_TRUE(QFile::permissions(places.folder + QStringLiteral("/Outgo.ini")) & QFile::WriteOwner);

    // Later starts keep what the user made of the folder, even an emptied catalog.
    QFile::remove(places.folder + QStringLiteral("/Income.ini"));
    writeFile(places.folder + QStringLiteral("/Outgo.ini"), "mine");
    PrepareProgramFolder(places);
    EXPECT_FALSE(QFile::exists(places.folder + QStringLiteral("/Income.ini")));
    EXPECT_EQ(readFile(places.folder + QStringLiteral("/Outgo.ini")), QByteArray("mine"));

    // A build folder's program and PURSLET_HOME are never filled.
    const QString home = data.path() + QStringLiteral("/home");
    PrepareProgramFolder(ProgramPlacesFor(prefix.bin(), home, data.path()));
    PrepareProgramFolder(ProgramPlacesFor(data.path() + QStringLiteral("/build"), {}, data.path()));
    EXPECT_FALSE(QFile::exists(home));
    EXPECT_FALSE(QFile::exists(data.path() + QStringLiteral("/build")));
}

// GLib, as the desktop runs it, launches the registered entry for a book
// whatever the folder of the program is called.
TEST(FileAssociation, GlibLaunchesTheProgramFromAnyFolder)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    QTemporaryDir dir;
    const QString record = dir.path() + QStringLiteral("/args");
    const QString book = dir.path() + QStringLiteral("/my book.psl");
    const QString folders[] = {QStringLiteral("My Tools"),      QStringLiteral("100%"),  QStringLiteral("a %f b"),
                               QStringLiteral("$HOME `x`"),     QStringLiteral("q\"q'"), QStringLiteral("b\\s"),
                               QStringLiteral("tab\tand\nline")};
    for (const QString &folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        const QString program = dir.path() + QLatin1Char('/') + folder + QStringLiteral("/purslet");
        ASSERT_TRUE(writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$RECORD.tmp\"\n"
                                       "mv \"$RECORD.tmp\" \"$RECORD\"\n"));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString entry = dir.path() + QStringLiteral("/purslet.desktop");
        ASSERT_TRUE(writeFile(entry, DesktopEntryText(program).toUtf8()));
        QFile::remove(record);

        QProcess launch;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("RECORD"), record);
        launch.setProcessEnvironment(env);
        launch.start(gio, {QStringLiteral("launch"), entry, book});
        ASSERT_TRUE(launch.waitForFinished(20000));
        EXPECT_EQ(launch.exitCode(), 0) << launch.readAllStandardError().toStdString();
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(record) && !deadline.hasExpired())
            QThread::msleep(20);
        EXPECT_EQ(QString::fromUtf8(readFile(record)), program + QLatin1Char('\n') + book + QLatin1Char('\n'));
    }
}

} // namespace
