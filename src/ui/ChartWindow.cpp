#include "ui/ChartWindow.h"

#include "presenters/ChartPresenter.h"
#include "platform/Ui.h"
#include "ui/ChartViews.h"
#include "ui/HintTracker.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace purslet {

ChartWindow::ChartWindow(ChartPresenter &presenter, QWidget *parent) : QDialog(parent), m_presenter(presenter)
{
    setObjectName(ModalWindowName(ModalWindow::frmChart));
    setWindowTitle(m_presenter.windowTitle());
    setModal(true);

    m_chartArea = new QStackedWidget(this);
    m_chartArea->setObjectName(QStringLiteral("MSChart"));
    m_chartArea->setMinimumSize(560, 420);
    m_flatView = new QChartView(m_chartArea);
    m_flatView->setRenderHint(QPainter::Antialiasing);
    m_chartArea->addWidget(m_flatView);

    m_frame = new QGroupBox(QStringLiteral("グラフの表示種類"), this);
    m_frame->setObjectName(QStringLiteral("fraChartType"));
    auto *options = new QVBoxLayout(m_frame);
    for (int i = 0; i < kChartKinds; ++i) {
        m_options[i] = new QRadioButton(ChartCaption(ChartKind(i)), m_frame);
        m_options[i]->setObjectName(QStringLiteral("optChartType%1").arg(i));
        options->addWidget(m_options[i]);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { m_presenter.optChartType_Click(i); });
    }

    auto *hints = new HintTracker(this, [this](const QString &control) { m_presenter.MouseMove(control); });
    hints->addBackground();
    hints->add(m_frame, QStringLiteral("fraChartType"));

    m_chkExample = new QCheckBox(QStringLiteral("凡例の表示"), this);
    m_chkExample->setObjectName(QStringLiteral("chkExample"));
    connect(m_chkExample, &QCheckBox::clicked, this, [this](bool checked) { m_presenter.chkExample_Click(checked); });

    auto *adviceLabel = new QLabel(QStringLiteral("アドバイスシート"), this);
    m_txtAdvice = new QPlainTextEdit(this);
    m_txtAdvice->setObjectName(QStringLiteral("txtAdvice"));
    m_txtAdvice->setReadOnly(true);
    m_txtAdvice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtAdvice->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    adviceLabel->setBuddy(m_txtAdvice);

    auto *side = new QVBoxLayout;
    side->addWidget(m_frame);
    side->addWidget(m_chkExample);
    side->addSpacing(8);
    side->addWidget(adviceLabel);
    side->addWidget(m_txtAdvice, 1);
    auto *sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(300);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_chartArea, 1);
    layout->addWidget(sideWidget);

    m_presenter.onChartChanged = [this] { syncChart(); };
    m_presenter.onLegendChanged = [this] { syncLegend(); };
    syncChart();
    resize(940, 520);
}

ChartWindow::~ChartWindow()
{
    m_presenter.onChartChanged = nullptr;
    m_presenter.onLegendChanged = nullptr;
}

QWidget *ChartWindow::currentChart() const
{
    return m_chartArea->currentWidget();
}

void ChartWindow::syncChart()
{
    const ChartModel &model = m_presenter.model();
    for (int i = 0; i < kChartKinds; ++i) {
        const QSignalBlocker block(m_options[i]);
        m_options[i]->setChecked(int(m_presenter.chartType()) == i);
    }
    if (model.isEmpty()) {
        if (!m_emptyChart) {
            m_emptyChart = new EmptyChart(m_chartArea);
            m_chartArea->addWidget(m_emptyChart);
        }
        m_emptyChart->setModel(model);
        m_chartArea->setCurrentWidget(m_emptyChart);
    } else if (!model.isPie() && CanDraw3D()) {
        if (!m_stepChart) {
            m_stepChart = new StepChart(m_chartArea);
            m_chartArea->addWidget(m_stepChart);
        }
        m_stepChart->setModel(model);
        m_chartArea->setCurrentWidget(m_stepChart);
    } else {
        QChart *old = m_flatView->chart();
        m_flatView->setChart(CreateFlatChart(model));
        delete old;
        m_chartArea->setCurrentWidget(m_flatView);
    }
    m_txtAdvice->setPlainText(QString(m_presenter.advice()).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    syncLegend();
}

void ChartWindow::syncLegend()
{
    const bool shown = m_presenter.legendShown();
    const QSignalBlocker block(m_chkExample);
    m_chkExample->setChecked(shown);
    m_flatView->chart()->legend()->setVisible(shown);
    if (m_stepChart)
        m_stepChart->setLegendVisible(shown);
}

void ChartWindow::showEvent(QShowEvent *event)
{
    // Centred on the main window, kept on its screen.
    if (!m_placed && parentWidget()) {
        m_placed = true;
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
        if (const QScreen *s = parentWidget()->screen()) {
            const QRect screen = s->availableGeometry();
            frame.moveLeft(std::max(screen.left(), std::min(frame.left(), screen.right() - frame.width() + 1)));
            frame.moveTop(std::max(screen.top(), std::min(frame.top(), screen.bottom() - frame.height() + 1)));
        }
        move(frame.topLeft());
    }
    // The arrow keys change the kind straight away.
    m_options[int(m_presenter.chartType())]->setFocus(Qt::ActiveWindowFocusReason);
    QDialog::showEvent(event);
}

} // namespace purslet
