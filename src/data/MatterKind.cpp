#include "data/MatterKind.h"

namespace purslet {

const KindDescription &Describe(MatterKind kind)
{
    static const KindDescription income{
        .kind = MatterKind::Income,
        .grid = &Book::msfgIncome,
        .sortColumn = &Book::IncomeSortCol,
        .sortAscending = &Book::IncomeSortAscending,
        .floorColumn = -1,
        .estimateColumn = 1,
        .actualColumn = 2,
        .shareColumn = 3,
        .differenceColumn = 4,
        .cashierColumn = 2,
        .catalog = QStringLiteral("Income"),
        .headers = {QStringLiteral("事柄"), QStringLiteral("収入予定額"), QStringLiteral("収入"),
                    QStringLiteral("割合"), QStringLiteral("差額")},
        .totalRow = {QStringLiteral("合計"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0")},
        .actualCaption = QStringLiteral("収入額"),
    };
    static const KindDescription outgo{
        .kind = MatterKind::Outgo,
        .grid = &Book::msfgOutgo,
        .sortColumn = &Book::OutgoSortCol,
        .sortAscending = &Book::OutgoSortAscending,
        .floorColumn = 1,
        .estimateColumn = 2,
        .actualColumn = 3,
        .shareColumn = 4,
        .differenceColumn = 5,
        .cashierColumn = 3,
        .catalog = QStringLiteral("Outgo"),
        .headers = {QStringLiteral("事柄"), QStringLiteral("底値"), QStringLiteral("支出予定額"),
                    QStringLiteral("支出"), QStringLiteral("割合"), QStringLiteral("差額")},
        .totalRow = {QStringLiteral("合計"), QStringLiteral("---"), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0"), QStringLiteral("0")},
        .actualCaption = QStringLiteral("支出額"),
    };
    return kind == MatterKind::Income ? income : outgo;
}

} // namespace purslet
