#pragma once

#include "TempHome.h"
#include "UiDriving.h"
#include "data/Book.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/DesktopMain.h"
#include "ui/InputWindow.h"

#include <QMdiSubWindow>

#include <memory>

namespace purslet::test {

// The program on a fresh program folder with two small catalogs, started
// as from the desktop and active.
struct Program
{
    explicit Program(const QString &commandLine = QString())
    {
        home.writeText(QStringLiteral("Income.ini"),
                       QStringLiteral("[0]\nMatter=給料\nEstimate=50,000\n[1]\nMatter=お小遣い\nEstimate=3,000\n"));
        home.writeText(QStringLiteral("Outgo.ini"),
                       QStringLiteral("[0]\nMatter=食費\nEstimate=30,000\n[1]\nMatter=本\nEstimate=5,000\n"
                                      "[2]\nMatter=交通費\nEstimate=0\n"));
        session = std::make_unique<DesktopSession>(ui);
        session->start(commandLine, false);
        window().activateWindow();
        active = QTest::qWaitForWindowActive(&window());
        input = window().findChild<InputWindow *>();
        calendar = window().findChild<CalendarWindow *>();
        book = window().findChild<BookWindow *>();
    }

    MainWindow &window() { return session->window; }
    App &app() { return session->app; }
    QMdiSubWindow *sub(ShellWindow w) { return window().subWindow(w); }

    void record(const QString &date, const QString &money, const QString &memo)
    {
        RecordDirectly(session->presenters.input, date, true, QString(), money, memo);
    }

    // The memo column of the records, top to bottom.
    QStringList memos()
    {
        QStringList out;
        const Grid &g = app().book.msfgCashier;
        for (int r = 1; r <= g.rows() - 4; ++r)
            out << g.text(r, 5);
        return out;
    }

    TempHome home;
    ScriptedQtUi ui;
    std::unique_ptr<DesktopSession> session;
    bool active = false;
    InputWindow *input = nullptr;
    CalendarWindow *calendar = nullptr;
    BookWindow *book = nullptr;
};

} // namespace purslet::test
