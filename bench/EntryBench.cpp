// Record entry on a book of 32,000 records, with the undo backup and in
// high-speed mode, through the presenter alone and through the real window.
#include "LargestBook.h"

#include "presenters/InputPresenter.h"
#include "state/App.h"

#if PURSLET_BENCH_WINDOW
#include "ui/DesktopMain.h"
#include "ui/QtUi.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#else
#include <QCoreApplication>
#endif

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace purslet;

namespace {

constexpr int kBookRecords = 32000;
// Each iteration adds a record; the book must stay below its limit.
constexpr int kEntries = 300;

QString dateOf(int i)
{
    return QStringLiteral("2005/%1/%2")
        .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
        .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
}

void BM_EntryPresenter(benchmark::State &state, bool highSpeed)
{
    bench::BookInFolder book(kBookRecords);
    App &app = *book.app;
    qputenv("PURSLET_HOME", book.dir.path().toLocal8Bit());
    app.menu.setChecked(MenuItem::setupHighSpeedMode, highSpeed);
    InputPresenter input(app);
    int i = 0;
    for (auto _ : state) {
        input.setDate(dateOf(i));
        input.setMatter(QStringLiteral("支出の事柄%1").arg(i % 100, 3, 10, QLatin1Char('0')), 0);
        input.setMoneyText(QString::number(100 + i));
        input.cmdEnter_Click();
        ++i;
    }
    if (app.book.recordCount() != kBookRecords + i)
        state.SkipWithError("records were not entered");
}

BENCHMARK_CAPTURE(BM_EntryPresenter, backup, false)->Unit(benchmark::kMillisecond)->Iterations(kEntries);
BENCHMARK_CAPTURE(BM_EntryPresenter, highspeed, true)->Unit(benchmark::kMillisecond)->Iterations(kEntries);

// A recorded entry corrected in place at the largest book: loaded from its
// row, given another date and amount, applied.
void BM_CorrectPresenter(benchmark::State &state, bool highSpeed)
{
    bench::BookInFolder book(kMaxRecords);
    App &app = *book.app;
    qputenv("PURSLET_HOME", book.dir.path().toLocal8Bit());
    app.menu.setChecked(MenuItem::setupHighSpeedMode, highSpeed);
    InputPresenter input(app);
    int i = 0;
    for (auto _ : state) {
        app.entry.changeRow = 1 + i * 7919 % kMaxRecords;
        app.entry.changeShownRow = app.entry.changeRow;
        app.notify(AppChange::Change);
        input.setDate(dateOf(i));
        input.setMoneyText(QString::number(100 + i));
        input.cmdEnter_Click();
        ++i;
    }
    if (app.book.recordCount() != kMaxRecords || input.changing())
        state.SkipWithError("records were not corrected");
}

BENCHMARK_CAPTURE(BM_CorrectPresenter, backup, false)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK_CAPTURE(BM_CorrectPresenter, highspeed, true)->Unit(benchmark::kMillisecond)->Iterations(100);

#if PURSLET_BENCH_WINDOW
// The whole program on screen: the amount typed into the real field and the
// record button clicked; the time includes the views catching up.
void BM_EntryWindow(benchmark::State &state, bool highSpeed)
{
    QTemporaryDir dir;
    qputenv("PURSLET_HOME", dir.path().toLocal8Bit());
    bench::WriteCatalogs(dir.path());
    QtUi ui;
    auto session = std::make_unique<DesktopSession>(ui);
    session->start(QString(), false);
    bench::FillBook(session->app, kBookRecords);
    session->app.menu.setChecked(MenuItem::setupHighSpeedMode, highSpeed);
    QApplication::processEvents();

    auto *money = session->window.findChild<QLineEdit *>(QStringLiteral("txtMoney"));
    auto *enter = session->window.findChild<QPushButton *>(QStringLiteral("cmdEnter"));
    if (!money || !enter) {
        state.SkipWithError("entry window not found");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        session->presenters.input.setDate(dateOf(i));
        QTest::keyClicks(money, QString::number(100 + i));
        QTest::mouseClick(enter, Qt::LeftButton);
        QApplication::processEvents();
        ++i;
    }
    if (session->app.book.recordCount() != kBookRecords + i)
        state.SkipWithError("records were not entered");
}

BENCHMARK_CAPTURE(BM_EntryWindow, backup, false)->Unit(benchmark::kMillisecond)->Iterations(kEntries);
BENCHMARK_CAPTURE(BM_EntryWindow, highspeed, true)->Unit(benchmark::kMillisecond)->Iterations(kEntries);
#endif

} // namespace

int main(int argc, char **argv)
{
#if PURSLET_BENCH_WINDOW
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitResources();
    InstallJapaneseFonts();
#else
    QCoreApplication app(argc, argv);
#endif
    return bench::RunBenchmarks(argc, argv);
}
