#include "graph/ChartModel.h"

#include <algorithm>
#include <limits>

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

qint32 ChartValue(Amount amount)
{
    const qint64 yen = amount.roundedYen();
    return qint32(std::clamp<qint64>(yen, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

} // namespace purslet
