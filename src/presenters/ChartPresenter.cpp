#include "presenters/ChartPresenter.h"

#include "data/Book.h"
#include "data/Month.h"
#include "platform/Hints.h"
#include "state/App.h"

namespace purslet {

ChartPresenter::ChartPresenter(App &app) : m_app(app) {}

void ChartPresenter::showGraph()
{
    Form_Load();
    m_app.ui.showModal(ModalWindow::frmChart);
}

void ChartPresenter::Form_Load()
{
    optChartType_Click(int(ChartKind::Ratio));
    chkExample_Click(true);
}

void ChartPresenter::optChartType_Click(int index)
{
    if (index < 0 || index >= kChartKinds)
        return;
    m_kind = ChartKind(index);
    m_drawing = DrawChart(m_app.book, m_kind, m_app.ui);
    if (onChartChanged)
        onChartChanged();
}

void ChartPresenter::chkExample_Click(bool checked)
{
    m_legend = checked;
    if (onLegendChanged)
        onLegendChanged();
}

namespace {
constexpr Hint kHints[] = {
    {"fraChartType", u"グラフの表示条件を決定します。"},
    {"Form", u""},
};
} // namespace

void ChartPresenter::MouseMove(const QString &controlName)
{
    ShowHint(m_app.ui, kHints, controlName);
}

QString ChartPresenter::windowTitle() const
{
    const QString &period = m_app.book.period;
    const QString title = QStringLiteral("グラフ表示");
    return period.isEmpty() ? title : title + QStringLiteral(" (") + PeriodCaption(period) + QLatin1Char(')');
}

} // namespace purslet
