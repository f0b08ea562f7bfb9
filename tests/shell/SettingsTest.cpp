#include "ScriptedUi.h"
#include "TempHome.h"

#include "data/IniStore.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

TEST(SettingsConversion, NumbersBooleansAndFailures)
{
    EXPECT_EQ(ToSingle(QStringLiteral("1234")), 1234.0);
    EXPECT_EQ(ToSingle(QStringLiteral(" 12.5 ")), 12.5);
    EXPECT_FALSE(ToSingle(QStringLiteral("12a")));
    EXPECT_FALSE(ToSingle(QStringLiteral("1,000")));
    EXPECT_FALSE(ToSingle(QStringLiteral("1e40"))); // beyond single precision

    EXPECT_EQ(ToInt16(QStringLiteral("2")), 2);
    EXPECT_EQ(ToInt16(QStringLiteral("-32768")), -32768);
    EXPECT_FALSE(ToInt16(QStringLiteral("32768")));
    EXPECT_EQ(ToInt16(QStringLiteral("2.5")), 2); // to the even neighbour
    EXPECT_EQ(ToInt16(QStringLiteral("3.5")), 4);
    EXPECT_FALSE(ToInt32(QStringLiteral("3000000000")));
    EXPECT_EQ(ToInt32(QStringLiteral("3000")), 3000);

    EXPECT_EQ(ToBoolean(QStringLiteral("True")), true);
    EXPECT_EQ(ToBoolean(QStringLiteral("false")), false);
    EXPECT_EQ(ToBoolean(QStringLiteral("-1")), true);
    EXPECT_EQ(ToBoolean(QStringLiteral("0")), false);
    EXPECT_FALSE(ToBoolean(QStringLiteral("yes")));

    EXPECT_EQ(FromNumber(4320), QStringLiteral("4320"));
    EXPECT_EQ(FromNumber(-15), QStringLiteral("-15"));
    EXPECT_EQ(FromNumber(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FromBoolean(true), QStringLiteral("True"));
}

TEST(SettingsTable, KeysTypesAndDefaults)
{
    const auto &t = SettingsTable();
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.front().section, QStringLiteral("frmInput"));
    EXPECT_EQ(t.back().section, QStringLiteral("frmMatter"));
    const SettingKey *memo = FindSetting(QStringLiteral("msfgCashier"), QStringLiteral("ColWidth5"));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->type, SettingType::Int32);
    EXPECT_EQ(memo->defaultText, QStringLiteral("1650"));
    EXPECT_EQ(FindSetting(QStringLiteral("msfgOutgo"), QStringLiteral("ColWidth4"))->defaultText,
              QStringLiteral("450"));
    EXPECT_EQ(FindSetting(QStringLiteral("frmMain"), QStringLiteral("SSTab"))->type, SettingType::Int16);
    EXPECT_EQ(FindSetting(QStringLiteral("Menu"), QStringLiteral("setupHighSpeedMode"))->defaultText,
              QStringLiteral("False"));
    EXPECT_FALSE(FindSetting(QStringLiteral("msfgIncome"), QStringLiteral("ColWidth5")));
}

TEST(SettingsReader, DefaultsWhenMissingOrEmptyAndBadValuesFail)
{
    TempHome home;
    IniStore ini(home.path());
    const SettingsReader reader(ini);
    EXPECT_EQ(reader.single(QStringLiteral("frmInput"), QStringLiteral("Left"), 0), 0.0);
    EXPECT_EQ(reader.boolean(QStringLiteral("Menu"), QStringLiteral("showInput"), true), true);
    EXPECT_TRUE(reader.fileHistory().isEmpty());

    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[frmInput]\nLeft=x1\nTop=\n[Menu]\nshowInput=False\n"
                                                               "[FileHistory]\n1=/a b/c.psl\n2=/d.psl\n4=/e.psl\n"));
    EXPECT_FALSE(reader.single(QStringLiteral("frmInput"), QStringLiteral("Left"), 0));
    EXPECT_EQ(reader.single(QStringLiteral("frmInput"), QStringLiteral("Top"), 77), 77.0);
    EXPECT_EQ(reader.boolean(QStringLiteral("Menu"), QStringLiteral("showInput"), true), false);
    EXPECT_EQ(reader.fileHistory(), (QStringList{QStringLiteral("/a b/c.psl"), QStringLiteral("/d.psl")}));
}

TEST(SettingsRewrite, ReplacesTheWholeFile)
{
    TempHome home;
    IniStore ini(home.path());
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[Old]\nx=1\n"));
    ASSERT_TRUE(RewriteSettings(
        ini, [](const QString &section, const QString &key) { return section + QLatin1Char('.') + key; }, {}));
    const QByteArray bytes = home.read(QStringLiteral("Setup.ini"));
    EXPECT_TRUE(bytes.startsWith("[frmInput]\r\nLeft=frmInput.Left\r\nTop=frmInput.Top\r\n"));
    EXPECT_FALSE(bytes.contains("[Old]"));
    EXPECT_FALSE(bytes.contains("FileHistory")); // no recent files, no section
    EXPECT_EQ(ini.ReadIniValue(QStringLiteral("Setup"), QStringLiteral("Menu"), QStringLiteral("showMain"), {}),
              QStringLiteral("Menu.showMain"));
}

} // namespace
