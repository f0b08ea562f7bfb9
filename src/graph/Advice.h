#pragma once

#include "graph/ChartModel.h"
#include "data/Amount.h"

#include <QString>

namespace purslet {

// The advice of the ratio chart: the shares (or that there is nothing to
// say), CR LF, then how the balance stands. No line break at the end.
QString RatioAdvice(Amount totalIncome, Amount totalOutgo, Amount incomeEstimateTotal);

// One line of the by-matter advice, ending in CR LF.
QString MatterAdviceLine(ChartKind kind, const QString &name, Amount estimate, Amount actual);

// part / whole x 100 in double precision, rounded half to even, as plain
// decimal text. Empty when whole is zero.
QString ShareText(double part, double whole);

} // namespace purslet
