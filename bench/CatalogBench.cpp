// Loading the catalogs at their largest: 32,768 entries, the most a 16-bit
// position numbers. Each iteration reads the file afresh.
#include "LargestBook.h"
#include "data/AmountFormat.h"
#include "calc/BookReset.h"
#include "calc/Catalogs.h"
#include "platform/Codepage.h"
#include "state/App.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace purslet;

namespace {

constexpr int kEntries = 32768;

struct Fixture
{
    QTemporaryDir dir;
    bench::NullUi ui;
    std::unique_ptr<App> app;

    Fixture()
    {
        QString text;
        for (int i = 0; i < kEntries; ++i)
            text += QStringLiteral("[%1]\r\nMatter=支出の事柄%2\r\nEstimate=%3\r\n")
                        .arg(i)
                        .arg(i, 5, 10, QLatin1Char('0'))
                        .arg(FormatAmount(Amount::fromYen(1000 + 7 * i)));
        QFile file(dir.filePath(QStringLiteral("Outgo.ini")));
        if (!file.open(QIODevice::WriteOnly) || file.write(ToCp932(text)) < 0)
            std::abort();
        file.close();
        app = std::make_unique<App>(ui, dir.path());
        app->entry.optIncome = false;
    }

    // What the next read finds on disk: the file, not what was cached.
    void forget() { app->ini.invalidate(QStringLiteral("Outgo")); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_FillMatterCombo(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        f.forget();
        FillMatterCombo(*f.app);
    }
    if (f.app->entry.cmbMatter.count() != kEntries)
        std::abort();
}

void BM_FillMatterGrids(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.app->book.msfgOutgo.setRows(4); // the empty book's rows
        f.forget();
        state.ResumeTiming();
        FillMatterGrids(*f.app);
    }
    if (f.app->book.msfgOutgo.rows() != kEntries + 4)
        std::abort();
}

// New, Open and every read of a book start with this.
void BM_ResetBook(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        f.forget();
        ResetBook(*f.app);
    }
}

BENCHMARK(BM_FillMatterCombo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillMatterGrids)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResetBook)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
