#include "OwnBookBytes.h"
#include "ProgramRun.h"
#include "TempHome.h"

#include "ScriptedUi.h"

#include "operations/BookOperations.h"
#include "operations/BookReader.h"
#include "platform/Codepage.h"
#include "printing/PrintLayout.h"
#include "shell/CommandLine.h"
#include "state/App.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using purslet::FromCp932;
using purslet::ToCp932;
using namespace purslet::test;

namespace {

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

const QList<QStringList> kRecords = {
    {"2026/04/01", "お小遣い", "3,000", "", "4月分"},
    {"2026/04/03", "食費", "", "650", "学食, ランチ"},
};

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText("Income.ini", "[0]\nMatter=お小遣い\nEstimate=3,000\n");
        home.writeText("Outgo.ini", "[0]\nMatter=食費\nEstimate=1,000\n");
    }

    TempHome home;
};

} // namespace

TEST_F(CommandLine, ReportPrintsTheThreeTablesInUtf8)
{
    home.write("book.psl", ownBook("", kRecords));
    const ProgramRun run = RunProgram({"--report", home.file("book.psl")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_FALSE(run.out.contains(QLatin1Char('\r')));
    ASSERT_TRUE(run.out.endsWith(QLatin1Char('\n')));

    const QStringList lines = run.out.chopped(1).split(QLatin1Char('\n'));
    const QString empty = spaces(10) + "|" + spaces(20) + "|" + spaces(19) + "|" + spaces(19) + "|" + spaces(20) + "|";
    const QStringList cashBook = {
        "",
        "",
        "",
        "記入日" + spaces(4) + "|事柄" + spaces(16) + "|" + spaces(15) + "収入|" + spaces(15) + "支出|" + spaces(16)
            + "小計|メモ",
        "2026/04/01|お小遣い" + spaces(12) + "|" + spaces(14) + "3,000|" + spaces(19) + "|" + spaces(15) + "3,000|4月分",
        "2026/04/03|食費" + spaces(16) + "|" + spaces(19) + "|" + spaces(16) + "650|" + spaces(15)
            + "2,350|学食, ランチ",
        empty,
        empty,
        "合計" + spaces(6) + "|---" + spaces(17) + "|" + spaces(14) + "3,000|" + spaces(16) + "650|" + spaces(15)
            + "2,350|---",
    };
    ASSERT_GE(lines.size(), cashBook.size() + 10);
    EXPECT_EQ(lines.mid(0, cashBook.size()), cashBook);

    // The income table follows after three empty lines, then the outgo table.
    const QStringList rest = lines.mid(cashBook.size());
    EXPECT_EQ(rest.mid(0, 3), QStringList({"", "", ""}));
    EXPECT_EQ(rest.at(3), "事柄" + spaces(16) + "|" + spaces(9) + "収入予定額|" + spaces(15) + "収入|割合|" + spaces(16)
                              + "差額");
    EXPECT_TRUE(rest.contains("お小遣い" + spaces(12) + "|" + spaces(14) + "3,000|" + spaces(14) + "3,000| 100|"
                              + spaces(19) + "0"));
    const qsizetype outgo = rest.indexOf("事柄" + spaces(16) + "|" + spaces(15) + "底値|" + spaces(9) + "支出予定額|"
                                         + spaces(15) + "支出|割合|" + spaces(16) + "差額");
    ASSERT_GT(outgo, 3);
    EXPECT_EQ(rest.mid(outgo - 3, 3), QStringList({"", "", ""}));
    EXPECT_TRUE(rest.mid(outgo).filter(QRegularExpression("^食費 +\\|")).size() == 1);
}

TEST_F(CommandLine, ConvertRoundTripsThroughText)
{
    const QByteArray original = ownBook("pw", kRecords);
    home.write("book.psl", original);

    ProgramRun run = RunProgram({"--convert", home.file("book.psl"), home.file("book.csv"), "--password-stdin"}, "pw\n");
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(FromCp932(home.read("book.csv")),
              "\"2026/04/01\",\"お小遣い\",\"3,000\",\"\",\"4月分\"\r\n"
              "\"2026/04/03\",\"食費\",\"\",\"650\",\"学食, ランチ\"\r\n");

    // Back to a book protected by a new password.
    run = RunProgram({"--password-stdin", "--convert", home.file("book.csv"), home.file("again.psl")}, "new\r\n");
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(home.read("again.psl"), ownBook("new", kRecords));

    const ProgramRun before = RunProgram({"--report", home.file("book.psl"), "--password-stdin"}, "pw\n");
    const ProgramRun after = RunProgram({"--report", home.file("again.psl"), "--password-stdin"}, "new\n");
    EXPECT_EQ(before.exitCode, 0);
    EXPECT_EQ(after.exitCode, 0);
    EXPECT_EQ(after.out, before.out);
}

TEST_F(CommandLine, ConvertWithoutPasswordWritesAnOpenBook)
{
    home.write("book.csv", ToCp932("\"2026/05/01\",\"\",\"500\",\"\",\"\"\r\n"));
    const ProgramRun run = RunProgram({"--convert", home.file("book.csv"), home.file("book.psl")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(home.read("book.psl"), ownBook("", {{"2026/05/01", "", "500", "", ""}}));
}

TEST_F(CommandLine, FailuresNameTheFileOnOneLine)
{
    const QString missing = home.file("missing.psl");
    ProgramRun run = RunProgram({"--report", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, "purslet: " + missing + ": ファイルが存在しないため、開くことはできません\n");

    home.write("locked.psl", ownBook("Secret", kRecords));
    const QString locked = home.file("locked.psl");
    const QString refused = "purslet: " + locked + ": パスワードが違うためファイルが開けません。\n";
    run = RunProgram({"--report", locked, "--password-stdin"}, "secret\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, refused);
    // Without a way to ask, the password is the empty answer and is refused too.
    run = RunProgram({"--convert", locked, home.file("out.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, refused);
    EXPECT_FALSE(home.exists("out.csv"));
}

TEST_F(CommandLine, APasswordIsComparedAndSetAsTheBookGivesItBack)
{
    // Locked with "a－b": a, 0x817C, b.
    home.write("locked.psl", "\"8061017C8062\"\r\n" + ownBook("", kRecords).mid(4));
    const struct
    {
        const char *typed;
        int exitCode;
    } cases[] = {
        {"a\xE2\x88\x92" "b\n", 0}, // U+2212, as an input method gives it
        {"a\xEF\xBC\x8D" "b\n", 0}, // U+FF0D
        {"a-b\n", 1},
    };
    for (const auto &k : cases) {
        const ProgramRun run = RunProgram({"--report", home.file("locked.psl"), "--password-stdin"}, k.typed);
        EXPECT_EQ(run.exitCode, k.exitCode) << k.typed << qPrintable(run.err);
    }
    // Set with U+2212, the book opens with what was typed.
    ProgramRun run = RunProgram({"--convert", home.file("locked.psl"), home.file("again.psl"), "--password-stdin"},
                                "a\xE2\x88\x92" "b\n");
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(home.read("again.psl").startsWith("\"8061017C8062\"\r\n"));
    run = RunProgram({"--report", home.file("again.psl"), "--password-stdin"}, "a\xE2\x88\x92" "b\n");
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
}

TEST_F(CommandLine, RunTimeErrorsEndWithTheirDescription)
{
    // An income that is not a number stops the recalculation.
    home.write("bad.csv", ToCp932("\"2026/05/01\",\"\",\"abc\",\"\",\"\"\r\n"));
    ProgramRun run = RunProgram({"--report", home.file("bad.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("purslet: " + home.file("bad.csv") + ": ")) << qPrintable(run.err);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(run.err.contains("処理を続けますか"));

    // A field that is not hexadecimal in an own book file.
    home.write("bad.psl", "\"\"\r\n\"XYZW\",\"\",\"\",\"\",\"\"\r\n");
    run = RunProgram({"--convert", home.file("bad.psl"), home.file("bad-out.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("purslet: " + home.file("bad.psl") + ": ")) << qPrintable(run.err);
    EXPECT_FALSE(home.exists("bad-out.csv"));

    // The output cannot be written: the message names the output file.
    home.write("good.csv", ToCp932("\"2026/05/01\",\"\",\"500\",\"\",\"\"\r\n"));
    const QString unwritable = home.file("no-such-folder/out.csv");
    run = RunProgram({"--convert", home.file("good.csv"), unwritable});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("purslet: " + unwritable + ": ")) << qPrintable(run.err);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
}

TEST_F(CommandLine, UsageVersionAndHelp)
{
    for (const QStringList &arguments : QList<QStringList>{
             {"--report"},
             {"--report", "a.psl", "b.psl"},
             {"--convert", "a.psl"},
             {"--pdf", "a.psl"},
             {"--report", "a.psl", "--convert", "a.psl", "b.csv"},
             {"--frobnicate"},
             {"--password-stdin"},
         }) {
        const ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(arguments.join(' '));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains("usage: purslet --report FILE"));
    }

    ProgramRun run = RunProgram({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Purslet 3.25\n");

    run = RunProgram({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("--convert IN OUT [--password-stdin]"));
    EXPECT_TRUE(run.out.contains("--pdf FILE OUT.pdf [--password-stdin]"));
    EXPECT_TRUE(run.err.isEmpty());
}

// A build without the desktop program has nothing to draw a PDF with.
TEST_F(CommandLine, PdfWithoutTheDesktopBuildFailsCleanly)
{
    home.write("book.csv", ToCp932("\"2026/05/01\",\"\",\"500\",\"\",\"\"\r\n"));
    const QString out = home.file("out.pdf");
    testing::internal::CaptureStderr();
    const int status = purslet::RunCommandLine({"purslet", "--pdf", home.file("book.csv"), out});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(QString::fromStdString(err), "purslet: " + out + ": PDF output needs the desktop build of purslet\n");
    EXPECT_FALSE(home.exists("out.pdf"));
}

TEST_F(CommandLine, AMonthIsReportedWithTheBalanceBroughtForward)
{
    home.write("book.psl", ownBook("", {{"2026/03/31", "お小遣い", "1,000", "", ""}, kRecords[0], kRecords[1]}));
    const QString book = home.file("book.psl");
    struct Case
    {
        const char *month;
        const char *carried; // the balance column of the 前月繰越 line
        const char *closing; // the 合計 line's balance
    };
    for (const Case &c : {Case{"2026-04", "1,000", "3,350"}, Case{"2026-05", "3,350", "3,350"},
                          Case{"2026-03", "0", "1,000"}}) {
        const ProgramRun run = RunProgram({"--report", book, "--month", c.month});
        ASSERT_EQ(run.exitCode, 0) << c.month << qPrintable(run.err);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        EXPECT_EQ(lines.at(0), "期間: 2026年" + QString::number(QString(c.month).right(2).toInt()) + "月");
        const QStringList carried = lines.filter("|前月繰越");
        ASSERT_EQ(carried.size(), 1) << c.month;
        EXPECT_TRUE(carried[0].endsWith(QString(c.carried) + "|")) << qPrintable(carried[0]);
        const QStringList total = lines.filter(QRegularExpression("^合計 .*---$"));
        ASSERT_EQ(total.size(), 1);
        EXPECT_TRUE(total[0].contains(QString(c.closing) + "|---")) << qPrintable(total[0]);
    }
    // The tables the book window shows for April, and only April's records
    // counted against the estimates.
    const ProgramRun april = RunProgram({"--report", book, "--month", "2026-04"});
    EXPECT_TRUE(april.out.contains("お小遣い" + spaces(12) + "|" + spaces(14) + "3,000|" + spaces(14) + "3,000| 100|"));
    purslet::test::ScriptedUi ui;
    purslet::App app(ui, home.path());
    app.doc.path = book;
    purslet::FileReading(app, QStringLiteral("book.psl"));
    purslet::ShowPeriod(app, QStringLiteral("2026/04"));
    EXPECT_EQ(april.out.toUtf8(), purslet::PrintAllUtf8(app.book));

    for (const QStringList &arguments : QList<QStringList>{{"--report", book, "--month", "2026-13"},
                                                          {"--report", book, "--month", "2026/04"},
                                                          {"--report", book, "--month"},
                                                          {"--convert", book, home.file("out.csv"), "--month", "2026-04"}}) {
        const ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(arguments.join(' '));
        EXPECT_TRUE(run.err.contains("--month")) << qPrintable(run.err);
    }
}
