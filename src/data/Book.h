#pragma once

#include "data/Amount.h"
#include "data/Grid.h"

#include <functional>
#include <vector>

namespace purslet {

// The three grids of the book window and the state that goes with them.
// The grids are the data: every routine reads and writes these texts.
struct Book
{
    Book();

    Grid msfgCashier{QStringLiteral("msfgCashier")};
    Grid msfgIncome{QStringLiteral("msfgIncome")};
    Grid msfgOutgo{QStringLiteral("msfgOutgo")};

    // The period shown: "2026/12" for a month, empty for the whole book.
    // msfgCashier always holds the whole book; a month's cash book is
    // monthCashier: the header, the balance brought forward, the month's
    // records in date order, two empty rows and the total. The summaries
    // cover the period shown.
    QString period;
    Grid monthCashier{QStringLiteral("msfgCashier")};
    std::vector<int> monthRows; // msfgCashier's row of each record in monthCashier, from its row 2

    Grid &shownCashier() { return period.isEmpty() ? msfgCashier : monthCashier; }
    const Grid &shownCashier() const { return period.isEmpty() ? msfgCashier : monthCashier; }
    // The first record row of the cash book shown: a month's row 1 brings the balance forward.
    int firstShownRecord() const { return period.isEmpty() ? 1 : 2; }

    int IncomeSortCol = 0;
    bool IncomeSortAscending = true;
    int OutgoSortCol = 0;
    bool OutgoSortAscending = true;

    bool SkipNextReset = false;
    bool MatterSourceIsIncome = true;

    // The rows the cash book highlights live in its view; a command that acts
    // on them calls this first so that msfgCashier's selection is what is shown.
    std::function<void()> readCashierSelection;

    // Left by the summary calculation.
    Amount BookIncomeTotal;
    Amount BookOutgoTotal;
    Amount IncomeEstimateSum;
    Amount IncomeActualSum;
    Amount OutgoEstimateSum;
    Amount OutgoActualSum;

    // Records in the cash book: its rows less the header, two empty rows and the total.
    int recordCount() const { return msfgCashier.rows() - 4; }
};

// The largest number of records a book holds (16-bit counts).
inline constexpr int kMaxRecords = 32767;

// Colours of the total cells and the sort-column header.
inline constexpr Rgb kColourNegative = 0xFFFFBEBE; // RGB(255, 190, 190)
inline constexpr Rgb kColourZero = 0xFFF0F032;     // RGB(240, 240, 50)
inline constexpr Rgb kColourPositive = 0xFFBEBEFF; // RGB(190, 190, 255)

} // namespace purslet
