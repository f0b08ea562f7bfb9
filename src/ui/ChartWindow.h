#pragma once

#include <QDialog>

class QChartView;
class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;

namespace purslet {

class ChartPresenter;
class EmptyChart;
class StepChart;

// The modal graph window: the chart, the chart kind, the legend box and the
// advice sheet. The presenter holds the state; this mirrors it.
class ChartWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit ChartWindow(ChartPresenter &presenter, QWidget *parent = nullptr);
    ~ChartWindow() override;

    QRadioButton *optChartType(int index) const { return m_options[index]; }
    QCheckBox *chkExample() const { return m_chkExample; }
    QPlainTextEdit *txtAdvice() const { return m_txtAdvice; }
    QGroupBox *fraChartType() const { return m_frame; }
    // The chart area: the flat chart (pie, or bars without 3D) or the step chart.
    QChartView *flatChart() const { return m_flatView; }
    StepChart *stepChart() const { return m_stepChart; }
    EmptyChart *emptyChart() const { return m_emptyChart; }
    QWidget *currentChart() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void syncChart();
    void syncLegend();

    ChartPresenter &m_presenter;
    QStackedWidget *m_chartArea = nullptr;
    QChartView *m_flatView = nullptr;
    StepChart *m_stepChart = nullptr;
    EmptyChart *m_emptyChart = nullptr;
    QGroupBox *m_frame = nullptr;
    QRadioButton *m_options[3] = {};
    QCheckBox *m_chkExample = nullptr;
    QPlainTextEdit *m_txtAdvice = nullptr;
    bool m_placed = false;
};

} // namespace purslet
