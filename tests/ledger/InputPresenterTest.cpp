#include "ScriptedUi.h"
#include "TempHome.h"
#include "data/Book.h"
#include "calc/BookReset.h"
#include "presenters/InputPresenter.h"
#include "calc/Catalogs.h"
#include "state/App.h"

#include <gtest/gtest.h>

using namespace purslet;
using purslet::test::ScriptedUi;
using purslet::test::TempHome;

namespace {

class InputPresenterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home.writeText(QStringLiteral("Outgo.ini"),
                       QStringLiteral("[0]\nMatter=book\nEstimate=3,000\n[1]\nMatter=食費\nEstimate=30,000\n"));
        ResetBook(app);
        FillMatterCombo(app);
        input.setDate(QStringLiteral("2024/05/10"));
    }

    void typeMoney(const QString &text)
    {
        input.setMoneyText(text);
        input.txtMoney_Change();
    }

    // One record through the fields, as the user would make it.
    void enter(const QString &date, const QString &matter, const QString &money, const QString &memo = {})
    {
        input.setDate(date);
        input.EntrySuppressCompletion = true;
        input.setMatter(matter, int(matter.size()));
        typeMoney(money);
        input.setMemo(memo, int(memo.size()));
        input.cmdEnter_Click();
    }

    QStringList column(int col) const
    {
        QStringList texts;
        const Grid &g = app.book.msfgCashier;
        for (int r = 1; r <= g.rows() - 4; ++r)
            texts << g.text(r, col);
        return texts;
    }

    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    InputPresenter input{app};
};

} // namespace

TEST_F(InputPresenterTest, AmountFieldKeepsDigitsWithoutLeadingZeroAndDrivesTheButton)
{
    typeMoney(QStringLiteral("0"));
    EXPECT_EQ(input.money(), QString());
    EXPECT_FALSE(input.enterEnabled());

    typeMoney(QStringLiteral("05")); // 0 typed, then 5
    EXPECT_EQ(input.money(), QStringLiteral("5"));
    EXPECT_TRUE(input.enterEnabled());

    typeMoney(QStringLiteral("007"));
    EXPECT_EQ(input.money(), QStringLiteral("7"));
    typeMoney(QStringLiteral("1,2a3"));
    EXPECT_EQ(input.money(), QStringLiteral("123"));
    typeMoney(QStringLiteral("１２")); // full-width digits are digits
    EXPECT_EQ(input.money(), QStringLiteral("12"));
    typeMoney(QStringLiteral("ａ"));
    EXPECT_EQ(input.money(), QString());
    EXPECT_FALSE(input.enterEnabled());

    typeMoney(QStringLiteral("123456789")); // the ninth digit does not go in
    EXPECT_EQ(input.money(), QStringLiteral("12345678"));
}

TEST_F(InputPresenterTest, MatterCompletionProposesTheRestAndKeepsTheTypedPrefix)
{
    app.entry.cmbMatter.clear();
    for (const char *m : {"apple", "Banana", "book"})
        app.entry.cmbMatter.addSorted(QString::fromLatin1(m));

    input.cmbMatter_KeyDown('B');
    input.setMatter(QStringLiteral("b"), 1);
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QStringLiteral("Banana")); // first in list order, case ignored
    EXPECT_EQ(input.matterSelStart(), 1);
    EXPECT_EQ(input.matterSelLength(), 5);

    input.cmbMatter_KeyDown('O');
    input.setMatter(QStringLiteral("bo"), 2);
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QStringLiteral("book"));
    EXPECT_EQ(input.matterSelStart(), 2);
    EXPECT_EQ(input.matterSelLength(), 2);

    // No entry begins with the prefix: the text is cut back to it.
    input.cmbMatter_KeyDown('X');
    input.setMatter(QStringLiteral("boxk"), 3);
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QStringLiteral("box"));
    EXPECT_EQ(input.matterCaret(), 3);
    EXPECT_EQ(input.matterSelLength(), 0);
    EXPECT_EQ(input.EntrySavedCaret, 0);

    // Backspace first drops the proposed rest; the change it causes completes nothing.
    input.setMatter(QStringLiteral("Banana"), 6, 1, 5);
    input.cmbMatter_KeyDown(InputPresenter::KeyBack);
    EXPECT_TRUE(input.EntrySuppressCompletion);
    EXPECT_EQ(input.matterText(), QStringLiteral("B"));
    input.setMatter(QString(), 0); // the key's own deletion
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QString());

    // A cut takes the proposal with it: what is left completes nothing.
    input.setMatter(QStringLiteral("Banana"), 6, 1, 5);
    input.cmbMatter_KeyDown(InputPresenter::KeyCut);
    EXPECT_EQ(input.matterText(), QStringLiteral("Banana")); // still there for the cut
    input.setMatter(QStringLiteral("B"), 1);
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QStringLiteral("B"));

    // Enter accepts the proposal: caret to the end, nothing selected.
    input.cmbMatter_KeyDown('A');
    input.setMatter(QStringLiteral("a"), 1);
    input.cmbMatter_Change();
    EXPECT_EQ(input.matterText(), QStringLiteral("apple"));
    input.cmbMatter_KeyDown(InputPresenter::KeyReturn);
    EXPECT_EQ(input.matterCaret(), 5);
    EXPECT_EQ(input.matterSelLength(), 0);
    EXPECT_TRUE(input.EntrySuppressCompletion);
    input.cmbMatter_KeyDown('Z');
    EXPECT_FALSE(input.EntrySuppressCompletion);
}

TEST_F(InputPresenterTest, RecordsLandInDateOrderAndEqualDatesKeepTheirOrder)
{
    input.setIncome(false);
    enter(QStringLiteral("2024/05/10"), QStringLiteral("book"), QStringLiteral("100"), QStringLiteral("first"));
    enter(QStringLiteral("2024/05/01"), QStringLiteral("book"), QStringLiteral("200"));
    enter(QStringLiteral("2024/06/01"), QStringLiteral("book"), QStringLiteral("300"));
    enter(QStringLiteral("2024/05/10"), QStringLiteral("book"), QStringLiteral("400"), QStringLiteral("second"));

    EXPECT_EQ(column(0), QStringList({"2024/05/01", "2024/05/10", "2024/05/10", "2024/06/01"}));
    EXPECT_EQ(column(5), QStringList({"", "first", "second", ""}));
    EXPECT_EQ(column(3), QStringList({"200", "100", "400", "300"}));
    EXPECT_EQ(column(4), QStringList({"-200", "-300", "-700", "-1,000"}));
    const Grid &g = app.book.msfgCashier;
    EXPECT_EQ(g.rows(), 8);
    EXPECT_EQ(g.rowTexts(5), QStringList(6, QString()));
    EXPECT_EQ(g.rowTexts(6), QStringList(6, QString()));
    EXPECT_EQ(g.text(7, 0), QStringLiteral("合計"));
    EXPECT_EQ(g.text(7, 3), QStringLiteral("1,000"));
}

TEST_F(InputPresenterTest, ABookReadOutOfOrderIsSortedStablyByTheNextRecord)
{
    Grid &g = app.book.msfgCashier;
    const QStringList dates{"2024/03/01", "2024/01/01", "2024/03/01", "2024/02/01"};
    for (int i = 0; i < dates.size(); ++i)
        g.insertRow(g.rows() - 3, {dates[i], QString(), QStringLiteral("1"), QString(), QString(), QString::number(i)});
    enter(QStringLiteral("2024/03/01"), QString(), QStringLiteral("5"), QStringLiteral("new"));
    EXPECT_EQ(column(0), QStringList({"2024/01/01", "2024/02/01", "2024/03/01", "2024/03/01", "2024/03/01"}));
    EXPECT_EQ(column(5), QStringList({"1", "3", "0", "2", "new"}));
    EXPECT_EQ(g.rows(), 9);
    EXPECT_EQ(g.text(8, 0), QStringLiteral("合計"));
}

TEST_F(InputPresenterTest, RecordingClearsTheFieldsAndKeepsDateAndKind)
{
    input.setIncome(false);
    enter(QStringLiteral("2024/07/07"), QStringLiteral("食費"), QStringLiteral("1200"), QStringLiteral("lunch"));

    EXPECT_EQ(app.book.msfgCashier.rowTexts(1), QStringList({"2024/07/07", "食費", "", "1,200", "-1,200", "lunch"}));
    EXPECT_EQ(input.matterText(), QString());
    EXPECT_EQ(input.money(), QString());
    EXPECT_EQ(input.memo(), QString());
    EXPECT_FALSE(input.enterEnabled());
    EXPECT_EQ(input.date(), QStringLiteral("2024/07/07"));
    EXPECT_FALSE(input.income());
    EXPECT_TRUE(app.doc.modified);
    EXPECT_EQ(ui.lastStatus(), QString());
    EXPECT_TRUE(ui.statuses.contains(QStringLiteral("出納帳にデータを書きこんでいます...")));
}

TEST_F(InputPresenterTest, OtherIsStoredAsAnEmptyMatterAndNeverCatalogued)
{
    input.setIncome(true);
    enter(QStringLiteral("2024/07/07"), kOtherMatter, QStringLiteral("500"));
    EXPECT_EQ(app.book.msfgCashier.text(1, 1), QString());
    EXPECT_EQ(app.book.msfgCashier.text(1, 2), QStringLiteral("500"));
    EXPECT_FALSE(home.exists(QStringLiteral("Income.ini")));
    EXPECT_EQ(app.entry.cmbMatter.count(), 0);
}

TEST_F(InputPresenterTest, AMatterDifferingInLetterCaseIsANewMatter)
{
    input.setIncome(false);
    FillMatterCombo(app);
    enter(QStringLiteral("2024/07/07"), QStringLiteral("Book"), QStringLiteral("800"));

    const MatterList &list = app.entry.cmbMatter;
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(2), QStringLiteral("Book")); // after the last item, not sorted in
    EXPECT_EQ(app.ini.ReadIniValue(QStringLiteral("Outgo"), QStringLiteral("2"), QStringLiteral("Matter"), {}),
              QStringLiteral("Book"));
    const Grid &outgo = app.book.msfgOutgo;
    bool found = false;
    for (int r = 1; r <= outgo.rows() - 4; ++r)
        found = found || (outgo.text(r, 0) == QStringLiteral("Book") && outgo.text(r, 3) == QStringLiteral("800"));
    EXPECT_TRUE(found);

    enter(QStringLiteral("2024/07/08"), QStringLiteral("book"), QStringLiteral("1"));
    EXPECT_EQ(list.count(), 3); // exact match: nothing appended
}

TEST_F(InputPresenterTest, UndoBackupIsTakenUnlessHighSpeedMode)
{
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    enter(QStringLiteral("2024/07/07"), QString(), QStringLiteral("1"));
    EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
    EXPECT_FALSE(app.menu.enabled(MenuItem::editUndo));

    app.menu.setChecked(MenuItem::setupHighSpeedMode, false);
    enter(QStringLiteral("2024/07/08"), QString(), QStringLiteral("2"));
    EXPECT_TRUE(home.exists(QStringLiteral("purslet.bak")));
    EXPECT_TRUE(app.menu.enabled(MenuItem::editUndo));
    EXPECT_EQ(app.menu.caption(MenuItem::editUndo), QStringLiteral("元に戻す(&U) -入力"));
}

TEST_F(InputPresenterTest, AFullBookRefusesAnotherRecord)
{
    Grid &g = app.book.msfgCashier;
    {
        Grid::Bulk bulk(g);
        for (int i = 0; i < kMaxRecords; ++i)
            g.insertRow(g.rows() - 3, {QStringLiteral("2024/01/01")});
    }
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    enter(QStringLiteral("2024/07/07"), QString(), QStringLiteral("1"));
    EXPECT_EQ(g.rows(), kMaxRecords + 4);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("記入エラー"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(input.money(), QStringLiteral("1")); // kept for the user to see
}

TEST_F(InputPresenterTest, DateClickAsksForTheCalendarAndHintsFollowTheMouse)
{
    int shown = 0;
    input.onShowCalendar = [&] { ++shown; };
    input.txtDate_Click();
    EXPECT_EQ(shown, 1);

    input.MouseMove(QStringLiteral("txtMoney"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("金額を入力します。"));
    input.MouseMove(QStringLiteral("Form"));
    EXPECT_EQ(ui.lastStatus(), QString());
}
