#pragma once

#include "ledger/Amount.h"

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
    std::vector<std::array<qint32, 2>> values; // one pair per category

    bool isPie() const { return kind == ChartKind::Ratio; }
};

// An amount as the chart takes it: whole yen, held to the 32-bit range.
qint32 ChartValue(Amount amount);

} // namespace purslet
