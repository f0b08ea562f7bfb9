#include "graph/ChartData.h"

#include "graph/Advice.h"
#include "data/AmountFormat.h"
#include "data/Book.h"
#include "data/MatterKind.h"
#include "platform/ErrorDialogs.h"

namespace purslet {

namespace {

void drawRatio(const Book &book, ChartDrawing &drawing, Ui &ui)
{
    ChartModel &model = drawing.model;
    model.series = {QStringLiteral("収入合計額"), QStringLiteral("支出合計額")};
    model.categories = {ChartCaption(ChartKind::Ratio)};
    model.values = {{0, 0}};
    RunStep(ui, [&] {
        const Grid &cashier = book.shownCashier();
        const int total = cashier.rows() - 1;
        const Amount ti = CellToAmount(cashier.text(total, 2));
        const Amount to = CellToAmount(cashier.text(total, 3));
        const Amount pi = CellToAmount(book.msfgIncome.text(book.msfgIncome.rows() - 1, 1));
        model.values = {{ChartValue(ti), ChartValue(to)}};
        drawing.advice = RatioAdvice(ti, to, pi);
    });
}

void drawMatters(const Book &book, ChartDrawing &drawing, Ui &ui)
{
    const KindDescription &kind = Describe(KindFor(drawing.model.kind == ChartKind::Income));
    const Grid &grid = kind.gridOf(book);
    const int estimateCol = kind.estimateColumn;
    ChartModel &model = drawing.model;
    model.series = {kind.headers[estimateCol], kind.actualCaption};
    const int n = grid.rows() - 4;
    for (int i = 1; i <= n; ++i) {
        const bool goOn = RunStep(ui, [&] {
            const QString &name = grid.text(i, 0);
            const Amount estimate = CellToAmount(grid.text(i, estimateCol));
            const Amount actual = CellToAmount(grid.text(i, kind.actualColumn));
            model.categories << name;
            model.values.push_back({ChartValue(estimate), ChartValue(actual)});
            drawing.advice += MatterAdviceLine(model.kind, name, estimate, actual);
        });
        if (!goOn)
            break;
    }
}

} // namespace

ChartDrawing DrawChart(const Book &book, ChartKind kind, Ui &ui)
{
    ChartDrawing drawing;
    drawing.model.kind = kind;
    if (kind == ChartKind::Ratio)
        drawRatio(book, drawing, ui);
    else
        drawMatters(book, drawing, ui);
    return drawing;
}

} // namespace purslet
