#pragma once

#include <QStringList>

namespace purslet {

struct Book;

// Every table opens with this many empty lines (CR LF CR LF printed as one line).
constexpr int kTableOpeningLines = 3;

// The lines each table prints as, starting with its opening empty lines.
// "期間: 2026年12月" when a month is shown; empty for the whole book.
QString PeriodHeading(const Book &book);
QStringList CashBookLines(const Book &book);
QStringList IncomeSummaryLines(const Book &book);
QStringList OutgoSummaryLines(const Book &book);

// Print All: the three tables one after another.
QStringList PrintAllLines(const Book &book);
// The same lines as UTF-8, each ended by LF, in one buffer (the command line's report).
QByteArray PrintAllUtf8(const Book &book);

} // namespace purslet
