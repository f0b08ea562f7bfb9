#include "calc/BookReset.h"

#include "data/Book.h"
#include "data/MatterKind.h"
#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "calc/Period.h"
#include "data/SetupValues.h"
#include "platform/RuntimeError.h"
#include "state/App.h"

#include <QHash>

#include <functional>

namespace purslet {

namespace {

// The cash book's header and total rows; the summaries' come with their kind.
const QStringList kCashierCaptions{QStringLiteral("記入日"), QStringLiteral("事柄"), QStringLiteral("収入"),
                                   QStringLiteral("支出"), QStringLiteral("小計"), QStringLiteral("メモ")};
const QStringList kCashierTotalRow{QStringLiteral("合計"), QStringLiteral("---"), QStringLiteral("0"),
                                   QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("---")};

// A failing step of the reset is skipped without a word.
void quietly(const std::function<void()> &step)
{
    try {
        step();
    } catch (const RuntimeError &) {
    }
}

void layOut(const SettingsReader &settings, Grid &grid, const QStringList &captions, const QStringList &totalRow)
{
    const QList<int> &widths = DefaultColumnWidths(grid.name());
    const int cols = int(captions.size());
    quietly([&] {
        grid.setRows(4);
        grid.setCols(cols);
        grid.clear();
    });
    for (int k = 0; k < cols && k < widths.size(); ++k)
        quietly([&] { grid.setColWidth(k, StoredColumnWidth(settings, grid.name(), k)); });
    quietly([&] {
        for (int k = 0; k < cols; ++k)
            grid.setText(0, k, captions[k]);
    });
    quietly([&] {
        const int last = grid.rows() - 1;
        for (int k = 0; k < cols; ++k)
            grid.setText(last, k, totalRow[k]);
    });
}

void readSortState(const SettingsReader &settings, const Grid &grid, int &col, bool &ascending)
{
    // A column the grid does not have would make every sort fail.
    if (const auto stored = settings.int32(grid.name(), QStringLiteral("CurrentCol"), 0))
        if (*stored >= 0 && *stored < grid.cols())
            col = *stored;
    if (const auto stored = settings.boolean(grid.name(), QStringLiteral("SortAscending"), true))
        ascending = *stored;
}

void colorSortHeader(Grid &grid, int sortCol, bool ascending)
{
    for (int c = 0; c < grid.cols(); ++c)
        grid.setCellBackground(0, c, c == sortCol ? (ascending ? kColourNegative : kColourPositive) : Rgb(0));
}
} // namespace

const QList<int> &DefaultColumnWidths(const QString &gridName)
{
    static const QHash<QString, QList<int>> widths{
        {QStringLiteral("msfgCashier"), {1100, 1650, 1200, 1200, 1200, 1650}},
        {QStringLiteral("msfgIncome"), {1650, 1200, 1200, 450, 1200}},
        {QStringLiteral("msfgOutgo"), {1650, 1200, 1200, 1200, 450, 1200}},
    };
    static const QList<int> none;
    const auto it = widths.constFind(gridName);
    return it == widths.cend() ? none : *it;
}

int StoredColumnWidth(const SettingsReader &settings, const QString &gridName, int col)
{
    const int fallback = DefaultColumnWidths(gridName).value(col);
    // An unusable stored width leaves the column at its default, never invisible.
    const auto stored = settings.int32(gridName, QStringLiteral("ColWidth%1").arg(col), fallback);
    return stored && *stored >= 0 ? *stored : fallback;
}

void ResetBook(App &app)
{
    Book &book = app.book;
    if (book.SkipNextReset) {
        book.SkipNextReset = false;
        return;
    }
    {
        // Views see one reset per grid.
        Grid::Bulk cashierBulk(book.msfgCashier);
        Grid::Bulk incomeBulk(book.msfgIncome);
        Grid::Bulk outgoBulk(book.msfgOutgo);

        const SettingsReader settings(app.ini);
        layOut(settings, book.msfgCashier, kCashierCaptions, kCashierTotalRow);
        for (MatterKind k : {MatterKind::Income, MatterKind::Outgo}) {
            const KindDescription &kind = Describe(k);
            Grid &grid = kind.gridOf(book);
            int &sortCol = book.*kind.sortColumn;
            bool &ascending = book.*kind.sortAscending;
            layOut(settings, grid, kind.headers, kind.totalRow);
            readSortState(settings, grid, sortCol, ascending);
            quietly([&] { colorSortHeader(grid, sortCol, ascending); });
        }

        quietly([&] { FillMatterGrids(app); });
        quietly([&] { BuildPeriod(book, app.ui); });
        quietly([&] { CalcMatterSummary(book, app.ui); });
    }
    app.setModified(false);
}

} // namespace purslet
