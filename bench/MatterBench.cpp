// Renaming a matter held by 10,000 records of the largest book, with the
// undo backup (the book and the catalog) and in high-speed mode.
#include "LargestBook.h"

#include "data/Book.h"
#include "operations/MatterOperations.h"
#include "state/App.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace purslet;

namespace {

constexpr int kHeld = 10000;
const QString kNames[] = {QStringLiteral("支出の事柄000"), QStringLiteral("家賃と光熱費")};

struct Fixture
{
    QTemporaryDir dir;
    bench::NullUi ui;
    std::unique_ptr<App> app;
    int renames = 0; // the name now is kNames[renames % 2], across runs

    Fixture()
    {
        bench::WriteCatalogs(dir.path());
        app = std::make_unique<App>(ui, dir.path());
        bench::FillBook(*app, kMaxRecords);
        // The first 10,000 outgo records go to one matter, and only they.
        Grid &cashier = app->book.msfgCashier;
        int held = 0;
        for (int r = 1; r <= app->book.recordCount(); ++r) {
            if (cashier.text(r, 3).isEmpty())
                continue;
            const bool first = held < kHeld;
            held += first;
            cashier.setText(r, 1, first ? kNames[0] : QStringLiteral("支出の事柄001"));
        }
    }

    int holding(const QString &matter) const
    {
        int n = 0;
        for (int r = 1; r <= app->book.recordCount(); ++r)
            n += app->book.msfgCashier.text(r, 1) == matter;
        return n;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_RenameMatter(benchmark::State &state, bool highSpeed)
{
    Fixture &f = fixture();
    App &app = *f.app;
    app.menu.setChecked(MenuItem::setupHighSpeedMode, highSpeed);
    int &i = f.renames;
    for (auto _ : state) {
        if (RenameMatter(app, MatterKind::Outgo, kNames[i % 2], kNames[(i + 1) % 2]) != RenameOutcome::Renamed)
            state.SkipWithError("the matter was not renamed");
        ++i;
    }
    if (f.holding(kNames[i % 2]) != kHeld)
        state.SkipWithError("the records were not renamed");
}

} // namespace

BENCHMARK_CAPTURE(BM_RenameMatter, backup, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenameMatter, highspeed, true)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
