#include "data/Book.h"

namespace purslet {

Book::Book()
{
    // The empty layouts; ResetBook fills captions and totals.
    msfgCashier.setCols(6);
    msfgCashier.setRows(4);
    msfgIncome.setCols(5);
    msfgIncome.setRows(4);
    msfgOutgo.setCols(6);
    msfgOutgo.setRows(4);
}

} // namespace purslet
