#include "ui/ColouredHeaderView.h"

#include <QBrush>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionHeader>

namespace purslet {

namespace {
// The arrow's height; the caption moves down by as much plus a gap.
constexpr int kArrowHeight = 4;
constexpr int kArrowRoom = kArrowHeight + 2;
} // namespace

ColouredHeaderView::ColouredHeaderView(Qt::Orientation orientation, QWidget *parent) : QHeaderView(orientation, parent)
{
}

void ColouredHeaderView::setSortMark(SortMark mark)
{
    m_sortMark = std::move(mark);
    updateGeometries();
    viewport()->update();
}

QSize ColouredHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (m_sortMark)
        size.rheight() += kArrowRoom;
    return size;
}

void ColouredHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QVariant background =
        model() ? model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole) : QVariant();
    const std::pair<int, bool> mark = m_sortMark ? m_sortMark() : std::pair<int, bool>(-1, true);
    if (!rect.isValid() || (!background.canConvert<QBrush>() && !m_sortMark)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }

    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    option.textAlignment = defaultAlignment();
    option.position = QStyleOptionHeader::Middle;

    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    if (background.canConvert<QBrush>())
        painter->fillRect(rect.adjusted(0, 0, -1, -1), qvariant_cast<QBrush>(background));
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (m_sortMark)
        option.rect = rect.adjusted(0, kArrowRoom, 0, 0);
    style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
    if (logicalIndex == mark.first)
        paintArrow(painter, rect, mark.second);
    painter->restore();
}

void ColouredHeaderView::paintArrow(QPainter *painter, const QRect &rect, bool ascending) const
{
    // Centred at the top, where even the narrowest column has room: up for
    // ascending, down for descending.
    const int x = rect.center().x();
    const int top = rect.top() + 2;
    const int bottom = top + kArrowHeight - 1;
    const int half = kArrowHeight;
    QPolygon arrow;
    if (ascending)
        arrow << QPoint(x, top) << QPoint(x + half, bottom) << QPoint(x - half, bottom);
    else
        arrow << QPoint(x - half, top) << QPoint(x + half, top) << QPoint(x, bottom);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setBrush(palette().color(QPalette::ButtonText));
    painter->drawPolygon(arrow);
}

} // namespace purslet
