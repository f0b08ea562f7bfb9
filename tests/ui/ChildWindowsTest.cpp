#include "ChildWindowsTest.h"

#include "ScriptedUi.h"
#include "TempHome.h"
#include "UiDriving.h"
#include "UiTests.h"
#include "data/Book.h"
#include "calc/BookReset.h"
#include "presenters/BookWindowPresenter.h"
#include "presenters/CalendarPresenter.h"
#include "presenters/EditCommands.h"
#include "presenters/InputPresenter.h"
#include "calc/Catalogs.h"
#include "presenters/MatterEditorPresenter.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "state/App.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/InputWindow.h"
#include "ui/MatterEditorDialog.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QTabBar>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include <cmath>

#include <deque>
#include <functional>
#include <memory>

using namespace purslet;
using test::press;
using test::typeText;

namespace {

// Records what the windows ask of the program; answers Yes/No from a queue.
class RecordingUi final : public Ui
{
public:
    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override
    {
        messages << title + QLatin1Char('|') + text;
        return test::NextAnswer(answers, buttons, defaultAnswer);
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return {}; }
    void showStatus(const QString &text) override { status = text; }
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    bool showModal(ModalWindow window) override
    {
        modals << ModalWindowName(window);
        if (onModal)
            onModal(ModalWindowName(window));
        return true;
    }
    void endProgram() override { ++endRequests; }

    QStringList messages;
    QStringList modals;
    QString status;
    QString clipboard;
    std::deque<MsgAnswer> answers;
    std::function<void(const QString &)> onModal;
    int endRequests = 0;
};

// One program's worth of presenters over a temporary program folder.
struct Session
{
    Session()
    {
        home.writeText(QStringLiteral("Income.ini"),
                       QStringLiteral("[0]\nMatter=給料\nEstimate=50,000\n[1]\nMatter=お小遣い\nEstimate=3,000\n"));
        home.writeText(QStringLiteral("Outgo.ini"),
                       QStringLiteral("[0]\nMatter=食費\nEstimate=30,000\n[1]\nMatter=本\nEstimate=5,000\n"
                                      "[2]\nMatter=交通費\nEstimate=0\n"));
        ResetBook(app);
        FillMatterCombo(app);
        app.menu.setChecked(MenuItem::setupHighSpeedMode, true);
    }

    void record(const QString &date, bool income, const QString &matter, const QString &money, const QString &memo = {})
    {
        test::RecordDirectly(input, date, income, matter, money, memo);
    }

    test::TempHome home;
    RecordingUi ui;
    App app{ui, home.path()};
    InputPresenter input{app};
    CalendarPresenter calendar{app, input};
    MatterEditorPresenter matterEditor{app};
    EditCommands edit{app, matterEditor};
    BookWindowPresenter bookWindow{app, edit};
};

// Shows a window and makes it the active one, so that keys reach its focus.
bool showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// The dark rows of a header section's sort arrow, top to bottom: how many
// pixels wide each is.
QList<int> arrowRows(QHeaderView *header, int col)
{
    const QImage shot = header->grab().toImage();
    const int centre = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
    QList<int> rows;
    for (int y = 0; y < 7; ++y) {
        int dark = 0;
        for (int x = centre - 8; x <= centre + 8; ++x)
            dark += qGray(shot.pixel(x, y)) < 100;
        if (dark > 0)
            rows << dark;
    }
    return rows;
}

} // namespace

void ChildWindowsTest::amountFieldFiltersAsTyped()
{
    Session s;
    InputWindow w(s.input, s.app);
    QVERIFY(showActive(&w));
    QLineEdit *money = w.txtMoney();
    QVERIFY(!money->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(money->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QTest::mouseClick(money, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), money);

    typeText(QStringLiteral("0"));
    QCOMPARE(money->text(), QString());
    QVERIFY(!w.cmdEnter()->isEnabled());
    typeText(QStringLiteral("0x5"));
    QCOMPARE(money->text(), QStringLiteral("5"));
    QVERIFY(w.cmdEnter()->isEnabled());
    press(Qt::Key_Backspace);
    typeText(QStringLiteral("123456789"));
    QCOMPARE(money->text(), QStringLiteral("12345678"));
}

void ChildWindowsTest::fullWidthDigitsAreDigits()
{
    // An input method in full-width mode commits its text; a keyboard layout
    // may send the same characters as key events.
    const auto commit = [](const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    };
    const std::function<void(const QString &)> ways[] = {commit, [](const QString &text) { typeText(text); }};
    for (const auto &type : ways) {
        Session s;
        InputWindow w(s.input, s.app);
        QVERIFY(showActive(&w));
        QTest::mouseClick(w.txtMoney(), Qt::LeftButton);
        type(QStringLiteral("１２００"));
        QCOMPARE(w.txtMoney()->text(), QStringLiteral("1200"));
        QVERIFY(w.cmdEnter()->isEnabled());
        type(QStringLiteral("円ａ５"));
        QCOMPARE(w.txtMoney()->text(), QStringLiteral("12005"));

        s.matterEditor.load(QStringLiteral("食費"), QStringLiteral("30,000"));
        MatterEditorDialog d(s.matterEditor, s.app);
        QVERIFY(showActive(&d));
        QTRY_VERIFY(d.txtEstimate()->hasFocus());
        press(Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("０７，５００"));
        QCOMPARE(d.txtEstimate()->text(), QStringLiteral("7500"));
    }
}

void ChildWindowsTest::matterCompletesWhileTyping()
{
    Session s;
    s.input.setIncome(false);
    FillMatterCombo(s.app);
    InputWindow w(s.input, s.app);
    QVERIFY(showActive(&w));
    QLineEdit *edit = w.cmbMatter()->lineEdit();
    QCOMPARE(edit->text(), QString()); // filling the list does not pick an item
    QTest::mouseClick(edit, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.cmbMatter());

    typeText(QStringLiteral("本"));
    QCOMPARE(edit->text(), QStringLiteral("本"));
    press(Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    typeText(QStringLiteral("交"));
    QCOMPARE(edit->text(), QStringLiteral("交通費"));
    QCOMPARE(edit->selectedText(), QStringLiteral("通費"));

    // Backspace drops the proposal, then deletes as usual.
    press(Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());

    typeText(QStringLiteral("食"));
    QCOMPARE(edit->text(), QStringLiteral("食費"));
    press(Qt::Key_End);
    typeText(QStringLiteral("x"));
    QCOMPARE(s.input.matterText(), QStringLiteral("食費x"));

    // Stepping through the list with the arrow keys is no typing, but the record takes that text.
    press(Qt::Key_Down);
    QCOMPARE(s.input.matterText(), edit->text());
    QVERIFY(!edit->text().isEmpty());
}

void ChildWindowsTest::returnRecordsAndClearsTheFields()
{
    Session s;
    s.input.setDate(QStringLiteral("2024/05/01"));
    InputWindow w(s.input, s.app);
    QVERIFY(showActive(&w));
    QTest::mouseClick(w.optCashier(1), Qt::LeftButton);
    QVERIFY(!s.app.entry.optIncome);
    QCOMPARE(w.cmbMatter()->count(), 3);

    QLineEdit *matter = w.cmbMatter()->lineEdit();
    QTest::mouseClick(matter, Qt::LeftButton);
    typeText(QStringLiteral("食"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("1200"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("lunch"));
    QCOMPARE(QApplication::focusWidget(), w.txtMemo());
    press(Qt::Key_Return);

    const Grid &g = s.app.book.msfgCashier;
    QCOMPARE(g.rows(), 5);
    QCOMPARE(g.rowTexts(1), QStringList({"2024/05/01", "食費", "", "1,200", "-1,200", "lunch"}));
    QCOMPARE(matter->text(), QString());
    QCOMPARE(w.txtMoney()->text(), QString());
    QCOMPARE(w.txtMemo()->text(), QString());
    QVERIFY(!w.cmdEnter()->isEnabled());
    QCOMPARE(w.txtDate()->text(), QStringLiteral("2024/05/01"));
    QVERIFY(w.optCashier(1)->isChecked());
}

void ChildWindowsTest::hintsAndDateClick()
{
    Session s;
    InputWindow w(s.input, s.app);
    int calendarRequests = 0;
    s.input.onShowCalendar = [&] { ++calendarRequests; };
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QTest::mouseMove(w.txtMoney(), QPoint(5, 5));
    QTRY_COMPARE(s.ui.status, QStringLiteral("金額を入力します。"));
    QTest::mouseMove(&w, QPoint(w.width() - 2, w.height() - 2));
    QTRY_COMPARE(s.ui.status, QString());
    QTest::mouseClick(w.txtDate(), Qt::LeftButton);
    QCOMPARE(calendarRequests, 1);

    // A memo click refreshes the clipboard commands from the selection.
    w.txtMemo()->setText(QStringLiteral("abcdef"));
    w.txtMemo()->setSelection(2, 2);
    QTest::mouseClick(w.txtMemo(), Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 1));
    QCOMPARE(s.app.menu.enabled(MenuItem::editCut), w.txtMemo()->hasSelectedText());
}

void ChildWindowsTest::calendarPicksTheEntryDate()
{
    Session s;
    CalendarWindow c(s.calendar);
    QCOMPARE(c.sizeHint(), c.monthView()->sizeHint());
    QCOMPARE(c.monthView()->objectName(), QStringLiteral("MonthView"));
    QVERIFY(showActive(&c));
    // A click on the day below the highlighted one.
    QTableView *days = test::calendarDays(c.monthView());
    const QModelIndex at = days->selectionModel()->selectedIndexes().value(0);
    const QDate picked = c.monthView()->selectedDate().addDays(at.row() < 3 ? 7 : -7);
    const QModelIndex target = days->model()->index(at.row() < 3 ? at.row() + 1 : at.row() - 1, at.column());
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(target).center());
    QCOMPARE(s.input.date(), picked.toString(QStringLiteral("yyyy/MM/dd")));
}

void ChildWindowsTest::bookWindowShowsTheGridsWithTheirWidths()
{
    Session s;
    BookWindow b(s.bookWindow, s.app);
    b.resize(700, 450);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QCOMPARE(b.tabs()->count(), 3);
    QCOMPARE(b.tabs()->tabText(0), QStringLiteral("出納帳"));
    QCOMPARE(b.tabs()->tabText(2), QStringLiteral("支出詳細"));
    const double dpi = b.logicalDpiX();
    QCOMPARE(b.msfgCashier()->columnWidth(1), TwipsToPixels(1650, dpi));
    QCOMPARE(b.msfgIncome()->columnWidth(3), TwipsToPixels(450, dpi));
    QCOMPARE(b.msfgCashier()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("記入日"));

    // A record resets the model; the widths stay.
    s.record(QStringLiteral("2024/05/01"), false, QStringLiteral("本"), QStringLiteral("800"));
    QCOMPARE(b.msfgCashier()->model()->rowCount(), 4);
    QCOMPARE(b.msfgCashier()->columnWidth(1), TwipsToPixels(1650, dpi));

    // Dragging a column border writes the width back in twips.
    QHeaderView *header = b.msfgCashier()->horizontalHeader();
    const int border = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border, y));
    QTest::mouseMove(header->viewport(), QPoint(border + 20, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border + 20, y));
    QCOMPARE(header->sectionSize(1), TwipsToPixels(1650, dpi) + 20);
    QCOMPARE(s.app.book.msfgCashier.colWidth(1), int(std::lround(PixelsToTwips(header->sectionSize(1), dpi))));

    // The resize rule: tab height less 850 and width less 350 twips.
    b.resize(800, 500);
    const QSize extent = BookWindowPresenter::gridExtent(
        QSize(int(std::lround(PixelsToTwips(800, dpi))), int(std::lround(PixelsToTwips(500, dpi)))));
    QCOMPARE(b.msfgOutgo()->size(), QSize(TwipsToPixels(extent.width(), dpi), TwipsToPixels(extent.height(), dpi)));
}

void ChildWindowsTest::cashBookSelectionMadeUpwards()
{
    Session s;
    for (int day = 1; day <= 6; ++day)
        s.record(QStringLiteral("2024/05/%1").arg(day, 2, 10, QLatin1Char('0')), true, QString(),
                 QString::number(day * 100));
    BookWindow b(s.bookWindow, s.app);
    b.resize(700, 450);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QTableView *v = b.msfgCashier();
    QWidget *port = v->viewport();
    const QPoint row4 = v->visualRect(v->model()->index(3, 1)).center();
    const QPoint row2 = v->visualRect(v->model()->index(1, 1)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, row4);
    QTest::mouseMove(port, row2);
    QTest::mouseRelease(port, Qt::LeftButton, {}, row2);
    QCOMPARE(s.app.book.msfgCashier.row(), 4);
    QCOMPARE(s.app.book.msfgCashier.rowSel(), 2);
    QVERIFY(s.app.menu.enabled(MenuItem::editDelete));

    // The empty rows disable Delete.
    const QPoint empty = v->visualRect(v->model()->index(6, 0)).center();
    QTest::mouseClick(port, Qt::LeftButton, {}, empty);
    QVERIFY(!s.app.menu.enabled(MenuItem::editDelete));
}

void ChildWindowsTest::summaryHeaderClickSortsAndColours()
{
    Session s;
    s.record(QStringLiteral("2024/05/01"), true, QStringLiteral("給料"), QStringLiteral("900"));
    BookWindow b(s.bookWindow, s.app);
    b.resize(700, 450);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QTest::mouseClick(b.tabs()->tabBar(), Qt::LeftButton, {}, b.tabs()->tabBar()->tabRect(1).center());
    QCOMPARE(b.tabs()->currentIndex(), 1);
    QTableView *v = b.msfgIncome();
    QHeaderView *header = v->horizontalHeader();
    const int x = header->sectionViewportPosition(2) + header->sectionSize(2) - 6;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QCOMPARE(s.app.book.IncomeSortCol, 2);
    QVERIFY(!s.app.book.IncomeSortAscending);
    QCOMPARE(v->model()->index(0, 0).data().toString(), QStringLiteral("給料"));

    // The header really shows the mark: light blue while descending.
    const QImage shot = header->grab().toImage();
    const QColor marked = test::MeanColour(shot, QRect(x - 3, 3, 3, header->height() - 6));
    QVERIFY2(marked.blue() > 230 && marked.red() < 210 && marked.green() < 210, qPrintable(marked.name()));
    const int x0 = header->sectionViewportPosition(0) + header->sectionSize(0) - 6;
    const QColor plain = test::MeanColour(shot, QRect(x0 - 3, 3, 3, header->height() - 6));
    QVERIFY2(std::abs(plain.red() - plain.blue()) < 20, qPrintable(plain.name()));

    // A matter row opens the editor; the total row does not.
    s.ui.modals.clear();
    const QPoint salary = v->visualRect(v->model()->index(0, 0)).center();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, salary);
    QCOMPARE(s.ui.modals, QStringList({"frmMatter"}));
    QCOMPARE(s.matterEditor.matter(), QStringLiteral("給料"));
    const int total = v->model()->rowCount() - 1;
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(total, 0)).center());
    QCOMPARE(s.ui.modals.size(), 1);
    QVERIFY(!s.app.menu.enabled(MenuItem::editMatter));
    QTest::mouseClick(v->viewport(), Qt::RightButton, {}, salary);
    QCOMPARE(s.ui.modals.size(), 1);

    // The sort column's header also shows an arrow for the direction: down, then up.
    QVERIFY(arrowRows(header, 0).isEmpty());
    QList<int> rows = arrowRows(header, 2);
    QVERIFY2(rows.size() >= 3 && rows.first() > rows.last(), qPrintable(QVariant::fromValue(rows).toString()));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QVERIFY(s.app.book.IncomeSortAscending);
    rows = arrowRows(header, 2);
    QVERIFY(rows.size() >= 3 && rows.first() < rows.last());
    test::SaveScreenshot(header, QStringLiteral("sort-arrow.png"));
}

void ChildWindowsTest::memoTakesTheRestAndShowsWholeInATooltip()
{
    Session s;
    const QString memo = QStringLiteral("駅前の書店で参考書と問題集と辞書をまとめて買った");
    s.record(QStringLiteral("2024/05/01"), false, QStringLiteral("本"), QStringLiteral("800"), memo);
    BookWindow b(s.bookWindow, s.app);
    QVERIFY(showActive(&b));
    QTableView *v = b.msfgCashier();
    const int memoWidth = TwipsToPixels(1650, b.logicalDpiX());
    const auto rest = [v] {
        int others = 0;
        for (int c = 0; c < 5; ++c)
            others += v->columnWidth(c);
        return v->viewport()->width() - others;
    };
    for (int width : {1100, 900, 400}) {
        b.resize(width, 450);
        QTRY_COMPARE(v->columnWidth(5), std::max(memoWidth, rest()));
    }
    QCOMPARE(s.app.book.msfgCashier.colWidth(5), 1650); // what the settings keep

    // Cut off: the whole memo in a tooltip; a date that fits shows none.
    b.resize(600, 450);
    QTRY_COMPARE(v->columnWidth(5), std::max(memoWidth, rest()));
    QVERIFY(v->fontMetrics().horizontalAdvance(memo) > v->columnWidth(5));
    QTest::mouseMove(v->viewport(), v->visualRect(v->model()->index(0, 5)).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), memo);
    test::SaveScreenshot(b.screen()->grabWindow(0, 0, 0, b.frameGeometry().right() + 200, b.frameGeometry().bottom())
                             .toImage(),
                         QStringLiteral("memo-tooltip.png"));
    QTest::mouseMove(v->viewport(), v->visualRect(v->model()->index(0, 0)).center());
    QTRY_VERIFY(!QToolTip::isVisible());
}

void ChildWindowsTest::matterEditorFiltersAndKeepsItsPosition()
{
    Session s;
    s.app.book.MatterSourceIsIncome = false;
    Grid &outgo = s.app.book.msfgOutgo;
    int row = 1;
    while (outgo.text(row, 0) != QStringLiteral("食費"))
        ++row;
    outgo.setSelection(row, 0, row, outgo.cols() - 1);
    s.matterEditor.load(QStringLiteral("食費"), outgo.text(row, 2));
    {
        MatterEditorDialog d(s.matterEditor, s.app);
        QCOMPARE(d.windowTitle(), QStringLiteral("事柄の変更"));
        QVERIFY(showActive(&d));
        QCOMPARE(d.txtMatter()->text(), QStringLiteral("食費"));
        QVERIFY(!d.txtMatter()->isReadOnly()); // a new name renames the matter
        QCOMPARE(d.txtEstimate()->text(), QStringLiteral("30000"));
        QCOMPARE(d.txtEstimate()->maxLength(), 15);
        QVERIFY(d.cmdRenewal()->isDefault());
        QTRY_VERIFY(d.txtEstimate()->hasFocus());

        press(Qt::Key_End);
        typeText(QStringLiteral("a5"));
        QCOMPARE(d.txtEstimate()->text(), QStringLiteral("300005"));
        d.move(40, 30);
        press(Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(outgo.text(row, 2), QStringLiteral("30,000")); // cancel changes nothing
    }
    const double dpi = QApplication::primaryScreen()->logicalDotsPerInchX();
    const QString left =
        s.app.ini.ReadIniValue(QStringLiteral("Setup"), QStringLiteral("frmMatter"), QStringLiteral("Left"), {});
    QVERIFY(!left.isEmpty());
    QVERIFY(std::abs(TwipsToPixels(left.toDouble(), dpi) - 40) <= 1);

    // Enter presses Update.
    s.matterEditor.load(QStringLiteral("食費"), outgo.text(row, 2));
    MatterEditorDialog d(s.matterEditor, s.app);
    QVERIFY(showActive(&d));
    QTRY_VERIFY(d.txtEstimate()->hasFocus());
    d.txtEstimate()->clear();
    typeText(QStringLiteral("1200"));
    press(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QString estimate;
    for (int r = 1; r < outgo.rows(); ++r)
        if (outgo.text(r, 0) == QStringLiteral("食費"))
            estimate = outgo.text(r, 2);
    QCOMPARE(estimate, QStringLiteral("1,200"));
}

void ChildWindowsTest::screenshots()
{
    // Pictures of the windows with sample data, for a look by eye.
    const QString dir = test::ScreenshotFolder();
    if (dir.isEmpty())
        QSKIP("PURSLET_SCREENSHOTS is not set");
    QDir().mkpath(dir);
    Session s;
    s.record(QStringLiteral("2024/04/25"), true, QStringLiteral("給料"), QStringLiteral("50000"),
             QStringLiteral("4月分"));
    s.record(QStringLiteral("2024/05/01"), false, QStringLiteral("食費"), QStringLiteral("1200"),
             QStringLiteral("昼食"));
    s.record(QStringLiteral("2024/05/02"), false, QStringLiteral("本"), QStringLiteral("2800"));
    s.record(QStringLiteral("2024/05/03"), false, QString(), QStringLiteral("600"), QStringLiteral("傘"));
    s.record(QStringLiteral("2024/05/05"), false, QStringLiteral("交通費"), QStringLiteral("480"));

    s.input.setDate(QStringLiteral("2024/05/06"));
    InputWindow input(s.input, s.app);
    input.show();
    QVERIFY(QTest::qWaitForWindowExposed(&input));
    input.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&input));
    QTest::mouseClick(input.cmbMatter()->lineEdit(), Qt::LeftButton);
    typeText(QStringLiteral("食"));
    press(Qt::Key_Tab);
    typeText(QStringLiteral("350"));
    input.grab().save(dir + QStringLiteral("/input.png"));

    CalendarWindow calendar(s.calendar);
    calendar.resize(calendar.sizeHint());
    calendar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calendar));
    calendar.grab().save(dir + QStringLiteral("/calendar.png"));

    BookWindow book(s.bookWindow, s.app);
    book.resize(640, 360);
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    // The outgo table sorted by its amounts, with a click on their header.
    QTabBar *tabBar = book.tabs()->tabBar();
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(2).center());
    QHeaderView *header = book.msfgOutgo()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2));
    QCOMPARE(s.app.book.OutgoSortCol, 3);
    for (int tab = 0; tab < 3; ++tab) {
        book.tabs()->setCurrentIndex(tab);
        QTest::qWait(50);
        book.grab().save(dir + QStringLiteral("/book%1.png").arg(tab));
    }

    s.app.book.MatterSourceIsIncome = false;
    s.matterEditor.load(QStringLiteral("食費"), QStringLiteral("30,000"));
    MatterEditorDialog editor(s.matterEditor, s.app);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.grab().save(dir + QStringLiteral("/matter.png"));
}

PURSLET_UI_TEST(ChildWindowsTest)
