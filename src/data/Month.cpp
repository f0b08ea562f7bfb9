#include "data/Month.h"

namespace purslet {

namespace {
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

QString MonthOfDate(const QString &date)
{
    if (date.size() < 8 || date[4] != QLatin1Char('/') || date[7] != QLatin1Char('/'))
        return QString();
    for (int i : {0, 1, 2, 3, 5, 6})
        if (!isDigit(date[i]))
            return QString();
    return date.left(7);
}

QString PeriodCaption(const QString &period)
{
    if (period.isEmpty())
        return kWholeBookCaption;
    return QStringLiteral("%1年%2月").arg(period.left(4)).arg(period.mid(5, 2).toInt());
}

QString PeriodFromArgument(const QString &text)
{
    if (text.size() != 7 || text[4] != QLatin1Char('-'))
        return QString();
    const QString period = text.left(4) + QLatin1Char('/') + text.mid(5);
    const int month = text.mid(5).toInt();
    if (MonthOfDate(period + QLatin1Char('/')).isEmpty() || month < 1 || month > 12)
        return QString();
    return period;
}

} // namespace purslet
