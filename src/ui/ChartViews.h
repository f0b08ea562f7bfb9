#pragma once

#include "graph/ChartModel.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <optional>

class Q3DBars;
class QChart;
class QLabel;

namespace purslet {

// The program's Japanese gothic for chart texts (IPA fonts on Linux).
QFont ChartFont(int pointSize);
// The colour of series 0 (estimate, total income) and series 1.
QColor SeriesColour(int series);

// Qt Charts: kind 0 as a pie; kinds 1 and 2 as grouped bars, the flat stand-in
// for the step chart. The caller owns the chart.
QChart *CreateFlatChart(const ChartModel &model);

// A matter chart without matters: its title and a line saying that there
// is nothing to draw, instead of axes around nothing.
class EmptyChart final : public QWidget
{
    Q_OBJECT
public:
    explicit EmptyChart(QWidget *parent = nullptr);
    void setModel(const ChartModel &model);

    QLabel *title() const { return m_title; }
    QLabel *message() const { return m_message; }

private:
    QLabel *m_title = nullptr;
    QLabel *m_message = nullptr;
};

// Whether a Q3DBars can be made here. It needs an OpenGL context, and it
// crashes on the offscreen platform even where that hands one out.
bool CanDraw3D();
// Tests fix the answer; nullopt asks the platform again.
void OverrideCanDraw3D(std::optional<bool> answer);

// The three-dimensional step chart: the matters along the category axis,
// each series in its own row in depth, the bars of a row touching like
// stairs; the legend is a strip of the series' colours under it.
class StepChart final : public QWidget
{
    Q_OBJECT
public:
    explicit StepChart(QWidget *parent = nullptr);

    void setModel(const ChartModel &model);
    void setLegendVisible(bool visible);

    Q3DBars *graph() const { return m_graph; }
    QWidget *legend() const { return m_legend; }
    QLabel *title() const { return m_title; }

private:
    Q3DBars *m_graph = nullptr;
    QLabel *m_title = nullptr;
    QWidget *m_legend = nullptr;
    QLabel *m_legendLabels[2] = {};
};

} // namespace purslet
