#include "graph/ChartModel.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace purslet {

QString ChartCaption(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Ratio:
        return QStringLiteral("収支割合グラフ");
    case ChartKind::Income:
        return QStringLiteral("収入事柄別グラフ");
    case ChartKind::Outgo:
        return QStringLiteral("支出事柄別グラフ");
    }
    return QString();
}

qint64 ChartValue(Amount amount)
{
    return amount.roundedYen();
}

qsizetype CategoryNameStride(qsizetype count)
{
    return std::max<qsizetype>(1, (count + kMaxCategoryNames - 1) / kMaxCategoryNames);
}

namespace {
// Four to nine steps between zero and the farther end.
constexpr qint64 kTargetSteps = 8;

// The smallest round step (1, 2 or 5 times a power of ten) of at least `least`.
std::pair<qint64, qint64> roundStep(qint64 least)
{
    // Whole yen stay below 10^15, so the powers of ten never overflow.
    for (qint64 unit = 1;; unit *= 10)
        for (const qint64 m : {1, 2, 5})
            if (m * unit >= least)
                return {m * unit, unit};
}

// One step past the value, away from zero: the bar stays inside the axis.
qint64 beyond(qint64 value, qint64 step)
{
    return value >= 0 ? (value / step + 1) * step : -((-value) / step + 1) * step;
}
} // namespace

ValueScale ScaleFor(qint64 lowest, qint64 highest)
{
    lowest = std::min<qint64>(lowest, 0);
    highest = std::max<qint64>(highest, 0);
    const qint64 span = std::max(highest, -lowest);
    const auto [step, unit] = roundStep(std::max<qint64>(1, (span + kTargetSteps - 1) / kTargetSteps));
    ValueScale scale;
    scale.step = step;
    scale.unit = unit;
    scale.high = highest > 0 || lowest == 0 ? beyond(highest, step) : 0;
    scale.low = lowest < 0 ? beyond(lowest, step) : 0;
    return scale;
}

ValueScale ScaleFor(const ChartModel &model)
{
    qint64 lowest = 0;
    qint64 highest = 0;
    for (const auto &row : model.values)
        for (const qint64 v : row) {
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    return ScaleFor(lowest, highest);
}

} // namespace purslet
