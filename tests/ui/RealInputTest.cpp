#include "RealInputTest.h"

#include "TempHome.h"
#include "UiDriving.h"
#include "ProgramUnderTest.h"
#include "UiTests.h"
#include "data/Book.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"
#include "ui/SubWindowWidth.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <memory>

#if PURSLET_WITH_XKB
#include <qguiapplication_platform.h>
// Xlib last: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#endif

using namespace purslet;
using namespace purslet::test;

namespace {

const QString kDate = QStringLiteral("yyyy/MM/dd");

// The grid rows (first record 1) that the view highlights.
QList<int> highlighted(QTableView *view)
{
    QList<int> rows;
    for (const QModelIndex &index : view->selectionModel()->selectedRows())
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

void RealInputTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void RealInputTest::typingStartsInTheMatterBox()
{
    Program p;
    QVERIFY(p.active);
    QCOMPARE(focus(), p.input->cmbMatter());
    QCOMPARE(p.window().mdiArea()->activeSubWindow(), p.sub(ShellWindow::Input));

    typeText(QStringLiteral("本代"));
    press(Qt::Key_Tab);
    QCOMPARE(focus(), p.input->txtMoney());
    typeText(QStringLiteral("500"));
    press(Qt::Key_Tab);
    QCOMPARE(focus(), p.input->txtMemo());
    typeText(QStringLiteral("参考書"));
    press(Qt::Key_Tab);
    QCOMPARE(focus(), p.input->cmdEnter());
    press(Qt::Key_Return);

    const Grid &g = p.app().book.msfgCashier;
    QCOMPARE(p.app().book.recordCount(), 1);
    QCOMPARE(g.rowTexts(1).mid(1), QStringList({"本代", "500", "", "500", "参考書"}));
}

void RealInputTest::editKeysWinOverTheFields()
{
    Program p;
    QVERIFY(p.active);
    QTest::mouseClick(p.input->txtMoney(), Qt::LeftButton);
    typeText(QStringLiteral("300"));
    press(Qt::Key_Return);
    QCOMPARE(p.app().book.recordCount(), 1);
    QCOMPARE(focus(), p.input->txtMoney());

    // Undo right after the entry, the focus still in the amount.
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p.ui.texts.value(p.ui.texts.size() - 1), QStringLiteral("元に戻しますか？"));
    QCOMPARE(p.app().book.recordCount(), 0);

    // Copy with nothing to copy is the memo's own key: no box, the clipboard alone.
    QApplication::clipboard()->setText(QStringLiteral("前から"));
    press(Qt::Key_Tab);
    QCOMPARE(focus(), p.input->txtMemo());
    typeText(QStringLiteral("abcdef"));
    const qsizetype boxes = p.ui.texts.size();
    press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(p.ui.texts.size(), boxes);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("前から"));

    // A selection made with the keys can be cut.
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(p.input->txtMemo()->text(), QStringLiteral("abef"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("cd"));

    // Paste replaces the whole memo, wherever the caret is.
    QApplication::clipboard()->setText(QStringLiteral("全部"));
    QLineEdit *memo = p.input->txtMemo();
    QTest::mouseClick(memo, Qt::LeftButton, {},
                      QPoint(4 + memo->fontMetrics().horizontalAdvance(QStringLiteral("ab")), memo->height() / 2));
    QVERIFY(memo->cursorPosition() > 0);
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->text(), QStringLiteral("全部"));
}

void RealInputTest::completionKeysReachTheMatterBox()
{
    Program p;
    QVERIFY(p.active);
    QTest::mouseClick(p.input->optCashier(1), Qt::LeftButton);
    QLineEdit *matter = p.input->cmbMatter()->lineEdit();
    QTest::mouseClick(matter, Qt::LeftButton);
    QCOMPARE(focus(), p.input->cmbMatter());

    // Delete drops the proposal: a prefix of a known matter can be entered.
    typeText(QStringLiteral("食"));
    QCOMPARE(matter->text(), QStringLiteral("食費"));
    QCOMPARE(matter->selectedText(), QStringLiteral("費"));
    press(Qt::Key_Delete);
    QCOMPARE(matter->text(), QStringLiteral("食"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("450"));
    press(Qt::Key_Return);
    QCOMPARE(p.app().book.msfgCashier.text(1, 1), QStringLiteral("食"));

    // Backspace drops the proposal, then deletes as usual.
    QTest::mouseClick(matter, Qt::LeftButton);
    typeText(QStringLiteral("交通"));
    QCOMPARE(matter->text(), QStringLiteral("交通費"));
    press(Qt::Key_Backspace);
    QCOMPARE(matter->text(), QStringLiteral("交"));
    typeText(QStringLiteral("通"));
    QCOMPARE(matter->text(), QStringLiteral("交通費"));
    press(Qt::Key_Delete);
    press(Qt::Key_Tab);
    typeText(QStringLiteral("700"));
    press(Qt::Key_Return);
    QCOMPARE(p.app().book.msfgCashier.text(2, 1), QStringLiteral("交通"));
    QStringList outgo;
    for (int r = 1; r < p.app().book.msfgOutgo.rows(); ++r)
        outgo << p.app().book.msfgOutgo.text(r, 0);
    QVERIFY(outgo.contains(QStringLiteral("食")));
    QVERIFY(outgo.contains(QStringLiteral("交通")));
}

void RealInputTest::calendarFromTheKeyboard()
{
    Program p;
    QVERIFY(p.active);
    QCalendarWidget *month = p.calendar->monthView();
    QTableView *days = calendarDays(month);
    QLineEdit *date = p.input->txtDate();
    const QDate start = month->selectedDate();
    QCOMPARE(date->text(), start.toString(kDate));

    // The arrows move the highlight and the entry date with it; Enter keeps it.
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                      days->visualRect(days->selectionModel()->selectedIndexes().value(0)).center());
    QCOMPARE(focus(), days);
    press(Qt::Key_Right);
    QCOMPARE(month->selectedDate(), start.addDays(1));
    QCOMPARE(date->text(), start.addDays(1).toString(kDate));
    press(Qt::Key_Up);
    press(Qt::Key_Return);
    QCOMPARE(date->text(), start.addDays(-6).toString(kDate));
    QCOMPARE(date->text(), month->selectedDate().toString(kDate));

    // A double-click picks a day a week away.
    const QModelIndex at = days->selectionModel()->selectedIndexes().value(0);
    const int row = at.row() < 3 ? at.row() + 1 : at.row() - 1;
    const QDate expected = month->selectedDate().addDays(row > at.row() ? 7 : -7);
    const QPoint weekAway = days->visualRect(days->model()->index(row, at.column())).center();
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, weekAway);
    QTest::mouseDClick(days->viewport(), Qt::LeftButton, {}, weekAway);
    QCOMPARE(date->text(), expected.toString(kDate));

    // Saturdays blue, Sundays red, in a week wholly in the shown month.
    int saturday = -1, sunday = -1;
    for (int c = 0; c < days->model()->columnCount(); ++c) {
        const QString name = days->model()->index(0, c).data().toString();
        if (name == QStringLiteral("土"))
            saturday = c;
        else if (name == QStringLiteral("日"))
            sunday = c;
    }
    QVERIFY(saturday >= 0 && sunday >= 0);
    const int week = days->selectionModel()->selectedIndexes().value(0).row() == 3 ? 4 : 3;
    const QImage shot = days->viewport()->grab().toImage();
    const QColor blue = MeanColour(shot, days->visualRect(days->model()->index(week, saturday)), Pixels::Coloured);
    const QColor red = MeanColour(shot, days->visualRect(days->model()->index(week, sunday)), Pixels::Coloured);
    QVERIFY2(blue.blue() > blue.red() + 80, qPrintable(blue.name()));
    QVERIFY2(red.red() > red.blue() + 80, qPrintable(red.name()));
}

void RealInputTest::deleteTakesTheHighlightedRows()
{
    Program p;
    QVERIFY(p.active);
    for (int day = 1; day <= 8; ++day)
        p.record(QStringLiteral("2024/05/%1").arg(day, 2, 10, QLatin1Char('0')), QString::number(day * 100),
                 QStringLiteral("r%1").arg(day));
    QTableView *v = p.book->msfgCashier();
    const QString deleteTitle = QStringLiteral("行の削除");
    auto asked = [&] { return p.ui.titles.last() == deleteTitle ? p.ui.texts.last() : QString(); };

    // After an entry refilled the grid, a Shift+click reaches up from the top.
    clickCell(v, 5);
    QTest::mouseClick(p.input->txtMoney(), Qt::LeftButton);
    typeText(QStringLiteral("900"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("r9"));
    press(Qt::Key_Return);
    QCOMPARE(p.app().book.recordCount(), 9);
    clickCell(v, 1, Qt::ShiftModifier);
    QCOMPARE(highlighted(v), QList<int>({1, 2}));
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(asked(), QStringLiteral("1行目～2行目を削除しますか？"));
    QCOMPARE(p.memos(), QStringList({"r3", "r4", "r5", "r6", "r7", "r8", "r9"}));

    // After a deletion: a drag upwards.
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, cellCentre(v, 3));
    QTest::mouseMove(v->viewport(), cellCentre(v, 1));
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, cellCentre(v, 1));
    QCOMPARE(highlighted(v), QList<int>({2, 3, 4}));
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(asked(), QStringLiteral("4行目～2行目を削除しますか？"));
    QCOMPARE(p.memos(), QStringList({"r3", "r7", "r8", "r9"}));

    // Ctrl+click extends the block; No keeps everything.
    clickCell(v, 0);
    clickCell(v, 2, Qt::ControlModifier);
    QCOMPARE(highlighted(v), QList<int>({1, 2, 3}));
    p.ui.answers = {MsgAnswer::No};
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(asked(), QStringLiteral("1行目～3行目を削除しますか？"));
    QCOMPARE(p.memos().size(), 4);

    // Shift and the arrows select as clicks do.
    clickCell(v, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(highlighted(v), QList<int>({1, 2, 3}));
    p.ui.answers = {MsgAnswer::Yes};
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(asked(), QStringLiteral("1行目～3行目を削除しますか？"));
    QCOMPARE(p.memos(), QStringList({"r9"}));

    // Moving onto the total row from the keyboard takes Delete away.
    clickCell(v, 0);
    QVERIFY(p.app().menu.enabled(MenuItem::editDelete));
    press(Qt::Key_End, Qt::ControlModifier);
    QVERIFY(!p.app().menu.enabled(MenuItem::editDelete));
    const qsizetype boxes = p.ui.titles.size();
    press(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(p.ui.titles.size(), boxes);
    QCOMPARE(p.memos(), QStringList({"r9"}));
}

void RealInputTest::ctrlTabWalksEveryChildWindow()
{
    Program p;
    QVERIFY(p.active);
    QMdiArea *mdi = p.window().mdiArea();
    QTest::mouseClick(p.input->txtMemo(), Qt::LeftButton);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Input));

    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Calendar));
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Book));
    QVERIFY(p.sub(ShellWindow::Book)->isAncestorOf(focus()));
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Input));
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Book));

    // A hidden window is passed over.
    clickCloseBox(p.sub(ShellWindow::Calendar));
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Input));
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(mdi->activeSubWindow(), p.sub(ShellWindow::Book));
}

void RealInputTest::summaryRowsFromTheKeyboard()
{
    Program p;
    QVERIFY(p.active);

    // A summary row reached with the arrows can be edited with Ctrl+M.
    QTabBar *tabs = p.book->tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QTableView *income = p.book->msfgIncome();
    for (int i = 0; i < 6 && focus() != income; ++i)
        press(Qt::Key_Tab);
    QCOMPARE(focus(), income);
    press(Qt::Key_Down);
    const QString matter = income->currentIndex().siblingAtColumn(0).data().toString();
    QVERIFY(!matter.isEmpty());
    QVERIFY(p.app().menu.enabled(MenuItem::editMatter));
    press(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(p.ui.modals, QStringList({"frmMatter"}));
    QCOMPARE(p.session->presenters.matterEditor.matter(), matter);

    // The total row is no matter.
    press(Qt::Key_End, Qt::ControlModifier);
    QVERIFY(!p.app().menu.enabled(MenuItem::editMatter));
    press(Qt::Key_M, Qt::ControlModifier);
    QVERIFY(p.ui.titles.isEmpty());
    QCOMPARE(p.ui.modals.size(), 1);
}

void RealInputTest::statusBarPanelsClearTheHint()
{
    Program p;
    QVERIFY(p.active);
    QLabel *hint = p.window().statusPanel(1);
    for (int panel : {1, 2, 4}) {
        QTest::mouseMove(p.input->txtMoney(), QPoint(5, 5));
        QTRY_COMPARE(hint->text(), QStringLiteral("金額を入力します。"));
        QLabel *over = p.window().statusPanel(panel);
        QTest::mouseMove(over, over->rect().center());
        QTRY_COMPARE(hint->text(), QString());
    }
}

void RealInputTest::lockPanelsFollowTheKeyboard()
{
#if PURSLET_WITH_XKB
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        QSKIP("no X11 display");
    auto setCaps = [display](bool on) {
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XSync(display, False);
    };
    setCaps(true);
    const auto unlock = qScopeGuard([&] { setCaps(false); });

    Program p;
    QVERIFY(p.active);
    QLabel *caps = p.window().statusPanel(2);
    QVERIFY(caps->isEnabled());

    // Changed while another program's window has the focus.
    QWidget other;
    other.resize(120, 80);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    setCaps(false);
    QTRY_VERIFY(!caps->isEnabled());
    setCaps(true);
    QTRY_VERIFY(caps->isEnabled());
#else
    QSKIP("built without XKB");
#endif
}

void RealInputTest::firstStartShowsEveryCaption()
{
    Program p;
    QVERIFY(p.active);
    QTest::qWait(50);
    SaveScreenshot(&p.window(), QStringLiteral("first-start.png"));

    // Every caption at its full size.
    for (QWidget *w : p.input->findChildren<QWidget *>()) {
        if (!qobject_cast<QLabel *>(w) && !qobject_cast<QAbstractButton *>(w))
            continue;
        QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName() + w->property("text").toString()));
    }
    QCOMPARE(p.input->optCashier(0)->text(), QStringLiteral("収入(&I)"));
    for (ShellWindow w : {ShellWindow::Input, ShellWindow::Calendar, ShellWindow::Book})
        QVERIFY2(p.sub(w)->width() >= SubWindowWidthForTitle(p.sub(w)), qPrintable(p.sub(w)->windowTitle()));
    QCOMPARE(p.sub(ShellWindow::Input)->width(), p.sub(ShellWindow::Calendar)->width());

    // Ten full-width characters fit in the matter box.
    const QString ten = QStringLiteral("家計簿の事柄を十文字");
    typeText(ten);
    QLineEdit *matter = p.input->cmbMatter()->lineEdit();
    QCOMPARE(matter->text(), ten);
    QVERIFY2(matter->width() - 2 * 2 - 1 >= matter->fontMetrics().horizontalAdvance(ten),
             qPrintable(QString::number(matter->width())));
}

void RealInputTest::firstStartShowsTheWholeCashBook()
{
    Program p(SampleBook());
    QVERIFY(p.active);
    QTest::qWait(50);
    SaveScreenshot(&p.window(), QStringLiteral("first-start-sample.png"));

    // Small enough for a 1366 x 768 screen, large enough for its three windows.
    QVERIFY2(p.window().frameGeometry().width() <= 1366 && p.window().frameGeometry().height() <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(p.window().width()).arg(p.window().height())));
    const QRect client = p.window().mdiArea()->viewport()->rect();
    for (ShellWindow w : {ShellWindow::Input, ShellWindow::Calendar, ShellWindow::Book})
        QVERIFY2(client.contains(p.sub(w)->geometry()), qPrintable(p.sub(w)->windowTitle()));

    // Every column in view, and every amount whole in its cell.
    QTableView *v = p.book->msfgCashier();
    QCOMPARE(v->horizontalScrollBar()->maximum(), 0);
    const QHeaderView *header = v->horizontalHeader();
    QVERIFY(header->sectionViewportPosition(5) + header->sectionSize(5) <= v->viewport()->width());
    const int margins = 2 * (v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1);
    for (int row = 0; row < v->model()->rowCount(); ++row)
        for (int col : {2, 3, 4}) {
            const QString amount = v->model()->index(row, col).data().toString();
            QVERIFY2(v->fontMetrics().horizontalAdvance(amount) + margins <= v->columnWidth(col), qPrintable(amount));
        }
}

void RealInputTest::errorBoxFitsItsTitle()
{
    // A book with an amount that is no number: the reader stops to ask.
    TempHome scratch;
    scratch.writeText(QStringLiteral("bad.txt"), QStringLiteral("\"2024/05/01\",\"食費\",\"abc\",\"\",\"\"\n"));
    // Every box that comes up is measured and answered Yes from the keyboard.
    QStringList titles;
    QList<int> widths, advances;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (titles.isEmpty())
            SaveScreenshot(box, QStringLiteral("error-box.png"));
        titles << box->windowTitle();
        widths << box->width();
        QFont font = QApplication::font("QMdiSubWindowTitleBar");
        font.setBold(true);
        advances << QFontMetrics(font).horizontalAdvance(box->windowTitle());
        // At start-up the box may come up before any window is active.
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::AltModifier);
    });
    answer.start();
    struct NoEnd final : QtUi
    {
        void endProgram() override {}
    } ui;
    DesktopSession session(ui);
    session.start(scratch.file(QStringLiteral("bad.txt")), false);
    answer.stop();
    QVERIFY(!titles.isEmpty());
    QCOMPARE(titles.first(), QStringLiteral("システムエラー (エラーNo.13)"));
    // Room for the title beside the title bar's icon and buttons.
    for (int i = 0; i < titles.size(); ++i)
        QVERIFY2(
            widths.at(i) >= advances.at(i) + 100,
            qPrintable(QStringLiteral("%1: %2 < %3 + 100").arg(titles.at(i)).arg(widths.at(i)).arg(advances.at(i))));
}

PURSLET_UI_TEST(RealInputTest)
