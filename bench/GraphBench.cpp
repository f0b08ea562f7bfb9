// The graph window on the largest book (32,767 records, 100 matters of each
// kind): opening it with the ratio pie drawn, and switching to the outgo step
// chart. Run under a display (xvfb-run) to measure the 3D chart; offscreen
// measures the flat stand-in.
#include "LargestBook.h"

#include "shell/App.h"
#include "ui/ChartViews.h"
#include "ui/ChartWindow.h"
#include "ui/DesktopMain.h"
#include "ui/QtUi.h"

#include <Q3DBars>
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

using namespace purslet;

namespace {

struct Session
{
    QTemporaryDir dir;
    QtUi ui;
    std::unique_ptr<DesktopSession> desktop;

    Session()
    {
        qputenv("PURSLET_HOME", dir.path().toLocal8Bit());
        bench::WriteCatalogs(dir.path());
        desktop = std::make_unique<DesktopSession>(ui);
        desktop->start(QString(), false);
        bench::FillBook(desktop->app, kMaxRecords);
        exposed = QTest::qWaitForWindowExposed(&desktop->window);
    }

    bool exposed = false;
};

// Runs `whileOpen` as soon as the modal graph window is up, then closes it.
void withGraphWindow(Session &s, const std::function<void(ChartWindow *)> &whileOpen)
{
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<ChartWindow *>(QApplication::activeModalWidget());
        if (window) {
            whileOpen(window);
            window->reject();
        }
    });
    s.desktop->presenters.main.menuClick(QStringLiteral("showGraph"));
}

// Until the 3D chart has rendered a frame, or the flat chart has painted.
class FrameWatch final : public QObject
{
public:
    bool seen = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint)
            seen = true;
        return false;
    }
};

void waitForFrame(QObject *target)
{
    FrameWatch watch;
    target->installEventFilter(&watch);
    while (!watch.seen)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    target->removeEventFilter(&watch);
    // The frame is drawn inside the event that was seen.
    QApplication::processEvents();
}

void BM_GraphWindowOpens(benchmark::State &state)
{
    Session s;
    if (!s.exposed)
        state.SkipWithError("the main window did not show");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        withGraphWindow(s, [&](ChartWindow *w) {
            if (!QTest::qWaitForWindowExposed(w))
                state.SkipWithError("the window did not show");
            waitForFrame(w->flatChart()->viewport());
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        });
    }
    if (s.desktop->presenters.chart.model().values.size() != 1)
        state.SkipWithError("the pie was not drawn");
}

void BM_GraphSwitchesToOutgo(benchmark::State &state)
{
    Session s;
    if (!s.exposed)
        state.SkipWithError("the main window did not show");
    qsizetype matters = 0;
    withGraphWindow(s, [&](ChartWindow *w) {
        if (!QTest::qWaitForWindowExposed(w))
            state.SkipWithError("the window did not show");
        for (auto _ : state) {
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(w->optChartType(2), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            if (w->stepChart())
                waitForFrame(w->stepChart()->graph());
            else
                waitForFrame(w->flatChart()->viewport());
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
            matters = s.desktop->presenters.chart.model().categories.size();
            state.PauseTiming();
            QTest::mouseClick(w->optChartType(0), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            QApplication::processEvents();
            state.ResumeTiming();
        }
        state.SetLabel(w->stepChart() ? "3D step chart" : "flat bars");
    });
    if (matters < bench::kMatters)
        state.SkipWithError("the outgo chart does not hold every matter");
}

BENCHMARK(BM_GraphWindowOpens)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_GraphSwitchesToOutgo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitResources();
    InstallJapaneseFonts();
    return bench::RunBenchmarks(argc, argv);
}
