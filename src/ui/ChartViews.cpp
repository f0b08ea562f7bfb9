#include "ui/ChartViews.h"

#include <QCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLocale>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPieSeries>
#include <QPixmap>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QtDataVisualization>

#include <algorithm>

namespace purslet {

namespace {

std::optional<bool> g_canDraw3DOverride;

QLocale yenLocale()
{
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

QChart *createPie(const ChartModel &model)
{
    auto *chart = new QChart;
    auto *series = new QPieSeries(chart);
    for (int s = 0; s < 2; ++s) {
        const qint64 value = model.values.empty() ? 0 : model.values[0][size_t(s)];
        // A pie has no negative slices; such a total draws as none.
        auto *slice = series->append(model.series[size_t(s)], qreal(std::max<qint64>(value, 0)));
        slice->setBrush(SeriesColour(s));
        slice->setPen(QPen(Qt::white, 1));
        slice->setLabelFont(ChartFont(10));
        slice->setLabel(model.series[size_t(s)] + QLatin1Char(' ') + yenLocale().toString(value) + QStringLiteral("円"));
    }
    series->setLabelsVisible(true);
    series->setLabelsPosition(QPieSlice::LabelOutside);
    series->setPieSize(0.6);
    chart->addSeries(series);
    // The slices' labels carry the amounts; the legend names the series alone.
    const QList<QLegendMarker *> markers = chart->legend()->markers(series);
    for (int s = 0; s < markers.size() && s < 2; ++s)
        markers[s]->setLabel(model.series[size_t(s)]);
    return chart;
}

QChart *createBars(const ChartModel &model)
{
    auto *chart = new QChart;
    // Axis labels with the locale's thousands separators.
    chart->setLocale(yenLocale());
    chart->setLocalizeNumbers(true);
    auto *series = new QBarSeries(chart);
    for (int s = 0; s < 2; ++s) {
        auto *set = new QBarSet(model.series[size_t(s)], series);
        for (const auto &row : model.values)
            set->append(qreal(row[size_t(s)])); // whole yen stay exact in a double
        set->setColor(SeriesColour(s));
        set->setBorderColor(SeriesColour(s).darker(130));
        series->append(set);
    }
    chart->addSeries(series);

    // A bar category axis gives each name the width of its own bars and cuts
    // it to "…" when many matters share the width. Every k-th matter is
    // named instead, under its own bars, the names standing upright when
    // there are many.
    const qsizetype n = model.categories.size();
    auto *names = new QCategoryAxis(chart);
    names->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    names->setStartValue(-0.5);
    names->setRange(-0.5, qreal(n) - 0.5);
    const qsizetype stride = CategoryNameStride(n);
    for (qsizetype i = 0; i < n; i += stride)
        names->append(model.categories[i], qreal(i));
    names->setLabelsFont(ChartFont(9));
    names->setGridLineVisible(false);
    if (stride > 1)
        names->setLabelsAngle(-90);
    chart->addAxis(names, Qt::AlignBottom);
    series->attachAxis(names);

    const ValueScale scale = ScaleFor(model);
    auto *values = new QValueAxis(chart);
    values->setLabelFormat(QStringLiteral("%.0f"));
    values->setLabelsFont(ChartFont(9));
    values->setRange(qreal(scale.low), qreal(scale.high));
    values->setTickCount(scale.segments() + 1);
    values->setMinorTickCount(0);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    return chart;
}

// The step chart's value axis: the scaled values back in yen, with separators.
class YenAxisFormatter final : public QValue3DAxisFormatter
{
public:
    explicit YenAxisFormatter(qint64 unit = 1) : m_unit(unit) {}

protected:
    QValue3DAxisFormatter *createNewInstance() const override { return new YenAxisFormatter(m_unit); }
    void populateCopy(QValue3DAxisFormatter &copy) const override
    {
        QValue3DAxisFormatter::populateCopy(copy);
        static_cast<YenAxisFormatter &>(copy).m_unit = m_unit;
    }
    QString stringForValue(qreal value, const QString &) const override
    {
        // The gridline values are whole numbers of the unit.
        return yenLocale().toString(qRound64(value) * m_unit);
    }

private:
    qint64 m_unit;
};

} // namespace

QFont ChartFont(int pointSize)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"), pointSize);
    // Named directly too, for a caller that has not installed the substitutions.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    return font;
}

QColor SeriesColour(int series)
{
    return series == 0 ? QColor(60, 110, 200) : QColor(220, 90, 60);
}

QChart *CreateFlatChart(const ChartModel &model)
{
    QChart *chart = model.isPie() ? createPie(model) : createBars(model);
    chart->setTitle(ChartCaption(model.kind));
    chart->setTitleFont(ChartFont(12));
    chart->legend()->setFont(ChartFont(10));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    return chart;
}

EmptyChart::EmptyChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emptyChart"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    m_title = new QLabel(this);
    m_title->setFont(ChartFont(12));
    m_title->setAlignment(Qt::AlignCenter);
    m_message = new QLabel(QStringLiteral("グラフに表示する事柄がありません。"), this);
    m_message->setFont(ChartFont(11));
    m_message->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_message, 1);
}

void EmptyChart::setModel(const ChartModel &model)
{
    m_title->setText(ChartCaption(model.kind));
}

bool CanDraw3D()
{
    if (g_canDraw3DOverride)
        return *g_canDraw3DOverride;
    static const bool can = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QOffscreenSurface surface;
        surface.create();
        QOpenGLContext context;
        if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
            return false;
        context.doneCurrent();
        return true;
    }();
    return can;
}

void OverrideCanDraw3D(std::optional<bool> answer)
{
    g_canDraw3DOverride = answer;
}

StepChart::StepChart(QWidget *parent) : QWidget(parent)
{
    // One sample a pixel: multisampling is dear on software OpenGL.
    const QSurfaceFormat format = qDefaultSurfaceFormat(false);
    m_graph = new Q3DBars(&format);
    m_graph->setObjectName(QStringLiteral("stepChart"));
    Q3DTheme *theme = m_graph->activeTheme();
    theme->setType(Q3DTheme::ThemeQt);
    theme->setColorStyle(Q3DTheme::ColorStyleUniform);
    theme->setFont(ChartFont(20));
    theme->setLabelBackgroundEnabled(false);
    // No gap between the bars of a row: they stand like stairs.
    m_graph->setBarSpacingRelative(true);
    // The rows stand apart in depth, so that the back series shows above the
    // front one where it is taller and where it is shorter.
    m_graph->setBarSpacing(QSizeF(0.0, 1.0));
    // From the front, a little to the left and well above: the stairs of the
    // estimates in front, the actuals rising behind them. Without
    // perspective each name stays under its own bars.
    m_graph->setAspectRatio(3.0);
    m_graph->setOrthoProjection(true);
    // Shadows cost a second pass per frame, which software OpenGL feels.
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    // A little farther away, so that ten-digit amounts on the axis fit.
    m_graph->scene()->activeCamera()->setCameraPosition(-10.0f, 30.0f, 85.0f);
    // Names turn towards the viewer instead of lying flat on the floor.
    m_graph->columnAxis()->setLabelAutoRotation(90.0f);
    m_graph->rowAxis()->setLabelAutoRotation(90.0f);
    auto *series = new QBar3DSeries;
    series->setMesh(QAbstract3DSeries::MeshBar);
    // Each row its series' colour. The graph keeps its default selection
    // mode: without one, Qt 6.4 draws every row in the theme's colour.
    series->setRowColors({SeriesColour(0), SeriesColour(1)});
    m_graph->addSeries(series);

    QWidget *container = QWidget::createWindowContainer(m_graph, this);
    container->setMinimumSize(200, 150);
    container->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_legend = new QWidget(this);
    m_legend->setObjectName(QStringLiteral("stepLegend"));
    auto *legendLayout = new QHBoxLayout(m_legend);
    legendLayout->addStretch();
    for (int s = 0; s < 2; ++s) {
        QPixmap swatch(12, 12);
        swatch.fill(SeriesColour(s));
        auto *mark = new QLabel(m_legend);
        mark->setPixmap(swatch);
        m_legendLabels[s] = new QLabel(m_legend);
        m_legendLabels[s]->setFont(ChartFont(10));
        legendLayout->addWidget(mark);
        legendLayout->addWidget(m_legendLabels[s]);
        legendLayout->addSpacing(12);
    }
    legendLayout->addStretch();

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("stepTitle"));
    m_title->setFont(ChartFont(12));
    m_title->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(container, 1);
    layout->addWidget(m_legend);
}

void StepChart::setModel(const ChartModel &model)
{
    m_title->setText(ChartCaption(model.kind));
    // The bars take floats: the values go in units of the axis' power of
    // ten, all scaled alike, and the axis labels turn them back into yen.
    const ValueScale scale = ScaleFor(model);
    const double unit = double(scale.unit);
    QBar3DSeries *series = m_graph->seriesList().first();
    auto *rows = new QBarDataArray;
    rows->reserve(2);
    for (int s = 0; s < 2; ++s) {
        auto *row = new QBarDataRow(qsizetype(model.values.size()));
        for (size_t i = 0; i < model.values.size(); ++i)
            (*row)[qsizetype(i)].setValue(float(double(model.values[i][size_t(s)]) / unit));
        rows->append(row);
    }
    // Many matters' names would overlap unreadably, and each name is a
    // texture to draw: software OpenGL slows down badly past a few dozen.
    // Then every k-th matter is named.
    const qsizetype every = CategoryNameStride(model.categories.size());
    QStringList names;
    names.reserve(model.categories.size());
    for (qsizetype i = 0; i < model.categories.size(); ++i)
        names << (i % every == 0 ? model.categories[i] : QString());
    const QStringList seriesLabels = {model.series[0], model.series[1]};
    series->dataProxy()->resetArray(rows, seriesLabels, names);
    QValue3DAxis *axis = m_graph->valueAxis();
    axis->setFormatter(new YenAxisFormatter(scale.unit));
    axis->setRange(float(double(scale.low) / unit), float(double(scale.high) / unit));
    axis->setSegmentCount(scale.segments());
    axis->setSubSegmentCount(1);
    // A few matters get wider bars, so that the chart keeps its shape and
    // stays in view.
    m_graph->setBarThickness(float(std::max(1.0, 8.0 / double(std::max<size_t>(model.values.size(), 1)))));
    for (int s = 0; s < 2; ++s)
        m_legendLabels[s]->setText(model.series[size_t(s)]);
}

void StepChart::setLegendVisible(bool visible)
{
    m_legend->setVisible(visible);
}

} // namespace purslet
