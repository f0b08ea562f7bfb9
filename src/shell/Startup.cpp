#include "shell/Startup.h"

#include "calc/Period.h"
#include "operations/BookOperations.h"

#include "files/FileHistory.h"
#include "calc/BookReset.h"
#include "calc/Cashier.h"
#include "calc/Catalogs.h"
#include "platform/RuntimeError.h"
#include "shell/Presenters.h"
#include "shell/Settings.h"
#include "shell/ShellView.h"
#include "shell/Shutdown.h"
#include "state/App.h"

#include <algorithm>

namespace purslet {

namespace {
// Runs one start-up step; whatever fails is skipped silently.
template <typename Step> void tolerate(Step &&step)
{
    try {
        step();
    } catch (const RuntimeError &) {
    }
}

// Applies one stored number to one field of a window's geometry; a value
// that does not convert leaves the window as it is.
class Layout
{
public:
    Layout(ShellView &view, const SettingsReader &settings) : m_view(view), m_settings(settings) {}

    WindowGeometry get(ShellWindow w) const { return m_view.geometry(w); }

    void apply(ShellWindow w, const char *section, const char *key, double WindowGeometry::*field, double defaultValue)
    {
        const auto v = m_settings.single(QString::fromLatin1(section), QString::fromLatin1(key), defaultValue);
        if (!v)
            return;
        tolerate([&] {
            WindowGeometry g = m_view.geometry(w);
            g.*field = *v;
            m_view.setGeometry(w, g);
        });
    }

    void applyState(ShellWindow w, const char *section)
    {
        const auto v = m_settings.int16(QString::fromLatin1(section), QStringLiteral("WindowState"), 0);
        if (!v || *v < kStateNormal || *v > kStateMaximised)
            return;
        tolerate([&] {
            WindowGeometry g = m_view.geometry(w);
            g.windowState = *v;
            m_view.setGeometry(w, g);
        });
    }

private:
    ShellView &m_view;
    const SettingsReader &m_settings;
};
} // namespace

void RunStartup(Presenters &p, ShellView &view, const StartupOptions &options)
{
    App &app = p.app;
    const SettingsReader settings(app.ini);
    Layout layout(view, settings);
    using W = ShellWindow;

    // 1. The file type, every time.
    if (options.registerFileType)
        tolerate(options.registerFileType);

    // 2. The main window and the book named on the command line.
    view.createMainWindow();
    if (!options.commandLine.isEmpty())
        tolerate([&] { p.files.openFromCommandLine(options.commandLine); });

    // 3. The three child windows, hidden until the last step.
    view.createChildWindows();

    // 4. Calendar window, under the entry window by default.
    layout.apply(W::Calendar, "frmCalendar", "Left", &WindowGeometry::left, 0);
    layout.apply(W::Calendar, "frmCalendar", "Top", &WindowGeometry::top, layout.get(W::Input).height);
    tolerate([&] { view.fitCalendarWindow(); });

    // 5. Entry window, as wide as the calendar.
    layout.apply(W::Input, "frmInput", "Left", &WindowGeometry::left, 0);
    layout.apply(W::Input, "frmInput", "Top", &WindowGeometry::top, 0);
    tolerate([&] {
        WindowGeometry g = view.geometry(W::Input);
        g.width = view.geometry(W::Calendar).width;
        view.setGeometry(W::Input, g);
    });
    tolerate([&] { p.input.setDate(options.today.toString(QStringLiteral("yyyy/MM/dd"))); });
    if (const auto income = settings.boolean(QStringLiteral("frmInput"), QStringLiteral("optCashier(0)"), true))
        tolerate([&] { p.input.setIncome(*income); });
    tolerate([&] { FillMatterCombo(app); });

    // 6. Book window, right of the entry window and square by default.
    layout.apply(W::Book, "frmMain", "Left", &WindowGeometry::left, layout.get(W::Input).width);
    layout.apply(W::Book, "frmMain", "Top", &WindowGeometry::top, 0);
    layout.apply(W::Book, "frmMain", "Height", &WindowGeometry::height,
                 layout.get(W::Input).height + layout.get(W::Calendar).height);
    // Square, unless the cash book's columns need more; the main window that
    // holds it beside the entry window still fits on the screen.
    QList<int> columns;
    const QString cashier = QStringLiteral("msfgCashier");
    for (int k = 0; k < DefaultColumnWidths(cashier).size(); ++k)
        columns << StoredColumnWidth(settings, cashier, k);
    const double roomOnScreen = view.screenWidth() - layout.get(W::Input).width - 250;
    layout.apply(W::Book, "frmMain", "Width", &WindowGeometry::width,
                 std::max(layout.get(W::Book).height, std::min(view.bookWidthForColumns(columns), roomOnScreen)));
    layout.applyState(W::Book, "frmMain");
    if (const auto tab = settings.int16(QStringLiteral("frmMain"), QStringLiteral("SSTab"), 0))
        if (*tab >= 0 && *tab <= 2)
            tolerate([&] { p.bookWindow.setTab(*tab); });

    // 7. The empty book, unless the command line's book was just read.
    tolerate([&] { ResetBook(app); });
    // The month shown last time, when this book holds it.
    const QString period = settings.text(kPeriodSection, kPeriodKey, QString());
    if (!period.isEmpty() && BookMonths(app.book).contains(period))
        tolerate([&] { ShowPeriod(app, period); });

    // 8. Main window, centred and large enough for the three by default.
    layout.apply(W::Main, "mdiMain", "Height", &WindowGeometry::height,
                 view.statusBarHeight() + view.toolbarHeight() + layout.get(W::Input).height +
                     layout.get(W::Calendar).height + 750);
    layout.apply(W::Main, "mdiMain", "Width", &WindowGeometry::width,
                 layout.get(W::Input).width + layout.get(W::Book).width + 250);
    layout.apply(W::Main, "mdiMain", "Left", &WindowGeometry::left,
                 (view.screenWidth() - layout.get(W::Main).width) / 2);
    layout.apply(W::Main, "mdiMain", "Top", &WindowGeometry::top,
                 (view.screenHeight() - layout.get(W::Main).height) / 2);
    layout.applyState(W::Main, "mdiMain");

    // 9. Check marks.
    const QString menu = QStringLiteral("Menu");
    const std::pair<MenuItem, bool> marks[] = {{MenuItem::showInput, true},
                                               {MenuItem::showCalendar, true},
                                               {MenuItem::showMain, true},
                                               {MenuItem::setupHighSpeedMode, false}};
    for (const auto &[item, def] : marks) {
        if (const auto checked = settings.boolean(menu, MenuItemName(item), def))
            app.menu.setChecked(item, *checked);
    }

    // 10. Recent files.
    tolerate([&] { LoadFileHistory(app, settings.fileHistory()); });

    // 11, 12. Toolbar and status bar.
    tolerate([&] { view.buildToolbar(); });
    tolerate([&] {
        view.buildStatusBar();
        view.setStatusPanelWidth(view.geometry(W::Main).width - 2000);
    });

    // 13. Total colours.
    tolerate([&] { ColorTotals(app.book, app.ui); });

    // 14. The child windows whose Show item is checked. The main window
    // appears only now, laid out, so that nothing jumps or flashes.
    view.showMainWindow();
    if (app.menu.checked(MenuItem::showInput))
        view.setChildVisible(W::Input, true);
    if (app.menu.checked(MenuItem::showCalendar))
        view.setChildVisible(W::Calendar, true);
    if (app.menu.checked(MenuItem::showMain))
        view.setChildVisible(W::Book, true);
    // An entry can be typed straight away.
    if (app.menu.checked(MenuItem::showInput))
        view.focusEntryWindow();

    // From now on the windows are laid out, so that an end the system error
    // dialog asks for may write them back as Exit does.
    app.ui.exitCommand = [&p, &view] {
        switch (fileEnd_Click(p, view)) {
        case EndOutcome::BookKept:
            return false;
        case EndOutcome::StepFailed:
            // Asked to end, with the book saved or given up: a settings file
            // that cannot be written does not keep it running.
            p.app.ui.endProgram();
            return true;
        case EndOutcome::Ended:
            break;
        }
        return true;
    };
}

} // namespace purslet
