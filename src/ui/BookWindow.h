#pragma once

#include <QWidget>

class QComboBox;
class QTabWidget;
class QTableView;
class QToolButton;

namespace purslet {

class App;
class BookWindowPresenter;
class FindBar;
class Grid;
class GridModel;
class GridBrushProxy;
class HintTracker;

// The book window: three grids on three tabs, over the book's grids.
class BookWindow final : public QWidget
{
    Q_OBJECT
public:
    BookWindow(BookWindowPresenter &presenter, App &app, QWidget *parent = nullptr);
    ~BookWindow() override;

    QTabWidget *tabs() const { return m_tabs; }
    QTableView *view(int tab) const { return m_grids[tab].view; }
    QTableView *msfgCashier() const { return view(0); }
    QTableView *msfgIncome() const { return view(1); }
    QTableView *msfgOutgo() const { return view(2); }
    QComboBox *cmbPeriod() const { return m_period; }
    // Puts the focus on the period's drop-down.
    void focusPeriod();
    // 検索: the find bar at the window's foot, the focus in it.
    void openFindBar();
    FindBar *findBar() const { return m_findBar; }

    // The window's width that shows cash-book columns this wide in full,
    // beside the row numbers of the largest book and a vertical scroll bar.
    int widthForColumns(int columnPixels) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct GridView
    {
        Grid *grid = nullptr;
        GridModel *model = nullptr;
        GridBrushProxy *proxy = nullptr;
        QTableView *view = nullptr;
        QString name;
        bool applyingWidths = false;
    };

    void setUpGrid(int tab, Grid &grid, const QString &name, const QString &caption, QList<int> rightAligned);
    void applyWidth(int tab, int col);
    void applyWidths(int tab);
    void placeGrids();
    void mirrorCashierSelection();
    void reportFirstPaint();
    // The drop-down's periods, the cash book shown and the tab captions after
    // the book or the period changed.
    void showPeriod();
    void fitMemoColumn();
    bool showCutOffText(int tab, QEvent *event);
    int gridOf(QObject *watched) const;
    double dpi() const;
    // The find bar: made once, placed at the foot while it is open (the
    // tabs get what is left), and the cash book row it found selected.
    void setUpFindBar();
    QRect placeFindBar();
    void showFound(int row);

    BookWindowPresenter &m_presenter;
    App &m_app;
    QTabWidget *m_tabs = nullptr;
    QWidget *m_periodBar = nullptr;
    QComboBox *m_period = nullptr;
    QToolButton *m_periodBack = nullptr;
    QToolButton *m_periodForth = nullptr;
    int m_listener = -1;
    HintTracker *m_hints = nullptr;
    GridView m_grids[3];
    FindBar *m_findBar = nullptr;
};

} // namespace purslet
