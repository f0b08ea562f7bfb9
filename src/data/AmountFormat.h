#pragma once

#include "data/Amount.h"

#include <QString>

namespace purslet {

// "###,###,###,###,##0": grouping commas, "0" for zero, "-" for negatives.
QString FormatAmount(Amount value);
// The same pattern for a whole number of yen.
QString FormatWholeYen(qint64 yen);
// FormatAmount's text in a buffer of its own, for comparing with a cell's
// text before a new one is made.
class AmountText final
{
public:
    explicit AmountText(Amount value);
    QStringView view() const { return QStringView(m_units + m_start, 32 - m_start); }

private:
    char16_t m_units[32];
    int m_start = 32;
};
// Empty for zero, otherwise as FormatAmount.
QString FormatAmountBlank(Amount value);
// Empty and "---" read as zero; anything else is parsed (RuntimeError 13 if
// it is not a number).
Amount CellToAmount(QStringView cell);
// Keeps the ASCII digits; drops a "0" in the first place of a longer text.
QString FilterDigits(const QString &text);
// Full-width digits, as an input method in full-width mode types them, as
// ASCII digits; everything else as it is, for FilterDigits to judge.
QString NarrowDigits(QString text);

} // namespace purslet
