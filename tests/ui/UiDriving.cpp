#include "UiDriving.h"

#include "TempHome.h"
#include "presenters/InputPresenter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QColor>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>

#include <algorithm>

namespace purslet::test {

QWidget *focus()
{
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = focus();
    QVERIFY2(target, "no widget has the keyboard focus");
    QTest::keyClick(target, key, modifiers);
}

void typeText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QWidget *target = focus();
        QVERIFY2(target, "no widget has the keyboard focus");
        const QChar c = text.at(i);
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const bool ascii = c.unicode() < 128;
        const Qt::Key key = ascii && c.isLetter()  ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                            : ascii && c.isDigit() ? Qt::Key(Qt::Key_0 + (c.unicode() - '0'))
                                                   : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, target, key, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

ModalAnswers::ModalAnswers(std::deque<Step> steps) : m_steps(std::move(steps))
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window || !window->isVisible() || window->property("answered").toBool())
            return;
        // One window more than the script knows: counted and closed, so that
        // the test fails instead of waiting for ever.
        if (m_steps.empty()) {
            window->setProperty("answered", true);
            titles << window->windowTitle();
            if (auto *dialog = qobject_cast<QDialog *>(window))
                dialog->reject();
            return;
        }
        // Without a window manager a window shown before the main one is active waits for this.
        if (!window->isActiveWindow())
            window->activateWindow();
        if (!window->isAncestorOf(focus()))
            return;
        window->setProperty("answered", true);
        titles << window->windowTitle();
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(window);
    });
    m_timer.start();
}

ModalAnswers::Step KeyStep(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    return [=](QWidget *) { press(key, modifiers); };
}

ModalAnswers::Step TypedStep(const QString &text)
{
    return [=](QWidget *) {
        typeText(text);
        press(Qt::Key_Return);
    };
}

ModalAnswers::Step CloseBoxStep()
{
    return [](QWidget *window) { window->close(); };
}

void clickMenuItem(QMainWindow *window, QAction *item)
{
    QMenu *menu = nullptr;
    for (QObject *o = item->parent(); o && !menu; o = o->parent())
        menu = qobject_cast<QMenu *>(o);
    QVERIFY(menu);
    QMenuBar *bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

void clickToolButton(QMainWindow *window, QAction *button)
{
    Q_UNUSED(window);
    QToolBar *bar = nullptr;
    for (QObject *o = button->parent(); o && !bar; o = o->parent())
        bar = qobject_cast<QToolBar *>(o);
    QVERIFY(bar);
    QWidget *widget = bar->widgetForAction(button);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void clickCloseBox(QMdiSubWindow *window)
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = int(window->windowState() | Qt::WindowActive);
    option.subControls = QStyle::SC_All;
    option.state |= QStyle::State_Active;
    QStyle *style = window->style();
    option.rect = QRect(0, 0, window->width(), style->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
    const QRect box = style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, window);
    QVERIFY(box.isValid());
    // The title bar arms a button while the pointer is over it.
    QTest::mouseMove(window, box.center());
    QTest::mouseClick(window, Qt::LeftButton, {}, box.center());
}

QPoint cellCentre(QTableView *view, int row, int col)
{
    return view->visualRect(view->model()->index(row, col)).center();
}

void clickCell(QTableView *view, int row, Qt::KeyboardModifiers modifiers, int col)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, cellCentre(view, row, col));
}

QTableView *calendarDays(QCalendarWidget *calendar)
{
    return calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
}

void pickDate(QCalendarWidget *calendar, QDate date)
{
    QTableView *days = calendarDays(calendar);
    QVERIFY(days);
    const QModelIndexList highlighted = days->selectionModel()->selectedIndexes();
    QVERIFY(!highlighted.isEmpty());
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(highlighted.first()).center());
    QTRY_VERIFY(days->hasFocus());
    const QDate at = calendar->selectedDate();
    const int months = (date.year() - at.year()) * 12 + date.month() - at.month();
    for (int i = 0; i < std::abs(months); ++i)
        press(months > 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
    press(Qt::Key_Home);
    for (int day = 1; day < date.day(); ++day)
        press(Qt::Key_Right);
    press(Qt::Key_Return);
}

QString ScreenshotFolder()
{
    return qEnvironmentVariable("PURSLET_SCREENSHOTS");
}

void SaveScreenshot(const QImage &image, const QString &name)
{
    const QString folder = ScreenshotFolder();
    if (!folder.isEmpty())
        image.save(folder + QLatin1Char('/') + name);
}

void SaveScreenshot(QWidget *widget, const QString &name)
{
    if (!ScreenshotFolder().isEmpty())
        SaveScreenshot(widget->grab().toImage(), name);
}

QColor MeanColour(const QImage &image, const QRect &rect, Pixels pixels)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (pixels == Pixels::Coloured
                && std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) < 60)
                continue;
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

QString SampleBook()
{
    return QStringLiteral(PURSLET_SAMPLES "example.psl");
}

void CopySampleCatalogs(const TempHome &home)
{
    for (const char *name : {"Income.ini", "Outgo.ini"})
        QFile::copy(QStringLiteral(PURSLET_SAMPLES) + QLatin1String(name), home.file(QLatin1String(name)));
}

QStringList EnglishTexts(QWidget *dialog, const QStringList &data)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList texts;
    const auto add = [&](QWidget *w, const QString &text) {
        if (!data.contains(w->objectName()) && text.contains(word))
            texts << w->metaObject()->className() + QLatin1Char(' ') + w->objectName() + QStringLiteral(": ") + text;
    };
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(w))
            add(w, label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(w, button->text());
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            add(w, group->title());
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(w, tabs->tabText(i));
    }
    return texts;
}

QStringList PageRangeWidgetsOffered(QWidget *printDialog, int *found)
{
    QStringList offered;
    *found = 0;
    for (const char *name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printCurrentPage",
                             "printSelection"})
        if (auto *w = printDialog->findChild<QWidget *>(QLatin1String(name))) {
            ++*found;
            if (w->isVisibleTo(printDialog) && w->isEnabled())
                offered << QLatin1String(name);
        }
    return offered;
}

void RecordDirectly(InputPresenter &input, const QString &date, bool income, const QString &matter,
                    const QString &money, const QString &memo)
{
    input.optCashier_Click(income ? 0 : 1);
    input.setDate(date);
    input.EntrySuppressCompletion = true;
    input.setMatter(matter, int(matter.size()));
    input.setMoneyText(money);
    input.txtMoney_Change();
    input.setMemo(memo, 0);
    input.cmdEnter_Click();
}

} // namespace purslet::test
