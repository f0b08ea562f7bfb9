#pragma once

#include "data/Grid.h"

#include <QAbstractTableModel>

namespace purslet {

// Shows a Grid in a view: grid row 0 is the horizontal header, grid rows
// 1.. are model rows 0.. . Texts, background colours and alignment only.
class GridModel final : public QAbstractTableModel, private GridObserver
{
    Q_OBJECT
public:
    // A cell's or header's background as 0xAARRGGBB (0: none); the widgets
    // turn it into a brush, since colours are not QtCore.
    static constexpr int BackgroundRgbRole = Qt::UserRole + 1;

    explicit GridModel(Grid &grid, QObject *parent = nullptr);
    ~GridModel() override;

    Grid &grid() { return *m_grid; }
    // Shows another grid (the cash book of a month instead of the whole book's).
    void setGrid(Grid &grid);
    // Columns holding amounts are right-aligned.
    void setRightAligned(QList<int> columns) { m_rightAligned = std::move(columns); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void columnWidthChanged(int col);

private:
    void gridAboutToReset() override;
    void gridReset() override;
    void gridRowsAboutToBeInserted(int first, int count) override;
    void gridRowsInserted() override;
    void gridRowsAboutToBeRemoved(int first, int count) override;
    void gridRowsRemoved() override;
    void gridCellsChanged(int firstRow, int firstCol, int lastRow, int lastCol) override;
    void gridColumnWidthChanged(int col) override;

    Grid *m_grid;
    QList<int> m_rightAligned;
    bool m_headerMoves = false;
};

} // namespace purslet
