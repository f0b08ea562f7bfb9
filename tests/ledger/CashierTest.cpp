#include "ScriptedUi.h"
#include "TempHome.h"

#include "data/Book.h"
#include "calc/BookReset.h"
#include "calc/Cashier.h"
#include "state/App.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {
class Cashier : public ::testing::Test
{
protected:
    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    Grid &cash = app.book.msfgCashier;

    void SetUp() override { ResetBook(app); }
    void add(const QString &income, const QString &outgo)
    {
        cash.insertRow(cash.rows() - 3, {QStringLiteral("2024/05/01"), QStringLiteral("x"), income, outgo});
    }
    void recalc() { RecalcCashier(app.book, ui, app.book.recordCount()); }
    QStringList totals() const
    {
        const QStringList row = cash.rowTexts(cash.rows() - 1);
        return row.mid(2, 3);
    }
};
} // namespace

TEST_F(Cashier, EmptyBookIsZeroAndYellow)
{
    recalc();
    EXPECT_EQ(totals(), QStringList({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    EXPECT_EQ(cash.cellBackground(3, 4), kColourZero);
    EXPECT_EQ(cash.row(), 3);
    EXPECT_EQ(cash.col(), 4);
    EXPECT_EQ(ui.lastStatus(), QString());
    EXPECT_TRUE(ui.statuses.contains(QStringLiteral("出納帳のデータを計算しています...")));
}

TEST_F(Cashier, RunningBalanceGoesNegativeAndTurnsRed)
{
    add(QStringLiteral("1000"), QString());
    add(QString(), QStringLiteral("1500"));
    recalc();
    EXPECT_EQ(cash.text(1, 4), QStringLiteral("1,000"));
    EXPECT_EQ(cash.text(2, 4), QStringLiteral("-500"));
    EXPECT_EQ(totals(), QStringList({QStringLiteral("1,000"), QStringLiteral("1,500"), QStringLiteral("-500")}));
    EXPECT_EQ(cash.cellBackground(cash.rows() - 1, 4), kColourNegative);

    cash.setText(2, 3, QStringLiteral("400"));
    recalc();
    EXPECT_EQ(cash.text(1, 4), QStringLiteral("1,000"));
    EXPECT_EQ(cash.text(2, 4), QStringLiteral("600"));
    EXPECT_EQ(cash.cellBackground(cash.rows() - 1, 4), kColourPositive);
}

TEST_F(Cashier, DashesAndEmptyCellsCountAsZero)
{
    add(QStringLiteral("2,000"), QString());
    add(QStringLiteral("---"), QStringLiteral("---"));
    add(QString(), QString());
    recalc();
    EXPECT_EQ(cash.text(2, 4), QStringLiteral("2,000"));
    EXPECT_EQ(cash.text(3, 4), QStringLiteral("2,000"));
    EXPECT_EQ(totals(), QStringList({QStringLiteral("2,000"), QStringLiteral("0"), QStringLiteral("2,000")}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Cashier, BadCellAsksAndYesGoesOn)
{
    add(QStringLiteral("abc"), QString());
    add(QStringLiteral("500"), QString());
    ui.answers = {MsgAnswer::Yes};
    recalc();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.13)"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(ui.lastMessage().defaultAnswer, MsgAnswer::No);
    EXPECT_TRUE(ui.lastMessage().text.endsWith(QStringLiteral("\r\n\r\n処理を続けますか？")));
    EXPECT_EQ(cash.text(2, 4), QStringLiteral("500"));
    EXPECT_EQ(totals(), QStringList({QStringLiteral("500"), QStringLiteral("0"), QStringLiteral("500")}));
    EXPECT_EQ(ui.endRequests, 0);
}

TEST_F(Cashier, BadCellAfterYesCountsAsZeroSoTheTotalRowAddsUp)
{
    add(QStringLiteral("1,000"), QString());
    add(QStringLiteral("abc"), QString());
    add(QString(), QStringLiteral("300"));
    add(QString(), QStringLiteral("x"));
    ui.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    recalc();
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(cash.text(2, 4), QStringLiteral("1,000"));
    EXPECT_EQ(cash.text(3, 4), QStringLiteral("700"));
    EXPECT_EQ(cash.text(4, 4), QStringLiteral("700"));
    EXPECT_EQ(totals(), QStringList({QStringLiteral("1,000"), QStringLiteral("300"), QStringLiteral("700")}));
}

TEST_F(Cashier, BadCellWithNoEndsTheProgramAndStops)
{
    add(QStringLiteral("500"), QString());
    add(QString(), QStringLiteral("x"));
    ui.answers = {MsgAnswer::No};
    recalc();
    EXPECT_EQ(ui.endRequests, 1);
    EXPECT_EQ(totals(), QStringList({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

TEST_F(Cashier, ColorTotalsMarksEachGridsTotalCell)
{
    add(QStringLiteral("100"), QString());
    recalc();
    ColorTotals(app.book, ui);
    EXPECT_EQ(app.book.msfgIncome.cellBackground(app.book.msfgIncome.rows() - 1, 4), kColourZero);
    EXPECT_EQ(app.book.msfgOutgo.cellBackground(app.book.msfgOutgo.rows() - 1, 5), kColourZero);
    EXPECT_EQ(cash.cellBackground(cash.rows() - 1, 4), kColourPositive);
    // Only the total cells are coloured.
    EXPECT_EQ(cash.cellBackground(cash.rows() - 1, 3), Rgb(0));
    EXPECT_EQ(cash.cellBackground(1, 4), Rgb(0));
}
