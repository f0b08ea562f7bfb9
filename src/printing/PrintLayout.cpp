#include "printing/PrintLayout.h"

#include "ledger/Book.h"
#include "platform/Codepage.h"

#include <QStringEncoder>

#include <array>
#include <cstdint>

namespace purslet {

namespace {

enum class Align { Left, Right, Cut, Free };

struct Column
{
    int width;
    Align align;
};

// Code page 932 byte count of one UTF-16 unit. Encodable characters outside
// ASCII and half-width katakana are double-byte; a character without a code
// prints as one "?". Each character is asked of the codec once.
int unitWidth(char16_t c)
{
    if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F))
        return 1;
    if (c >= 0xD800 && c <= 0xDFFF)
        return 1; // no code page 932 code beyond the BMP: the pair is one "?"
    static std::array<std::uint8_t, 0x10000> cache{};
    std::uint8_t &width = cache[c];
    if (width == 0)
        width = std::uint8_t(Cp932Width(QString(QChar(c))));
    return width;
}

// Byte width of the text, counting a surrogate pair as one character.
int textWidth(QStringView text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        width += unitWidth(c);
    }
    return width;
}

// The longest start of the text within `limit` bytes. A double-byte character
// that the cut would split is left out whole, since half of it prints as nothing.
QStringView cutToWidth(QStringView text, int limit, int *width)
{
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t c = text[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            units = 2;
        const int w = unitWidth(c);
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
            appendSpaces(line, c.width - textWidth(text));
            break;
        case Align::Right:
            appendSpaces(line, c.width - textWidth(text));
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

QStringList CashBookLines(const Book &book)
{
    QStringList lines;
    appendTable(lines, book.msfgCashier, kCashierColumns, columnCount(kCashierColumns, book.msfgCashier));
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
    return CashBookLines(book) + IncomeSummaryLines(book) + OutgoSummaryLines(book);
}

QByteArray PrintAllUtf8(const Book &book)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    QByteArray out;
    out.reserve(qsizetype(book.msfgCashier.rows() + book.msfgIncome.rows() + book.msfgOutgo.rows()) * 160);
    appendTableUtf8(out, encoder, book.msfgCashier, kCashierColumns, columnCount(kCashierColumns, book.msfgCashier));
    appendTableUtf8(out, encoder, book.msfgIncome, kIncomeColumns, columnCount(kIncomeColumns, book.msfgIncome));
    appendTableUtf8(out, encoder, book.msfgOutgo, kOutgoColumns, columnCount(kOutgoColumns, book.msfgOutgo));
    return out;
}

} // namespace purslet
