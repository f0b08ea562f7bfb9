#pragma once

#include <QIdentityProxyModel>

namespace purslet {

// Turns the grid's 0xAARRGGBB cell and header colours into brushes for the views.
class GridBrushProxy final : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
};

} // namespace purslet
