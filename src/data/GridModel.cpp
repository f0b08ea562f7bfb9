#include "data/GridModel.h"

namespace purslet {

GridModel::GridModel(Grid &grid, QObject *parent) : QAbstractTableModel(parent), m_grid(&grid)
{
    m_grid->setObserver(this);
}

GridModel::~GridModel()
{
    m_grid->setObserver(nullptr);
}

void GridModel::setGrid(Grid &grid)
{
    if (&grid == m_grid)
        return;
    beginResetModel();
    m_grid->setObserver(nullptr);
    m_grid = &grid;
    m_grid->setObserver(this);
    endResetModel();
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->rows() - 1;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->cols();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() + 1 >= m_grid->rows() || index.column() >= m_grid->cols())
        return {};
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return m_grid->text(row, index.column());
    case BackgroundRgbRole:
        return m_grid->cellBackground(row, index.column());
    case Qt::TextAlignmentRole:
        if (m_rightAligned.contains(index.column()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= m_grid->cols() || m_grid->rows() < 1)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_grid->text(0, section);
    case BackgroundRgbRole:
        return m_grid->cellBackground(0, section);
    default:
        return {};
    }
}

void GridModel::gridAboutToReset()
{
    beginResetModel();
}

void GridModel::gridReset()
{
    endResetModel();
}

void GridModel::gridRowsAboutToBeInserted(int first, int count)
{
    m_headerMoves = first == 0; // the whole table shifts under a new header
    if (m_headerMoves)
        beginResetModel();
    else
        beginInsertRows(QModelIndex(), first - 1, first + count - 2);
}

void GridModel::gridRowsInserted()
{
    if (m_headerMoves)
        endResetModel();
    else
        endInsertRows();
}

void GridModel::gridRowsAboutToBeRemoved(int first, int count)
{
    m_headerMoves = first == 0;
    if (m_headerMoves)
        beginResetModel();
    else
        beginRemoveRows(QModelIndex(), first - 1, first + count - 2);
}

void GridModel::gridRowsRemoved()
{
    if (m_headerMoves)
        endResetModel();
    else
        endRemoveRows();
}

void GridModel::gridCellsChanged(int firstRow, int firstCol, int lastRow, int lastCol)
{
    if (firstRow == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    if (lastRow >= 1)
        Q_EMIT dataChanged(index(std::max(firstRow, 1) - 1, firstCol), index(lastRow - 1, lastCol));
}

void GridModel::gridColumnWidthChanged(int col)
{
    Q_EMIT columnWidthChanged(col);
}

} // namespace purslet
