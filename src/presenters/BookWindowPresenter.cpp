#include "presenters/BookWindowPresenter.h"

#include "data/Book.h"
#include "operations/BookOperations.h"
#include "presenters/EditCommands.h"
#include "data/MatterKind.h"
#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "platform/Hints.h"
#include "state/App.h"

#include <algorithm>

namespace purslet {

BookWindowPresenter::BookWindowPresenter(App &app, EditCommands &edit) : m_app(app), m_edit(edit) {}

void BookWindowPresenter::msfgCashier_Click()
{
    // A month's row 1 brings the balance forward: it is no record.
    const Grid &grid = m_app.book.shownCashier();
    const int end = grid.rowSel();
    m_app.menu.setEnabled(MenuItem::editDelete, end >= m_app.book.firstShownRecord() && end < grid.rows() - 3);
    // Another row chosen: the correction of the one before is given up.
    EntryState &entry = m_app.entry;
    if (entry.changeRow > 0 && (grid.row() != entry.changeShownRow || end != entry.changeShownRow)) {
        entry.changeRow = entry.changeShownRow = 0;
        m_app.notify(AppChange::Change);
    }
}

bool BookWindowPresenter::msfgCashier_DblClick(int row)
{
    const int bookRow = BookRowOfShown(m_app.book, row);
    if (bookRow == 0)
        return false;
    m_app.entry.changeRow = bookRow;
    m_app.entry.changeShownRow = row;
    m_app.notify(AppChange::Change);
    return true;
}

void BookWindowPresenter::cmbPeriod_Click(const QString &period)
{
    ShowPeriod(m_app, period);
}

void BookWindowPresenter::cmdPeriod_Click(int step)
{
    StepPeriod(m_app, step);
}

void BookWindowPresenter::msfgIncome_MouseDown(bool leftButton)
{
    m_leftButton = leftButton;
}

void BookWindowPresenter::msfgOutgo_MouseDown(bool leftButton)
{
    m_leftButton = leftButton;
}

void BookWindowPresenter::msfgIncome_Click(int row, int col)
{
    summaryClick(true, row, col);
}

void BookWindowPresenter::msfgOutgo_Click(int row, int col)
{
    summaryClick(false, row, col);
}

void BookWindowPresenter::summaryClick(bool income, int row, int col)
{
    if (!m_leftButton)
        return;
    Book &book = m_app.book;
    const KindDescription &kind = Describe(KindFor(income));
    Grid &grid = kind.gridOf(book);
    if (row < 0 || row >= grid.rows() || col < 0 || col >= grid.cols())
        return;

    if (row == 0) {
        int &sortCol = book.*kind.sortColumn;
        bool &ascending = book.*kind.sortAscending;
        if (sortCol >= 0 && sortCol < grid.cols())
            grid.setCellBackground(0, sortCol, 0);
        grid.setCellBackground(0, col, ascending ? kColourPositive : kColourNegative);
        ascending = !ascending;
        sortCol = col;
        CalcMatterSummary(book, m_app.ui);
        return;
    }

    if (selectSummaryRow(income, row))
        m_edit.editMatter_Click();
}

bool BookWindowPresenter::selectSummaryRow(bool income, int row)
{
    Book &book = m_app.book;
    Grid &grid = Describe(KindFor(income)).gridOf(book);
    if (row < 1 || row >= grid.rows())
        return false;
    grid.setSelection(row, 0, row, grid.cols() - 1);
    const bool matterRow = row < grid.rows() - 3 && grid.text(row, 0) != kOtherMatter;
    m_app.menu.setEnabled(MenuItem::editMatter, matterRow);
    if (matterRow)
        book.MatterSourceIsIncome = income;
    return matterRow;
}

void BookWindowPresenter::msfgIncome_RowColChange(int row)
{
    selectSummaryRow(true, row);
}

void BookWindowPresenter::msfgOutgo_RowColChange(int row)
{
    selectSummaryRow(false, row);
}

void BookWindowPresenter::SSTab_Click(int tab)
{
    m_tab = tab;
    m_app.menu.setEnabled(MenuItem::editMatter, false);
}

void BookWindowPresenter::setTab(int tab)
{
    if (m_tab == tab)
        return;
    m_tab = tab;
    if (onTabChanged)
        onTabChanged();
}

namespace {
constexpr Hint kHints[] = {
    {"msfgCashier", u"クリックで行が選択できます。"},
    {"msfgIncome", u"対象行をクリックすることで事柄が編集できます。"},
    {"msfgOutgo", u"対象行をクリックすることで事柄が編集できます。"},
    {"SSTab", u"タブをクリックすると表示項目を切り替えることができます。"},
    {"cmbPeriod", u"表示する期間を選択します。"},
    {"cmdPeriodBack", u"前の月を表示します。"},
    {"cmdPeriodForth", u"次の月を表示します。"},
    {"Form", u""},
};
} // namespace

void BookWindowPresenter::MouseMove(const QString &controlName)
{
    ShowHint(m_app.ui, kHints, controlName);
}

QSize BookWindowPresenter::gridExtent(QSize tabTwips)
{
    return {std::max(0, tabTwips.width() - kGridMarginWidth), std::max(0, tabTwips.height() - kGridMarginHeight)};
}

} // namespace purslet
