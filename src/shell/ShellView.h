#pragma once

#include <QList>

namespace purslet {

enum class ShellWindow { Main, Input, Calendar, Book };

// Position and size of one window in twips, as Setup.ini keeps them: the main
// window's relative to the screen, a child window's relative to the client
// area. windowState: 0 normal, 1 minimised, 2 maximised.
struct WindowGeometry
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int windowState = 0;

    bool operator==(const WindowGeometry &) const = default;
};

inline constexpr int kStateNormal = 0;
inline constexpr int kStateMinimised = 1;
inline constexpr int kStateMaximised = 2;

// What start-up, shut-down and the main window's presenter need of the
// windows. The main window implements it; tests use a fake.
class ShellView
{
public:
    virtual ~ShellView() = default;

    // Start-up steps that create things (child windows stay hidden).
    virtual void createMainWindow() = 0;
    virtual void createChildWindows() = 0;
    virtual void buildToolbar() = 0;
    virtual void buildStatusBar() = 0;
    // Puts the main window on the screen, before the child windows that are shown.
    virtual void showMainWindow() = 0;

    // The window's current geometry; before start-up applies the settings,
    // its designed geometry.
    virtual WindowGeometry geometry(ShellWindow window) const = 0;
    virtual void setGeometry(ShellWindow window, const WindowGeometry &geometry) = 0;
    // Sizes the calendar window so that its month calendar fills the client area.
    virtual void fitCalendarWindow() = 0;

    // The book window's width (twips) that shows cash-book columns of these
    // widths (twips) in full; 0 where the view cannot tell.
    virtual double bookWidthForColumns(const QList<int> &columnTwips) const
    {
        (void)columnTwips;
        return 0;
    }

    virtual double screenWidth() const = 0;
    virtual double screenHeight() const = 0;
    virtual double toolbarHeight() const = 0;
    virtual double statusBarHeight() const = 0;

    virtual void setChildVisible(ShellWindow window, bool visible) = 0;
    virtual void setStatusPanelWidth(double twips) = 0;
    // Puts the keyboard focus where typing an entry starts, when the entry window is shown.
    virtual void focusEntryWindow() {}
};

} // namespace purslet
