#pragma once

#include "data/Book.h"

#include <QStringList>

namespace purslet::test {

inline void setRow(Grid &grid, int row, const QStringList &cells)
{
    for (int col = 0; col < cells.size(); ++col)
        grid.setText(row, col, cells[col]);
}

// An empty book as the book window shows it: captions, two empty rows, totals.
inline Book emptyBook()
{
    Book book;
    setRow(book.msfgCashier, 0, {"記入日", "事柄", "収入", "支出", "小計", "メモ"});
    setRow(book.msfgCashier, 3, {"合計", "---", "0", "0", "0", "---"});
    setRow(book.msfgIncome, 0, {"事柄", "収入予定額", "収入", "割合", "差額"});
    setRow(book.msfgIncome, 3, {"合計", "0", "0", "0", "0"});
    setRow(book.msfgOutgo, 0, {"事柄", "底値", "支出予定額", "支出", "割合", "差額"});
    setRow(book.msfgOutgo, 3, {"合計", "---", "0", "0", "0", "0"});
    return book;
}

inline void addRecord(Book &book, const QStringList &cells)
{
    book.msfgCashier.insertRow(book.msfgCashier.rows() - 3, cells);
}

} // namespace purslet::test
