#include "graph/Advice.h"

#include "data/AmountFormat.h"

#include <cmath>

namespace purslet {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// E - A in whole yen, rounded as FormatAmount rounds. Taken in 128 bits: the
// difference of two extreme amounts does not fit in an Amount, but its yen do.
qint64 differenceInYen(Amount estimate, Amount actual)
{
    const __int128 raw = __int128(estimate.raw()) - __int128(actual.raw());
    const __int128 half = raw < 0 ? -Amount::Scale / 2 : Amount::Scale / 2;
    return qint64((raw + half) / Amount::Scale);
}

} // namespace

QString ShareText(double part, double whole)
{
    if (whole == 0)
        return QString();
    const double share = part / whole * 100;
    double rounded = std::round(share);
    if (std::fabs(share - std::trunc(share)) == 0.5)
        rounded = 2 * std::round(share / 2);
    // + 0.0 turns a negative zero into "0".
    return QString::number(rounded + 0.0, 'f', 0);
}

QString RatioAdvice(Amount totalIncome, Amount totalOutgo, Amount incomeEstimateTotal)
{
    QString advice;
    const double ti = double(totalIncome.raw());
    const double to = double(totalOutgo.raw());
    // Incomes and outgoes of opposite signs can cancel out: then there is no
    // share to speak of.
    const QString a = ShareText(ti, ti + to);
    const QString b = ShareText(to, ti + to);
    if (!totalIncome.isZero() && !totalOutgo.isZero() && !a.isEmpty())
        advice = QStringLiteral("　収入合計額の割合は") + a + QStringLiteral("%、支出合計額の割合は") + b
                 + QStringLiteral("%です。");
    else
        advice = QStringLiteral("　現在のアドバイスは特にありません。");
    advice += kLineEnd;

    if (totalIncome >= totalOutgo)
        advice += QStringLiteral("　引き続きこの調子をキープしてください。");
    else if (incomeEstimateTotal < totalOutgo)
        advice += QStringLiteral("　現在の赤字は、補うことができません。"
                                 "収入予定額を上方修正するか、臨時収入を得るなどの措置を取ってください。");
    else
        advice += QStringLiteral("　現在の赤字は、今後の収入予定からいくと補うことは可能ですが、"
                                 "収入予定額を上方修正するか、買い控えるなどの措置を取ってください。");
    return advice;
}

QString MatterAdviceLine(ChartKind kind, const QString &name, Amount estimate, Amount actual)
{
    const bool income = kind == ChartKind::Income;
    QString line = QStringLiteral("　") + name + QStringLiteral("の差額は")
                   + FormatWholeYen(differenceInYen(estimate, actual)) + QStringLiteral("円で、");
    if (estimate > actual)
        line += income ? QStringLiteral("まだ収入額は収入予定額に達していません。")
                       : QStringLiteral("まだ支出額は支出予定額に達していません。");
    else
        line += income ? QStringLiteral("すでに収入額は収入予定額に達しています。")
                       : QStringLiteral("すでに支出額は支出予定額に達しています。");
    return line + kLineEnd;
}

} // namespace purslet
