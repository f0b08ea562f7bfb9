#include "PrintBooks.h"
#include "ScriptedUi.h"

#include "data/Book.h"
#include "platform/RuntimeError.h"
#include "printing/LinePrinter.h"
#include "presenters/PrintCommands.h"
#include "printing/PrintLayout.h"
#include "state/MenuTable.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kSending = QStringLiteral("印刷内容をプリンタに送信しています...");
const QString kSent = QStringLiteral("印刷内容をプリンタに送信しました。");

// Records the job as a list of events and fails where it is told to.
class FakePrinter final : public LinePrinter
{
public:
    QStringList events;
    bool cancel = false;
    QString failing;    // "choose", "begin", "end": that call throws
    int failingLine = -1; // the printLine call (counted from 0) that throws

    bool choose() override
    {
        events << QStringLiteral("choose");
        failIf(QStringLiteral("choose"));
        return !cancel;
    }
    void begin() override
    {
        events << QStringLiteral("begin");
        failIf(QStringLiteral("begin"));
    }
    void setFontName(const QString &name) override { events << QStringLiteral("font ") + name; }
    void printLine(const QString &line) override
    {
        if (m_lines++ == failingLine)
            throw RuntimeError(RuntimeError::PrinterError, QStringLiteral("新しいページを始められません。"));
        events << line;
    }
    void end() override
    {
        events << QStringLiteral("end");
        failIf(QStringLiteral("end"));
    }
    void abort() override { events << QStringLiteral("abort"); }

private:
    void failIf(const QString &call)
    {
        if (failing == call)
            throw RuntimeError(RuntimeError::PrinterError, QStringLiteral("プリンタを開けません。"));
    }
    int m_lines = 0;
};

Book smallBook()
{
    Book book = emptyBook();
    addRecord(book, {"1999/04/01", "", "1,000", "", "1,000", ""});
    setRow(book.msfgCashier, 4, {"合計", "---", "1,000", "0", "1,000", "---"});
    return book;
}

// A table as the job should receive it: its empty lines, the font, its rows.
QStringList tableEvents(const QStringList &lines)
{
    return lines.mid(0, kTableOpeningLines) + QStringList{QStringLiteral("font ") + kPrintFontName}
           + lines.mid(kTableOpeningLines);
}

} // namespace

TEST(PrintCommands, EachCommandPrintsItsTablesInOneJob)
{
    const Book book = smallBook();
    const QStringList cash = tableEvents(CashBookLines(book));
    const QStringList income = tableEvents(IncomeSummaryLines(book));
    const QStringList outgo = tableEvents(OutgoSummaryLines(book));
    const struct
    {
        MenuItem item;
        QStringList tables;
    } cases[] = {
        {MenuItem::printCashier, cash},
        {MenuItem::printIncome, income},
        {MenuItem::printOutgo, outgo},
        {MenuItem::printAll, cash + income + outgo},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(MenuItemName(c.item).toStdString());
        ScriptedUi ui;
        FakePrinter printer;
        EXPECT_TRUE(PrintCommands(ui, book, printer).run(c.item));
        EXPECT_EQ(printer.events, QStringList({"choose", "begin"}) + c.tables + QStringList{"end"});
        EXPECT_EQ(ui.statuses, QStringList({kSending, kSent}));
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(PrintCommands, CancellingTheDialogEndsQuietly)
{
    ScriptedUi ui;
    FakePrinter printer;
    printer.cancel = true;
    EXPECT_FALSE(PrintCommands(ui, smallBook(), printer).printAll_Click());
    EXPECT_EQ(printer.events, QStringList{"choose"});
    EXPECT_TRUE(ui.statuses.isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

// Every failure asks through the inline dialog; the success text comes only
// from a job that ended.
TEST(PrintCommands, FailuresAskAndOnlyAnEndedJobCountsAsSent)
{
    const Book book = smallBook();
    const int cashLines = int(CashBookLines(book).size());
    const QStringList income = tableEvents(IncomeSummaryLines(book));
    const QStringList outgo = tableEvents(OutgoSummaryLines(book));
    const struct
    {
        const char *name;
        const char *failing;
        int failingLine;
        MsgAnswer answer;
        bool ended;
        QStringList tail; // the events after the failure
        QStringList statuses;
    } cases[] = {
        // Without a printer or a started job nothing further can be printed, whatever the answer.
        {"no printer, Yes", "choose", -1, MsgAnswer::Yes, false, {}, {}},
        {"job cannot start, Yes", "begin", -1, MsgAnswer::Yes, false, {}, {kSending, QString()}},
        {"job cannot start, No", "begin", -1, MsgAnswer::No, false, {}, {kSending, QString()}},
        // A page that cannot be added in the cash book: Yes goes on with the next table.
        {"page in the cash book, Yes", "", 4, MsgAnswer::Yes, true, income + outgo + QStringList{"end"},
         {kSending, kSent}},
        {"page in the cash book, No", "", 4, MsgAnswer::No, false, {"abort"}, {kSending, QString()}},
        // The last line of the income table.
        {"page in the income table, Yes", "", cashLines + int(income.size()) - 2, MsgAnswer::Yes, true,
         outgo + QStringList{"end"}, {kSending, kSent}},
        {"job cannot end, Yes", "end", -1, MsgAnswer::Yes, false, {}, {kSending, QString()}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        ui.answers = {c.answer};
        FakePrinter printer;
        printer.failing = QString::fromLatin1(c.failing);
        printer.failingLine = c.failingLine;
        EXPECT_EQ(PrintCommands(ui, book, printer).printAll_Click(), c.ended);

        ASSERT_EQ(ui.messages.size(), 1u);
        const ScriptedUi::Message &box = ui.lastMessage();
        EXPECT_EQ(box.title, QStringLiteral("システムエラー (エラーNo.482)"));
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("\r\n\r\n処理を続けますか？"))) << qPrintable(box.text);
        EXPECT_EQ(box.icon, MsgIcon::Warning);
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(ui.statuses, c.statuses);
        EXPECT_EQ(ui.endRequests, 0);
        if (!c.tail.isEmpty()) {
            ASSERT_GE(printer.events.size(), c.tail.size());
            EXPECT_EQ(printer.events.mid(printer.events.size() - c.tail.size()), c.tail);
        }
        if (c.failingLine < 0) {
            EXPECT_EQ(printer.events.last(), QString::fromLatin1(c.failing));
        }
    }
}
