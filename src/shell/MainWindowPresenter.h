#pragma once

#include "shell/ShellView.h"

#include <QString>

#include <functional>

namespace purslet {

class App;
class ChartPresenter;
class EditCommands;
class FileCommands;

// The main window mdiMain: every menu item and toolbar button by name, the
// Show and Setup toggles, the size rule and the hints of its own areas.
class MainWindowPresenter final
{
public:
    static constexpr double MinimumWidth = 2000;
    static constexpr double ResetWidth = 7774;
    static constexpr double ResetHeight = 6834;
    static constexpr double StatusPanelReserve = 2000;

    MainWindowPresenter(App &app, FileCommands &files, EditCommands &edit, ChartPresenter &chart);

    void setView(ShellView *view) { m_view = view; }

    // A menu item was chosen; fileHistory items come as fileHistory_Click.
    void menuClick(const QString &name);
    void fileHistory_Click(int index);
    // The button's key is matched exactly against the toolbar table.
    void Toolbar_ButtonClick(const QString &key);

    void showInput_Click();
    void showCalendar_Click();
    void showMain_Click();
    void setupHighSpeedMode_Click();

    // A child window's close box: hidden, its Show item unchecked.
    void childCloseRequested(ShellWindow window);

    // The size rule, run on every resize of the main window.
    void MDIForm_Resize();
    // The pointer over the client area background, the toolbar or the status bar.
    void MouseMove();

    // Shut-down (runs the composition root's routine; does not return when it completes).
    std::function<void()> onEnd;
    // Print commands by item name: the print job needs the printer of the desktop.
    std::function<void(const QString &)> onPrint;

private:
    void toggle(const QString &item, ShellWindow window);

    App &m_app;
    FileCommands &m_files;
    EditCommands &m_edit;
    ChartPresenter &m_chart;
    ShellView *m_view = nullptr;
};

} // namespace purslet
