#pragma once

namespace purslet {

struct Book;
class Ui;

// Rebuilds both summary grids from the cash book and sorts them.
void CalcMatterSummary(Book &book, Ui &ui);

} // namespace purslet
