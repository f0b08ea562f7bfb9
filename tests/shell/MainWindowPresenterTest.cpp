#include "../files/ShellBookFixture.h"
#include "FakeShellView.h"

#include "shell/Presenters.h"
#include "state/MenuTable.h"

using namespace purslet;
using namespace purslet::test;

namespace {

class MainWindowPresenterTest : public ::testing::Test
{
protected:
    MainWindowPresenterTest() : app(ui, home.path()), presenters(app)
    {
        ResetBook(app);
        presenters.main.setView(&view);
        presenters.main.onPrint = [this](MenuItem item) { printed << MenuItemName(item); };
        presenters.main.onEnd = [this] { ++ends; };
    }

    TempHome home;
    ScriptedUi ui;
    App app;
    Presenters presenters;
    FakeShellView view;
    QStringList printed;
    int ends = 0;
};

TEST_F(MainWindowPresenterTest, SizeRule)
{
    MainWindowPresenter &main = presenters.main;
    view.windows[ShellWindow::Main] = {500, 600, 9000, 3000, 0};
    main.MDIForm_Resize();
    EXPECT_EQ(view.panelWidth, 7000); // a low window of normal width is fine
    EXPECT_EQ(view.windows[ShellWindow::Main].height, 3000);

    view.windows[ShellWindow::Main] = {500, 600, 1999, 3000, 0};
    main.MDIForm_Resize();
    EXPECT_EQ(view.windows[ShellWindow::Main],
              (WindowGeometry{(19200 - 7774) / 2.0, (14400 - 6834) / 2.0, 7774, 6834, 0}));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("注意：フォームが小さすぎます"));

    // Maximised or minimised: no minimum enforced.
    view.windows[ShellWindow::Main] = {0, 0, 1500, 3000, kStateMinimised};
    main.MDIForm_Resize();
    EXPECT_EQ(view.windows[ShellWindow::Main].width, 1500);

    // While the book window is minimised nothing happens at all.
    view.panelWidth = -1;
    view.windows[ShellWindow::Book].windowState = kStateMinimised;
    view.windows[ShellWindow::Main] = {0, 0, 9000, 3000, 0};
    main.MDIForm_Resize();
    EXPECT_EQ(view.panelWidth, -1);
}

// The table is looked up by position and by spelled name, and every item a
// person can choose runs a command: a gap would make the item do nothing.
TEST_F(MainWindowPresenterTest, EveryChoosableItemHasItsCommand)
{
    ASSERT_EQ(MenuTable().size(), size_t(kMenuItemCount));
    for (int i = 0; i < kMenuItemCount; ++i) {
        const MenuEntry &e = MenuTable()[size_t(i)];
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_EQ(e.item, MenuItem(i));
        EXPECT_EQ(MenuItemNamed(e.name), e.item);
        const bool choosable = !e.isMenu && e.caption != QLatin1String("-");
        EXPECT_EQ(presenters.main.hasCommand(e.item), choosable);
    }
    EXPECT_FALSE(MenuItemNamed(QStringLiteral("FileNew")));
}

TEST_F(MainWindowPresenterTest, ToolbarKeysMatchExactly)
{
    EXPECT_EQ(ToolbarTable().size(), 14u);
    EXPECT_EQ(ToolbarCommandFor(QStringLiteral("help2")), MenuItem::helpTopics);
    EXPECT_EQ(ToolbarCommandFor(QStringLiteral("help")), MenuItem::helpIndex);
    EXPECT_FALSE(ToolbarCommandFor(QStringLiteral("Help")));
    EXPECT_FALSE(ToolbarCommandFor(QString()));

    presenters.main.Toolbar_ButtonClick(QStringLiteral("help"));
    presenters.main.menuClick(MenuItem::helpIndex);
    ASSERT_EQ(ui.urls.size(), 2);
    EXPECT_EQ(ui.urls[0], ui.urls[1]);
    EXPECT_TRUE(ui.urls[0].endsWith(QStringLiteral("/help/index.html")));

    presenters.main.Toolbar_ButtonClick(QStringLiteral("print"));
    EXPECT_EQ(printed, QStringList{QStringLiteral("printAll")});

    // A disabled item's command still runs from the toolbar and explains itself.
    presenters.main.Toolbar_ButtonClick(QStringLiteral("undo"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("バックアップエラー"));
    presenters.main.Toolbar_ButtonClick(QStringLiteral("nothing"));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MainWindowPresenterTest, ShowTogglesAndCloseBoxes)
{
    app.menu.setChecked(MenuItem::showCalendar, true);
    presenters.main.menuClick(MenuItem::showCalendar);
    EXPECT_FALSE(app.menu.checked(MenuItem::showCalendar));
    EXPECT_FALSE(view.visibleChildren[ShellWindow::Calendar]);
    presenters.main.menuClick(MenuItem::showCalendar);
    EXPECT_TRUE(app.menu.checked(MenuItem::showCalendar));
    EXPECT_TRUE(view.visibleChildren[ShellWindow::Calendar]);

    app.menu.setChecked(MenuItem::showMain, true);
    presenters.main.childCloseRequested(ShellWindow::Book);
    EXPECT_FALSE(app.menu.checked(MenuItem::showMain));
    EXPECT_FALSE(view.visibleChildren[ShellWindow::Book]);

    // The date field shows the calendar without touching its check mark.
    presenters.main.menuClick(MenuItem::showCalendar);
    presenters.input.onShowCalendar = [this] { view.setChildVisible(ShellWindow::Calendar, true); };
    presenters.input.txtDate_Click();
    EXPECT_TRUE(view.visibleChildren[ShellWindow::Calendar]);
    EXPECT_FALSE(app.menu.checked(MenuItem::showCalendar));
}

TEST_F(MainWindowPresenterTest, HighSpeedModeOnlyTogglesItsMark)
{
    presenters.main.menuClick(MenuItem::setupHighSpeedMode);
    EXPECT_TRUE(app.menu.checked(MenuItem::setupHighSpeedMode));
    EXPECT_TRUE(ui.messages.empty());
    presenters.main.menuClick(MenuItem::setupHighSpeedMode);
    EXPECT_FALSE(app.menu.checked(MenuItem::setupHighSpeedMode));
}

TEST_F(MainWindowPresenterTest, HistoryClearingHintsAndOtherItems)
{
    app.menu.setHistory({QStringLiteral("/a.psl")});
    app.menu.setVisible(MenuItem::fileHistory, true);
    app.menu.setEnabled(MenuItem::setupDeleteHistory, true);
    ui.answers = {MsgAnswer::No};
    presenters.main.menuClick(MenuItem::setupDeleteHistory);
    EXPECT_EQ(app.menu.history().size(), 1);
    ui.answers = {MsgAnswer::Yes};
    presenters.main.menuClick(MenuItem::setupDeleteHistory);
    EXPECT_EQ(ui.lastMessage().text, QStringLiteral("履歴を全て削除してよろしいですか？"));
    EXPECT_EQ(ui.lastMessage().title, QStringLiteral("履歴の削除"));
    EXPECT_TRUE(app.menu.history().isEmpty());
    EXPECT_FALSE(app.menu.item(MenuItem::fileHistory).visible);
    EXPECT_FALSE(app.menu.enabled(MenuItem::setupDeleteHistory));

    ShowStatus(ui, QStringLiteral("hint"));
    presenters.main.MouseMove();
    EXPECT_EQ(ui.lastStatus(), QString());

    presenters.main.menuClick(MenuItem::showGraph);
    presenters.main.menuClick(MenuItem::helpVersion);
    EXPECT_EQ(ui.modals, (QStringList{QStringLiteral("frmChart"), QStringLiteral("frmVersion")}));
    presenters.main.menuClick(MenuItem::fileEnd);
    EXPECT_EQ(ends, 1);
}

} // namespace
