#pragma once

#include <QStringList>

namespace purslet {

struct Book;

// The lines each table prints as, starting with the three empty lines that
// open every table.
QStringList PrintCashBook(const Book &book);
QStringList PrintIncomeSummary(const Book &book);
QStringList PrintOutgoSummary(const Book &book);

// Print All: the three tables one after another.
QStringList PrintAllLines(const Book &book);
// The same lines as UTF-8, each ended by LF, in one buffer (the command line's report).
QByteArray PrintAllUtf8(const Book &book);

} // namespace purslet
