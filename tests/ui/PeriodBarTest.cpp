#include "PeriodBarTest.h"

#include "ProgramUnderTest.h"
#include "UiTests.h"

#include "ui/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using namespace purslet;
using namespace purslet::test;

namespace {

// What the book window shows: the drop-down, the three tab captions and the
// cash book's first two cells of its first row.
struct Shown
{
    QString period;
    QStringList tabs;
    QString firstDate, firstMatter;
};

Shown shown(BookWindow *book)
{
    Shown s;
    s.period = book->cmbPeriod()->currentText();
    for (int tab = 0; tab < 3; ++tab)
        s.tabs << book->tabs()->tabText(tab);
    const QAbstractItemModel *model = book->msfgCashier()->model();
    s.firstDate = model->index(0, 0).data().toString();
    s.firstMatter = model->index(0, 1).data().toString();
    return s;
}

void expectMonth(BookWindow *book, const QString &caption, const QString &firstDate)
{
    const Shown s = shown(book);
    QCOMPARE(s.period, caption);
    QCOMPARE(s.tabs, QStringList({"出納帳 (" + caption + ")", "収入詳細 (" + caption + ")", "支出詳細 (" + caption + ")"}));
    QCOMPARE(s.firstMatter, QStringLiteral("前月繰越"));
    QCOMPARE(book->msfgCashier()->model()->index(1, 0).data().toString(), firstDate);
}

} // namespace

void PeriodBarTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void PeriodBarTest::monthsAreChosenByKeysButtonsAndTheDropDown()
{
    Program p(SampleBook());
    QVERIFY(p.active);
    BookWindow *book = p.book;
    QComboBox *combo = book->cmbPeriod();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, QStringList({"全期間", "2026年6月", "2026年5月", "2026年4月"}));
    QCOMPARE(shown(book).tabs, QStringList({"出納帳", "収入詳細", "支出詳細"}));

    // From the entry window's field, back is the newest month.
    QTest::mouseClick(p.input->txtMemo(), Qt::LeftButton);
    press(Qt::Key_PageUp, Qt::ControlModifier);
    expectMonth(book, QStringLiteral("2026年6月"), QStringLiteral("2026/06/01"));
    SaveScreenshot(book, QStringLiteral("period-month-cashbook.png"));
    book->tabs()->setCurrentIndex(2);
    SaveScreenshot(book, QStringLiteral("period-month-outgo.png"));
    book->tabs()->setCurrentIndex(0);

    QTest::mouseClick(book->findChild<QToolButton *>(QStringLiteral("cmdPeriodBack")), Qt::LeftButton);
    expectMonth(book, QStringLiteral("2026年5月"), QStringLiteral("2026/05/01"));

    // 期間の選択 puts the focus on the drop-down, whose arrows choose.
    clickMenuItem(&p.window(), p.window().menuAction(MenuItem::showPeriod));
    QTRY_COMPARE(focus(), static_cast<QWidget *>(combo));
    press(Qt::Key_Down);
    expectMonth(book, QStringLiteral("2026年4月"), QStringLiteral("2026/04/01"));

    press(Qt::Key_PageDown, Qt::ControlModifier);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(shown(book).period, QStringLiteral("全期間"));
    QCOMPARE(shown(book).firstDate, QStringLiteral("2026/04/01"));
    QVERIFY(!book->findChild<QToolButton *>(QStringLiteral("cmdPeriodForth"))->isEnabled());
}

void PeriodBarTest::theCarriedRowIsNoRecord()
{
    Program p(SampleBook());
    QVERIFY(p.active);
    press(Qt::Key_PageUp, Qt::ControlModifier);
    QTableView *cashier = p.book->msfgCashier();
    const int records = p.app().book.recordCount();

    clickCell(cashier, 0);
    QVERIFY(!p.window().menuAction(MenuItem::editDelete)->isEnabled());
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(p.app().book.recordCount(), records);

    // The second row shown is the month's first record: the question names it as shown.
    const Book &b = p.app().book;
    const auto copies = [&b](const QStringList &cells) {
        int n = 0;
        for (int r = 1; r <= b.recordCount(); ++r)
            n += b.msfgCashier.rowTexts(r).mid(0, 4) == cells;
        return n;
    };
    const QStringList first = b.monthCashier.rowTexts(2).mid(0, 4);
    const int before = copies(first);
    clickCell(cashier, 1);
    QVERIFY(p.window().menuAction(MenuItem::editDelete)->isEnabled());
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(p.ui.texts.last(), QStringLiteral("2行目を削除しますか？"));
    QCOMPARE(b.recordCount(), records - 1);
    QCOMPARE(copies(first), before - 1);
}

PURSLET_UI_TEST(PeriodBarTest)
