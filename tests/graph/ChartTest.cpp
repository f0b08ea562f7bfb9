#include "../matters/BookFixture.h"

#include "graph/Advice.h"
#include "graph/ChartData.h"
#include "presenters/ChartPresenter.h"
#include "data/Book.h"

#include <limits>
#include <tuple>

using namespace purslet;
using namespace purslet::test;

namespace {

Amount yen(qint64 value)
{
    return Amount::fromYen(value);
}

const QString kShares = QStringLiteral("　収入合計額の割合は%1%、支出合計額の割合は%2%です。\r\n");
const QString kNothing = QStringLiteral("　現在のアドバイスは特にありません。\r\n");
const QString kKeep = QStringLiteral("　引き続きこの調子をキープしてください。");
const QString kCannotCover = QStringLiteral("　現在の赤字は、補うことができません。"
                                            "収入予定額を上方修正するか、臨時収入を得るなどの措置を取ってください。");
const QString kCanCover = QStringLiteral("　現在の赤字は、今後の収入予定からいくと補うことは可能ですが、"
                                         "収入予定額を上方修正するか、買い控えるなどの措置を取ってください。");

} // namespace

TEST(RatioAdvice, SharesAndTheStateOfTheBalance)
{
    struct Case
    {
        qint64 ti, to, pi;
        QString expected;
    };
    const Case cases[] = {
        {60000, 40000, 0, kShares.arg(60).arg(40) + kKeep},
        {0, 5000, 10000, kNothing + kCanCover},
        {3000, 5000, 4000, kShares.arg(38).arg(62) + kCannotCover}, // 37.5 and 62.5 go to the even neighbour
        {1000, 7000, 7000, kShares.arg(12).arg(88) + kCanCover},    // 12.5 and 87.5
        {0, 0, 0, kNothing + kKeep},
        {5000, 0, 0, kNothing + kKeep},
        // Beyond 32 bits the shares and the comparisons still hold.
        {6'000'000'000, 4'000'000'000, 0, kShares.arg(60).arg(40) + kKeep},
        {4'000'000'000, 6'000'000'000, 5'000'000'000, kShares.arg(40).arg(60) + kCannotCover},
        // Opposite signs that cancel out leave no share to give.
        {5000, -5000, 0, kNothing + kKeep},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RatioAdvice(yen(c.ti), yen(c.to), yen(c.pi)), c.expected) << c.ti << " " << c.to;
}

TEST(MatterAdvice, DifferenceAndSentencePerKind)
{
    struct Case
    {
        ChartKind kind;
        const char *name;
        qint64 estimate, actual;
        const char *expected;
    };
    constexpr qint64 kMaxYen = std::numeric_limits<qint64>::max() / Amount::Scale;
    const Case cases[] = {
        {ChartKind::Outgo, "食費", 10000, 12000, "　食費の差額は-2,000円で、すでに支出額は支出予定額に達しています。\r\n"},
        {ChartKind::Outgo, "本", 0, 0, "　本の差額は0円で、すでに支出額は支出予定額に達しています。\r\n"},
        {ChartKind::Outgo, "服", 1000, 999, "　服の差額は1円で、まだ支出額は支出予定額に達していません。\r\n"},
        {ChartKind::Income, "お小遣い", 3'000'000'000, 0,
         "　お小遣いの差額は3,000,000,000円で、まだ収入額は収入予定額に達していません。\r\n"},
        {ChartKind::Income, "その他", 0, 500, "　その他の差額は-500円で、すでに収入額は収入予定額に達しています。\r\n"},
        // The difference of two extreme amounts does not fit an amount itself.
        {ChartKind::Income, "a", kMaxYen, -kMaxYen,
         "　aの差額は1,844,674,407,370,954円で、まだ収入額は収入予定額に達していません。\r\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MatterAdviceLine(c.kind, QString::fromUtf8(c.name), yen(c.estimate), yen(c.actual)),
                  QString::fromUtf8(c.expected));
}

using ChartData = BookFixture;

TEST_F(ChartData, MattersInGridOrderWithTheRemainderAtZeroAndValuesPast32Bits)
{
    writeCatalog(QStringLiteral("Outgo"), {QStringLiteral("食費=10,000"), QStringLiteral("家賃=3,000,000,000"),
                                           QStringLiteral("本=-3,000,000,000")});
    ResetBook(app);
    addRecord(QStringLiteral("食費"), QString(), QStringLiteral("12,000"));
    addRecord(QStringLiteral("雑貨"), QString(), QStringLiteral("700"));
    addRecord(QStringLiteral("給料"), QStringLiteral("50,000"), QString());
    app.book.OutgoSortCol = 3; // by the outgo, largest first
    app.book.OutgoSortAscending = false;
    recalc();

    const ChartDrawing outgo = DrawChart(app.book, ChartKind::Outgo, ui);
    EXPECT_EQ(outgo.model.series, (std::array{QStringLiteral("支出予定額"), QStringLiteral("支出額")}));
    ASSERT_EQ(outgo.model.categories, matterNames(app.book.msfgOutgo));
    ASSERT_EQ(outgo.model.categories.first(), QStringLiteral("食費"));
    const qsizetype other = outgo.model.categories.indexOf(QStringLiteral("その他"));
    const qsizetype rent = outgo.model.categories.indexOf(QStringLiteral("家賃"));
    const qsizetype book = outgo.model.categories.indexOf(QStringLiteral("本"));
    ASSERT_EQ(outgo.model.values.size(), 4u);
    EXPECT_EQ(outgo.model.values[0], (std::array<qint64, 2>{10000, 12000}));
    EXPECT_EQ(outgo.model.values[size_t(other)], (std::array<qint64, 2>{0, 700}));
    EXPECT_EQ(outgo.model.values[size_t(rent)], (std::array<qint64, 2>{3'000'000'000, 0}));
    EXPECT_EQ(outgo.model.values[size_t(book)], (std::array<qint64, 2>{-3'000'000'000, 0}));

    const QStringList lines = outgo.advice.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5); // one line per matter, each ending in CR LF
    EXPECT_EQ(lines[0], QStringLiteral("　食費の差額は-2,000円で、すでに支出額は支出予定額に達しています。"));
    EXPECT_EQ(lines[rent], QStringLiteral("　家賃の差額は3,000,000,000円で、まだ支出額は支出予定額に達していません。"));
    EXPECT_EQ(lines[4], QString());

    const ChartDrawing ratio = DrawChart(app.book, ChartKind::Ratio, ui);
    EXPECT_EQ(ratio.model.categories, QStringList{QStringLiteral("収支割合グラフ")});
    EXPECT_EQ(ratio.model.series, (std::array{QStringLiteral("収入合計額"), QStringLiteral("支出合計額")}));
    EXPECT_EQ(ratio.model.values, (std::vector<std::array<qint64, 2>>{{50000, 12700}}));
    EXPECT_EQ(ratio.advice, kShares.arg(80).arg(20) + kKeep);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ChartData, NoMatterRowsGiveAnEmptyChartAndNoAdvice)
{
    ResetBook(app);
    recalc();
    ASSERT_EQ(app.book.msfgIncome.rows(), 4);
    const ChartDrawing income = DrawChart(app.book, ChartKind::Income, ui);
    EXPECT_TRUE(income.model.categories.isEmpty());
    EXPECT_TRUE(income.model.values.empty());
    EXPECT_EQ(income.model.series[1], QStringLiteral("収入額"));
    EXPECT_TRUE(income.advice.isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ChartData, ACellThatIsNoNumberLeavesItsRowOutAfterTheSystemError)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a=100"), QStringLiteral("b=200")});
    ResetBook(app);
    recalc();
    Grid &in = app.book.msfgIncome;
    const int bad = int(matterNames(in).indexOf(QStringLiteral("a"))) + 1;
    in.setText(bad, 2, QStringLiteral("abc"));
    ui.answers = {MsgAnswer::Yes};
    const ChartDrawing drawing = DrawChart(app.book, ChartKind::Income, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.lastMessage().title.startsWith(QStringLiteral("システムエラー")));
    EXPECT_FALSE(drawing.model.categories.contains(QStringLiteral("a")));
    EXPECT_TRUE(drawing.model.categories.contains(QStringLiteral("b")));
    EXPECT_FALSE(drawing.advice.contains(QStringLiteral("　aの")));
    EXPECT_EQ(drawing.model.values.size(), size_t(drawing.model.categories.size()));
}

TEST_F(ChartData, PresenterDrawsKindZeroWithTheLegendAtEveryOpening)
{
    writeCatalog(QStringLiteral("Income"), {QStringLiteral("a=100")});
    ResetBook(app);
    recalc();
    ChartPresenter chart(app);
    int drawn = 0, legends = 0;
    chart.onChartChanged = [&] { ++drawn; };
    chart.onLegendChanged = [&] { ++legends; };

    chart.showGraph();
    EXPECT_EQ(ui.modals, QStringList{QStringLiteral("frmChart")});
    EXPECT_EQ(chart.chartType(), ChartKind::Ratio);
    EXPECT_TRUE(chart.legendShown());
    EXPECT_EQ(chart.advice(), kNothing + kKeep);

    // Choosing a kind keeps the legend as the user left it.
    chart.chkExample_Click(false);
    chart.optChartType_Click(1);
    EXPECT_FALSE(chart.legendShown());
    EXPECT_EQ(chart.model().categories, matterNames(app.book.msfgIncome));
    EXPECT_TRUE(chart.advice().startsWith(QStringLiteral("　aの差額は100円で、まだ")));
    chart.optChartType_Click(3); // no such option
    EXPECT_EQ(chart.chartType(), ChartKind::Income);
    EXPECT_EQ(drawn, 2);

    chart.showGraph();
    EXPECT_EQ(chart.chartType(), ChartKind::Ratio);
    EXPECT_TRUE(chart.legendShown());
    EXPECT_EQ(legends, 3);

    chart.MouseMove(QStringLiteral("fraChartType"));
    EXPECT_EQ(ui.lastStatus(), QStringLiteral("グラフの表示条件を決定します。"));
    chart.MouseMove(QStringLiteral("Form"));
    EXPECT_EQ(ui.lastStatus(), QString());
}

TEST(ChartScale, RoundStepsWithTheHighestValueBelowTheTop)
{
    struct Case
    {
        qint64 lowest, highest;
        qint64 low, high, step;
    };
    const Case cases[] = {
        {0, 27160, 0, 30000, 5000},
        {0, 150000, 0, 160000, 20000},
        {0, 160000, 0, 180000, 20000}, // a value on a step still gets one above it
        {0, 0, 0, 1, 1},
        {0, 7, 0, 8, 1},
        {0, 3'000'000'000, 0, 3'500'000'000, 500'000'000},
        {-3'000'000'000, 3'000'000'000, -3'500'000'000, 3'500'000'000, 500'000'000},
        {-1200, 0, -1400, 0, 200},
        {0, 922'337'203'685'477, 0, 1'000'000'000'000'000, 200'000'000'000'000},
    };
    for (const Case &c : cases) {
        const ValueScale s = ScaleFor(c.lowest, c.highest);
        EXPECT_EQ(std::tuple(s.low, s.high, s.step), std::tuple(c.low, c.high, c.step)) << c.lowest << " " << c.highest;
        EXPECT_TRUE(s.step == s.unit || s.step == 2 * s.unit || s.step == 5 * s.unit) << c.highest;
        EXPECT_TRUE(s.segments() >= 1 && s.segments() <= 2 * 9) << c.highest;
    }
}

TEST(ChartScale, EveryKthMatterIsNamedPastTwelve)
{
    const std::pair<qsizetype, qsizetype> cases[] = {{0, 1}, {1, 1}, {12, 1}, {13, 2}, {24, 2}, {25, 3}, {100, 9}};
    for (const auto &[count, stride] : cases)
        EXPECT_EQ(CategoryNameStride(count), stride) << count;
}
