#pragma once

namespace purslet {

struct Book;
class Ui;

// Rewrites the subtotal column and the total row for the first n records.
void RecalcCashier(Book &book, Ui &ui, int n);
// Colours the bottom-right total cell of each grid by its sign.
void ColorTotals(Book &book, Ui &ui);

} // namespace purslet
