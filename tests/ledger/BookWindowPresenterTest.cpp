#include "ScriptedUi.h"
#include "TempHome.h"
#include "data/Book.h"
#include "calc/BookReset.h"
#include "presenters/BookWindowPresenter.h"
#include "calc/Cashier.h"
#include "presenters/EditCommands.h"
#include "presenters/InputPresenter.h"
#include "calc/Catalogs.h"
#include "presenters/MatterEditorPresenter.h"
#include "calc/MatterSummary.h"
#include "state/App.h"

#include <gtest/gtest.h>

using namespace purslet;
using purslet::test::ScriptedUi;
using purslet::test::TempHome;

namespace {

class BookWindowPresenterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText(QStringLiteral("Income.ini"),
                       QStringLiteral("[0]\nMatter=給料\nEstimate=5,000\n[1]\nMatter=お小遣い\nEstimate=1,000\n"));
        ResetBook(app);
        Grid &g = app.book.msfgCashier;
        g.insertRow(1, {QStringLiteral("2024/01/01"), QStringLiteral("給料"), QStringLiteral("3,000")});
        g.insertRow(2, {QStringLiteral("2024/01/02"), QStringLiteral("臨時"), QStringLiteral("700")});
        RecalcCashier(app.book, ui, g.rows() - 4);
        CalcMatterSummary(app.book, ui);
    }

    int rowOf(const Grid &g, const QString &matter) const
    {
        for (int r = 1; r < g.rows(); ++r)
            if (g.text(r, 0) == matter)
                return r;
        return -1;
    }

    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    InputPresenter input{app};
    MatterEditorPresenter editor{app};
    EditCommands edit{app, editor};
    BookWindowPresenter window{app, edit};
};

} // namespace

TEST_F(BookWindowPresenterTest, HeaderClicksMoveTheSortMarkAndReverseTheDirection)
{
    Grid &g = app.book.msfgIncome;
    ASSERT_EQ(app.book.IncomeSortCol, 0);
    ASSERT_TRUE(app.book.IncomeSortAscending);

    window.msfgIncome_MouseDown(true);
    window.msfgIncome_Click(0, 2);
    EXPECT_EQ(app.book.IncomeSortCol, 2);
    EXPECT_FALSE(app.book.IncomeSortAscending);
    EXPECT_EQ(g.cellBackground(0, 2), kColourPositive);
    EXPECT_EQ(g.cellBackground(0, 0), Rgb(0));
    // Descending by actual income: 給料 3,000, その他 700, お小遣い 0.
    EXPECT_EQ(g.text(1, 0), QStringLiteral("給料"));
    EXPECT_EQ(g.text(2, 0), QStringLiteral("その他"));
    EXPECT_EQ(g.text(3, 0), QStringLiteral("お小遣い"));

    window.msfgIncome_Click(0, 2);
    EXPECT_TRUE(app.book.IncomeSortAscending);
    EXPECT_EQ(g.cellBackground(0, 2), kColourNegative);
    EXPECT_EQ(g.text(1, 0), QStringLiteral("お小遣い"));

    // Another column keeps reversing instead of starting ascending.
    window.msfgIncome_Click(0, 1);
    EXPECT_FALSE(app.book.IncomeSortAscending);
    EXPECT_EQ(g.cellBackground(0, 2), Rgb(0));
    EXPECT_EQ(g.cellBackground(0, 1), kColourPositive);

    // The right button does nothing.
    window.msfgIncome_MouseDown(false);
    window.msfgIncome_Click(0, 3);
    EXPECT_EQ(app.book.IncomeSortCol, 1);
}

TEST_F(BookWindowPresenterTest, AMatterRowOpensTheEditorAndOtherRowsDisableIt)
{
    Grid &g = app.book.msfgIncome;
    window.msfgIncome_MouseDown(true);
    const int salary = rowOf(g, QStringLiteral("給料"));
    window.msfgIncome_Click(salary, 3);
    EXPECT_TRUE(app.menu.enabled(MenuItem::editMatter));
    EXPECT_TRUE(app.book.MatterSourceIsIncome);
    ASSERT_EQ(ui.modals, QStringList({"frmMatter"}));
    EXPECT_EQ(editor.matter(), QStringLiteral("給料"));
    EXPECT_EQ(editor.estimate(), QStringLiteral("5000"));
    EXPECT_EQ(g.row(), salary);
    EXPECT_EQ(g.colSel(), 4);

    for (int row : {rowOf(g, kOtherMatter), g.rows() - 3, g.rows() - 2, g.rows() - 1}) {
        window.msfgIncome_Click(row, 0);
        EXPECT_FALSE(app.menu.enabled(MenuItem::editMatter)) << row;
    }
    EXPECT_EQ(ui.modals.size(), 1);

    window.msfgIncome_Click(salary, 0);
    ASSERT_TRUE(app.menu.enabled(MenuItem::editMatter));
    window.SSTab_Click(1);
    EXPECT_FALSE(app.menu.enabled(MenuItem::editMatter));
    EXPECT_EQ(window.tab(), 1);
}

TEST_F(BookWindowPresenterTest, CashBookClickEnablesDeleteOnRecordsOnly)
{
    Grid &g = app.book.msfgCashier;
    g.setSelection(1, 0, 2, 0);
    window.msfgCashier_Click();
    EXPECT_TRUE(app.menu.enabled(MenuItem::editDelete));
    g.setSelection(2, 0, g.rows() - 3, 0);
    window.msfgCashier_Click();
    EXPECT_FALSE(app.menu.enabled(MenuItem::editDelete));
    g.setSelection(g.rows() - 1, 0, g.rows() - 1, 0);
    window.msfgCashier_Click();
    EXPECT_FALSE(app.menu.enabled(MenuItem::editDelete));
}

TEST_F(BookWindowPresenterTest, HintsAndGridExtent)
{
    window.MouseMove(QStringLiteral("msfgOutgo"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("対象行をクリックすることで事柄が編集できます。"));
    window.MouseMove(QStringLiteral("SSTab"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("タブをクリックすると表示項目を切り替えることができます。"));
    EXPECT_EQ(BookWindowPresenter::gridExtent(QSize(6000, 4000)), QSize(5650, 3150));
    EXPECT_EQ(BookWindowPresenter::gridExtent(QSize(100, 100)), QSize(0, 0));
}
