#include "shell/Shutdown.h"

#include "files/Backup.h"
#include "platform/RuntimeError.h"
#include "shell/Presenters.h"
#include "shell/Settings.h"
#include "shell/ShellView.h"
#include "state/App.h"

#include <QFile>

namespace purslet {

namespace {
ShellWindow windowOf(const QString &section)
{
    if (section == QLatin1String("frmInput"))
        return ShellWindow::Input;
    if (section == QLatin1String("frmCalendar"))
        return ShellWindow::Calendar;
    if (section == QLatin1String("frmMain"))
        return ShellWindow::Book;
    return ShellWindow::Main;
}

QString geometryValue(const WindowGeometry &g, const QString &key)
{
    if (key == QLatin1String("Left"))
        return FromNumber(g.left);
    if (key == QLatin1String("Top"))
        return FromNumber(g.top);
    if (key == QLatin1String("Width"))
        return FromNumber(g.width);
    if (key == QLatin1String("Height"))
        return FromNumber(g.height);
    return QString::number(g.windowState);
}
} // namespace

QString CurrentSettingValue(Presenters &p, ShellView &view, const QString &section, const QString &key)
{
    App &app = p.app;
    if (section == QLatin1String("frmInput") && key == QLatin1String("optCashier(0)"))
        return FromBoolean(p.input.income());
    if (section == QLatin1String("frmMain") && key == QLatin1String("SSTab"))
        return QString::number(p.bookWindow.tab());
    if (section == kPeriodSection && key == kPeriodKey)
        return app.book.period;
    if (section == QLatin1String("Menu")) {
        const std::optional<MenuItem> item = MenuItemNamed(key);
        if (!item)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("メニュー項目がありません: ") + key);
        return FromBoolean(app.menu.checked(*item));
    }
    if (section.startsWith(QLatin1String("msfg"))) {
        Book &book = app.book;
        const bool income = section == QLatin1String("msfgIncome");
        if (key == QLatin1String("CurrentCol"))
            return QString::number(income ? book.IncomeSortCol : book.OutgoSortCol);
        if (key == QLatin1String("SortAscending"))
            return FromBoolean(income ? book.IncomeSortAscending : book.OutgoSortAscending);
        const Grid &grid = section == QLatin1String("msfgCashier") ? book.msfgCashier
                           : income                                ? book.msfgIncome
                                                                   : book.msfgOutgo;
        const int col = key.mid(QStringLiteral("ColWidth").size()).toInt();
        return QString::number(grid.colWidth(col));
    }
    return geometryValue(view.geometry(windowOf(section)), key);
}

EndOutcome fileEnd_Click(Presenters &p, ShellView &view)
{
    App &app = p.app;
    // 1. The save question. A save the user cancelled, or that failed and
    // was not to be continued, keeps the program, and the book, alive.
    if (!p.files.saveQuestion())
        return EndOutcome::BookKept;

    // 2, 3. Setup.ini rebuilt whole; a failure stops here without a message.
    try {
        const bool written = RewriteSettings(
            app.ini,
            [&](const QString &section, const QString &key) { return CurrentSettingValue(p, view, section, key); },
            app.menu.history());
        if (!written)
            return EndOutcome::StepFailed;
    } catch (const RuntimeError &) {
        return EndOutcome::StepFailed;
    }

    // 4. The undo backup; a missing file is no error.
    const QString backup = app.programFile(kBackupFileName);
    if (QFile::exists(backup) && !QFile::remove(backup))
        return EndOutcome::StepFailed;
    RemoveCatalogBackups(app);

    // 5. The end, which runs no destructors: an encrypted book's key is wiped first.
    app.doc.key.release();
    app.ui.endProgram();
    return EndOutcome::Ended;
}

} // namespace purslet
