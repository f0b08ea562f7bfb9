// The print job as it comes out on paper: printed into a PDF file through
// the real job (only the print dialog is bypassed) and read back with poppler.
#include "PrintCheck.h"
#include "ScriptedUi.h"
#include "TempHome.h"

#include "operations/BookReader.h"
#include "presenters/PrintCommands.h"
#include "printing/PrintLayout.h"
#include "state/App.h"
#include "ui/PrintJob.h"

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <memory>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kSending = QStringLiteral("印刷内容をプリンタに送信しています...");
const QString kSent = QStringLiteral("印刷内容をプリンタに送信しました。");

// Where the bars stand when columns of these byte widths line up.
QList<int> barsFor(std::initializer_list<int> widths)
{
    QList<int> bars;
    int column = 0;
    for (int width : widths) {
        column += width;
        bars << column++;
    }
    return bars;
}

const QList<int> kCashBars = barsFor({10, 20, 19, 19, 20});
const QList<int> kIncomeBars = barsFor({20, 19, 19, 4});
const QList<int> kOutgoBars = barsFor({20, 19, 19, 19, 4});

// A text book read by the program's own reader, with its catalogs.
struct LoadedBook
{
    TempHome home;
    ScriptedUi ui;
    std::unique_ptr<App> app;

    explicit LoadedBook(int records)
    {
        WriteBookFiles(home, QStringLiteral("book.csv"), records);
        app = std::make_unique<App>(ui, home.path());
        app->doc.path = home.file(QStringLiteral("book.csv"));
        app->doc.title = QStringLiteral("book.csv");
        FileReading(*app, app->doc.title);
        ui.statuses.clear();
    }
    const Book &book() const { return app->book; }
};

bool printAllToPdf(const Book &book, Ui &ui, QPrinter &printer, const QString &file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
    PrinterJob job(printer, nullptr, PrinterJob::Dialog::Bypass);
    return PrintCommands(ui, book, job).printAll_Click();
}

QStringList nonEmpty(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        if (!line.isEmpty())
            out << Squeezed(line);
    return out;
}

qsizetype indexMatching(const QStringList &lines, const QString &pattern)
{
    const QRegularExpression re(pattern);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (re.match(lines[i]).hasMatch())
            return i;
    return -1;
}

// The first line where the two differ, for a readable failure.
QString firstDifference(const QStringList &printed, const QStringList &expected)
{
    for (qsizetype i = 0; i < qMax(printed.size(), expected.size()); ++i)
        if (printed.value(i) != expected.value(i))
            return QStringLiteral("line %1: printed \"%2\", expected \"%3\"").arg(i).arg(printed.value(i), expected.value(i));
    return QString();
}

int pageOf(const QStringList &pages, const QString &text)
{
    for (int i = 0; i < pages.size(); ++i)
        if (pages[i].contains(text))
            return i;
    return -1;
}

} // namespace

TEST(PrintedPdf, PrintAllPutsEveryLineInItsColumnsInOneFlow)
{
    LoadedBook b(100);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("job.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_TRUE(printAllToPdf(b.book(), b.ui, printer, file));
    EXPECT_EQ(b.ui.statuses, QStringList({kSending, kSent}));
    EXPECT_TRUE(b.ui.messages.empty());

    QString error;
    const QStringList pages = PdfPages(file, PdfPitch(file), &error);
    ASSERT_FALSE(pages.isEmpty()) << qPrintable(error);
    // 104 cash-book lines do not fit one A4 page: the book breaks onto a second.
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(PdfTool(QStringLiteral("pdffonts"), file).contains(QStringLiteral("IPAGothic")));

    // Every line once and in order, across the page break; only the empty
    // lines that open the job leave nothing on paper.
    const QStringList printed = PrintedLines(pages);
    EXPECT_EQ(firstDifference(nonEmpty(printed), nonEmpty(PrintAllLines(b.book()))), QString());

    // The tables follow one another after three empty lines, on the same page.
    const qsizetype cashTotal = indexMatching(printed, QStringLiteral("^合計 *\\|---"));
    const qsizetype incomeHeader = indexMatching(printed, QStringLiteral("^事柄.*収入予定額"));
    const qsizetype outgoHeader = indexMatching(printed, QStringLiteral("^事柄.*底値"));
    ASSERT_GT(cashTotal, 0);
    EXPECT_EQ(incomeHeader, cashTotal + 4);
    EXPECT_EQ(printed.mid(cashTotal + 1, 3), QStringList({"", "", ""}));
    ASSERT_GT(outgoHeader, incomeHeader);
    EXPECT_EQ(printed.mid(outgoHeader - 3, 3), QStringList({"", "", ""}));
    EXPECT_EQ(pageOf(pages, QStringLiteral("収入予定額")), pageOf(pages, QStringLiteral("底値")));
    EXPECT_EQ(pageOf(pages, QStringLiteral("収入予定額")), pages.size() - 1);

    // With a fixed-pitch font the bars stand in the same column on every line,
    // full-width texts or not.
    for (qsizetype i = 0; i < printed.size(); ++i) {
        if (printed[i].isEmpty())
            continue;
        const QList<int> &bars = i <= cashTotal ? kCashBars : i < outgoHeader ? kIncomeBars : kOutgoBars;
        ASSERT_EQ(BarColumns(printed[i]), bars) << "line " << i << ": " << qPrintable(printed[i]);
    }
}

TEST(PrintedPdf, LargestBookPrintsEveryRecordOnceAcrossThePages)
{
    LoadedBook b(kMaxRecords);
    ASSERT_EQ(b.book().recordCount(), kMaxRecords);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("largest.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_TRUE(printAllToPdf(b.book(), b.ui, printer, file));

    QString error;
    const QStringList pages = PdfPages(file, PdfPitch(file), &error);
    ASSERT_GT(pages.size(), 300) << qPrintable(error);
    EXPECT_EQ(PdfPageCount(file), pages.size());
    EXPECT_EQ(firstDifference(nonEmpty(PrintedLines(pages)), nonEmpty(PrintAllLines(b.book()))), QString());
}

// A job that cannot start: no printer to choose, or a printer that cannot be opened.
TEST(PrintedPdf, JobThatCannotStartIsReportedAndNothingCountsAsSent)
{
    const struct
    {
        const char *name;
        PrinterJob::Dialog dialog;
        QString description;
        QStringList statuses;
    } cases[] = {
        // The tests' CUPS server does not exist: there is no printer to choose.
        {"no printer", PrinterJob::Dialog::Show, QStringLiteral("使用できるプリンタがありません。"), {}},
        {"output cannot be opened", PrinterJob::Dialog::Bypass, QStringLiteral("プリンタを開けません。"),
         {kSending, QString()}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoadedBook b(3);
        b.ui.answers = {MsgAnswer::Yes};
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        if (c.dialog == PrinterJob::Dialog::Bypass) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("missing/job.pdf")));
        }
        // Should a print dialog open after all, it is closed and the test fails below.
        QTimer::singleShot(3000, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        PrinterJob job(printer, nullptr, c.dialog);
        EXPECT_FALSE(PrintCommands(b.ui, b.book(), job).printAll_Click());
        ASSERT_EQ(b.ui.messages.size(), 1u);
        EXPECT_TRUE(b.ui.lastMessage().text.startsWith(c.description)) << qPrintable(b.ui.lastMessage().text);
        EXPECT_EQ(b.ui.statuses, c.statuses);
    }
}

namespace {

// A printer whose pages run out: a new page can never be added.
class PagesRunOut final : public QPrinter
{
public:
    PagesRunOut() : QPrinter(QPrinter::HighResolution) {}
    bool newPage() override { return false; }
};

} // namespace

TEST(PrintedPdf, PageThatCannotBeAddedAsksEachTableAndYesGoesOn)
{
    const struct
    {
        const char *name;
        std::deque<MsgAnswer> answers;
        size_t messages;
        bool ended;
        QStringList statuses;
    } cases[] = {
        // Yes: each further table finds the page full as well, then the job ends.
        {"Yes", {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes}, 3, true, {kSending, kSent}},
        // No: the command ends; the job holds the page printed so far.
        {"No", {MsgAnswer::No}, 1, false, {kSending, QString()}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoadedBook b(100);
        b.ui.answers = c.answers;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("job.pdf"));
        PagesRunOut printer;
        EXPECT_EQ(printAllToPdf(b.book(), b.ui, printer, file), c.ended);
        ASSERT_EQ(b.ui.messages.size(), c.messages);
        for (const ScriptedUi::Message &m : b.ui.messages)
            EXPECT_TRUE(m.text.startsWith(QStringLiteral("新しいページを始められません。"))) << qPrintable(m.text);
        EXPECT_EQ(b.ui.statuses, c.statuses);
        EXPECT_EQ(PdfPageCount(file), 1);
    }
}
