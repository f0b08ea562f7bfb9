#include "data/Grid.h"

#include "platform/RuntimeError.h"

namespace purslet {

Grid::Grid(QString name) : m_name(std::move(name))
{
    setCols(1);
    setRows(2);
}

void Grid::checkCell(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("行または列の指定が範囲外です。"));
}

void Grid::setRows(int rows)
{
    if (rows < 1)
        rows = 1;
    if (rows == this->rows())
        return;
    if (!quiet())
        m_observer->gridAboutToReset();
    const int old = this->rows();
    m_rows.resize(size_t(rows));
    for (int r = old; r < rows; ++r)
        m_rows[size_t(r)].cells.resize(m_cols);
    if (m_row >= rows) m_row = rows - 1;
    if (m_rowSel >= rows) m_rowSel = rows - 1;
    if (!quiet())
        m_observer->gridReset();
}

void Grid::setCols(int cols)
{
    if (cols < 1)
        cols = 1;
    if (!quiet())
        m_observer->gridAboutToReset();
    m_cols = cols;
    for (Row &r : m_rows) {
        r.cells.resize(cols);
        if (!r.colours.isEmpty())
            r.colours.resize(cols);
    }
    m_widths.resize(size_t(cols), 0);
    if (m_col >= cols) m_col = cols - 1;
    if (m_colSel >= cols) m_colSel = cols - 1;
    if (!quiet())
        m_observer->gridReset();
}

const QString &Grid::text(int row, int col) const
{
    checkCell(row, col);
    return m_rows[size_t(row)].cells[col];
}

void Grid::setText(int row, int col, const QString &text)
{
    checkCell(row, col);
    m_rows[size_t(row)].cells[col] = text;
    if (!quiet())
        m_observer->gridCellsChanged(row, col, row, col);
}

QStringList Grid::rowTexts(int row) const
{
    checkCell(row, 0);
    return m_rows[size_t(row)].cells;
}

const QString *Grid::rowCells(int row) const
{
    checkCell(row, 0);
    return m_rows[size_t(row)].cells.constData();
}

Rgb Grid::cellBackground(int row, int col) const
{
    checkCell(row, col);
    const Row &r = m_rows[size_t(row)];
    return r.colours.isEmpty() ? 0 : r.colours[col];
}

void Grid::setCellBackground(int row, int col, Rgb colour)
{
    checkCell(row, col);
    Row &r = m_rows[size_t(row)];
    if (r.colours.isEmpty()) {
        if (colour == 0)
            return;
        r.colours.resize(m_cols, 0);
    }
    r.colours[col] = colour;
    if (!quiet())
        m_observer->gridCellsChanged(row, col, row, col);
}

void Grid::insertRow(int at, const QStringList &cells)
{
    insertRow(at, QStringList(cells));
}

void Grid::insertRow(int at, QStringList &&cells)
{
    if (at < 0 || at > rows())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("行の挿入位置が範囲外です。"));
    if (!quiet())
        m_observer->gridRowsAboutToBeInserted(at, 1);
    Row row;
    row.cells = std::move(cells);
    row.cells.resize(m_cols);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    if (!quiet())
        m_observer->gridRowsInserted();
}

void Grid::removeRow(int at)
{
    if (at < 0 || at >= rows())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("削除する行が範囲外です。"));
    if (rows() <= 2)
        throw RuntimeError(30015, QStringLiteral("最後の固定されていない行は削除できません。"));
    if (!quiet())
        m_observer->gridRowsAboutToBeRemoved(at, 1);
    m_rows.erase(m_rows.begin() + at);
    if (m_row >= rows()) m_row = rows() - 1;
    if (m_rowSel >= rows()) m_rowSel = rows() - 1;
    if (!quiet())
        m_observer->gridRowsRemoved();
}

void Grid::clear()
{
    if (!quiet())
        m_observer->gridAboutToReset();
    for (Row &r : m_rows) {
        for (QString &c : r.cells)
            c.clear();
        r.colours.clear();
    }
    if (!quiet())
        m_observer->gridReset();
}

void Grid::reorderRows(int first, const std::vector<int> &order)
{
    const auto refuse = [] {
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("並べ替えの範囲が不正です。"));
    };
    if (first < 0 || first + int(order.size()) > rows())
        refuse();
    // A permutation of the rows, each taken once.
    std::vector<bool> placed(order.size());
    for (int index : order) {
        if (index < 0 || size_t(index) >= order.size() || placed[size_t(index)])
            refuse();
        placed[size_t(index)] = true;
    }
    placed.assign(order.size(), false);
    if (!quiet())
        m_observer->gridAboutToReset();
    // Each cycle of the permutation is followed in place: no second table
    // of rows, which for a whole book is megabytes.
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        Row held = std::move(m_rows[size_t(first) + start]);
        size_t i = start;
        for (;;) {
            placed[i] = true;
            const size_t from = size_t(order[i]);
            if (from == start)
                break;
            m_rows[size_t(first) + i] = std::move(m_rows[size_t(first) + from]);
            i = from;
        }
        m_rows[size_t(first) + i] = std::move(held);
    }
    if (!quiet())
        m_observer->gridReset();
}

void Grid::setSelection(int row, int col, int rowSel, int colSel)
{
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
}

int Grid::colWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("列の指定が範囲外です。"));
    return m_widths[size_t(col)];
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("列の指定が範囲外です。"));
    if (m_widths[size_t(col)] == twips)
        return;
    m_widths[size_t(col)] = twips;
    if (m_observer)
        m_observer->gridColumnWidthChanged(col);
}

void Grid::beginBulk()
{
    if (m_bulk++ == 0) {
        if (m_observer)
            m_observer->gridAboutToReset();
    }
}

void Grid::endBulk()
{
    if (--m_bulk == 0 && m_observer)
        m_observer->gridReset();
}

} // namespace purslet
