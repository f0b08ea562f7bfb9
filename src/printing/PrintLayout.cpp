#include "printing/PrintLayout.h"

#include "data/Book.h"
#include "data/Month.h"
#include "platform/Codepage.h"

#include <QStringEncoder>

namespace purslet {

namespace {

enum class Align { Left, Right, Cut, Free };

struct Column
{
    int width;
    Align align;
};

// The longest start of the text within `limit` bytes. A double-byte character
// that the cut would split is left out whole, since half of it prints as nothing.
QStringView cutToWidth(QStringView text, int limit, int *width)
{
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype units = 1;
        const int w = Cp932WidthAt(text, i, units);
        if (used + w > limit)
            break;
        used += w;
        i += units;
    }
    *width = used;
    return text.first(i);
}

void appendSpaces(QString &line, int count)
{
    // A text wider than its column gets no fill at all.
    if (count > 0)
        line.resize(line.size() + count, QLatin1Char(' '));
}

void layoutRow(QString &line, const Grid &grid, int row, const Column *columns, int count)
{
    line.clear();
    for (int col = 0; col < count; ++col) {
        if (col > 0)
            line.append(QLatin1Char('|'));
        QStringView text = grid.text(row, col);
        const Column &c = columns[col];
        switch (c.align) {
        case Align::Free:
            line.append(text);
            break;
        case Align::Cut: {
            int width = 0;
            line.append(cutToWidth(text, c.width, &width));
            appendSpaces(line, c.width - width);
            break;
        }
        case Align::Left:
            line.append(text);
            appendSpaces(line, c.width - Cp932Width(text));
            break;
        case Align::Right:
            appendSpaces(line, c.width - Cp932Width(text));
            line.append(text);
            break;
        }
    }
}

QString layoutRow(const Grid &grid, int row, const Column *columns, int count)
{
    QString line;
    line.reserve(128);
    layoutRow(line, grid, row, columns, count);
    return line;
}

void appendTable(QStringList &lines, const Grid &grid, const Column *columns, int count)
{
    // The table opens with CR LF CR LF printed as one line: three empty lines.
    lines.reserve(lines.size() + grid.rows() + kTableOpeningLines);
    for (int i = 0; i < kTableOpeningLines; ++i)
        lines.append(QString());
    for (int row = 0; row < grid.rows(); ++row)
        lines.append(layoutRow(grid, row, columns, count));
}

constexpr Column kCashierColumns[] = {
    {10, Align::Left}, {20, Align::Cut}, {19, Align::Right}, {19, Align::Right}, {20, Align::Right}, {0, Align::Free},
};
constexpr Column kIncomeColumns[] = {
    {20, Align::Cut}, {19, Align::Right}, {19, Align::Right}, {4, Align::Right}, {20, Align::Right},
};
constexpr Column kOutgoColumns[] = {
    {20, Align::Cut}, {19, Align::Right}, {19, Align::Right}, {19, Align::Right}, {4, Align::Right}, {20, Align::Right},
};

// Encodes every line of a table straight into the buffer through one reused
// line, so that a large book costs no allocation per line.
void appendTableUtf8(QByteArray &out, QStringEncoder &encoder, const Grid &grid, const Column *columns, int count)
{
    out.append("\n\n\n");
    QString line;
    line.reserve(256);
    for (int row = 0; row < grid.rows(); ++row) {
        layoutRow(line, grid, row, columns, count);
        const qsizetype needed = encoder.requiredSpace(line.size()) + 1;
        if (out.capacity() - out.size() < needed)
            out.reserve(2 * (out.size() + needed));
        const qsizetype at = out.size();
        out.resize(at + needed);
        char *end = encoder.appendToBuffer(out.data() + at, line);
        *end++ = '\n';
        out.truncate(end - out.constData());
    }
}

template<int N>
int columnCount(const Column (&)[N], const Grid &grid)
{
    return grid.cols() < N ? grid.cols() : N;
}

} // namespace

QString PeriodHeading(const Book &book)
{
    return book.period.isEmpty() ? QString() : QStringLiteral("期間: ") + PeriodCaption(book.period);
}

QStringList CashBookLines(const Book &book)
{
    QStringList lines;
    const Grid &cashier = book.shownCashier();
    appendTable(lines, cashier, kCashierColumns, columnCount(kCashierColumns, cashier));
    return lines;
}

QStringList IncomeSummaryLines(const Book &book)
{
    QStringList lines;
    appendTable(lines, book.msfgIncome, kIncomeColumns, columnCount(kIncomeColumns, book.msfgIncome));
    return lines;
}

QStringList OutgoSummaryLines(const Book &book)
{
    QStringList lines;
    appendTable(lines, book.msfgOutgo, kOutgoColumns, columnCount(kOutgoColumns, book.msfgOutgo));
    return lines;
}

QStringList PrintAllLines(const Book &book)
{
    const QString heading = PeriodHeading(book);
    return (heading.isEmpty() ? QStringList() : QStringList{heading}) + CashBookLines(book)
           + IncomeSummaryLines(book) + OutgoSummaryLines(book);
}

QByteArray PrintAllUtf8(const Book &book)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    QByteArray out;
    const Grid &cashier = book.shownCashier();
    out.reserve(qsizetype(cashier.rows() + book.msfgIncome.rows() + book.msfgOutgo.rows()) * 160);
    if (const QString heading = PeriodHeading(book); !heading.isEmpty())
        out += heading.toUtf8() + '\n';
    appendTableUtf8(out, encoder, cashier, kCashierColumns, columnCount(kCashierColumns, cashier));
    appendTableUtf8(out, encoder, book.msfgIncome, kIncomeColumns, columnCount(kIncomeColumns, book.msfgIncome));
    appendTableUtf8(out, encoder, book.msfgOutgo, kOutgoColumns, columnCount(kOutgoColumns, book.msfgOutgo));
    return out;
}

} // namespace purslet
