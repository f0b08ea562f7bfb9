#include "../matters/BookFixture.h"

#include "calc/Period.h"
#include "platform/Codepage.h"
#include "data/Book.h"
#include "operations/BookOperations.h"

#include <gtest/gtest.h>

namespace purslet::test {
namespace {

// A book kept out of date order, as a text file may give it: October ends
// at -500, November at -400, December (income only) at -200.
class MonthTest : public BookFixture
{
protected:
    void SetUp() override
    {
        writeCatalog(QStringLiteral("Income"), {QStringLiteral("給料=1,000")});
        writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("食費=300"), QStringLiteral("本=200")});
        ResetBook(app);
        addRecords({
            {"2026/11/10", "食費", "", "100", "memo"}, {"2026/10/05", "給料", "1,000", "", "memo"},
            {"2026/11/03", "給料", "500", "", "memo"}, {"2026/10/20", "食費", "", "1,500", "memo"},
            {"2026/11/12", "食費", "", "50", "memo"},  {"2026/11/15", "雑費", "", "150", "memo"},
            {"2026/11/28", "本", "", "100", "memo"},   {"2026/12/01", "給料", "200", "", "memo"},
        });
        recalc();
    }
    const Grid &month() const { return app.book.monthCashier; }
    // Date and balance of each row between the carried balance and the empty rows.
    QStringList shownRecords() const
    {
        QStringList rows;
        for (int r = 2; r <= month().rows() - 4; ++r)
            rows << month().text(r, 0) + QLatin1Char(' ') + month().text(r, 4);
        return rows;
    }
};

TEST_F(MonthTest, AMonthCarriesTheEarlierBalanceAndTotalsItsOwnRecords)
{
    struct Case
    {
        const char *period;
        const char *carried;
        QStringList records;
        QStringList total;
        Rgb colour;
    };
    const Case cases[] = {
        {"2026/10", "0", {"2026/10/05 1,000", "2026/10/20 -500"}, {"合計", "---", "1,000", "1,500", "-500", "---"},
         kColourNegative},
        {"2026/11", "-500",
         {"2026/11/03 0", "2026/11/10 -100", "2026/11/12 -150", "2026/11/15 -300", "2026/11/28 -400"},
         {"合計", "---", "500", "400", "-400", "---"}, kColourNegative},
        {"2026/12", "-400", {"2026/12/01 -200"}, {"合計", "---", "200", "0", "-200", "---"}, kColourNegative},
        {"2027/01", "-200", {}, {"合計", "---", "0", "0", "-200", "---"}, kColourNegative},
        {"2026/09", "0", {}, {"合計", "---", "0", "0", "0", "---"}, kColourZero},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.period);
        ShowPeriod(app, QString::fromUtf8(c.period));
        EXPECT_EQ(rowOf(month(), 1), QStringList({"", "前月繰越", "", "", c.carried, ""}));
        EXPECT_EQ(shownRecords(), c.records);
        EXPECT_EQ(lastRow(month()), c.total);
        EXPECT_EQ(month().cellBackground(month().rows() - 1, 4), c.colour);
    }
    // Every row maps back to its record in the whole book, which is untouched.
    ShowPeriod(app, QStringLiteral("2026/11"));
    EXPECT_EQ(app.book.monthRows, (std::vector<int>{3, 1, 5, 6, 7}));
    EXPECT_EQ(lastRow(app.book.msfgCashier), QStringList({"合計", "---", "1,700", "1,900", "-200", "---"}));
    ShowPeriod(app, QString());
    EXPECT_EQ(&app.book.shownCashier(), &app.book.msfgCashier);
}

TEST_F(MonthTest, AMonthsSummariesCountItsRecordsAgainstTheEstimates)
{
    ShowPeriod(app, QStringLiteral("2026/11"));
    EXPECT_EQ(matterNames(app.book.msfgIncome), QStringList({"給料"}));
    EXPECT_EQ(rowOf(app.book.msfgIncome, 1), QStringList({"給料", "1,000", "500", "100", "500"}));
    // Sorted by name. 150 of 400 is 37.5 %: the half goes to the even 38.
    EXPECT_EQ(rowOf(app.book.msfgOutgo, 1), QStringList({"その他", "---", "---", "150", "38", "-150"}));
    EXPECT_EQ(rowOf(app.book.msfgOutgo, 2), QStringList({"本", "100", "200", "100", "25", "100"}));
    EXPECT_EQ(rowOf(app.book.msfgOutgo, 3), QStringList({"食費", "50", "300", "150", "38", "150"}));
    EXPECT_EQ(lastRow(app.book.msfgOutgo), QStringList({"合計", "---", "500", "400", "100", "250"}));
}

TEST_F(MonthTest, DeletingAndEnteringInAMonthKeepTheWholeBook)
{
    ShowPeriod(app, QStringLiteral("2026/11"));
    // Rows 2 and 3 (11/03 and 11/10) lie apart in the whole book.
    DeleteRecords(app, 2, 3);
    EXPECT_EQ(app.book.recordCount(), 6);
    EXPECT_EQ(shownRecords(), QStringList({"2026/11/12 -550", "2026/11/15 -700", "2026/11/28 -800"}));
    EXPECT_EQ(lastRow(app.book.msfgCashier).at(4), QStringLiteral("-600"));

    ASSERT_TRUE(EnterRecord(app, NewRecord{QStringLiteral("2026/11/12"), false, QStringLiteral("本"),
                                           Amount::fromYen(10), QString()}));
    // After the records of its date.
    EXPECT_EQ(shownRecords().at(1), QStringLiteral("2026/11/12 -560"));
    EXPECT_EQ(month().text(3, 3), QStringLiteral("10"));

    ASSERT_TRUE(EnterRecord(app, NewRecord{QStringLiteral("2026/10/31"), true, QStringLiteral("給料"),
                                           Amount::fromYen(40), QString()}));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("2026/10/31 の記録は表示中の期間外です"));
    EXPECT_EQ(month().text(1, 4), QStringLiteral("-460"));
    EXPECT_EQ(shownRecords(), QStringList({"2026/11/12 -510", "2026/11/12 -520", "2026/11/15 -670", "2026/11/28 -770"}));
    EXPECT_EQ(lastRow(app.book.msfgCashier).at(4), QStringLiteral("-570"));
    EXPECT_TRUE(app.doc.modified);
}

TEST_F(MonthTest, UndoBringsBackTheBookAndKeepsTheMonthShown)
{
    ShowPeriod(app, QStringLiteral("2026/11"));
    ASSERT_TRUE(EnterRecord(app, NewRecord{QStringLiteral("2026/12/24"), false, QStringLiteral("本"),
                                           Amount::fromYen(70), QString()}));
    ShowPeriod(app, QStringLiteral("2026/12"));
    EXPECT_EQ(shownRecords(), QStringList({"2026/12/01 -200", "2026/12/24 -270"}));
    UndoLastChange(app);
    EXPECT_EQ(app.book.period, QStringLiteral("2026/12"));
    EXPECT_EQ(shownRecords(), QStringList({"2026/12/01 -200"}));
    EXPECT_EQ(app.book.recordCount(), 8);
}

TEST_F(MonthTest, StepsRunFromTheOldestMonthToTheWholeBook)
{
    EXPECT_EQ(Periods(app), QStringList({"", "2026/12", "2026/11", "2026/10"}));
    const char *back[] = {"2026/12", "2026/11", "2026/10", "2026/10"};
    for (const char *expected : back) {
        StepPeriod(app, -1);
        EXPECT_EQ(app.book.period, QString::fromUtf8(expected));
    }
    const char *forth[] = {"2026/11", "2026/12", "", ""};
    for (const char *expected : forth) {
        StepPeriod(app, +1);
        EXPECT_EQ(app.book.period, QString::fromUtf8(expected));
    }
}

TEST(MonthText, MonthsOfDatesAndArguments)
{
    EXPECT_EQ(MonthOfDate(QStringLiteral("2026/12/05")), QStringLiteral("2026/12"));
    for (const char *date : {"2026/1/05", "2026-12-05", "abcd/12/05", "2026/12"})
        EXPECT_EQ(MonthOfDate(QString::fromUtf8(date)), QString()) << date;
    EXPECT_EQ(PeriodCaption(QStringLiteral("2026/02")), QStringLiteral("2026年2月"));
    EXPECT_EQ(PeriodCaption(QString()), QStringLiteral("全期間"));
    EXPECT_EQ(PeriodFromArgument(QStringLiteral("2026-02")), QStringLiteral("2026/02"));
    for (const char *arg : {"2026-13", "2026-00", "2026/02", "26-02", "2026-2", "2026-02-01", "２０２６-02"})
        EXPECT_EQ(PeriodFromArgument(QString::fromUtf8(arg)), QString()) << arg;
}

} // namespace
} // namespace purslet::test

namespace purslet::test {
namespace {

// Every record of the whole book as "date matter income outgo memo".
QStringList wholeBook(const Book &book)
{
    QStringList rows;
    for (int r = 1; r <= book.recordCount(); ++r) {
        QStringList cells = book.msfgCashier.rowTexts(r);
        cells.removeAt(4);
        rows << cells.join(QLatin1Char(' '));
    }
    return rows;
}

TEST_F(MonthTest, ACorrectionTakesItsDatesPlaceAndUndoBringsTheRecordBack)
{
    struct Case
    {
        const char *what;
        int row;
        NewRecord record;
        QStringList around; // the corrected record with the rows before and after it
    };
    const Case cases[] = {
        {"a tie: after the records of its date", 1,
         {"2026/11/15", false, "食費", Amount::fromYen(100), "memo"},
         {"2026/11/15 雑費  150 memo", "2026/11/15 食費  100 memo", "2026/11/28 本  100 memo"}},
        {"income to outgo, across months", 8,
         {"2026/10/05", false, "本", Amount::fromYen(300), "to Oct"},
         {"2026/10/05 給料 1,000  memo", "2026/10/05 本  300 to Oct", "2026/10/20 食費  1,500 memo"}},
        {"a new matter", 4,
         {"2026/10/20", false, "文具", Amount::fromYen(1500), "pens"},
         {"2026/10/05 給料 1,000  memo", "2026/10/20 文具  1,500 pens", "2026/11/03 給料 500  memo"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList before = wholeBook(app.book);
        const QByteArray catalog = home.read(QStringLiteral("Outgo.ini"));
        ASSERT_TRUE(ChangeRecord(app, c.row, c.record));
        const QStringList after = wholeBook(app.book);
        EXPECT_EQ(after.size(), before.size());
        const qsizetype at = after.indexOf(c.around[1]);
        ASSERT_GT(at, 0);
        EXPECT_EQ(after.mid(at - 1, 3), c.around);
        EXPECT_EQ(home.read(QStringLiteral("Outgo.ini")).contains(ToCp932(QStringLiteral("文具"))), c.record.matter == QStringLiteral("文具"));
        EXPECT_EQ(app.menu.caption(MenuItem::editUndo), QStringLiteral("元に戻す(&U) -修正"));

        UndoLastChange(app);
        EXPECT_EQ(wholeBook(app.book), before);
        home.write(QStringLiteral("Outgo.ini"), catalog);
    }
}

TEST_F(MonthTest, AFullBookCanBeCorrected)
{
    Grid &g = app.book.msfgCashier;
    g.setRows(kMaxRecords + 4);
    for (int r = 1; r <= kMaxRecords; ++r) {
        g.setText(r, 0, QStringLiteral("2026/01/01"));
        g.setText(r, 3, QStringLiteral("1"));
    }
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    ASSERT_TRUE(ChangeRecord(app, 5, NewRecord{QStringLiteral("2026/01/02"), true, QString(), Amount::fromYen(9), QString()}));
    EXPECT_EQ(app.book.recordCount(), kMaxRecords);
    EXPECT_EQ(g.text(kMaxRecords, 2), QStringLiteral("9"));
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace purslet::test
