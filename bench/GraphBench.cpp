// The graph window on the largest book (32,767 records, 100 matters of each
// kind): opening it with the ratio pie drawn, and switching to the outgo step
// chart. Run under a display (xvfb-run) to measure the 3D chart; offscreen
// measures the flat stand-in.
#include "LargestBook.h"

#include "state/App.h"
#include "ui/ChartViews.h"
#include "ui/ChartWindow.h"
#include "ui/DesktopMain.h"
#include "ui/LinkedDrawing.h"
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
    s.desktop->presenters.main.menuClick(MenuItem::showGraph);
}

// Sees a chart drawn anywhere: the 3D chart rendering a frame (an update
// request) or a chart view painting.
class FrameWatch final : public QObject
{
public:
    FrameWatch() { qApp->installEventFilter(this); }
    ~FrameWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            m_seen = m_seen || qobject_cast<Q3DBars *>(watched);
        else if (event->type() == QEvent::Paint)
            m_seen = m_seen || qobject_cast<QChartView *>(watched->parent());
        return false;
    }

    // False when nothing was drawn within five seconds.
    bool wait()
    {
        QElapsedTimer limit;
        limit.start();
        while (!m_seen && limit.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        // The frame is drawn inside the event that was seen.
        QApplication::processEvents();
        return m_seen;
    }

private:
    bool m_seen = false;
};

void BM_GraphWindowOpens(benchmark::State &state)
{
    Session s;
    if (!s.exposed)
        state.SkipWithError("the main window did not show");
    for (auto _ : state) {
        // Installed first: offscreen, the window paints as it shows.
        FrameWatch frame;
        QElapsedTimer timer;
        timer.start();
        withGraphWindow(s, [&](ChartWindow *) {
            if (!frame.wait())
                state.SkipWithError("the pie was not drawn");
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        });
    }
    if (s.desktop->presenters.chart.model().values.size() != 1)
        state.SkipWithError("the pie was not drawn");
}

// Click on the outgo option until the chart is drawn. In a window just
// opened the time includes making the 3D graph, as the user's first click
// does; "again" goes back to the pie between clicks in one window.
void BM_GraphSwitchesToOutgo(benchmark::State &state, bool again)
{
    Session s;
    if (!s.exposed)
        state.SkipWithError("the main window did not show");
    qsizetype matters = 0;
    auto clickOutgo = [&](ChartWindow *w) {
        FrameWatch frame;
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(w->optChartType(2), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        if (!frame.wait())
            state.SkipWithError("the outgo chart was not drawn");
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        matters = s.desktop->presenters.chart.model().categories.size();
        state.SetLabel(w->stepChart() ? "3D step chart" : "flat bars");
    };
    auto exposed = [&](ChartWindow *w) {
        if (!QTest::qWaitForWindowExposed(w))
            state.SkipWithError("the window did not show");
        QApplication::processEvents();
    };
    if (again) {
        withGraphWindow(s, [&](ChartWindow *w) {
            exposed(w);
            for (auto _ : state) {
                clickOutgo(w);
                QTest::mouseClick(w->optChartType(0), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
                QApplication::processEvents();
            }
        });
    } else {
        for (auto _ : state)
            withGraphWindow(s, [&](ChartWindow *w) {
                exposed(w);
                clickOutgo(w);
            });
    }
    if (matters < bench::kMatters)
        state.SkipWithError("the outgo chart does not hold every matter");
}

BENCHMARK(BM_GraphWindowOpens)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_GraphSwitchesToOutgo, first, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_GraphSwitchesToOutgo, again, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitResources();
    InstallJapaneseFonts();
    UseDrawingParts(&LinkedDrawingParts());
    return bench::RunBenchmarks(argc, argv);
}
