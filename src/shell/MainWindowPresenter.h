#pragma once

#include "shell/ShellView.h"
#include "state/MenuTable.h"

#include <QString>

#include <array>
#include <functional>

namespace purslet {

class App;
class ChartPresenter;
class EditCommands;
class FileCommands;

// The main window mdiMain: every menu item's command and every toolbar button, the
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
    void menuClick(MenuItem item);
    // Whether choosing the item runs a command (menus and separators do not).
    bool hasCommand(MenuItem item) const;
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
    std::function<void(MenuItem)> onPrint;
    // Print All into a PDF file: the renderer of the desktop.
    std::function<bool(const QString &path)> onWritePdf;
    // 期間の選択: the focus to the book window's period drop-down.
    std::function<void()> onFocusPeriod;
    // 検索: the book window's find bar opened, the focus in it.
    std::function<void()> onFind;

private:
    void on(MenuItem item, std::function<void()> command);
    void toggle(MenuItem item, ShellWindow window);

    App &m_app;
    FileCommands &m_files;
    EditCommands &m_edit;
    ChartPresenter &m_chart;
    ShellView *m_view = nullptr;
    std::array<std::function<void()>, kMenuItemCount> m_commands;
};

} // namespace purslet
