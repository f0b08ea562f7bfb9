#include "ProgramRun.h"
#include "TempHome.h"

#include "graph/ChartModel.h"
#include "platform/Codepage.h"
#include "shell/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

class ChartCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText("Outgo.ini", "[0]\nMatter=食費\nEstimate=10,000\n[1]\nMatter=本\nEstimate=500\n");
        // Outgo sorted by the actual, largest first, as the book window left it.
        home.writeText("Setup.ini", "[msfgOutgo]\nCurrentCol=3\nSortAscending=False\n");
        home.write("book.csv", ToCp932("\"2026/05/01\",\"食費\",\"\",\"12,000\",\"\"\r\n"
                                       "\"2026/05/02\",\"本\",\"\",\"300\",\"\"\r\n"
                                       "\"2026/05/03\",\"\",\"\",\"1,000\",\"\"\r\n"
                                       "\"2026/05/04\",\"\",\"5,000\",\"\",\"\"\r\n"));
    }

    // The command run in this process with the given renderers.
    int run(const QStringList &arguments, const CommandLineRenderers &renderers)
    {
        return RunCommandLine(QStringList{QStringLiteral("purslet")} + arguments, renderers);
    }

    TempHome home;
};

} // namespace

TEST_F(ChartCommandLine, AdvicePrintsTheThreeKindsUnderTheirCaptions)
{
    const ProgramRun advice = RunProgram({"--advice", home.file("book.csv")});
    ASSERT_EQ(advice.exitCode, 0) << qPrintable(advice.err);
    EXPECT_EQ(advice.out, "収支割合グラフ\n"
                          "　収入合計額の割合は27%、支出合計額の割合は73%です。\n"
                          "　現在の赤字は、補うことができません。収入予定額を上方修正するか、"
                          "臨時収入を得るなどの措置を取ってください。\n"
                          "\n"
                          "収入事柄別グラフ\n"
                          "　その他の差額は-5,000円で、すでに収入額は収入予定額に達しています。\n"
                          "\n"
                          "支出事柄別グラフ\n"
                          "　食費の差額は-2,000円で、すでに支出額は支出予定額に達しています。\n"
                          "　その他の差額は-1,000円で、すでに支出額は支出予定額に達しています。\n"
                          "　本の差額は200円で、まだ支出額は支出予定額に達していません。\n"
                          "\n");
    EXPECT_TRUE(advice.err.isEmpty());

    // No records: no remainder row, and no income matter to speak of.
    home.write("empty.csv", QByteArray());
    const ProgramRun empty = RunProgram({"--advice", home.file("empty.csv")});
    ASSERT_EQ(empty.exitCode, 0) << qPrintable(empty.err);
    EXPECT_TRUE(empty.out.endsWith("収入事柄別グラフ\n\n支出事柄別グラフ\n"
                                   "　食費の差額は10,000円で、まだ支出額は支出予定額に達していません。\n"
                                   "　本の差額は500円で、まだ支出額は支出予定額に達していません。\n\n"))
        << qPrintable(empty.out);
}

TEST_F(ChartCommandLine, ChartHandsTheModelToTheRendererAndWritesItsBytes)
{
    ChartModel seen;
    QSize seenSize;
    CommandLineRenderers renderers;
    renderers.chart = [&](const ChartModel &model, QSize size, QString &) {
        seen = model;
        seenSize = size;
        return QByteArray("PNG bytes");
    };
    ASSERT_EQ(run({"--chart", "2", home.file("book.csv"), home.file("out.png"), "--size", "320x200"}, renderers), 0);
    EXPECT_EQ(seen.kind, ChartKind::Outgo);
    EXPECT_EQ(seen.categories, (QStringList{QStringLiteral("食費"), QStringLiteral("その他"), QStringLiteral("本")}));
    EXPECT_EQ(seenSize, QSize(320, 200));
    EXPECT_EQ(home.read("out.png"), "PNG bytes");

    ASSERT_EQ(run({"--chart", "0", home.file("book.csv"), home.file("pie.png")}, renderers), 0);
    EXPECT_EQ(seen.values, (std::vector<std::array<qint64, 2>>{{5000, 13300}}));
    EXPECT_EQ(seenSize, QSize(800, 600));

    // A renderer that fails, or none at all: the image already there stays.
    renderers.chart = [](const ChartModel &, QSize, QString &error) {
        error = QStringLiteral("no fonts");
        return QByteArray();
    };
    EXPECT_EQ(run({"--chart", "1", home.file("book.csv"), home.file("out.png")}, renderers), 1);
    EXPECT_EQ(run({"--chart", "1", home.file("book.csv"), home.file("out.png")}, {}), 1);
    EXPECT_EQ(home.read("out.png"), "PNG bytes");
    EXPECT_FALSE(home.exists("out.png.tmp"));
}

TEST_F(ChartCommandLine, ChartUsageErrors)
{
    for (const QStringList &arguments : QList<QStringList>{
             {"--chart", "3", "book.csv", "out.png"},
             {"--chart", "x", "book.csv", "out.png"},
             {"--chart", "1", "book.csv"},
             {"--chart", "1", "book.csv", "out.png", "--size", "0x100"},
             {"--chart", "1", "book.csv", "out.png", "--size", "100x100000"},
             {"--chart", "1", "book.csv", "out.png", "--size", "100"},
             {"--chart", "1", "book.csv", "out.png", "--size"},
             {"--advice", "book.csv", "--size", "100x100"},
             {"--advice"},
         }) {
        const ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(arguments.join(' '));
        EXPECT_TRUE(run.err.contains("--chart KIND FILE OUT.png [--size WxH]")) << qPrintable(run.err);
    }
}

TEST_F(ChartCommandLine, AMissingDrawingPartIsToldAndNothingIsWritten)
{
    // The program and its desktop part without the drawing part beside them.
    const QString built = QFileInfo(ProgramPath()).path();
    if (!QFile::exists(built + QStringLiteral("/purslet-desktop.so")))
        GTEST_SKIP() << "built without the desktop part";
    const QString bin = home.file("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    for (const char *name : {"purslet", "purslet-desktop.so"})
        ASSERT_TRUE(QFile::copy(built + QLatin1Char('/') + QLatin1String(name), bin + QLatin1Char('/') + QLatin1String(name)));
    QProcess program;
    program.start(bin + QStringLiteral("/purslet"), {"--chart", "0", home.file("book.csv"), home.file("out.png")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.readAllStandardError().contains("the drawing part cannot be loaded"));
    EXPECT_FALSE(QFile::exists(home.file("out.png")));
}
