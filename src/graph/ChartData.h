#pragma once

#include "graph/ChartModel.h"

#include <QString>

namespace purslet {

struct Book;
class Ui;

// One chart kind as the graph window shows it: the chart and its advice.
struct ChartDrawing
{
    ChartModel model;
    QString advice;
};

// Reads the chart and the advice of a kind from the grids, matter rows in
// the grids' current order. A cell that is not a number shows the system
// error dialog; its row (or the totals) is left out.
ChartDrawing DrawChart(const Book &book, ChartKind kind, Ui &ui);

} // namespace purslet
