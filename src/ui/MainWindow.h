#pragma once

#include "shell/ShellView.h"
#include "state/MenuTable.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace purslet {

class App;
class BookWindow;
class LockIndicators;
class MainWindowKeys;
class Presenters;
class QtUi;

// mdiMain: the menu bar built from the menu table, the toolbar, the status
// bar and the three child windows. Commands live in the presenters; this
// class forwards events and mirrors the menu state.
class MainWindow final : public QMainWindow, public ShellView
{
    Q_OBJECT

public:
    MainWindow(App &app, Presenters &presenters, QtUi &ui);
    ~MainWindow() override;

    // ShellView
    void createMainWindow() override;
    void createChildWindows() override;
    void buildToolbar() override;
    void buildStatusBar() override;
    void showMainWindow() override;
    WindowGeometry geometry(ShellWindow window) const override;
    void setGeometry(ShellWindow window, const WindowGeometry &geometry) override;
    void fitCalendarWindow() override;
    double bookWidthForColumns(const QList<int> &columnTwips) const override;
    double screenWidth() const override;
    double screenHeight() const override;
    double toolbarHeight() const override;
    double statusBarHeight() const override;
    void setChildVisible(ShellWindow window, bool visible) override;
    void setStatusPanelWidth(double twips) override;
    void focusEntryWindow() override;
    void focusPeriod();
    void openFindBar();

    QAction *menuAction(MenuItem item) const { return m_actions[size_t(item)]; }
    QList<QAction *> historyActions() const { return m_historyActions; }
    QToolBar *toolbar() const { return m_toolbar; }
    QMdiArea *mdiArea() const { return m_mdi; }
    QMdiSubWindow *subWindow(ShellWindow window) const;
    QLabel *statusPanel(int index) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void syncItem(MenuItem item);
    void syncHistory();
    void syncTitle();
    void runMenuItem(MenuItem item);
    // The book window brought to the front; null before it is made.
    BookWindow *activateBookWindow();
    QMdiSubWindow *wrap(QWidget *content, const QString &caption);
    double dpiX() const;
    double dpiY() const;
    void showLockState();

    App &m_app;
    Presenters &m_presenters;
    QtUi &m_ui;
    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolbar = nullptr;
    std::array<QAction *, kMenuItemCount> m_actions{};
    std::array<QMenu *, kMenuItemCount> m_menus{};
    QList<QAction *> m_historyActions;
    QMdiSubWindow *m_input = nullptr;
    QMdiSubWindow *m_calendar = nullptr;
    QMdiSubWindow *m_book = nullptr;
    QLabel *m_panels[4] = {nullptr, nullptr, nullptr, nullptr};
    bool m_caps = false, m_insert = false, m_kana = false;
    LockIndicators *m_locks = nullptr;
    std::unique_ptr<MainWindowKeys> m_keys;
    bool m_ending = false;
};

} // namespace purslet
