#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace purslet {

struct ChartModel;

// The chart with its legend as PNG bytes, drawn without a display: the pie,
// or for the matter kinds the flat grouped bars. Empty bytes and a reason in
// `error` when it cannot be drawn.
QByteArray RenderChartPng(const ChartModel &model, QSize size, QString &error);

} // namespace purslet
