#include "BookFixture.h"

#include "data/Book.h"
#include "calc/Catalogs.h"

using namespace purslet;
using namespace purslet::test;

namespace {
QStringList row(std::initializer_list<const char *> cells)
{
    QStringList list;
    for (const char *c : cells)
        list << QString::fromUtf8(c);
    return list;
}

class CountingObserver : public GridObserver
{
public:
    int resets = 0, other = 0;
    void gridAboutToReset() override {}
    void gridReset() override { ++resets; }
    void gridRowsAboutToBeInserted(int, int) override { ++other; }
    void gridRowsInserted() override {}
    void gridRowsAboutToBeRemoved(int, int) override { ++other; }
    void gridRowsRemoved() override {}
    void gridCellsChanged(int, int, int, int) override { ++other; }
};
} // namespace

using MatterSummary = BookFixture;

TEST_F(MatterSummary, EmptyBookAndCatalogsLeaveOnlyTheTrailingRows)
{
    ResetBook(app);
    const Grid &in = app.book.msfgIncome;
    const Grid &out = app.book.msfgOutgo;
    ASSERT_EQ(in.rows(), 4);
    ASSERT_EQ(out.rows(), 4);
    EXPECT_EQ(rowOf(in, 1), row({"", "", "", "", ""}));
    EXPECT_EQ(rowOf(in, 2), row({"", "", "", "", ""}));
    EXPECT_EQ(lastRow(in), row({"合計", "0", "0", "0", "0"}));
    EXPECT_EQ(lastRow(out), row({"合計", "---", "0", "0", "0", "0"}));
    EXPECT_EQ(in.cellBackground(3, 4), kColourZero);
    EXPECT_EQ(out.cellBackground(3, 5), kColourZero);
    EXPECT_EQ(ui.statuses, QStringList({QStringLiteral("事柄別データを計算しています"),
                                        QStringLiteral("データをソートしています..."),
                                        QStringLiteral("事柄別データを計算しています..."), QString()}));
}

TEST_F(MatterSummary, ActualShareAndDifferenceOfOneMatter)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("食費=5,000")});
    ResetBook(app);
    addRecord(QStringLiteral("食費"), QStringLiteral("1,000"), QString());
    addRecord(QStringLiteral("食費"), QStringLiteral("2,000"), QString());
    recalc();
    const Grid &in = app.book.msfgIncome;
    ASSERT_EQ(in.rows(), 5);
    EXPECT_EQ(rowOf(in, 1), row({"食費", "5,000", "3,000", "100", "2,000"}));
    EXPECT_EQ(lastRow(in), row({"合計", "5,000", "3,000", "100", "2,000"}));
    EXPECT_EQ(in.cellBackground(4, 4), kColourPositive);
    EXPECT_EQ(app.book.BookIncomeTotal, Amount::fromYen(3000));
    EXPECT_EQ(app.book.IncomeEstimateSum, Amount::fromYen(5000));
}

TEST_F(MatterSummary, RemainderRowTakesWhatNoMatterAccountsFor)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("給与=4,000")});
    ResetBook(app);
    addRecord(QStringLiteral("給与"), QStringLiteral("3,600"), QString());
    addRecord(QStringLiteral("雑収入"), QStringLiteral("1,200"), QString());
    recalc();
    const Grid &in = app.book.msfgIncome;
    ASSERT_EQ(in.rows(), 6);
    EXPECT_EQ(rowOf(in, 1), row({"その他", "---", "1,200", "25", "-1,200"}));
    EXPECT_EQ(rowOf(in, 2), row({"給与", "4,000", "3,600", "75", "400"}));
    // The total's difference leaves the remainder out; its actual does not.
    EXPECT_EQ(lastRow(in), row({"合計", "4,000", "4,800", "100", "400"}));

    // A second run replaces the remainder row instead of adding another.
    recalc();
    EXPECT_EQ(in.rows(), 6);
    EXPECT_EQ(rowOf(in, 1), row({"その他", "---", "1,200", "25", "-1,200"}));
}

TEST_F(MatterSummary, FloorValueIsTheSmallestOutgoAndZeroTakesTheNextAmount)
{
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("本=1,000"), QStringLiteral("服")});
    ResetBook(app);
    addRecord(QStringLiteral("本"), QString(), QStringLiteral("500"));
    addRecord(QStringLiteral("本"), QString(), QStringLiteral("300"));
    addRecord(QStringLiteral("本"), QString(), QStringLiteral("800"));
    // An amount of 0 is an outgo of 0: the floor becomes "0", and the next amount replaces it.
    addRecord(QStringLiteral("服"), QString(), QStringLiteral("700"));
    addRecord(QStringLiteral("服"), QString(), QString());
    addRecord(QStringLiteral("服"), QString(), QStringLiteral("900"));
    // "---" in the income cell still means outgo.
    addRecord(QStringLiteral("服"), QStringLiteral("---"), QStringLiteral("1,200"));
    recalc();
    const Grid &out = app.book.msfgOutgo;
    ASSERT_EQ(out.rows(), 6);
    // Sorted by name: 服 (U+670D) before 本 (U+672C).
    EXPECT_EQ(rowOf(out, 1), row({"服", "900", "0", "2,800", "64", "-2,800"}));
    EXPECT_EQ(rowOf(out, 2), row({"本", "300", "1,000", "1,600", "36", "-600"}));
    EXPECT_EQ(lastRow(out), row({"合計", "---", "1,000", "4,400", "100", "-3,400"}));
    EXPECT_EQ(out.cellBackground(5, 5), kColourNegative);
}

TEST_F(MatterSummary, SharesRoundHalvesToEven)
{
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    ResetBook(app);
    addRecord(QStringLiteral("A"), QString(), QStringLiteral("1,000"));
    addRecord(QStringLiteral("B"), QString(), QStringLiteral("3,000"));
    addRecord(QStringLiteral("C"), QString(), QStringLiteral("4,000"));
    recalc();
    const Grid &out = app.book.msfgOutgo;
    EXPECT_EQ(out.text(1, 4), QStringLiteral("12")); // 12.5
    EXPECT_EQ(out.text(2, 4), QStringLiteral("38")); // 37.5
    EXPECT_EQ(out.text(3, 4), QStringLiteral("50"));
}

TEST_F(MatterSummary, DuplicateNamesBothTakeTheRecordsAndTheRemainderGoesNegative)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("食費=100"), QStringLiteral("食費=200")});
    ResetBook(app);
    addRecord(QStringLiteral("食費"), QStringLiteral("1,000"), QString());
    recalc();
    const Grid &in = app.book.msfgIncome;
    ASSERT_EQ(in.rows(), 7);
    EXPECT_EQ(rowOf(in, 1), row({"その他", "---", "-1,000", "-100", "1,000"}));
    EXPECT_EQ(rowOf(in, 2), row({"食費", "100", "1,000", "100", "-900"}));
    EXPECT_EQ(rowOf(in, 3), row({"食費", "200", "1,000", "100", "-800"}));
    EXPECT_EQ(lastRow(in), row({"合計", "300", "1,000", "100", "-1,700"}));
}

TEST_F(MatterSummary, EmptyCatalogWithRecordsLeavesNoBlankRowAboveTheRemainder)
{
    ResetBook(app);
    addRecord(QString(), QStringLiteral("1,000"), QString());
    addRecord(QStringLiteral("その他"), QString(), QStringLiteral("400"));
    recalc();
    const Grid &in = app.book.msfgIncome;
    ASSERT_EQ(in.rows(), 5);
    EXPECT_EQ(rowOf(in, 1), row({"その他", "---", "1,000", "100", "-1,000"}));
    EXPECT_EQ(rowOf(in, 2), row({"", "", "", "", ""}));
    // The total's share looks at the catalog matters only.
    EXPECT_EQ(lastRow(in), row({"合計", "0", "1,000", "0", "0"}));
    const Grid &out = app.book.msfgOutgo;
    ASSERT_EQ(out.rows(), 5);
    EXPECT_EQ(rowOf(out, 1), row({"その他", "---", "---", "400", "100", "-400"}));

    // Taking the records away takes the remainder away, down to the empty layout.
    Grid &cash = app.book.msfgCashier;
    cash.removeRow(1);
    cash.removeRow(1);
    recalc();
    EXPECT_EQ(in.rows(), 4);
    EXPECT_EQ(out.rows(), 4);
    EXPECT_EQ(rowOf(out, 1), row({"", "", "", "", "", ""}));
}

TEST_F(MatterSummary, SortsOnTheChosenColumnKeepingEqualKeysInOrder)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("b"), QStringLiteral("C"), QStringLiteral("a"),
                                            QStringLiteral("d"), QStringLiteral("e")});
    ResetBook(app);
    addRecord(QStringLiteral("C"), QStringLiteral("500"), QString());
    addRecord(QStringLiteral("a"), QStringLiteral("12,000"), QString());
    addRecord(QStringLiteral("x"), QStringLiteral("2,000"), QString());
    app.book.IncomeSortCol = 2;
    app.book.IncomeSortAscending = false;
    recalc();
    const Grid &in = app.book.msfgIncome;
    // By value, not by text ("12,000" < "2,000" as text); b, d, e tie at 0.
    EXPECT_EQ(matterNames(in), QStringList({QStringLiteral("a"), QStringLiteral("その他"), QStringLiteral("C"),
                                            QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("e")}));

    app.book.IncomeSortAscending = true;
    recalc();
    EXPECT_EQ(matterNames(in), QStringList({QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("e"),
                                            QStringLiteral("C"), QStringLiteral("その他"), QStringLiteral("a")}));

    // Names compare as text without regard to letter case.
    app.book.IncomeSortCol = 0;
    recalc();
    EXPECT_EQ(matterNames(in), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("C"),
                                            QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("その他")}));
    EXPECT_EQ(lastRow(in)[0], QStringLiteral("合計"));
}

TEST_F(MatterSummary, RemainderSortsOnItsZeroEstimateBeforeShowingDashes)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a=100"), QStringLiteral("b=-50")});
    ResetBook(app);
    addRecord(QStringLiteral("z"), QStringLiteral("10"), QString());
    app.book.IncomeSortCol = 1;
    recalc();
    EXPECT_EQ(matterNames(app.book.msfgIncome),
              QStringList({QStringLiteral("b"), QStringLiteral("その他"), QStringLiteral("a")}));
    EXPECT_EQ(app.book.msfgIncome.text(2, 1), QStringLiteral("---"));
}

TEST_F(MatterSummary, ViewsSeeOneResetPerGrid)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a"), QStringLiteral("b")});
    ResetBook(app);
    addRecord(QStringLiteral("x"), QStringLiteral("10"), QString());
    RecalcCashier(app.book, ui, app.book.recordCount());
    CountingObserver in, out;
    app.book.msfgIncome.setObserver(&in);
    app.book.msfgOutgo.setObserver(&out);
    CalcMatterSummary(app.book, ui);
    app.book.msfgIncome.setObserver(nullptr);
    app.book.msfgOutgo.setObserver(nullptr);
    EXPECT_EQ(in.resets, 1);
    EXPECT_EQ(in.other, 0);
    EXPECT_EQ(out.resets, 1);
    EXPECT_EQ(out.other, 0);
}

TEST_F(MatterSummary, AFailureAbandonsTheCalculationAndKeepsTheMatterRows)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("食費=100"), QStringLiteral("本=200")});
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("服=300")});
    ResetBook(app);
    addRecord(QStringLiteral("食費"), QStringLiteral("1,000"), QString());
    addRecord(QStringLiteral("x"), QStringLiteral("5,000"), QString());
    recalc();
    ASSERT_EQ(matterNames(app.book.msfgIncome),
              QStringList({QStringLiteral("その他"), QStringLiteral("本"), QStringLiteral("食費")}));
    const QStringList before = rowOf(app.book.msfgIncome, 3);

    app.book.msfgCashier.setText(1, 2, QStringLiteral("千円")); // e.g. from a text file
    ui.answers = {MsgAnswer::Yes};
    ui.messages.clear();
    CalcMatterSummary(app.book, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.13)"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(ui.endRequests, 0);
    EXPECT_EQ(rowOf(app.book.msfgIncome, 3), before);
    EXPECT_EQ(ui.lastStatus(), QString());

    // The catalog rewritten afterwards still holds every matter.
    SaveMatterCatalog(app, MatterKind::Income);
    FillMatterCombo(app);
    EXPECT_EQ(app.entry.cmbMatter.items(), QStringList({QStringLiteral("本"), QStringLiteral("食費")}));

    ui.answers = {MsgAnswer::No};
    CalcMatterSummary(app.book, ui);
    EXPECT_EQ(ui.endRequests, 1);
}

TEST_F(MatterSummary, OverflowIsReportedNotWrapped)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a")});
    ResetBook(app);
    addRecord(QStringLiteral("a"), QStringLiteral("900,000,000,000,000"), QString());
    addRecord(QStringLiteral("a"), QStringLiteral("900,000,000,000,000"), QString());
    ui.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    recalc();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("システムエラー (エラーNo.6)"));
    EXPECT_EQ(matterNames(app.book.msfgIncome), QStringList({QStringLiteral("a")}));
}

TEST_F(MatterSummary, RunningSumsAreWholeYenAfterEveryRecord)
{
    // Fractions can come only from text files; each step reads back a formatted cell.
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a")});
    ResetBook(app);
    addRecord(QStringLiteral("a"), QStringLiteral("0.6"), QString());
    addRecord(QStringLiteral("a"), QStringLiteral("0.6"), QString());
    recalc();
    const Grid &in = app.book.msfgIncome;
    EXPECT_EQ(in.text(1, 2), QStringLiteral("2")); // 1 after the first record, then 1.6
    EXPECT_EQ(rowOf(in, 2), row({"その他", "---", "-1", "-100", "1"})); // the book total reads 1
}

TEST_F(MatterSummary, ManyEqualKeysKeepTheirOrder)
{
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names << QStringLiteral("m%1").arg(i, 2, 10, QLatin1Char('0'));
    writeCatalog(QStringLiteral("Outgo"), names);
    ResetBook(app);
    addRecord(QStringLiteral("m30"), QString(), QStringLiteral("5"));
    app.book.OutgoSortCol = 5; // differences: all 0 but m30's
    app.book.OutgoSortAscending = false;
    recalc();
    QStringList expected = names;
    expected.move(30, 59);
    EXPECT_EQ(matterNames(app.book.msfgOutgo), expected);
}
