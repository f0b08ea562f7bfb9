#include "data/AmountFormat.h"

namespace purslet {

namespace {
// Digits of the magnitude, built backwards into the end of `buffer` without
// overflow at the minimum; returns where the text starts.
int writeWholeYen(char16_t (&buffer)[32], qint64 yen)
{
    int pos = 32;
    quint64 magnitude = yen < 0 ? quint64(0) - quint64(yen) : quint64(yen);
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            buffer[--pos] = u',';
        buffer[--pos] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (yen < 0)
        buffer[--pos] = u'-';
    return pos;
}
} // namespace

AmountText::AmountText(Amount value) : m_start(writeWholeYen(m_units, value.roundedYen())) {}

QString FormatAmount(Amount value)
{
    return AmountText(value).view().toString();
}

QString FormatWholeYen(qint64 yen)
{
    char16_t buffer[32];
    const int pos = writeWholeYen(buffer, yen);
    return QString(reinterpret_cast<const QChar *>(buffer + pos), 32 - pos);
}

QString FormatAmountBlank(Amount value)
{
    if (value.roundedYen() == 0)
        return QString();
    return FormatAmount(value);
}

Amount CellToAmount(QStringView cell)
{
    if (cell.isEmpty() || cell == u"---")
        return Amount();
    return Amount::parse(cell);
}

QString FilterDigits(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        if (i == 0 && c == QLatin1Char('0') && text.size() > 1)
            continue;
        result.append(c);
    }
    return result;
}

QString NarrowDigits(QString text)
{
    for (QChar &c : text)
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    return text;
}

} // namespace purslet
