#include "calc/Period.h"

#include "calc/Cashier.h"
#include "data/AmountFormat.h"
#include "data/Book.h"
#include "platform/ErrorDialogs.h"

#include <algorithm>

namespace purslet {

QStringList BookMonths(const Book &book)
{
    const Grid &grid = book.msfgCashier;
    QStringList months;
    QString last;
    for (int r = 1; r <= grid.rows() - 4; ++r) {
        const QString &date = grid.text(r, 0);
        // Records of one month mostly follow each other: skip the repeat cheaply.
        if (!last.isEmpty() && date.startsWith(last))
            continue;
        last = MonthOfDate(date);
        if (!last.isEmpty())
            months.append(last);
    }
    std::sort(months.begin(), months.end(), std::greater<QString>());
    months.erase(std::unique(months.begin(), months.end()), months.end());
    return months;
}

void BuildPeriod(Book &book, Ui &ui)
{
    Grid &month = book.monthCashier;
    Grid::Bulk bulk(month);
    book.monthRows.clear();
    if (book.period.isEmpty()) {
        month.setRows(1);
        month.clear();
        return;
    }
    const Grid &whole = book.msfgCashier;
    const QString prefix = book.period + QLatin1Char('/');
    const int cols = whole.cols();
    std::vector<int> rows;
    Amount carried;
    const bool counted = RunStep(ui, [&] {
        for (int r = 1; r <= whole.rows() - 4; ++r) {
            const QString &date = whole.text(r, 0);
            if (date.startsWith(prefix))
                rows.push_back(r);
            else if (DateLess(date, prefix))
                carried += CellToAmount(whole.text(r, 2)) - CellToAmount(whole.text(r, 3));
        }
    });
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return DateLess(whole.text(a, 0), whole.text(b, 0)); });
    if (!counted)
        carried = Amount();

    month.setCols(cols);
    month.setRows(int(rows.size()) + 5);
    month.clear();
    for (int c = 0; c < cols; ++c) {
        month.setColWidth(c, whole.colWidth(c));
        month.setText(0, c, whole.text(0, c));
    }
    month.setText(1, 1, kBroughtForward);
    month.setText(1, 4, FormatAmount(carried));

    Amount income, outgo, balance = carried;
    int r = 2;
    RunStep(ui, [&] {
        for (int source : rows) {
            for (int c = 0; c < cols; ++c)
                if (c != 4)
                    month.setText(r, c, whole.text(source, c));
            const Amount in = CellToAmount(whole.text(source, 2));
            const Amount out = CellToAmount(whole.text(source, 3));
            income += in;
            outgo += out;
            balance = balance + in - out;
            month.setText(r, 4, FormatAmount(balance));
            ++r;
        }
    });
    book.monthRows = std::move(rows);
    const int last = month.rows() - 1;
    const QStringList total{QStringLiteral("合計"),   QStringLiteral("---"),   FormatAmount(income),
                            FormatAmount(outgo),     FormatAmount(balance), QStringLiteral("---")};
    for (int c = 0; c < cols && c < total.size(); ++c)
        month.setText(last, c, total[c]);
    ColorTotals(book, ui);
}

} // namespace purslet
