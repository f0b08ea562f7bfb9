#include "TempHome.h"

#include "calc/Catalogs.h"
#include "data/IniStore.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QString nothing(const QString &, const QString &)
{
    return QString();
}

TEST(SetupPaths, APathCodePage932CannotHoldMakesSetupUtf8AndSurvives)
{
    TempHome home;
    IniStore ini(home.path());
    const QStringList history{QStringLiteral("/home/ユーザー/家計簿.psl"), QStringLiteral("/media/usb/😀/book.psl")};
    ASSERT_TRUE(RewriteSettings(ini, nothing, history));
    const QByteArray bytes = home.read(QStringLiteral("Setup.ini"));
    EXPECT_TRUE(bytes.startsWith(kBom + "[frmInput]\r\n"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("[FileHistory]\r\n1=/home/ユーザー/家計簿.psl\r\n").toUtf8()));
    EXPECT_EQ(SettingsReader(ini).fileHistory(), history);

    // Nothing beyond code page 932: the file stays code page 932.
    ASSERT_TRUE(RewriteSettings(ini, nothing, {history.first()}));
    EXPECT_TRUE(home.read(QStringLiteral("Setup.ini")).startsWith("[frmInput]\r\n"));
    EXPECT_EQ(SettingsReader(ini).fileHistory(), QStringList{history.first()});

    // Another writer of Setup.ini keeps what it read.
    home.write(QStringLiteral("Setup.ini"), kBom + QStringLiteral("[FileHistory]\n1=/ß/a.psl\n").toUtf8());
    ini.WriteIniValue(QStringLiteral("Setup"), QStringLiteral("frmMatter"), QStringLiteral("Left"), QStringLiteral("10"));
    EXPECT_EQ(SettingsReader(ini).fileHistory(), QStringList{QStringLiteral("/ß/a.psl")});
}

TEST(SetupPaths, OnlyTheFirstFourRecentFilesAreRead)
{
    TempHome home;
    IniStore ini(home.path());
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[FileHistory]\n1=/1.psl\n2=/2.psl\n3=/3.psl\n4=/4.psl\n"
                                                               "5=/5.psl\n6=/6.psl\n"));
    EXPECT_EQ(SettingsReader(ini).fileHistory(),
              (QStringList{QStringLiteral("/1.psl"), QStringLiteral("/2.psl"), QStringLiteral("/3.psl"),
                           QStringLiteral("/4.psl")}));
}

TEST(SetupPaths, CatalogsStayCodePage932)
{
    TempHome home;
    IniStore ini(home.path());
    ini.WriteIniValue(QStringLiteral("Outgo"), QStringLiteral("0"), QStringLiteral("Matter"), QStringLiteral("本😀"));
    EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")), QByteArray("[0]\r\nMatter=\x96\x7B?\r\n"));
}

} // namespace
