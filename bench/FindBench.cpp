// The find bar at the largest book: a step through the matches kept for a
// text, and the first step of a new text (or after the book or the period
// changed), which works the matches out over every record.
#include "LargestBook.h"

#include "calc/Period.h"
#include "calc/RecordSearch.h"
#include "data/Book.h"
#include "operations/BookOperations.h"
#include "presenters/FindPresenter.h"
#include "state/App.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace purslet;

namespace {

bench::BookInFolder &fixture()
{
    static bench::BookInFolder f(kMaxRecords);
    return f;
}

// Texts as typed: a matter in full-width digits, half-width katakana held by
// every memo, an amount without its separator, a memo's number.
const QString kTexts[] = {QStringLiteral("支出の事柄０４２"), QStringLiteral("ｺﾝﾋﾞﾆ"), QStringLiteral("1234"),
                          QStringLiteral("メモ 2026")};

void BM_FindNext(benchmark::State &state)
{
    App &app = *fixture().app;
    FindPresenter find(app);
    const QString &text = kTexts[state.range(0)];
    int row = 0;
    for (auto _ : state)
        row = find.step(text, row, +1);
    benchmark::DoNotOptimize(row);
    state.counters["matches"] = double(MatchingRows(app.book, text).size());
}

// Every step with another text than the one before: the matches worked out afresh.
void BM_FindNewText(benchmark::State &state)
{
    App &app = *fixture().app;
    FindPresenter find(app);
    const QString &text = kTexts[state.range(0)];
    const QString other = QStringLiteral("#");
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(find.step(i++ % 2 ? other : text, 0, +1));
}

// The first step after the records changed, in a month and in the whole book.
void BM_FindAfterChange(benchmark::State &state)
{
    App &app = *fixture().app;
    FindPresenter find(app);
    ShowPeriod(app, state.range(0) ? BookMonths(app.book).at(5) : QString());
    for (auto _ : state) {
        app.notify(AppChange::Book);
        benchmark::DoNotOptimize(find.step(kTexts[1], 0, +1));
    }
    ShowPeriod(app, QString());
}

} // namespace

BENCHMARK(BM_FindNext)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindNewText)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAfterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
