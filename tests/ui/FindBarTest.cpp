#include "FindBarTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"

#include "ui/FindBar.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

using namespace purslet;
using namespace purslet::test;

void FindBarTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void FindBarTest::findsRecordsByKeys()
{
    Program p;
    QVERIFY(p.active);
    struct Record
    {
        const char *date;
        bool income;
        const char *matter, *money, *memo;
    };
    const Record records[] = {
        {"2026/05/02", false, "食費", "1200", "ｽｰﾊﾟｰ ABC"}, {"2026/05/10", false, "本", "800", "漫画"},
        {"2026/05/20", false, "交通費", "1200", "バス"},    {"2026/06/03", false, "食費", "500", "スーパー"},
        {"2026/06/15", true, "給料", "50000", "abc社"},     {"2026/06/20", false, "食費", "300", "コンビニ"},
    };
    for (const Record &r : records)
        RecordDirectly(p.session->presenters.input, QString::fromUtf8(r.date), r.income, QString::fromUtf8(r.matter),
                       QString::fromUtf8(r.money), QString::fromUtf8(r.memo));
    QCOMPARE(p.app().book.recordCount(), 6);

    // Found from another tab: the cash book comes to the front.
    QTabBar *tabBar = p.book->tabs()->tabBar();
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(2).center());
    QCOMPARE(p.book->tabs()->currentIndex(), 2);

    QTableView *cashier = p.book->msfgCashier();
    QLineEdit *text = p.book->findBar()->text();
    // Typed text follows Ctrl+F, which selects what the bar held; rows are the view's.
    struct Step
    {
        const char *typed;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        const char *status;
    };
    const auto run = [&](const Step &s) {
        if (s.typed) {
            press(Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(focus(), static_cast<QWidget *>(text));
            typeText(QString::fromUtf8(s.typed));
            QCOMPARE(text->text(), QString::fromUtf8(s.typed));
        }
        press(s.key, s.modifiers);
        QCOMPARE(p.window().statusPanel(1)->text(), QString::fromUtf8(s.status));
        QCOMPARE(cashier->currentIndex().row(), s.row);
        QCOMPARE(cashier->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(cashier->selectionModel()->selectedRows().first().row(), s.row);
        QCOMPARE(p.book->tabs()->currentIndex(), 0);
    };
    const Step wholeBook[] = {
        {"スーパー", Qt::Key_Return, {}, 0, "1 / 2 件"},
        {nullptr, Qt::Key_F3, {}, 3, "2 / 2 件"},
        {nullptr, Qt::Key_F3, {}, 0, "1 / 2 件"},
        {nullptr, Qt::Key_F3, Qt::ShiftModifier, 3, "2 / 2 件"},
        {"ＡＢＣ", Qt::Key_Return, {}, 4, "2 / 2 件"},
        {"1200", Qt::Key_Return, {}, 0, "1 / 2 件"},
        {"ｽｰﾊﾟｰ", Qt::Key_Return, {}, 3, "2 / 2 件"},
        {"xyz", Qt::Key_Return, {}, 3, "「xyz」に一致する記録はありません"},
    };
    for (const Step &s : wholeBook)
        run(s);
    SaveScreenshot(p.book, QStringLiteral("find-bar.png"));

    // A month: only its records, after the balance brought forward.
    press(Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(p.app().book.period, QStringLiteral("2026/06"));
    const Step month[] = {
        {"スーパー", Qt::Key_Return, {}, 1, "1 / 1 件"},
        {nullptr, Qt::Key_F3, {}, 1, "1 / 1 件"},
        {"1200", Qt::Key_Return, {}, 1, "「1200」に一致する記録はありません"},
        {"ＡＢＣ", Qt::Key_Return, {}, 2, "1 / 1 件"},
    };
    for (const Step &s : month)
        run(s);

    // Esc: the bar goes, the focus is on the found row, which Delete would take.
    press(Qt::Key_Escape);
    QVERIFY(!p.book->findBar()->isVisible());
    QCOMPARE(focus(), static_cast<QWidget *>(cashier));
    QCOMPARE(cashier->currentIndex().row(), 2);
    QVERIFY(p.window().menuAction(MenuItem::editDelete)->isEnabled());
    QCOMPARE(p.app().book.monthCashier.text(p.app().book.monthCashier.rowSel(), 5), QStringLiteral("abc社"));

    // Shift+F3 from the cash book goes on with the text, the bar shown again.
    press(Qt::Key_F3, Qt::ShiftModifier);
    QVERIFY(p.book->findBar()->isVisible());
    QCOMPARE(focus(), static_cast<QWidget *>(cashier));
    QCOMPARE(cashier->currentIndex().row(), 2);
    QCOMPARE(p.window().statusPanel(1)->text(), QStringLiteral("1 / 1 件"));

    // Enter there corrects the record found.
    press(Qt::Key_Return);
    QCOMPARE(p.input->cmdEnter()->text(), QStringLiteral("修正(&E)"));
    QCOMPARE(p.input->txtMemo()->text(), QStringLiteral("abc社"));
}

PURSLET_UI_TEST(FindBarTest)
