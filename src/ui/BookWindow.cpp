#include "ui/BookWindow.h"

#include "calc/Period.h"
#include "data/Book.h"
#include "operations/BookOperations.h"
#include "presenters/BookWindowPresenter.h"
#include "data/GridModel.h"
#include "platform/Twips.h"
#include "state/App.h"
#include "ui/ColouredHeaderView.h"
#include "ui/FindBar.h"
#include "ui/GridBrushProxy.h"
#include "ui/HintTracker.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QToolButton>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace purslet {

namespace {
// Where a grid sits inside its tab page, in twips.
constexpr int kGridOffset = 60;
} // namespace

BookWindow::BookWindow(BookWindowPresenter &presenter, App &app, QWidget *parent)
    : QWidget(parent), m_presenter(presenter), m_app(app)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("メインウインドウ"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab"));
    m_hints = new HintTracker(this, [this](const QString &control) { m_presenter.MouseMove(control); });
    m_hints->add(m_tabs, QStringLiteral("SSTab"));
    m_hints->add(m_tabs->tabBar(), QStringLiteral("SSTab"));

    Book &book = m_app.book;
    setUpGrid(0, book.msfgCashier, QStringLiteral("msfgCashier"), QStringLiteral("出納帳"), {2, 3, 4});
    setUpGrid(1, book.msfgIncome, QStringLiteral("msfgIncome"), QStringLiteral("収入詳細"), {1, 2, 3, 4});
    setUpGrid(2, book.msfgOutgo, QStringLiteral("msfgOutgo"), QStringLiteral("支出詳細"), {1, 2, 3, 4, 5});

    // The period bar in the tab strip's free corner, so that the grids keep
    // their size rule: ◀, the drop-down, ▶. Made after the grids, which come
    // first in the focus chain.
    m_periodBar = new QWidget(m_tabs);
    auto *bar = new QHBoxLayout(m_periodBar);
    bar->setContentsMargins(8, 0, 2, 0);
    bar->setSpacing(2);
    m_periodBack = new QToolButton(m_periodBar);
    m_periodBack->setObjectName(QStringLiteral("cmdPeriodBack"));
    m_periodBack->setText(QStringLiteral("◀"));
    m_periodBack->setToolTip(QStringLiteral("前の月 (Ctrl+PgUp)"));
    m_period = new QComboBox(m_periodBar);
    m_period->setObjectName(QStringLiteral("cmbPeriod"));
    m_period->setAccessibleName(QStringLiteral("期間"));
    m_period->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_period->setMaxVisibleItems(24);
    m_periodForth = new QToolButton(m_periodBar);
    m_periodForth->setObjectName(QStringLiteral("cmdPeriodForth"));
    m_periodForth->setText(QStringLiteral("▶"));
    m_periodForth->setToolTip(QStringLiteral("次の月 (Ctrl+PgDn)"));
    bar->addWidget(m_periodBack);
    bar->addWidget(m_period);
    bar->addWidget(m_periodForth);
    connect(m_periodBack, &QToolButton::clicked, this, [this] { m_presenter.cmdPeriod_Click(-1); });
    connect(m_periodForth, &QToolButton::clicked, this, [this] { m_presenter.cmdPeriod_Click(+1); });
    connect(m_period, &QComboBox::activated, this,
            [this](int index) { m_presenter.cmbPeriod_Click(m_period->itemData(index).toString()); });

    m_tabs->setCornerWidget(m_periodBar, Qt::TopRightCorner);
    m_hints->add(m_period, QStringLiteral("cmbPeriod"));
    m_hints->add(m_periodBack, QStringLiteral("cmdPeriodBack"));
    m_hints->add(m_periodForth, QStringLiteral("cmdPeriodForth"));

    m_tabs->setCurrentIndex(m_presenter.tab());
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) { m_presenter.SSTab_Click(tab); });
    m_presenter.onTabChanged = [this] {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_presenter.tab());
    };

    // The cash book: what the view highlights is the selection, however it
    // was made; keyboard moves refresh Delete as clicks do.
    QTableView *cashier = m_grids[0].view;
    cashier->setSelectionMode(QAbstractItemView::ContiguousSelection);
    auto cashierChanged = [this] {
        mirrorCashierSelection();
        m_presenter.msfgCashier_Click();
    };
    connect(cashier->selectionModel(), &QItemSelectionModel::selectionChanged, this, cashierChanged);
    connect(cashier->selectionModel(), &QItemSelectionModel::currentChanged, this, cashierChanged);
    m_app.book.readCashierSelection = [this] { mirrorCashierSelection(); };
    // Enter on a record corrects it in the entry window, as a double-click does.
    cashier->installEventFilter(this);

    m_listener = m_app.listen([this](AppChange change) {
        if (change == AppChange::Book || change == AppChange::Period)
            showPeriod();
    });
    showPeriod();

    // The summaries: a click on a header sorts, a click on a row edits its matter.
    for (int tab = 1; tab <= 2; ++tab) {
        QTableView *view = m_grids[tab].view;
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->horizontalHeader()->setSectionsClickable(true);
        const bool income = tab == 1;
        connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this, [this, income](int col) {
            if (income)
                m_presenter.msfgIncome_Click(0, col);
            else
                m_presenter.msfgOutgo_Click(0, col);
        });
        connect(view, &QTableView::clicked, this, [this, income](const QModelIndex &index) {
            if (income)
                m_presenter.msfgIncome_Click(index.row() + 1, index.column());
            else
                m_presenter.msfgOutgo_Click(index.row() + 1, index.column());
        });
        // A row highlighted from the keyboard offers Edit matter without
        // opening it; mouse presses are the click's business.
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, view, income] {
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            if (rows.isEmpty() || QGuiApplication::mouseButtons() != Qt::NoButton)
                return;
            if (income)
                m_presenter.msfgIncome_RowColChange(rows.first().row() + 1);
            else
                m_presenter.msfgOutgo_RowColChange(rows.first().row() + 1);
        });
        view->verticalHeader()->hide();
        const Book &b = m_app.book;
        static_cast<ColouredHeaderView *>(view->horizontalHeader())->setSortMark([&b, income] {
            return income ? std::pair(b.IncomeSortCol, b.IncomeSortAscending)
                          : std::pair(b.OutgoSortCol, b.OutgoSortAscending);
        });
    }
    setUpFindBar();
}

BookWindow::~BookWindow()
{
    m_presenter.onTabChanged = nullptr;
    m_app.book.readCashierSelection = nullptr;
    m_app.unlisten(m_listener);
    // The views go first; the models then let go of the grids.
    for (GridView &g : m_grids) {
        delete g.view;
        g.view = nullptr;
    }
}

double BookWindow::dpi() const
{
    return logicalDpiX();
}

void BookWindow::setUpGrid(int tab, Grid &grid, const QString &name, const QString &caption, QList<int> rightAligned)
{
    GridView &g = m_grids[tab];
    g.grid = &grid;
    g.name = name;
    g.model = new GridModel(grid, this);
    g.model->setRightAligned(std::move(rightAligned));
    g.proxy = new GridBrushProxy(this);
    g.proxy->setSourceModel(g.model);

    auto *page = new QWidget(m_tabs);
    m_hints->add(page, QStringLiteral("SSTab"));
    g.view = new QTableView(page);
    g.view->setObjectName(name);
    g.view->setHorizontalHeader(new ColouredHeaderView(Qt::Horizontal, g.view));
    g.view->setModel(g.proxy);
    g.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    g.view->setWordWrap(false);
    g.view->setCornerButtonEnabled(false);
    g.view->setSortingEnabled(false);
    // A fixed-pitch gothic: the default widths in twips fit a date in it.
    QFont gridFont(QStringLiteral("ＭＳ ゴシック"), 9);
    gridFont.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    g.view->setFont(gridFont);
    // Uniform rows: a book of 32,767 records must scroll without measuring.
    QHeaderView *rows = g.view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(g.view->fontMetrics().height() + 6);
    QHeaderView *cols = g.view->horizontalHeader();
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setHighlightSections(false);
    cols->setSortIndicatorShown(false);
    cols->setSectionsClickable(false);
    cols->setStretchLastSection(false);

    m_hints->add(g.view->viewport(), name);
    m_hints->add(cols->viewport(), name);
    g.view->viewport()->installEventFilter(this);
    cols->viewport()->installEventFilter(this);

    connect(g.model, &GridModel::columnWidthChanged, this, [this, tab](int col) { applyWidth(tab, col); });
    // A reset makes the header forget its sizes; give them back.
    connect(g.proxy, &QAbstractItemModel::modelReset, this, [this, tab] { applyWidths(tab); });
    connect(cols, &QHeaderView::sectionResized, this, [this, tab](int col, int, int pixels) {
        GridView &gv = m_grids[tab];
        if (gv.applyingWidths || col >= gv.grid->cols())
            return;
        if (TwipsToPixels(gv.grid->colWidth(col), dpi()) == pixels)
            return;
        const int twips = int(std::lround(PixelsToTwips(pixels, dpi())));
        gv.grid->setColWidth(col, twips);
        if (tab == 0 && gv.grid != &m_app.book.msfgCashier)
            m_app.book.msfgCashier.setColWidth(col, twips);
        if (tab == 0)
            fitMemoColumn();
    });

    m_tabs->addTab(page, caption);
    applyWidths(tab);
}

void BookWindow::applyWidth(int tab, int col)
{
    GridView &g = m_grids[tab];
    if (!g.view || col < 0 || col >= g.grid->cols())
        return;
    const int twips = g.grid->colWidth(col);
    if (twips <= 0)
        return; // never set: the view's default
    g.applyingWidths = true;
    g.view->setColumnWidth(col, std::max(1, TwipsToPixels(twips, dpi())));
    g.applyingWidths = false;
    if (tab == 0)
        fitMemoColumn();
}

void BookWindow::fitMemoColumn()
{
    // The memo takes what the other columns leave, never less than its own
    // width; that width, not the stretch, is what the settings keep.
    GridView &g = m_grids[0];
    const int memo = g.grid->cols() - 1;
    if (memo < 1 || g.grid->colWidth(memo) <= 0)
        return;
    int others = 0;
    for (int c = 0; c < memo; ++c)
        others += g.view->columnWidth(c);
    const int width = std::max(TwipsToPixels(g.grid->colWidth(memo), dpi()), g.view->viewport()->width() - others);
    if (g.view->columnWidth(memo) == width)
        return;
    g.applyingWidths = true;
    g.view->setColumnWidth(memo, width);
    g.applyingWidths = false;
}

int BookWindow::widthForColumns(int columnPixels) const
{
    const QTableView *view = m_grids[0].view;
    const QStyle *style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view);
    const int rowNumbers = view->fontMetrics().horizontalAdvance(QStringLiteral("32767")) + 4 * margin;
    const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view->verticalScrollBar());
    const int grid = columnPixels + rowNumbers + scrollBar + 2 * view->frameWidth();
    return grid + TwipsToPixels(BookWindowPresenter::kGridMarginWidth, dpi());
}

void BookWindow::applyWidths(int tab)
{
    for (int col = 0; col < m_grids[tab].grid->cols(); ++col)
        applyWidth(tab, col);
}

void BookWindow::placeGrids()
{
    const double d = dpi();
    const QSize tabTwips(int(std::lround(PixelsToTwips(m_tabs->width(), d))),
                         int(std::lround(PixelsToTwips(m_tabs->height(), d))));
    const QSize extent = BookWindowPresenter::gridExtent(tabTwips);
    const int offset = TwipsToPixels(kGridOffset, d);
    for (GridView &g : m_grids)
        g.view->setGeometry(offset, offset, TwipsToPixels(extent.width(), d), TwipsToPixels(extent.height(), d));
}

void BookWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QWidget *frame = window();
    if (isMinimized() || (parentWidget() && parentWidget()->isMinimized()) || (frame && frame->isMinimized()))
        return;
    m_tabs->setGeometry(placeFindBar());
    placeGrids();
}

void BookWindow::showPeriod()
{
    const Book &book = m_app.book;
    const QStringList periods = Periods(m_app);
    {
        const QSignalBlocker blocker(m_period);
        // Refilled only when the months changed: most entries add none.
        bool same = m_period->count() == periods.size();
        for (int i = 0; same && i < periods.size(); ++i)
            same = m_period->itemData(i).toString() == periods[i];
        if (!same) {
            m_period->clear();
            for (const QString &period : periods)
                m_period->addItem(PeriodCaption(period), period);
        }
        m_period->setCurrentIndex(int(periods.indexOf(book.period)));
    }
    // Back from the whole book is the newest month; forth from the newest month is the whole book.
    m_periodBack->setEnabled(periods.size() > 1 && book.period != periods.last());
    m_periodForth->setEnabled(!book.period.isEmpty());

    GridView &cashier = m_grids[0];
    Grid &shown = m_app.book.shownCashier();
    if (cashier.grid != &shown) {
        cashier.grid = &shown;
        cashier.model->setGrid(shown);
    }
    const QString suffix = book.period.isEmpty() ? QString()
                                                 : QStringLiteral(" (") + PeriodCaption(book.period) + QLatin1Char(')');
    const QString captions[] = {QStringLiteral("出納帳"), QStringLiteral("収入詳細"), QStringLiteral("支出詳細")};
    for (int tab = 0; tab < 3; ++tab)
        m_tabs->setTabText(tab, captions[tab] + suffix);
}

void BookWindow::reportFirstPaint()
{
    // A measuring aid: with PURSLET_FIRST_PAINT set, the wall-clock time of
    // the cash book's first paint showing a record goes to stderr and the
    // program ends, so that a launcher can time launch to first record.
    static const bool wanted = qEnvironmentVariableIsSet("PURSLET_FIRST_PAINT");
    if (!wanted || m_app.book.shownCashier().rows() <= 4)
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "first-paint %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    std::fflush(stderr);
    std::_Exit(0);
}

void BookWindow::focusPeriod()
{
    m_period->setFocus(Qt::ShortcutFocusReason);
}

void BookWindow::mirrorCashierSelection()
{
    const QTableView *view = m_grids[0].view;
    Grid &grid = *m_grids[0].grid;
    const int lastCol = grid.cols() - 1;
    // Whole rows, one block of them: anything else is no row selection, and
    // row 0 (the header) makes Delete refuse.
    int top = -1, bottom = -1, rows = 0;
    const QItemSelection selection = view->selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        if (range.left() != 0 || range.right() < lastCol) {
            rows = -1;
            break;
        }
        top = top < 0 ? range.top() : std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        rows += range.height();
    }
    if (rows <= 0 || rows != bottom - top + 1) {
        grid.setSelection(0, 0, 0, lastCol);
        return;
    }
    // The selection starts at the end away from the current row.
    const int current = view->currentIndex().row();
    const bool upwards = current == top && top != bottom;
    const int start = (upwards ? bottom : top) + 1;
    const int end = (upwards ? top : bottom) + 1;
    grid.setSelection(start, 0, end, lastCol);
}

void BookWindow::setUpFindBar()
{
    m_findBar = new FindBar(m_app, this);
    QTableView *cashier = m_grids[0].view;
    m_findBar->currentRow = [cashier] {
        const QModelIndex current = cashier->currentIndex();
        return current.isValid() ? current.row() + 1 : 0;
    };
    m_findBar->onFound = [this](int row) { showFound(row); };
    m_findBar->onClosed = [this] {
        // The focus back where the found row is, before the bar lets it go.
        m_grids[m_tabs->currentIndex()].view->setFocus(Qt::OtherFocusReason);
        m_findBar->hide();
    };
    m_findBar->onShownOrHidden = [this] {
        m_tabs->setGeometry(placeFindBar());
        placeGrids();
    };
}

QRect BookWindow::placeFindBar()
{
    QRect area = rect();
    if (m_findBar && m_findBar->isVisibleTo(this)) {
        const int height = m_findBar->sizeHint().height();
        area.setHeight(std::max(0, area.height() - height));
        m_findBar->setGeometry(0, area.height(), width(), height);
    }
    return area;
}

void BookWindow::openFindBar()
{
    m_findBar->open();
}

void BookWindow::showFound(int row)
{
    // Selected through the view, so that Delete and the grid's selection follow.
    m_tabs->setCurrentIndex(0);
    QTableView *view = m_grids[0].view;
    const QModelIndex index = view->model()->index(row - 1, std::max(0, view->currentIndex().column()));
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

int BookWindow::gridOf(QObject *watched) const
{
    for (int tab = 0; tab < 3; ++tab) {
        const QTableView *v = m_grids[tab].view;
        if (v && (watched == v->viewport() || watched == v->horizontalHeader()->viewport()))
            return tab;
    }
    return -1;
}

bool BookWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grids[0].view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier)
            return m_presenter.msfgCashier_DblClick(m_grids[0].view->currentIndex().row() + 1);
        return false;
    }
    const int tab = gridOf(watched);
    if (tab < 0)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (tab == 1) {
            m_presenter.msfgIncome_MouseDown(mouse->button() == Qt::LeftButton);
        } else {
            m_presenter.msfgOutgo_MouseDown(mouse->button() == Qt::LeftButton);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (tab == 0 && watched == m_grids[0].view->viewport() &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            mirrorCashierSelection();
            m_presenter.msfgCashier_Click();
        }
        break;
    case QEvent::MouseButtonDblClick: {
        // Taken here rather than from the view's signal, which a window
        // activated by the first click never sends.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (tab == 0 && watched == m_grids[0].view->viewport() && mouse->button() == Qt::LeftButton) {
            const QModelIndex index = m_grids[0].view->indexAt(mouse->position().toPoint());
            if (index.isValid()) {
                // The row corrected stays highlighted.
                m_grids[0].view->selectRow(index.row());
                if (m_presenter.msfgCashier_DblClick(index.row() + 1))
                    return true;
            }
        }
        break;
    }
    case QEvent::Paint:
        if (tab == 0 && watched == m_grids[0].view->viewport())
            reportFirstPaint();
        break;
    case QEvent::Resize:
        if (tab == 0 && watched == m_grids[0].view->viewport())
            fitMemoColumn();
        break;
    case QEvent::ToolTip:
        if (watched == m_grids[tab].view->viewport())
            return showCutOffText(tab, event);
        break;
    default:
        break;
    }
    return false;
}

bool BookWindow::showCutOffText(int tab, QEvent *event)
{
    // A cell too narrow for its text shows it whole in a tooltip.
    QTableView *view = m_grids[tab].view;
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = view->indexAt(help->pos());
    const QString text = index.data().toString();
    const QRect cell = view->visualRect(index);
    // The item views' text margin on either side.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    if (index.isValid() && view->fontMetrics().horizontalAdvance(text) > cell.width() - 2 * margin)
        QToolTip::showText(help->globalPos(), text, view->viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

} // namespace purslet
