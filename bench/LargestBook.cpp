#include "LargestBook.h"

#include "data/AmountFormat.h"
#include "calc/BookReset.h"
#include "calc/Cashier.h"
#include "calc/MatterSummary.h"
#include "platform/Codepage.h"
#include "state/App.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace purslet::bench {

MsgAnswer NullUi::messageBox(const QString &text, const QString &title, MsgIcon, MsgButtons, MsgAnswer)
{
    std::fprintf(stderr, "unexpected message: %s: %s\n", qPrintable(title), qPrintable(text));
    std::abort();
}

int RunBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

void NullUi::endProgram()
{
    std::abort();
}

namespace {
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
} // namespace

void WriteCatalogs(const QString &folder)
{
    writeCatalog(folder + QStringLiteral("/Income.ini"), QStringLiteral("収入の事柄"));
    writeCatalog(folder + QStringLiteral("/Outgo.ini"), QStringLiteral("支出の事柄"));
}

void FillBook(App &app, int records)
{
    ResetBook(app);
    Grid &grid = app.book.msfgCashier;
    {
        Grid::Bulk bulk(grid);
        for (int i = 0; i < records; ++i) {
            const bool income = i % 3 == 0;
            const QString date = QStringLiteral("%1/%2/%3")
                                     .arg(1990 + i / 1000)
                                     .arg(1 + i / 84 % 12, 2, 10, QLatin1Char('0'))
                                     .arg(1 + i / 3 % 28, 2, 10, QLatin1Char('0'));
            const QString matter = QStringLiteral("%1%2")
                                       .arg(income ? QStringLiteral("収入の事柄") : QStringLiteral("支出の事柄"))
                                       .arg(i * 7 % kMatters, 3, 10, QLatin1Char('0'));
            const QString amount = FormatAmount(Amount::fromYen(100 + i * 37 % 9000));
            grid.insertRow(grid.rows() - 3, {date, matter, income ? amount : QString(), income ? QString() : amount,
                                             QString(), QStringLiteral("メモ %1 コンビニで買い物").arg(i)});
        }
    }
    RecalcCashier(app.book, app.ui, app.book.recordCount());
    CalcMatterSummary(app.book, app.ui);
}

BookInFolder::BookInFolder(int records)
{
    WriteCatalogs(dir.path());
    app = std::make_unique<App>(ui, dir.path());
    FillBook(*app, records);
}

} // namespace purslet::bench
