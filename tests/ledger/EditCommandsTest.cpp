#include "ScriptedUi.h"
#include "TempHome.h"
#include "data/Book.h"
#include "calc/BookReset.h"
#include "presenters/CalendarPresenter.h"
#include "calc/Cashier.h"
#include "presenters/EditCommands.h"
#include "presenters/InputPresenter.h"
#include "presenters/MatterEditorPresenter.h"
#include "state/App.h"

#include <gtest/gtest.h>

using namespace purslet;
using purslet::test::ScriptedUi;
using purslet::test::TempHome;

namespace {

class EditCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetBook(app);
        Grid &g = app.book.msfgCashier;
        for (int i = 1; i <= 8; ++i)
            g.insertRow(g.rows() - 3, {QStringLiteral("2024/01/%1").arg(i, 2, 10, QLatin1Char('0')), QString(),
                                       QString::number(i * 100)});
        RecalcCashier(app.book, ui, g.rows() - 4);
        app.setModified(false);
    }

    void select(int row, int rowSel)
    {
        app.book.msfgCashier.setSelection(row, 0, rowSel, 5);
        app.menu.setEnabled(MenuItem::editDelete, true);
    }

    QStringList incomes() const
    {
        QStringList texts;
        const Grid &g = app.book.msfgCashier;
        for (int r = 1; r <= g.rows() - 4; ++r)
            texts << g.text(r, 2);
        return texts;
    }

    void clickMemo(const QString &text, int selStart, int selLength)
    {
        input.setMemo(text, selStart + selLength, selStart, selLength);
        input.txtMemo_Click();
    }

    TempHome home;
    ScriptedUi ui;
    App app{ui, home.path()};
    InputPresenter input{app};
    MatterEditorPresenter editor{app};
    EditCommands edit{app, editor};
};

} // namespace

TEST_F(EditCommandsTest, DeleteAsksWithTheRowNumbers)
{
    select(7, 7);
    ui.answers.push_back(MsgAnswer::No);
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("7行目を削除しますか？"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("行の削除"));
    EXPECT_EQ(ui.lastMessage().icon, MsgIcon::Question);
    EXPECT_EQ(ui.lastMessage().defaultAnswer, MsgAnswer::No);

    select(2, 4);
    ui.answers.push_back(MsgAnswer::No);
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("2行目～4行目を削除しますか？"));
}

TEST_F(EditCommandsTest, YesRemovesExactlyTheSelectedRecordsInEitherDirection)
{
    select(3, 5);
    ui.answers.push_back(MsgAnswer::Yes);
    edit.editDelete_Click();
    EXPECT_EQ(incomes(), QStringList({"100", "200", "600", "700", "800"}));
    const Grid &g = app.book.msfgCashier;
    EXPECT_EQ(g.text(3, 4), QStringLiteral("900"));
    EXPECT_EQ(g.text(g.rows() - 1, 2), QStringLiteral("2,400"));
    EXPECT_TRUE(app.doc.modified);
    EXPECT_TRUE(home.exists(QStringLiteral("purslet.bak")));

    select(4, 2); // made upwards
    ui.answers.push_back(MsgAnswer::Yes);
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("4行目～2行目を削除しますか？"));
    EXPECT_EQ(incomes(), QStringList({"100", "800"}));
    EXPECT_EQ(g.rows(), 6);
    EXPECT_EQ(g.text(5, 0), QStringLiteral("合計"));
}

TEST_F(EditCommandsTest, NoRemovesNothingButMarksTheBookModified)
{
    select(2, 2);
    ui.answers.push_back(MsgAnswer::No);
    edit.editDelete_Click();
    EXPECT_EQ(incomes().size(), 8);
    EXPECT_TRUE(app.doc.modified);
    EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
}

TEST_F(EditCommandsTest, HighSpeedModeDeletesWithoutBackup)
{
    app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    select(1, 1);
    ui.answers.push_back(MsgAnswer::Yes);
    edit.editDelete_Click();
    EXPECT_EQ(incomes().size(), 7);
    EXPECT_FALSE(home.exists(QStringLiteral("purslet.bak")));
}

TEST_F(EditCommandsTest, DeleteRefusesWhenDisabledOrWhenTheSelectionLeftTheRecords)
{
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("不正な行を指定したか、行が指定されていないため削除できません。"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("削除エラー"));

    // Enabled by an earlier click, but a recalculation moved the current cell to the total row.
    select(2, 2);
    RecalcCashier(app.book, ui, app.book.msfgCashier.rows() - 4);
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("削除エラー"));
    select(8, 9); // into the empty rows
    edit.editDelete_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("削除エラー"));
    EXPECT_EQ(incomes().size(), 8);
    EXPECT_FALSE(app.doc.modified);
}

TEST_F(EditCommandsTest, CutCopyAndPasteWorkOnTheMemo)
{
    edit.editCopy_Click(); // before the memo was ever clicked
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("コピーする範囲が指定されていません。"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("コピーエラー"));
    edit.editCut_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("切り取りエラー"));
    edit.editPaste_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("貼り付け箇所が指定されていません。"));

    // The entry window refreshes on every change of the memo.
    int refreshes = 0;
    input.onChanged = [&] { ++refreshes; };

    clickMemo(QStringLiteral("abcdef"), 2, 2);
    EXPECT_TRUE(app.menu.enabled(MenuItem::editCut));
    EXPECT_FALSE(app.menu.enabled(MenuItem::editPaste)); // clipboard empty
    const size_t shown = ui.messages.size();
    edit.editCut_Click();
    EXPECT_EQ(input.memo(), QStringLiteral("abef"));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(ui.clipboard, QStringLiteral("cd"));
    EXPECT_EQ(ui.messages.size(), shown);

    clickMemo(QStringLiteral("xyz"), 1, 1);
    edit.editCopy_Click();
    EXPECT_EQ(ui.clipboard, QStringLiteral("y"));
    EXPECT_EQ(input.memo(), QStringLiteral("xyz"));

    clickMemo(QStringLiteral("keep?"), 2, 0);
    EXPECT_FALSE(app.menu.enabled(MenuItem::editCopy));
    EXPECT_TRUE(app.menu.enabled(MenuItem::editPaste));
    edit.editPaste_Click();
    EXPECT_EQ(input.memo(), QStringLiteral("y")); // the whole memo is replaced
    EXPECT_EQ(input.memoCaret(), 1);
    EXPECT_EQ(refreshes, 2); // copying changes nothing shown
}

TEST_F(EditCommandsTest, EditMatterRefusesRowsThatAreNoMatters)
{
    edit.editMatter_Click();
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("不正な行を指定したか、行が指定されていないため編集できません。"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("事柄編集エラー"));

    // Enabled, but the income grid's current cell is its total row now.
    app.menu.setEnabled(MenuItem::editMatter, true);
    app.book.MatterSourceIsIncome = true;
    edit.editMatter_Click();
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("事柄編集エラー"));
    EXPECT_TRUE(ui.modals.isEmpty());
}

TEST(CalendarPresenter, WritesThePickedDateIntoTheEntry)
{
    ScriptedUi ui;
    App app(ui, QStringLiteral("/nonexistent"));
    InputPresenter input(app);
    CalendarPresenter calendar(app, input);
    calendar.MonthView_DateClick(QDate(2024, 3, 9));
    EXPECT_EQ(input.date(), QStringLiteral("2024/03/09"));
    calendar.MouseMove(QStringLiteral("MonthView"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("日付をクリックすることで記入日が指定できます。"));
}
