// purslet --pdf as a user runs it: the real program, its exit status, its
// one line on stderr, and the file it leaves (or does not).
#include "PrintCheck.h"
#include "ProgramRun.h"
#include "TempHome.h"

#include "platform/Codepage.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

// A book protected by the password "secret", made by the program itself.
bool writeLockedBook(const TempHome &home, const QString &name)
{
    WriteBookFiles(home, QStringLiteral("book.csv"), 5);
    return RunProgram({QStringLiteral("--convert"), home.file(QStringLiteral("book.csv")), home.file(name),
                       QStringLiteral("--password-stdin")},
                      "secret\n")
               .exitCode
           == 0;
}

// The same lines --report lays out, without blanks.
QStringList reportLines(const QString &report)
{
    QStringList lines;
    for (const QString &line : report.split(QLatin1Char('\n')))
        if (!line.isEmpty())
            lines << Squeezed(line);
    return lines;
}

} // namespace

TEST(PdfCommand, WritesPrintAllOnA4)
{
    TempHome home;
    WriteBookFiles(home, QStringLiteral("book.csv"), 100);
    const QString out = home.file(QStringLiteral("tables.pdf"));
    const ProgramRun run = RunProgram({QStringLiteral("--pdf"), home.file(QStringLiteral("book.csv")), out});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_TRUE(run.out.isEmpty());

    const QString info = PdfTool(QStringLiteral("pdfinfo"), out);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))))
        << qPrintable(info);
    EXPECT_TRUE(PdfTool(QStringLiteral("pdffonts"), out).contains(QStringLiteral("IPAGothic")));
    QString error;
    const QStringList pages = PdfPages(out, PdfPitch(out), &error);
    ASSERT_GE(pages.size(), 2) << qPrintable(error);
    QStringList printed;
    for (const QString &line : PrintedLines(pages))
        if (!line.isEmpty())
            printed << Squeezed(line);
    const ProgramRun report = RunProgram({QStringLiteral("--report"), home.file(QStringLiteral("book.csv"))});
    EXPECT_EQ(printed, reportLines(report.out));
}

// On any failure nothing is written at OUT, and stderr has one line naming the file.
TEST(PdfCommand, FailuresLeaveNothingAtTheOutput)
{
    TempHome home;
    ASSERT_TRUE(writeLockedBook(home, QStringLiteral("locked.psl")));
    home.write(QStringLiteral("old.pdf"), "an older file");
    const struct
    {
        const char *name;
        QString book;
        QString out;
        QByteArray input;
        QString namedFile;
    } cases[] = {
        {"missing book", home.file(QStringLiteral("missing.psl")), home.file(QStringLiteral("a.pdf")), {},
         home.file(QStringLiteral("missing.psl"))},
        {"wrong password", home.file(QStringLiteral("locked.psl")), home.file(QStringLiteral("old.pdf")), "wrong\n",
         home.file(QStringLiteral("locked.psl"))},
        {"no such folder", home.file(QStringLiteral("book.csv")), home.file(QStringLiteral("nowhere/b.pdf")), {},
         home.file(QStringLiteral("nowhere/b.pdf"))},
        {"over the book itself", home.file(QStringLiteral("locked.psl")), home.file(QStringLiteral("locked.psl")),
         "secret\n", home.file(QStringLiteral("locked.psl"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run =
            RunProgram({QStringLiteral("--pdf"), c.book, c.out, QStringLiteral("--password-stdin")}, c.input);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("purslet: ") + c.namedFile + QStringLiteral(": ")))
            << qPrintable(run.err);
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << qPrintable(run.err);
    }
    EXPECT_FALSE(home.exists(QStringLiteral("a.pdf")));
    EXPECT_TRUE(home.read(QStringLiteral("locked.psl")).startsWith('"'));
    EXPECT_EQ(home.read(QStringLiteral("old.pdf")), "an older file");
    // No stray temporary file beside the outputs either.
    EXPECT_EQ(QDir(home.path()).entryList({QStringLiteral("*.pdf*")}, QDir::Files),
              QStringList{QStringLiteral("old.pdf")});
}
