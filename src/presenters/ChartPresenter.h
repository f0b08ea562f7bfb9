#pragma once

#include "graph/ChartData.h"

#include <QString>

#include <functional>

namespace purslet {

class App;

// The graph window frmChart: the chart kind, the legend box and the advice.
// Everything is read from the grids when a kind is chosen; nothing is kept
// from one opening to the next.
class ChartPresenter final
{
public:
    explicit ChartPresenter(App &app);

    // "グラフ表示", naming the month when one is shown.
    QString windowTitle() const;

    // showGraph: kind 0 drawn, the legend ticked, then the window, modal.
    void showGraph();
    // Loads the window's state as showGraph does, without showing it.
    void Form_Load();

    void optChartType_Click(int index);
    void chkExample_Click(bool checked);
    void MouseMove(const QString &controlName);

    ChartKind chartType() const { return m_kind; }
    bool legendShown() const { return m_legend; }
    const ChartModel &model() const { return m_drawing.model; }
    // txtAdvice: CR LF between lines.
    const QString &advice() const { return m_drawing.advice; }

    std::function<void()> onChartChanged;  // the chart and the advice
    std::function<void()> onLegendChanged;

private:
    App &m_app;
    ChartKind m_kind = ChartKind::Ratio;
    bool m_legend = true;
    ChartDrawing m_drawing;
};

} // namespace purslet
