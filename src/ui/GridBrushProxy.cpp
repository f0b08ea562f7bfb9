#include "ui/GridBrushProxy.h"

#include "data/GridModel.h"

#include <QBrush>
#include <QColor>

namespace purslet {

namespace {
QVariant brushOf(const QVariant &rgb)
{
    const quint32 value = rgb.toUInt();
    if (value == 0)
        return {};
    return QBrush(QColor::fromRgba(value));
}
} // namespace

QVariant GridBrushProxy::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole)
        return brushOf(QIdentityProxyModel::data(index, GridModel::BackgroundRgbRole));
    return QIdentityProxyModel::data(index, role);
}

QVariant GridBrushProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::BackgroundRole && orientation == Qt::Horizontal)
        return brushOf(QIdentityProxyModel::headerData(section, orientation, GridModel::BackgroundRgbRole));
    return QIdentityProxyModel::headerData(section, orientation, role);
}

} // namespace purslet
