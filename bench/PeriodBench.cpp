// The month view at the largest book: showing another month, and stepping
// through every month of the book one at a time.
#include "LargestBook.h"

#include "calc/Period.h"
#include "data/Book.h"
#include "operations/BookOperations.h"
#include "state/App.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace purslet;

namespace {

bench::BookInFolder &fixture()
{
    static bench::BookInFolder f(kMaxRecords);
    return f;
}

void BM_ShowMonth(benchmark::State &state)
{
    App &app = *fixture().app;
    const QStringList months = BookMonths(app.book);
    qsizetype i = 0;
    for (auto _ : state)
        ShowPeriod(app, months.at(i++ % months.size()));
    ShowPeriod(app, QString());
}

// One iteration walks from the whole book back to the oldest month; the
// time per step is the time per iteration over the steps counter.
void BM_StepThroughAllMonths(benchmark::State &state)
{
    App &app = *fixture().app;
    const qsizetype steps = BookMonths(app.book).size();
    for (auto _ : state) {
        ShowPeriod(app, QString());
        for (qsizetype s = 0; s < steps; ++s)
            StepPeriod(app, -1);
    }
    state.counters["steps"] = double(steps);
    ShowPeriod(app, QString());
}

} // namespace

BENCHMARK(BM_ShowMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepThroughAllMonths)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
