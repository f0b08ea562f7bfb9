#pragma once

#include <QString>

namespace purslet {

// The row of a month's cash book that carries the balance of every earlier record.
inline const QString kBroughtForward = QStringLiteral("前月繰越");
inline const QString kWholeBookCaption = QStringLiteral("全期間");

// "2026/12" for a record dated "2026/12/05"; empty for a date naming no month.
QString MonthOfDate(const QString &date);
// "2026年12月" for "2026/12", "全期間" for the whole book.
QString PeriodCaption(const QString &period);
// "2026/12" for the command line's "2026-12"; empty when it is not a month.
QString PeriodFromArgument(const QString &text);
// The cash book's order: dates compared as texts, ignoring letter case.
inline bool DateLess(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace purslet
