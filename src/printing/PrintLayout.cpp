#include "printing/PrintLayout.h"

#include "data/Book.h"
#include "data/Month.h"
#include "platform/Codepage.h"

#include <QStringEncoder>

#include <cstring>
#include <limits>

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
    line.truncate(0); // keeps the room for the next line
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

void appendTable(QStringList &lines, const Grid &grid, const Column *columns, int count)
{
    // The table opens with CR LF CR LF printed as one line: three empty lines.
    lines.reserve(lines.size() + grid.rows() + kTableOpeningLines);
    for (int i = 0; i < kTableOpeningLines; ++i)
        lines.append(QString());
    // One line laid out again and again; each kept as a copy of its own size.
    QString line;
    line.reserve(256);
    for (int row = 0; row < grid.rows(); ++row) {
        layoutRow(line, grid, row, columns, count);
        lines.append(QString(line.constData(), line.size()));
    }
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

// Lays a row out as UTF-8 straight into `d`, which has room for
// rowBound(); returns the end, or nullptr for a row holding a surrogate,
// which the caller lays out through the encoder. Every other UTF-16 unit is
// one character of one, two or three bytes: no text is built per cell.
char *layoutRowUtf8(char *d, const Grid &grid, int row, const Column *columns, int count, const quint16 *codes)
{
    // Copies the text as UTF-8 and gives its width in code page 932 bytes;
    // -1 when a surrogate is met. A limit stops before the first character
    // that would pass it.
    const auto copy = [codes](char *&d, QStringView text, int limit) -> int {
        int width = 0;
        for (const QChar qc : text) {
            const char16_t ch = qc.unicode();
            if (ch < 0x80) { // dates and amounts: nothing to look up
                if (width == limit)
                    break;
                ++width;
                *d++ = char(ch);
                continue;
            }
            const int w = codes[ch] >= 0x100 ? 2 : 1;
            if (width + w > limit)
                break;
            width += w;
            if (ch < 0x800) {
                *d++ = char(0xC0 | (ch >> 6));
                *d++ = char(0x80 | (ch & 0x3F));
            } else if (ch >= 0xD800 && ch <= 0xDFFF) {
                return -1;
            } else {
                *d++ = char(0xE0 | (ch >> 12));
                *d++ = char(0x80 | ((ch >> 6) & 0x3F));
                *d++ = char(0x80 | (ch & 0x3F));
            }
        }
        return width;
    };
    const auto fill = [](char *&d, int count) {
        if (count > 0) {
            std::memset(d, ' ', size_t(count));
            d += count;
        }
    };
    constexpr int kNoLimit = std::numeric_limits<int>::max();
    const QString *const cells = grid.rowCells(row);
    for (int col = 0; col < count; ++col) {
        if (col > 0)
            *d++ = '|';
        const QStringView text = cells[col];
        const Column &c = columns[col];
        char *const start = d;
        const int width = copy(d, text, c.align == Align::Cut ? c.width : kNoLimit);
        if (width < 0)
            return nullptr;
        if (c.align == Align::Right && c.width > width) {
            // The fill goes before the text: move the text along.
            const qsizetype bytes = d - start;
            std::memmove(start + (c.width - width), start, size_t(bytes));
            fill(d = start, c.width - width);
            d += bytes;
        } else if (c.align != Align::Free) {
            fill(d, c.width - width);
        }
    }
    return d;
}

// The most bytes layoutRowUtf8 writes for the row: three per UTF-16 unit
// and the fill of every column.
qsizetype rowBound(const Grid &grid, int row, const Column *columns, int count)
{
    qsizetype bound = count + 1;
    const QString *const cells = grid.rowCells(row);
    for (int col = 0; col < count; ++col)
        bound += 3 * cells[col].size() + columns[col].width;
    return bound;
}

// Lays every line of a table out straight into the buffer, each ended by
// LF, so that a large book costs no allocation per line. From a row with a
// surrogate on, lines go through the encoder, which judges pairs and lone
// halves for itself; returns false once it has.
bool appendTableUtf8(QByteArray &out, QStringEncoder &encoder, bool direct, const Grid &grid, const Column *columns,
                     int count)
{
    const quint16 *const codes = Cp932TableData().codes;
    out.append("\n\n\n");
    QString line;
    for (int row = 0; row < grid.rows(); ++row) {
        if (direct) {
            const qsizetype needed = rowBound(grid, row, columns, count);
            if (out.capacity() - out.size() < needed)
                out.reserve(2 * (out.size() + needed));
            const qsizetype at = out.size();
            out.resize(at + needed);
            if (char *end = layoutRowUtf8(out.data() + at, grid, row, columns, count, codes)) {
                *end++ = '\n';
                out.truncate(end - out.constData());
                continue;
            }
            out.truncate(at);
            direct = false;
        }
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
    return direct;
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
    bool direct = true;
    direct = appendTableUtf8(out, encoder, direct, cashier, kCashierColumns, columnCount(kCashierColumns, cashier));
    direct = appendTableUtf8(out, encoder, direct, book.msfgIncome, kIncomeColumns,
                             columnCount(kIncomeColumns, book.msfgIncome));
    appendTableUtf8(out, encoder, direct, book.msfgOutgo, kOutgoColumns, columnCount(kOutgoColumns, book.msfgOutgo));
    return out;
}

} // namespace purslet
