#include "ScriptedUi.h"
#include "TempHome.h"

#include "data/Book.h"
#include "calc/BookReset.h"
#include "state/App.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

namespace {
QStringList texts(std::initializer_list<const char *> cells)
{
    QStringList list;
    for (const char *c : cells)
        list << QString::fromUtf8(c);
    return list;
}

QList<int> widthsOf(const Grid &grid)
{
    QList<int> widths;
    for (int c = 0; c < grid.cols(); ++c)
        widths << grid.colWidth(c);
    return widths;
}

QList<Rgb> headerColours(const Grid &grid)
{
    QList<Rgb> colours;
    for (int c = 0; c < grid.cols(); ++c)
        colours << grid.cellBackground(0, c);
    return colours;
}

class BookReset : public ::testing::Test
{
protected:
    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    Book &book = app.book;
};
} // namespace

TEST_F(BookReset, EmptyBookLayout)
{
    home.writeText(QStringLiteral("Outgo.ini"), QStringLiteral("[0]\nMatter=本\nEstimate=1000\n"));
    book.msfgCashier.insertRow(1, {QStringLiteral("2024/01/01"), QStringLiteral("old")});
    book.msfgCashier.setCellBackground(2, 0, kColourZero);
    app.setModified(true);

    ResetBook(app);
    const Grid &cash = book.msfgCashier;
    ASSERT_EQ(cash.rows(), 4);
    ASSERT_EQ(cash.cols(), 6);
    EXPECT_EQ(cash.rowTexts(0), texts({"記入日", "事柄", "収入", "支出", "小計", "メモ"}));
    EXPECT_EQ(cash.rowTexts(1), texts({"", "", "", "", "", ""}));
    EXPECT_EQ(cash.rowTexts(3), texts({"合計", "---", "0", "0", "0", "---"}));
    EXPECT_EQ(cash.cellBackground(2, 0), Rgb(0));

    const Grid &in = book.msfgIncome;
    ASSERT_EQ(in.rows(), 4);
    EXPECT_EQ(in.rowTexts(0), texts({"事柄", "収入予定額", "収入", "割合", "差額"}));
    EXPECT_EQ(in.rowTexts(3), texts({"合計", "0", "0", "0", "0"}));

    const Grid &out = book.msfgOutgo;
    ASSERT_EQ(out.rows(), 5);
    EXPECT_EQ(out.rowTexts(0), texts({"事柄", "底値", "支出予定額", "支出", "割合", "差額"}));
    EXPECT_EQ(out.rowTexts(1), texts({"本", "0", "1,000", "0", "0", "1,000"}));
    EXPECT_EQ(out.rowTexts(4), texts({"合計", "---", "1,000", "0", "0", "1,000"}));

    EXPECT_EQ(widthsOf(cash), QList<int>({1100, 1650, 1200, 1200, 1200, 1650}));
    EXPECT_EQ(widthsOf(in), DefaultColumnWidths(QStringLiteral("msfgIncome")));
    EXPECT_EQ(widthsOf(out), QList<int>({1650, 1200, 1200, 1200, 450, 1200}));
    EXPECT_EQ(headerColours(in), QList<Rgb>({kColourNegative, 0, 0, 0, 0}));
    EXPECT_FALSE(app.doc.modified);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BookReset, WidthsAndSortStateComeFromSettings)
{
    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[msfgCashier]\nColWidth0=2000\nColWidth3=abc\nColWidth5=\n"
                                  "[msfgIncome]\nCurrentCol=2\nSortAscending=False\n"
                                  "[msfgOutgo]\nCurrentCol=9\nSortAscending=0\n"));
    home.writeText(QStringLiteral("Income.ini"), QStringLiteral("[0]\nMatter=a\n[1]\nMatter=b\n"));
    book.msfgCashier.setColWidth(3, 777);

    ResetBook(app);
    // A bad or empty stored width gives the default.
    EXPECT_EQ(widthsOf(book.msfgCashier), QList<int>({2000, 1650, 1200, 1200, 1200, 1650}));
    EXPECT_EQ(book.IncomeSortCol, 2);
    EXPECT_FALSE(book.IncomeSortAscending);
    EXPECT_EQ(headerColours(book.msfgIncome), QList<Rgb>({0, 0, kColourPositive, 0, 0}));
    // A column the grid does not have is ignored; "0" is false.
    EXPECT_EQ(book.OutgoSortCol, 0);
    EXPECT_FALSE(book.OutgoSortAscending);
    EXPECT_EQ(headerColours(book.msfgOutgo), QList<Rgb>({kColourPositive, 0, 0, 0, 0, 0}));

    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[msfgIncome]\nCurrentCol=1\nSortAscending=-1\n[msfgOutgo]\nSortAscending=TRUE\n"));
    ResetBook(app);
    EXPECT_EQ(book.IncomeSortCol, 1);
    EXPECT_TRUE(book.IncomeSortAscending);
    EXPECT_TRUE(book.OutgoSortAscending);
    EXPECT_EQ(headerColours(book.msfgIncome), QList<Rgb>({0, kColourNegative, 0, 0, 0}));
}

// A stored number means what it means to start-up: the settings table's
// conversions, rounding included, not a stricter reading of their own.
TEST_F(BookReset, StoredNumbersReadAsTheSettingsTableReadsThem)
{
    home.writeText(QStringLiteral("Setup.ini"),
                   QStringLiteral("[msfgCashier]\nColWidth0=1200.0\nColWidth1=2e3\nColWidth2=1300.5\n"
                                  "[msfgOutgo]\nCurrentCol=2.0\nSortAscending=False\n"));
    ResetBook(app);
    EXPECT_EQ(widthsOf(book.msfgCashier), QList<int>({1200, 2000, 1300, 1200, 1200, 1650}));
    EXPECT_EQ(book.OutgoSortCol, 2);
    EXPECT_FALSE(book.OutgoSortAscending);
}

TEST_F(BookReset, SkipNextResetSparesTheBookOnce)
{
    ResetBook(app);
    book.msfgCashier.insertRow(1, {QStringLiteral("2024/01/01"), QStringLiteral("read from file")});
    book.SkipNextReset = true;
    app.setModified(true);

    ResetBook(app);
    EXPECT_FALSE(book.SkipNextReset);
    EXPECT_EQ(book.msfgCashier.rows(), 5);
    EXPECT_TRUE(app.doc.modified);

    ResetBook(app);
    EXPECT_EQ(book.msfgCashier.rows(), 4);
    EXPECT_FALSE(app.doc.modified);
}
