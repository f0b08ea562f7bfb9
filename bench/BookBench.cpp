#include "files/BookReader.h"
#include "files/BookWriter.h"
#include "ledger/AmountFormat.h"
#include "ledger/Book.h"
#include "ledger/BookReset.h"
#include "ledger/Cashier.h"
#include "matters/MatterSummary.h"
#include "platform/Codepage.h"
#include "platform/Ui.h"
#include "printing/PrintLayout.h"
#include "shell/App.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace purslet;

namespace {

constexpr int kMatters = 100;

// Nothing is asked; an error shown during a benchmark ends the run.
class NullUi final : public Ui
{
public:
    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon, MsgButtons, MsgAnswer) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qPrintable(title), qPrintable(text));
        std::abort();
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return QString(); }
    void showStatus(const QString &) override {}
    void endProgram() override { std::abort(); }
};

void writeCatalog(const QString &path, const QString &prefix)
{
    QString text;
    for (int i = 0; i < kMatters; ++i)
        text += QStringLiteral("[%1]\r\nMatter=%2%3\r\nEstimate=%4\r\n")
                    .arg(i)
                    .arg(prefix)
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(FormatAmount(Amount::fromYen(10000 + 500 * i)));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToCp932(text)) < 0)
        std::abort();
}

// The largest book in a program folder of its own, written once in each kind.
struct Fixture
{
    QTemporaryDir dir;
    NullUi ui;
    std::unique_ptr<App> app;    // the largest book
    std::unique_ptr<App> writer; // one record less: the writer's row counter stops at 32,766

    Fixture()
    {
        writeCatalog(dir.filePath(QStringLiteral("Income.ini")), QStringLiteral("収入の事柄"));
        writeCatalog(dir.filePath(QStringLiteral("Outgo.ini")), QStringLiteral("支出の事柄"));
        app = std::make_unique<App>(ui, dir.path());
        ResetBook(*app);

        Grid &grid = app->book.msfgCashier;
        {
            Grid::Bulk bulk(grid);
            // Dates climb over the years; every third record is an income.
            for (int i = 0; i < kMaxRecords; ++i) {
                const bool income = i % 3 == 0;
                const QString date = QStringLiteral("%1/%2/%3")
                                         .arg(1990 + i / 1000)
                                         .arg(1 + i / 84 % 12, 2, 10, QLatin1Char('0'))
                                         .arg(1 + i / 3 % 28, 2, 10, QLatin1Char('0'));
                const QString matter = QStringLiteral("%1%2")
                                           .arg(income ? QStringLiteral("収入の事柄") : QStringLiteral("支出の事柄"))
                                           .arg(i * 7 % kMatters, 3, 10, QLatin1Char('0'));
                const QString amount = FormatAmount(Amount::fromYen(100 + i * 37 % 9000));
                grid.insertRow(grid.rows() - 3,
                               {date, matter, income ? amount : QString(), income ? QString() : amount, QString(),
                                QStringLiteral("メモ %1 コンビニで買い物").arg(i)});
            }
        }
        RecalcCashier(app->book, ui, app->book.recordCount());
        CalcMatterSummary(app->book, ui);
        writer = std::make_unique<App>(ui, dir.path());
        writer->book = app->book;
        writer->book.msfgCashier.removeRow(kMaxRecords);
        // The files to read hold all 32,767 records: the last line once more.
        for (const char *name : {"book.psl", "book.bak", "book.csv"}) {
            write(path(name));
            QFile file(path(name));
            if (!file.open(QIODevice::ReadWrite))
                std::abort();
            const QByteArray bytes = file.readAll();
            const qsizetype start = bytes.lastIndexOf("\r\n", bytes.size() - 3) + 2;
            file.write(bytes.mid(start));
        }
    }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    void write(const QString &file)
    {
        writer->doc.path = file;
        writer->doc.title = file.section(QLatin1Char('/'), -1);
        FileWriting(*writer);
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
