#include "calc/Cashier.h"

#include "data/AmountFormat.h"
#include "data/Book.h"
#include "platform/ErrorDialogs.h"

namespace purslet {

void RecalcCashier(Book &book, Ui &ui, int n)
{
    Grid &grid = book.msfgCashier;
    ShowStatus(ui, QStringLiteral("出納帳のデータを計算しています..."));
    {
        Grid::Bulk bulk(grid);
        Amount totalIncome, totalOutgo, balance;
        for (int i = 1; i <= n; ++i) {
            // A cell that is not a number counts as zero in the balance as in
            // the totals, so that the total row adds up.
            Amount income, outgo;
            if (!RunStep(ui, [&] { const Amount v = CellToAmount(grid.text(i, 2)); totalIncome += v; income = v; }))
                return;
            if (!RunStep(ui, [&] { const Amount v = CellToAmount(grid.text(i, 3)); totalOutgo += v; outgo = v; }))
                return;
            if (!RunStep(ui, [&] { balance = balance + income - outgo; }))
                return;
            // Written only where it changed: after an entry or a deletion most
            // balances stay as they were, and a new text costs an allocation.
            if (!RunStep(ui, [&] {
                    const AmountText text(balance);
                    if (grid.text(i, 4) != text.view())
                        grid.setText(i, 4, text.view().toString());
                }))
                return;
        }
        const int last = grid.rows() - 1;
        if (!RunStep(ui, [&] {
                grid.setText(last, 2, FormatAmount(totalIncome));
                grid.setText(last, 3, FormatAmount(totalOutgo));
                grid.setText(last, 4, FormatAmount(balance));
            }))
            return;
    }
    ColorTotals(book, ui);
    ShowStatus(ui, QString());
}

namespace {
Rgb colourFor(Amount value)
{
    if (value.isNegative())
        return kColourNegative;
    if (value.isZero())
        return kColourZero;
    return kColourPositive;
}

bool colourTotal(Grid &grid, Ui &ui, int col)
{
    return RunStep(ui, [&] {
        const int last = grid.rows() - 1;
        grid.setCellBackground(last, col, colourFor(CellToAmount(grid.text(last, col))));
        grid.setCurrentCell(last, col);
    });
}
} // namespace

void ColorTotals(Book &book, Ui &ui)
{
    if (!colourTotal(book.msfgCashier, ui, 4))
        return;
    if (!book.period.isEmpty() && book.monthCashier.rows() >= 4 && !colourTotal(book.monthCashier, ui, 4))
        return;
    if (!colourTotal(book.msfgIncome, ui, 4))
        return;
    colourTotal(book.msfgOutgo, ui, 5);
}

} // namespace purslet
