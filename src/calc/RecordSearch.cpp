#include "calc/RecordSearch.h"

#include "data/Book.h"
#include "platform/Codepage.h"

#include <QHash>

namespace purslet {

namespace {

constexpr int kMatterCol = 1;
constexpr int kIncomeCol = 2;
constexpr int kOutgoCol = 3;
constexpr int kMemoCol = 5;

bool IsAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The digits of a whole amount typed with or without separators; empty when
// the text is not one. Leading zeros do not count.
QString AmountDigits(const QString &folded)
{
    QString digits;
    for (const QChar c : folded) {
        if (c == QLatin1Char(','))
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
        if (digits.isEmpty() && c == QLatin1Char('0'))
            continue;
        digits += c;
    }
    if (digits.isEmpty() && folded.contains(QLatin1Char('0')))
        return QStringLiteral("0");
    return digits;
}

class Matcher
{
public:
    explicit Matcher(const QString &text) : m_needle(SearchForm(text)), m_amount(AmountDigits(m_needle)) {}

    bool empty() const { return m_needle.isEmpty(); }

    bool matches(const Grid &grid, int row)
    {
        if (!m_amount.isEmpty() && (isAmount(grid.text(row, kIncomeCol)) || isAmount(grid.text(row, kOutgoCol))))
            return true;
        return folded(grid.text(row, kMatterCol), true).contains(m_needle) ||
               folded(grid.text(row, kMemoCol), false).contains(m_needle);
    }

private:
    bool isAmount(const QString &cell) const { return !cell.isEmpty() && AmountDigits(cell) == m_amount; }

    // A book holds few matters among many records: each is folded once.
    QString folded(const QString &text, bool remember)
    {
        if (IsAscii(text))
            return text.toCaseFolded();
        if (!remember)
            return SearchForm(text);
        auto it = m_matters.constFind(text);
        if (it == m_matters.constEnd())
            it = m_matters.insert(text, SearchForm(text));
        return *it;
    }

    QString m_needle;
    QString m_amount;
    QHash<QString, QString> m_matters;
};

} // namespace

QString SearchForm(const QString &text)
{
    return Cp932Form(text).normalized(QString::NormalizationForm_KC).toCaseFolded();
}

std::vector<int> MatchingRows(const Book &book, const QString &text)
{
    std::vector<int> rows;
    Matcher matcher(text);
    if (matcher.empty())
        return rows;
    const Grid &grid = book.shownCashier();
    for (int row = book.firstShownRecord(); row <= grid.rows() - 4; ++row) {
        if (matcher.matches(grid, row))
            rows.push_back(row);
    }
    return rows;
}

const std::vector<int> &RecordSearch::matches(const Book &book, const QString &text)
{
    if (!m_valid || text != m_text) {
        m_matches = MatchingRows(book, text);
        m_text = text;
        m_valid = true;
    }
    return m_matches;
}

} // namespace purslet
