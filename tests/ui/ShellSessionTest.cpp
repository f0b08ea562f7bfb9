#include "ShellSessionTest.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"

#include "platform/Twips.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"
#include "ui/QtUi.h"
#include "ui/VersionDialog.h"

#include <QAction>
#include <QBrush>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>

using namespace purslet;
using namespace purslet::test;

namespace {

QString cell(QTableView *view, int row, int col)
{
    return view->model()->index(row, col).data().toString();
}

QColor background(QTableView *view, int row, int col)
{
    return view->model()->index(row, col).data(Qt::BackgroundRole).value<QBrush>().color();
}


// One entry as a user makes it: the date from the calendar, the kind, then
// the fields in Tab order, and a click on the record button.
void enter(InputWindow *input, CalendarWindow *calendar, QDate date, bool income, const QString &matter,
           const QString &amount, const QString &memo = QString())
{
    pickDate(calendar->monthView(), date);
    QCOMPARE(input->txtDate()->text(), date.toString(QStringLiteral("yyyy/MM/dd")));
    QTest::mouseClick(input->optCashier(income ? 0 : 1), Qt::LeftButton);
    QTest::mouseClick(input->cmbMatter()->lineEdit(), Qt::LeftButton);
    typeText(matter);
    press(Qt::Key_Tab);
    typeText(amount);
    press(Qt::Key_Tab);
    typeText(memo);
    QVERIFY(input->cmdEnter()->isEnabled());
    QTest::mouseClick(input->cmdEnter(), Qt::LeftButton);
}

bool startActive(DesktopSession &s)
{
    s.start(QString(), false);
    s.window.activateWindow();
    return QTest::qWaitForWindowActive(&s.window);
}

} // namespace

void ShellSessionTest::initTestCase()
{
    InitResources();
    InstallJapaneseFonts();
}

void ShellSessionTest::firstStartRecordUndoExitAndRestart()
{
    TempHome home;
    QRect bookGeometry;
    {
        ScriptedQtUi ui;
        DesktopSession s(ui);
        QVERIFY(startActive(s));
        for (ShellWindow w : {ShellWindow::Input, ShellWindow::Calendar, ShellWindow::Book})
            QVERIFY(s.window.subWindow(w)->isVisible());
        QCOMPARE(s.window.windowTitle(), QStringLiteral("Purslet"));

        auto *input = s.window.findChild<InputWindow *>();
        auto *calendar = s.window.findChild<CalendarWindow *>();
        auto *book = s.window.findChild<BookWindow *>();
        QVERIFY(input && calendar && book);
        QCOMPARE(input->txtDate()->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));

        enter(input, calendar, QDate(2026, 12, 3), true, QStringLiteral("給料"), QStringLiteral("5000"));
        enter(input, calendar, QDate(2026, 12, 1), false, QStringLiteral("食費"), QStringLiteral("1200"),
              QStringLiteral("昼食"));
        enter(input, calendar, QDate(2026, 12, 5), false, QStringLiteral("家賃"), QStringLiteral("8000"));
        SaveScreenshot(&s.window, QStringLiteral("after-entries.png"));

        QTableView *cashier = book->msfgCashier();
        QCOMPARE(cashier->model()->rowCount(), 6);
        QCOMPARE(cell(cashier, 0, 0), QStringLiteral("2026/12/01"));
        QCOMPARE(cell(cashier, 0, 1), QStringLiteral("食費"));
        QCOMPARE(cell(cashier, 0, 3), QStringLiteral("1,200"));
        QCOMPARE(cell(cashier, 0, 4), QStringLiteral("-1,200"));
        QCOMPARE(cell(cashier, 0, 5), QStringLiteral("昼食"));
        QCOMPARE(cell(cashier, 1, 2), QStringLiteral("5,000"));
        QCOMPARE(cell(cashier, 1, 4), QStringLiteral("3,800"));
        QCOMPARE(cell(cashier, 2, 4), QStringLiteral("-4,200"));
        QCOMPARE(cell(cashier, 5, 0), QStringLiteral("合計"));
        QCOMPARE(cell(cashier, 5, 4), QStringLiteral("-4,200"));
        QCOMPARE(background(cashier, 5, 4), QColor(255, 190, 190)); // a negative total
        QTableView *outgo = book->msfgOutgo();
        QStringList outgoMatters;
        for (int r = 0; r < outgo->model()->rowCount(); ++r)
            outgoMatters << cell(outgo, r, 0);
        QVERIFY(outgoMatters.contains(QStringLiteral("食費")));
        QVERIFY(outgoMatters.contains(QStringLiteral("家賃")));

        // The title stays, the book is modified, Undo offers the last entry.
        QAction *undo = s.window.menuAction(MenuItem::editUndo);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U) -入力"));
        QVERIFY(s.app.doc.modified);

        ui.answers = {MsgAnswer::Yes};
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui.texts.last(), QStringLiteral("元に戻しますか？"));
        QCOMPARE(cashier->model()->rowCount(), 5);
        QCOMPARE(cell(cashier, 1, 4), QStringLiteral("3,800"));
        QCOMPARE(cell(cashier, 4, 4), QStringLiteral("3,800"));
        QCOMPARE(background(cashier, 4, 4), QColor(190, 190, 255));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻せません(&U)"));

        // Layout to remember: the calendar closed by its close box, the book
        // window moved, the outgo tab, high-speed mode.
        clickCloseBox(s.window.subWindow(ShellWindow::Calendar));
        QTRY_VERIFY(!s.window.subWindow(ShellWindow::Calendar)->isVisible());
        QVERIFY(!s.window.menuAction(MenuItem::showCalendar)->isChecked());
        s.window.subWindow(ShellWindow::Book)->setGeometry(40, 30, 420, 300);
        bookGeometry = s.window.subWindow(ShellWindow::Book)->geometry();
        QTabBar *tabs = book->tabs()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        clickMenuItem(&s.window, s.window.menuAction(MenuItem::setupHighSpeedMode));
        QVERIFY(s.window.menuAction(MenuItem::setupHighSpeedMode)->isChecked());

        // Exit: what Undo restored is on no disk, so the question comes; No.
        ui.answers = {MsgAnswer::No};
        press(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(ui.ends, 1);
        QCOMPARE(ui.texts.last(), QStringLiteral("ファイルの変更内容を保存しますか？"));
        QVERIFY(home.exists(QStringLiteral("Setup.ini")));
        QVERIFY(!home.exists(QStringLiteral("purslet.bak")));
        const QByteArray setup = home.read(QStringLiteral("Setup.ini"));
        QVERIFY(setup.startsWith("[frmInput]\r\nLeft="));
        QVERIFY(setup.contains("[Menu]\r\nshowInput=True\r\nshowCalendar=False\r\nshowMain=True\r\n"
                               "setupHighSpeedMode=True\r\n"));
    }

    ScriptedQtUi ui;
    DesktopSession s(ui);
    QVERIFY(startActive(s));
    QVERIFY(!s.window.subWindow(ShellWindow::Calendar)->isVisible());
    QVERIFY(!s.window.menuAction(MenuItem::showCalendar)->isChecked());
    QVERIFY(s.window.subWindow(ShellWindow::Input)->isVisible());
    QCOMPARE(s.window.subWindow(ShellWindow::Book)->geometry(), bookGeometry);
    QCOMPARE(s.window.findChild<BookWindow *>()->tabs()->currentIndex(), 2);
    QVERIFY(s.window.menuAction(MenuItem::setupHighSpeedMode)->isChecked());
    // The matters typed in the first run joined the catalog.
    QTableView *outgo = s.window.findChild<BookWindow *>()->msfgOutgo();
    QStringList matters;
    for (int r = 0; r < outgo->model()->rowCount(); ++r)
        matters << cell(outgo, r, 0);
    QVERIFY(matters.contains(QStringLiteral("家賃")));

    // The Show item brings the calendar back with its check mark.
    clickMenuItem(&s.window, s.window.menuAction(MenuItem::showCalendar));
    QVERIFY(s.window.subWindow(ShellWindow::Calendar)->isVisible());
    QVERIFY(s.window.menuAction(MenuItem::showCalendar)->isChecked());
}

void ShellSessionTest::menusToolbarAndStatusBar()
{
    TempHome home;
    ScriptedQtUi ui;
    DesktopSession s(ui);
    QVERIFY(startActive(s));

    QCOMPARE(s.window.menuAction(MenuItem::editCut)->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QCOMPARE(s.window.menuAction(MenuItem::helpTopics)->shortcut(), QKeySequence(Qt::Key_F1));
    for (QAction *a : s.window.findChildren<QAction *>())
        QVERIFY(a->shortcut() != QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(s.window.menuAction(MenuItem::fileSave)->text(), QStringLiteral("上書き保存(&S)"));
    QVERIFY(!s.window.menuAction(MenuItem::fileHistory)->isVisible());
    QVERIFY(!s.window.menuAction(MenuItem::setupDeleteHistory)->isEnabled());

    // Fourteen positions, eleven pictures, none disabled.
    const QList<QAction *> tools = s.window.toolbar()->actions();
    QCOMPARE(tools.size(), 14);
    int buttons = 0;
    for (QAction *a : tools) {
        if (a->isSeparator())
            continue;
        ++buttons;
        QVERIFY(a->isEnabled());
        QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(buttons, 11);
    QCOMPARE(tools.at(13)->toolTip(), QStringLiteral("トピックの検索"));

    // The undo button runs Undo although the item is disabled.
    clickToolButton(&s.window, tools.at(6));
    QCOMPARE(ui.texts.last(), QStringLiteral("バックアップファイルが存在しないため戻すことができません。"));

    // Save As through the history: the menu shows the new path after its separator.
    const QString path = home.file(QStringLiteral("a&b.csv"));
    s.app.doc.path = path;
    s.app.doc.title = QStringLiteral("a&b.csv");
    press(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    QCOMPARE(s.window.menuAction(MenuItem::fileSave)->text(), QStringLiteral("a&b.csv の上書き保存(&S)"));
    s.app.menu.setHistory({path});
    s.app.menu.setVisible(MenuItem::fileHistory, true);
    QCOMPARE(s.window.historyActions().size(), 1);
    QCOMPARE(s.window.historyActions().first()->text(),
             QString(path).replace(QStringLiteral("&"), QStringLiteral("&&")));
    QVERIFY(s.window.menuAction(MenuItem::fileHistory)->isVisible());
    // The recent file stands between its separator and the one before Exit.
    const QList<QAction *> fileItems = s.window.menuAction(MenuItem::menuFile)->menu()->actions();
    const qsizetype separator = fileItems.indexOf(s.window.menuAction(MenuItem::fileHistory));
    QCOMPARE(fileItems.value(separator + 1), s.window.historyActions().first());
    QCOMPARE(fileItems.value(separator + 2), s.window.menuAction(MenuItem::fileBar3));
    clickMenuItem(&s.window, s.window.historyActions().first());
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Purslet [") + path + QLatin1Char(']'));

    // Hints go to panel 1; moving over the background clears them.
    ui.showStatus(QStringLiteral("ヒント"));
    QCOMPARE(s.window.statusPanel(1)->text(), QStringLiteral("ヒント"));
    QTest::mouseMove(s.window.mdiArea()->viewport(),
                     QPoint(s.window.mdiArea()->viewport()->width() - 5, s.window.mdiArea()->viewport()->height() - 5));
    QTRY_COMPARE(s.window.statusPanel(1)->text(), QString());
    QCOMPARE(s.window.statusPanel(2)->text(), QStringLiteral("CAPS"));
    ui.ends = 0;
}

void ShellSessionTest::sizeRuleAndCloseBoxes()
{
    TempHome home;
    ScriptedQtUi ui;
    DesktopSession s(ui);
    QVERIFY(startActive(s));
    const double dpi = s.window.screen()->logicalDotsPerInchX();

    // The bars keep Qt's own minimum above 2000 twips; lift it to reach the rule.
    s.window.setMinimumSize(1, 1);
    s.window.resize(TwipsToPixels(1500, dpi), s.window.height());
    QTRY_COMPARE(s.window.width(), TwipsToPixels(7774, dpi));
    QCOMPARE(s.window.height(), TwipsToPixels(6834, s.window.screen()->logicalDotsPerInchY()));
    QCOMPARE(s.window.statusPanel(1)->text(), QStringLiteral("注意：フォームが小さすぎます"));

    clickCloseBox(s.window.subWindow(ShellWindow::Input));
    QVERIFY(!s.window.subWindow(ShellWindow::Input)->isVisible());
    QVERIFY(!s.window.menuAction(MenuItem::showInput)->isChecked());
    clickMenuItem(&s.window, s.window.menuAction(MenuItem::showMain));
    QVERIFY(!s.window.subWindow(ShellWindow::Book)->isVisible());
    QVERIFY(!s.window.menuAction(MenuItem::showMain)->isChecked());
}

void ShellSessionTest::altERecordsInTheEntryWindowAndOpensEditElsewhere()
{
    TempHome home;
    ScriptedQtUi ui;
    DesktopSession s(ui);
    QVERIFY(startActive(s));
    auto *input = s.window.findChild<InputWindow *>();
    auto *book = s.window.findChild<BookWindow *>();
    QVERIFY(input && book);

    QTest::mouseClick(input->txtMoney(), Qt::LeftButton);
    typeText(QStringLiteral("300"));
    press(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(s.app.book.recordCount(), 1);
    QCOMPARE(s.app.book.msfgCashier.text(1, 2), QStringLiteral("300"));

    // Outside the entry window the same keys belong to the Edit menu.
    clickCell(book->msfgCashier(), 0);
    QVERIFY(s.window.subWindow(ShellWindow::Book)->isAncestorOf(focus()));
    press(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(s.app.book.recordCount(), 1);
    auto *editMenu = s.window.findChild<QMenu *>(QStringLiteral("mnuEdit"));
    QVERIFY(editMenu);
    QTRY_VERIFY(editMenu->isVisible());
    QTest::keyClick(editMenu, Qt::Key_Escape);
    QTRY_VERIFY(!editMenu->isVisible());
}

void ShellSessionTest::versionWindow()
{
    VersionDialog dialog;
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblVersion"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Ver.3.25"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Pursletのバージョン情報"));
    QCOMPARE(label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    auto *close = dialog.findChild<QPushButton *>(QStringLiteral("cmdClose"));
    QCOMPARE(close->text(), QStringLiteral("閉じる(&C)"));

    // The notice breaks only where its lines end: shown whole, one line each.
    QLabel *legal = dialog.findChild<QLabel *>(QStringLiteral("lblLegal"));
    QVERIFY(legal);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    int lines = 0;
    for (const QString &line : legal->text().split(QLatin1Char('\n'))) {
        ++lines;
        QVERIFY2(legal->width() >= legal->fontMetrics().horizontalAdvance(line), qPrintable(line));
    }
    QVERIFY(legal->height() < (lines + 1) * legal->fontMetrics().lineSpacing());
    SaveScreenshot(&dialog, QStringLiteral("version.png"));
    dialog.hide();

    QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void ShellSessionTest::fileFilterAndStatusPanel()
{
    QCOMPARE(QtUi::qtFilter(QStringLiteral("Pursletファイル (*.psl)|*.psl|カンマ区切りファイル (*.csv)|*.csv|"
                                           "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*")),
             QStringLiteral("Pursletファイル (*.psl);;カンマ区切りファイル (*.csv);;"
                            "テキストファイル (*.txt);;すべてのファイル (*)"));
    QtUi ui;
    QStringList shown;
    ui.setStatusSink([&](const QString &text) { shown << text; });
    ui.showStatus(QStringLiteral("a"));
    ui.showStatus(QStringLiteral("a"));
    ui.showStatus(QString());
    QCOMPARE(shown, (QStringList{QStringLiteral("a"), QString()}));
}

void ShellSessionTest::screenshotsOfTheSample()
{
    if (ScreenshotFolder().isEmpty() || !QFile::exists(SampleBook()))
        QSKIP("PURSLET_SCREENSHOTS not set or no sample book");
    TempHome home;
    CopySampleCatalogs(home);
    ScriptedQtUi ui;
    DesktopSession s(ui);
    s.start(SampleBook(), false);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QTest::qWait(200);
    SaveScreenshot(&s.window, QStringLiteral("sample.png"));
    QTabBar *tabs = s.window.findChild<BookWindow *>()->tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QTest::qWait(100);
    SaveScreenshot(&s.window, QStringLiteral("sample-outgo.png"));
}

PURSLET_UI_TEST(ShellSessionTest)
