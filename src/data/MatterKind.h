#pragma once

#include "data/Book.h"

#include <QString>
#include <QStringList>

namespace purslet {

enum class MatterKind { Income, Outgo };

// What sets the income side apart from the outgo side: its summary grid and
// the grid's columns, its sort state, its catalog file and its captions.
// Routines take the description of their kind instead of asking which it is.
struct KindDescription
{
    MatterKind kind;
    Grid Book::*grid;
    int Book::*sortColumn;
    bool Book::*sortAscending;
    // Columns of the summary grid; the lowest amount only on the outgo side.
    int floorColumn; // -1: none
    int estimateColumn;
    int actualColumn;
    int shareColumn;
    int differenceColumn;
    int cashierColumn; // the cash book's column of the kind's amounts
    QString catalog;   // the catalog's name in the program folder, without ".ini"
    QStringList headers; // one per column of the summary grid
    QStringList totalRow; // of a summary without matters
    QString actualCaption; // the actual amounts as a chart names them

    int columns() const { return int(headers.size()); }
    Grid &gridOf(Book &book) const { return book.*grid; }
    const Grid &gridOf(const Book &book) const { return book.*grid; }
    QString catalogFile() const { return catalog + QLatin1String(".ini"); }
};

const KindDescription &Describe(MatterKind kind);

inline MatterKind KindFor(bool income)
{
    return income ? MatterKind::Income : MatterKind::Outgo;
}

} // namespace purslet
