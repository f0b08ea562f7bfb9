#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace purslet {

// 0xAARRGGBB; 0 means the grid's own colour. (Rgb lives in QtGui.)
using Rgb = quint32;

// Told about every change so that a view can follow; a bulk update is one reset.
class GridObserver
{
public:
    virtual ~GridObserver() = default;
    virtual void gridAboutToReset() = 0;
    virtual void gridReset() = 0;
    virtual void gridRowsAboutToBeInserted(int first, int count) = 0;
    virtual void gridRowsInserted() = 0;
    virtual void gridRowsAboutToBeRemoved(int first, int count) = 0;
    virtual void gridRowsRemoved() = 0;
    virtual void gridCellsChanged(int firstRow, int firstCol, int lastRow, int lastCol) = 0;
    virtual void gridColumnWidthChanged(int col) { Q_UNUSED(col); }
};

// A table of cell texts with one fixed header row, as the book window shows it:
// current cell, selection end, per-cell background colour, column widths in twips.
class Grid final
{
public:
    explicit Grid(QString name);

    const QString &name() const { return m_name; }

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);

    const QString &text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    QStringList rowTexts(int row) const;
    // The texts of a row without a copy (cols() of them), for loops over
    // every row: checked once for the row, not once per cell.
    const QString *rowCells(int row) const;

    // 0 is the grid's own colour; anything else is an opaque RGB.
    Rgb cellBackground(int row, int col) const;
    void setCellBackground(int row, int col, Rgb colour);

    // Inserts a row before `at` (at == rows() appends). Missing cells are empty.
    void insertRow(int at, const QStringList &cells = {});
    // The same, taking the list over: a row of the right width is kept as it is.
    void insertRow(int at, QStringList &&cells);
    // The same from `count` texts, which are taken over (left empty).
    void insertRow(int at, QString *cells, int count);
    // Room for `rows` rows in all, so that a long run of inserts moves no row.
    void reserveRows(int rows);
    // Throws RuntimeError when the row does not exist, or when it is the last
    // row below the header (a grid keeps at least one body row).
    void removeRow(int at);
    // Empties every cell and every colour; keeps rows and columns.
    void clear();

    // Rows first..first+order.size()-1 take the rows at first+order[i].
    void reorderRows(int first, const std::vector<int> &order);

    int row() const { return m_row; }
    int col() const { return m_col; }
    int rowSel() const { return m_rowSel; }
    int colSel() const { return m_colSel; }
    void setCurrentCell(int row, int col) { m_row = m_rowSel = row; m_col = m_colSel = col; }
    void setSelection(int row, int col, int rowSel, int colSel);

    int colWidth(int col) const;
    void setColWidth(int col, int twips);

    void setObserver(GridObserver *observer) { m_observer = observer; }

    // While any bulk update is open the observer hears nothing; at the end one reset.
    void beginBulk();
    void endBulk();

    class Bulk final
    {
    public:
        explicit Bulk(Grid &grid) : m_grid(grid) { m_grid.beginBulk(); }
        ~Bulk() { m_grid.endBulk(); }
        Bulk(const Bulk &) = delete;
        Bulk &operator=(const Bulk &) = delete;

    private:
        Grid &m_grid;
    };

private:
    void checkCell(int row, int col) const;
    bool quiet() const { return m_observer == nullptr || m_bulk > 0; }
    size_t at(int row, int col) const { return size_t(row) * size_t(m_cols) + size_t(col); }
    // Makes every row `cols` cells wide, keeping what fits.
    void relayout(int cols);

    QString m_name;
    // The cells row after row, in one block: a whole book is one allocation,
    // not one per row, and a row inserted or removed mid-book moves the cells
    // after it as bytes.
    QList<QString> m_cells;
    std::vector<Rgb> m_colours; // empty while no cell is coloured, else one per cell
    int m_rows = 0;
    int m_cols = 0;
    int m_row = 0, m_col = 0, m_rowSel = 0, m_colSel = 0;
    std::vector<int> m_widths;
    GridObserver *m_observer = nullptr;
    int m_bulk = 0;
};

} // namespace purslet
