#pragma once

#include "data/Amount.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace purslet {

// The options of the graph window, top to bottom.
enum class ChartKind { Ratio = 0, Income = 1, Outgo = 2 };
inline constexpr int kChartKinds = 3;

// "収支割合グラフ", "収入事柄別グラフ", "支出事柄別グラフ".
QString ChartCaption(ChartKind kind);

// What a chart shows: rows are categories, the two columns are series.
struct ChartModel
{
    ChartKind kind = ChartKind::Ratio;
    std::array<QString, 2> series;
    QStringList categories;
    std::vector<std::array<qint64, 2>> values; // whole yen, one pair per category

    bool isPie() const { return kind == ChartKind::Ratio; }
    // A matter chart without matters: nothing to draw.
    bool isEmpty() const { return !isPie() && values.empty(); }
};

// An amount as the chart takes it: whole yen, all 64 bits of them.
qint64 ChartValue(Amount amount);

// How many matters share one name on a category axis: every k-th matter is
// named, so that names never crowd into each other.
inline constexpr qsizetype kMaxCategoryNames = 12;
qsizetype CategoryNameStride(qsizetype count);

// A value axis that reads like money: round steps of 1, 2 or 5 times a power
// of ten, from 0 (or a step below the lowest negative value) to a top above
// the highest value, so that no bar touches it.
struct ValueScale
{
    qint64 low = 0;
    qint64 high = 0;
    qint64 step = 1;
    // The power of ten of the step: the step is 1, 2 or 5 of it.
    qint64 unit = 1;

    int segments() const { return int((high - low) / step); }
};
ValueScale ScaleFor(qint64 lowest, qint64 highest);
// The lowest and highest value of both series.
ValueScale ScaleFor(const ChartModel &model);

} // namespace purslet
