#include "HintsTest.h"

#include "ScriptedUi.h"
#include "TempHome.h"
#include "UiTests.h"
#include "calc/BookReset.h"
#include "shell/Presenters.h"
#include "state/App.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/MatterEditorDialog.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace purslet;

void HintsTest::eachWindowHintsItsControlsAndClearsOverItsBackground()
{
    test::TempHome home;
    test::ScriptedUi ui;
    App app(ui, home.path());
    Presenters p(app);
    ResetBook(app);

    BookWindow book(p.bookWindow, app);
    book.resize(500, 400);
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    QWidget *cashier = book.msfgCashier()->viewport();
    QTest::mouseMove(cashier, cashier->rect().center());
    QTRY_COMPARE(ui.lastStatus(), QStringLiteral("クリックで行が選択できます。"));
    QTabBar *tabs = book.findChild<QTabWidget *>()->tabBar();
    QTest::mouseMove(tabs, tabs->tabRect(1).center());
    QTRY_COMPARE(ui.lastStatus(), QStringLiteral("タブをクリックすると表示項目を切り替えることができます。"));

    CalendarWindow calendar(p.calendar);
    calendar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calendar));
    QWidget *days = calendar.monthView()->findChild<QTableView *>()->viewport();
    QTest::mouseMove(days, days->rect().center());
    QTRY_COMPARE(ui.lastStatus(), QStringLiteral("日付をクリックすることで記入日が指定できます。"));

    MatterEditorDialog editor(p.matterEditor, app);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::mouseMove(editor.txtEstimate(), QPoint(5, 5));
    QTRY_COMPARE(ui.lastStatus(), QStringLiteral("予定額を入力します。"));
    QTest::mouseMove(&editor, QPoint(editor.width() - 2, editor.height() - 2));
    QTRY_COMPARE(ui.lastStatus(), QString());
}

PURSLET_UI_TEST(HintsTest)
