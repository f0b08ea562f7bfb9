#pragma once

#include "shell/ShellView.h"

#include <QStringList>

#include <map>

namespace purslet::test {

// Windows as numbers: designed sizes like the real ones, and a log of what
// start-up asked for, in order.
class FakeShellView : public ShellView
{
public:
    FakeShellView()
    {
        windows[ShellWindow::Main] = {0, 0, 9000, 7000, 0};
        windows[ShellWindow::Input] = {100, 100, 4000, 2500, 0};
        windows[ShellWindow::Calendar] = {100, 100, 3000, 3000, 0};
        windows[ShellWindow::Book] = {100, 100, 5000, 5000, 0};
    }

    void createMainWindow() override { log << QStringLiteral("createMainWindow"); }
    void createChildWindows() override { log << QStringLiteral("createChildWindows"); }
    void buildToolbar() override { log << QStringLiteral("buildToolbar"); }
    void buildStatusBar() override { log << QStringLiteral("buildStatusBar"); }
    void showMainWindow() override { log << QStringLiteral("showMainWindow"); }
    WindowGeometry geometry(ShellWindow w) const override { return windows.at(w); }
    void setGeometry(ShellWindow w, const WindowGeometry &g) override { windows[w] = g; }
    void fitCalendarWindow() override
    {
        windows[ShellWindow::Calendar].width = calendarFit.first;
        windows[ShellWindow::Calendar].height = calendarFit.second;
    }
    // Columns plus what the window adds around them, once a test sets it.
    double bookWidthForColumns(const QList<int> &columnTwips) const override
    {
        double width = bookChrome;
        for (int twips : columnTwips)
            width += twips;
        return bookChrome < 0 ? 0 : width;
    }
    double screenWidth() const override { return 19200; }
    double screenHeight() const override { return 14400; }
    double toolbarHeight() const override { return 420; }
    double statusBarHeight() const override { return 330; }
    void setChildVisible(ShellWindow w, bool visible) override
    {
        visibleChildren[w] = visible;
        log << QStringLiteral("show %1 %2").arg(int(w)).arg(visible);
    }
    void setStatusPanelWidth(double twips) override { panelWidth = twips; }

    std::map<ShellWindow, WindowGeometry> windows;
    std::map<ShellWindow, bool> visibleChildren;
    std::pair<double, double> calendarFit{3600, 2700};
    double panelWidth = -1;
    double bookChrome = -1;
    QStringList log;
};

} // namespace purslet::test
