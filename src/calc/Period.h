#pragma once

#include "data/Month.h"

#include <QStringList>

namespace purslet {

struct Book;
class Ui;

// The months that hold a record, newest first.
QStringList BookMonths(const Book &book);

// Lays out monthCashier for book.period from the whole book, with its
// balances and total; for the whole book it is emptied.
void BuildPeriod(Book &book, Ui &ui);

} // namespace purslet
