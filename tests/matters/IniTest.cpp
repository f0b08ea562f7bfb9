#include "TempHome.h"

#include "data/IniFile.h"
#include "data/IniStore.h"
#include "platform/Codepage.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {
QByteArray cp932(const char *utf8)
{
    return ToCp932(QString::fromUtf8(utf8));
}
} // namespace

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed)
{
    const IniFile file = IniFile::parse(cp932("[Main]\r\n  Key = 値 は \r\nEmpty=\r\n[other]\r\nkey=2\r\n"));
    EXPECT_EQ(file.value(QStringLiteral("main"), QStringLiteral("KEY")), QStringLiteral("値 は"));
    EXPECT_EQ(file.value(QStringLiteral("OTHER"), QStringLiteral("Key")), QStringLiteral("2"));
    EXPECT_TRUE(file.value(QStringLiteral("main"), QStringLiteral("empty")).isEmpty());
    EXPECT_TRUE(file.value(QStringLiteral("main"), QStringLiteral("missing")).isNull());
    EXPECT_TRUE(file.value(QStringLiteral("nowhere"), QStringLiteral("key")).isNull());
}

TEST(IniFile, WritesReplaceInPlaceAppendToTheSectionAndKeepComments)
{
    IniFile file = IniFile::parse(cp932("; 設定\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n"));
    file.setValue(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral(" 10 "));
    file.setValue(QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("新"));
    file.setValue(QStringLiteral("C"), QStringLiteral("v"), QStringLiteral("5"));
    // The key keeps its spelling; the new key goes after the section's last entry.
    EXPECT_EQ(file.serialize(),
              cp932("; 設定\r\n[A]\r\nx=10\r\ny=2\r\nw=新\r\n\r\n[B]\r\nz=3\r\n[C]\r\nv=5\r\n"));
}

TEST(IniFile, LookupsFollowKeysInsertedInTheMiddle)
{
    IniFile file = IniFile::parse(cp932("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nx=9\r\n"));
    EXPECT_EQ(file.value(QStringLiteral("a"), QStringLiteral("x")), QStringLiteral("1")); // the first section counts
    file.setValue(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
    file.setValue(QStringLiteral("B"), QStringLiteral("w"), QStringLiteral("4"));
    file.setValue(QStringLiteral("C"), QStringLiteral("v"), QStringLiteral("5"));
    file.setValue(QStringLiteral("C"), QStringLiteral("u"), QStringLiteral("6"));
    file.setValue(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("7"));
    const QString expected[][3] = {{"A", "x", "1"}, {"A", "z", "3"}, {"B", "y", "7"}, {"B", "w", "4"},
                                   {"C", "v", "5"}, {"c", "U", "6"}, {"A", "w", ""}};
    for (const auto &e : expected)
        EXPECT_EQ(file.value(e[0], e[1]), e[2]) << qPrintable(e[1]);
    EXPECT_EQ(file.serialize(), QByteArray("[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=7\r\nw=4\r\n[a]\r\nx=9\r\n"
                                           "[C]\r\nv=5\r\nu=6\r\n"));
}

TEST(IniFile, RewritingKeepsEveryByteOfAValue)
{
    // Controls the platform converter would swap among themselves, a kanji, half-width kana.
    const QByteArray bytes("[s]\r\nk=a\x1A\x1C\x7F\x96\x7B\xB1\r\n");
    EXPECT_EQ(IniFile::parse(bytes).serialize(), bytes);
}

TEST(IniStore, MissingAndEmptyValuesReadAsTheDefault)
{
    TempHome home;
    IniStore store(home.path());
    const QString setup = QStringLiteral("Setup"), section = QStringLiteral("frmMatter"), key = QStringLiteral("Left");
    EXPECT_EQ(store.ReadIniValue(setup, section, key, QStringLiteral("1234")), QStringLiteral("1234"));
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[frmMatter]\nLeft=\n"));
    EXPECT_EQ(store.ReadIniValue(setup, section, key, QStringLiteral("1234")), QStringLiteral("1234"));
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[frmMatter]\nLeft= 3000 \nTop=1\n"));
    EXPECT_EQ(store.ReadIniValue(setup, section, key, QStringLiteral("1234")), QStringLiteral("3000"));
}

TEST(IniStore, WritesCodePage932WithCrLfAndCreatesTheFile)
{
    TempHome home;
    IniStore store(home.path());
    store.WriteIniValue(QStringLiteral("Outgo"), QStringLiteral("0"), QStringLiteral("Matter"), QStringLiteral("食費"));
    store.WriteIniValue(QStringLiteral("Outgo"), QStringLiteral("0"), QStringLiteral("Estimate"), QStringLiteral("30,000"));
    store.WriteIniValue(QStringLiteral("Outgo"), QStringLiteral("1"), QStringLiteral("Matter"), QStringLiteral("本"));
    const QByteArray expected("[0]\r\nMatter=\x90\x48\x94\xEF\r\nEstimate=30,000\r\n[1]\r\nMatter=\x96\x7B\r\n");
    EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")), expected);
    EXPECT_EQ(store.ReadIniValue(QStringLiteral("Outgo"), QStringLiteral("1"), QStringLiteral("Matter"), QString()),
              QStringLiteral("本"));
}

TEST(IniStore, LongValuesAreCutTo1023Characters)
{
    TempHome home;
    IniStore store(home.path());
    home.writeText(QStringLiteral("Setup.ini"), QStringLiteral("[s]\nk=") + QString(1500, QLatin1Char('a')) + QStringLiteral("\n"));
    EXPECT_EQ(store.ReadIniValue(QStringLiteral("Setup"), QStringLiteral("s"), QStringLiteral("k"), QString()).size(), 1023);
}

// A catalog that never ends (here a device) must read as a catalog, not
// take all the memory there is.
TEST(IniStore, AnEndlessFileIsReadOnlyAsFarAsACatalogCanReach)
{
    TempHome home;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), home.file(QStringLiteral("Income.ini"))));
    IniStore store(home.path());
    EXPECT_EQ(store.ReadIniValue(QStringLiteral("Income"), QStringLiteral("0"), QStringLiteral("Matter"),
                                 QStringLiteral("none")),
              QStringLiteral("none"));
}
