#include "LargestBook.h"
#include "data/BookKey.h"
#include "operations/BookReader.h"
#include "files/BookWriter.h"
#include "data/Book.h"
#include "calc/Cashier.h"
#include "calc/MatterSummary.h"
#include "printing/PrintLayout.h"
#include "state/App.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace purslet;

namespace {

using bench::NullUi;

// The largest book in a program folder of its own, written once in each kind.
struct Fixture
{
    QTemporaryDir dir;
    NullUi ui;
    std::unique_ptr<App> app; // the largest book

    Fixture()
    {
        bench::WriteCatalogs(dir.path());
        app = std::make_unique<App>(ui, dir.path());
        bench::FillBook(*app, kMaxRecords);
        for (const char *name : {"book.psl", "book.bak", "book.csv"})
            write(path(name));
        // Encrypted with the real Argon2id work: what opening costs a user.
        ui.password = QStringLiteral("bench");
        write(path("book.pslx"));
        // With the key held, a backup is encrypted and Undo reads it without deriving.
        write(path("sealed.bak"));
        app->doc.key.release();
    }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    void write(const QString &file)
    {
        app->doc.path = file;
        app->doc.title = file.section(QLatin1Char('/'), -1);
        FileWriting(*app);
    }

    void read(const QString &file)
    {
        app->doc.path = file;
        app->doc.title = file.section(QLatin1Char('/'), -1);
        FileReading(*app, app->doc.title);
        if (app->book.recordCount() != kMaxRecords)
            std::abort();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_Read(benchmark::State &state, const char *name)
{
    Fixture &f = fixture();
    const QString file = f.path(name);
    for (auto _ : state)
        f.read(file);
}

void BM_Write(benchmark::State &state, const char *name)
{
    Fixture &f = fixture();
    const QString file = f.path(name);
    for (auto _ : state)
        f.write(file);
}

// Opening an encrypted book less the key derivation: Undo's read of an
// encrypted backup under the key held.
void BM_ReadWithHeldKey(benchmark::State &state)
{
    Fixture &f = fixture();
    f.read(f.path("book.pslx"));
    const QString file = f.path("sealed.bak");
    for (auto _ : state) {
        f.app->doc.path = file;
        FileReading(*f.app, QString());
        if (f.app->book.recordCount() != kMaxRecords || !f.app->doc.key.held())
            std::abort();
    }
}

// The part of opening an encrypted book that is the key derivation alone.
void BM_DeriveKey(benchmark::State &state)
{
    const QByteArray salt = BookKey::newSalt();
    for (auto _ : state)
        benchmark::DoNotOptimize(BookKey::derive(QStringLiteral("bench"), salt, DefaultKdfLimits()).data());
}

void BM_RecalcCashier(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        RecalcCashier(f.app->book, f.ui, f.app->book.recordCount());
}

void BM_CalcMatterSummary(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        CalcMatterSummary(f.app->book, f.ui);
}

void BM_PrintAllLines(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintAllLines(f.app->book));
}

void BM_PrintAllUtf8(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintAllUtf8(f.app->book));
}

BENCHMARK_CAPTURE(BM_Read, own, "book.psl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, backup, "book.bak")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, text, "book.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, encrypted, "book.pslx")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWithHeldKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeriveKey)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Write, own, "book.psl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Write, backup, "book.bak")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Write, text, "book.csv")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcCashier)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcMatterSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllUtf8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
