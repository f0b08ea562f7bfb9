#include "ui/ColouredHeaderView.h"

#include <QBrush>
#include <QPainter>
#include <QStyleOptionHeader>

namespace purslet {

ColouredHeaderView::ColouredHeaderView(Qt::Orientation orientation, QWidget *parent) : QHeaderView(orientation, parent)
{
}

void ColouredHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QVariant background =
        model() ? model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole) : QVariant();
    if (!rect.isValid() || !background.canConvert<QBrush>()) {
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
    painter->fillRect(rect.adjusted(0, 0, -1, -1), qvariant_cast<QBrush>(background));
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
    painter->restore();
}

} // namespace purslet
