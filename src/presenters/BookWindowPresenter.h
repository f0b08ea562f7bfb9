#pragma once

#include <QSize>
#include <QString>

#include <functional>

namespace purslet {

class App;
class EditCommands;
class Grid;

// The book window (frmMain): clicks on the three grids, the header sort of
// the summaries, the tab and the hints. The grids themselves live in the Book.
class BookWindowPresenter final
{
public:
    BookWindowPresenter(App &app, EditCommands &edit);

    // Reads the current row and selection end the view mirrored into the grid.
    void msfgCashier_Click();
    // A double-click or Enter on a cash book row: its record goes to the
    // entry window to be corrected. False for a row that is no record.
    bool msfgCashier_DblClick(int row);
    void msfgIncome_MouseDown(bool leftButton);
    void msfgOutgo_MouseDown(bool leftButton);
    // Grid rows: 0 is the header.
    void msfgIncome_Click(int row, int col);
    void msfgOutgo_Click(int row, int col);
    // A row reached from the keyboard: Edit matter as after a click, without opening it.
    void msfgIncome_RowColChange(int row);
    void msfgOutgo_RowColChange(int row);
    void SSTab_Click(int tab);
    // The period bar: a period chosen in its drop-down ("2026/12", empty for
    // the whole book), or a step of ◀ (-1) and ▶ (+1).
    void cmbPeriod_Click(const QString &period);
    void cmdPeriod_Click(int step);
    void MouseMove(const QString &controlName);

    int tab() const { return m_tab; }
    // Start-up restores the tab; the widget follows through onTabChanged.
    void setTab(int tab);

    // The grids fill their tab less the tab strip and the margins (twips).
    static constexpr int kGridMarginWidth = 350;
    static constexpr int kGridMarginHeight = 850;
    static QSize gridExtent(QSize tabTwips);

    std::function<void()> onTabChanged;

private:
    void summaryClick(bool income, int row, int col);
    // Selects a summary row and says whether it is a matter the editor can take.
    bool selectSummaryRow(bool income, int row);

    App &m_app;
    EditCommands &m_edit;
    bool m_leftButton = false;
    int m_tab = 0;
};

} // namespace purslet
