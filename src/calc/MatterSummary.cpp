#include "calc/MatterSummary.h"

#include "data/AmountFormat.h"
#include "data/Book.h"
#include "calc/Cashier.h"
#include "data/MatterKind.h"
#include "calc/Catalogs.h"
#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace purslet {

// The summary is worked out completely in memory and only then written to the
// grids, so that a failure (a bad cell text, an overflow) leaves the grids as
// they were: the matter rows stay in place for the next catalog rewrite.
// The figures are those of the cell-by-cell rebuild: a row's running sum is
// read back from its formatted text after every record, so it is kept in
// whole yen at every step.

namespace {
const QString kTotalCaption = QStringLiteral("合計");
const QString kDashes = QStringLiteral("---");
const QString kZero = QStringLiteral("0");

struct Line
{
    QString name;
    QString estimateText;
    Amount estimate;
    Amount actual; // whole yen
    Amount floor;  // whole yen; zero is the text "0": nothing seen yet
    bool remainder = false;
    QStringList texts; // the cells as they are when the rows are sorted
};

struct Plan
{
    const KindDescription *kind = nullptr;
    std::vector<int> kept; // grid rows that stay, in grid order
    std::vector<Line> lines; // kept rows, then the remainder row if any
    std::vector<int> order;  // lines in display order
    QHash<QString, std::vector<int>> byName;
    Amount estimateSum;
    Amount actualSum;
    QStringList totalRow;
};

Amount wholeYen(Amount value)
{
    if (value.raw() % Amount::Scale == 0)
        return value;
    return Amount::fromYen(value.roundedYen());
}

// Phase A as a plan: every row but the remainder row stays; the trailing
// empty rows and the old total row go.
Plan collectRows(const Book &book, const KindDescription &kind)
{
    const Grid &grid = kind.gridOf(book);
    if (grid.cols() < kind.columns())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    Plan plan;
    plan.kind = &kind;
    for (int i = 1; i <= grid.rows() - 4; ++i) {
        const QString &name = grid.text(i, 0);
        if (name == kOtherMatter)
            continue;
        Line line;
        line.name = name;
        line.estimateText = grid.text(i, kind.estimateColumn);
        plan.kept.push_back(i);
        if (!name.isEmpty())
            plan.byName[name].push_back(int(plan.lines.size()));
        plan.lines.push_back(std::move(line));
    }
    return plan;
}

// Phase B: every record goes to every row of its matter.
void distribute(const Grid &cashier, int firstRecord, Plan &income, Plan &outgo)
{
    const int records = cashier.rows() - 4;
    for (int r = firstRecord; r <= records; ++r) {
        const QString &matter = cashier.text(r, 1);
        // Income by its value, not its text: "00" or "-0" from a text file is no income.
        if (const Amount earned = CellToAmount(cashier.text(r, 2)); !earned.isZero()) {
            const auto it = income.byName.constFind(matter);
            if (it == income.byName.cend())
                continue;
            for (int index : *it) {
                Line &line = income.lines[size_t(index)];
                line.actual = wholeYen(line.actual + earned);
            }
        } else {
            const Amount amount = CellToAmount(cashier.text(r, 3));
            const auto it = outgo.byName.constFind(matter);
            if (it == outgo.byName.cend())
                continue;
            for (int index : *it) {
                Line &line = outgo.lines[size_t(index)];
                if (line.floor > amount || line.floor.isZero())
                    line.floor = wholeYen(amount);
                line.actual = wholeYen(line.actual + amount);
            }
        }
    }
}

// Phase C.
void sumColumns(Plan &plan)
{
    for (Line &line : plan.lines) {
        line.estimate = CellToAmount(line.estimateText);
        plan.estimateSum += line.estimate;
        plan.actualSum += line.actual;
    }
}

QString shareText(Amount actual, Amount total)
{
    if (total.isZero())
        return kZero;
    // Halves go to the even neighbour (the default rounding mode); + 0.0 drops a negative zero.
    const double share = std::nearbyint(actual.toDouble() / total.toDouble() * 100.0) + 0.0;
    return QString::number(share, 'f', 0);
}

// Phase D: the remainder row, shares and differences.
void finishLines(Plan &plan, Amount bookTotal)
{
    const KindDescription &kind = *plan.kind;
    const Amount remainder = bookTotal - plan.actualSum;
    if (!remainder.isZero()) {
        Line line;
        line.name = kOtherMatter;
        line.remainder = true;
        line.estimateText = kZero;
        line.actual = wholeYen(remainder);
        plan.lines.push_back(std::move(line));
    }
    for (Line &line : plan.lines) {
        QStringList texts(kind.columns());
        texts[0] = line.name;
        if (kind.floorColumn >= 0)
            texts[kind.floorColumn] = line.remainder ? kDashes : FormatAmount(line.floor);
        texts[kind.estimateColumn] = line.estimateText;
        texts[kind.actualColumn] = FormatAmount(line.actual);
        texts[kind.shareColumn] = shareText(line.actual, bookTotal);
        texts[kind.differenceColumn] = FormatAmount(line.estimate - line.actual);
        line.texts = std::move(texts);
    }

    QStringList total(kind.columns());
    total[0] = kTotalCaption;
    if (kind.floorColumn >= 0)
        total[kind.floorColumn] = kDashes;
    total[kind.estimateColumn] = FormatAmount(plan.estimateSum);
    total[kind.actualColumn] = FormatAmount(bookTotal);
    total[kind.shareColumn] = plan.actualSum.isZero() ? kZero : QStringLiteral("100");
    total[kind.differenceColumn] = FormatAmount(plan.estimateSum - plan.actualSum);
    plan.totalRow = std::move(total);
}

// Keys that read as amounts compare by value and come before texts; texts
// compare ignoring letter case.
struct SortKey
{
    bool numeric;
    Amount value;
    QString text;
};

int compareKeys(const SortKey &a, const SortKey &b)
{
    if (a.numeric != b.numeric)
        return a.numeric ? -1 : 1;
    if (a.numeric)
        return a.value < b.value ? -1 : (b.value < a.value ? 1 : 0);
    return a.text.compare(b.text, Qt::CaseInsensitive);
}

// Phase E. Equal keys keep their order.
void sortLines(Plan &plan, int col, bool ascending)
{
    if (col < 0 || col >= plan.kind->columns())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    std::vector<SortKey> keys;
    keys.reserve(plan.lines.size());
    for (const Line &line : plan.lines) {
        SortKey key{false, Amount(), line.texts[col]};
        key.numeric = Amount::tryParse(key.text, key.value);
        keys.push_back(std::move(key));
    }
    plan.order.resize(plan.lines.size());
    std::iota(plan.order.begin(), plan.order.end(), 0);
    std::stable_sort(plan.order.begin(), plan.order.end(), [&](int a, int b) {
        const int c = compareKeys(keys[size_t(a)], keys[size_t(b)]);
        return ascending ? c < 0 : c > 0;
    });
    // After the sort the remainder row shows no estimate.
    for (Line &line : plan.lines)
        if (line.remainder)
            line.texts[plan.kind->estimateColumn] = kDashes;
}

// Writes a finished plan into its grid. Nothing here can fail on a grid of
// the checked width.
void commit(Grid &grid, const Plan &plan)
{
    // Drop the remainder row, the empty rows and the total row; a grid keeps
    // one body row, which then stands in as a placeholder until the end.
    size_t keep = plan.kept.size();
    for (int i = grid.rows() - 1; i >= 1 && grid.rows() > 2; --i) {
        while (keep > 0 && plan.kept[keep - 1] > i)
            --keep;
        if (keep > 0 && plan.kept[keep - 1] == i)
            continue;
        grid.removeRow(i);
    }
    const bool placeholder = plan.kept.empty() && grid.rows() == 2;
    const int first = placeholder ? 2 : 1;

    for (size_t j = 0; j < plan.lines.size(); ++j) {
        const Line &line = plan.lines[j];
        if (line.remainder) {
            grid.insertRow(grid.rows(), line.texts);
            continue;
        }
        const int row = first + int(j);
        for (int c = 0; c < line.texts.size(); ++c)
            if (grid.text(row, c) != line.texts[c])
                grid.setText(row, c, line.texts[c]);
    }
    if (!std::is_sorted(plan.order.begin(), plan.order.end()))
        grid.reorderRows(first, plan.order);

    grid.insertRow(grid.rows());
    grid.insertRow(grid.rows());
    grid.insertRow(grid.rows(), plan.totalRow);
    if (placeholder)
        grid.removeRow(1);
}

Amount readTotal(const Book &book, const KindDescription &kind)
{
    const Grid &cashier = book.shownCashier();
    return CellToAmount(cashier.text(cashier.rows() - 1, kind.cashierColumn));
}
} // namespace

void CalcMatterSummary(Book &book, Ui &ui)
{
    ShowStatus(ui, QStringLiteral("事柄別データを計算しています"));

    std::optional<Plan> income, outgo;
    Amount incomeTotal, outgoTotal;
    bool done = false;
    const bool goOn = RunStep(ui, [&] {
        const KindDescription &incomeKind = Describe(MatterKind::Income);
        const KindDescription &outgoKind = Describe(MatterKind::Outgo);
        income = collectRows(book, incomeKind);
        outgo = collectRows(book, outgoKind);
        distribute(book.shownCashier(), book.firstShownRecord(), *income, *outgo);
        sumColumns(*income);
        sumColumns(*outgo);
        incomeTotal = readTotal(book, incomeKind);
        outgoTotal = readTotal(book, outgoKind);
        finishLines(*income, incomeTotal);
        finishLines(*outgo, outgoTotal);

        ShowStatus(ui, QStringLiteral("データをソートしています..."));
        sortLines(*income, book.*incomeKind.sortColumn, book.*incomeKind.sortAscending);
        sortLines(*outgo, book.*outgoKind.sortColumn, book.*outgoKind.sortAscending);
        done = true;
    });
    if (!done) {
        // Abandoned (or the program is ending): the grids are untouched.
        if (goOn)
            ShowStatus(ui, QString());
        return;
    }

    ShowStatus(ui, QStringLiteral("事柄別データを計算しています..."));
    book.BookIncomeTotal = incomeTotal;
    book.BookOutgoTotal = outgoTotal;
    book.IncomeEstimateSum = income->estimateSum;
    book.IncomeActualSum = income->actualSum;
    book.OutgoEstimateSum = outgo->estimateSum;
    book.OutgoActualSum = outgo->actualSum;
    {
        Grid::Bulk incomeBulk(book.msfgIncome);
        Grid::Bulk outgoBulk(book.msfgOutgo);
        commit(book.msfgIncome, *income);
        commit(book.msfgOutgo, *outgo);
        ColorTotals(book, ui);
    }
    ShowStatus(ui, QString());
}

} // namespace purslet
