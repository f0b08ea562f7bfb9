#include "data/Grid.h"

#include "platform/HeapReserve.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <type_traits>

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
    m_rows = rows;
    m_cells.resize(qsizetype(at(rows, 0)));
    if (!m_colours.empty())
        m_colours.resize(at(rows, 0), 0);
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
    relayout(cols);
    m_widths.resize(size_t(cols), 0);
    if (m_col >= cols) m_col = cols - 1;
    if (m_colSel >= cols) m_colSel = cols - 1;
    if (!quiet())
        m_observer->gridReset();
}

void Grid::relayout(int cols)
{
    if (cols == m_cols)
        return;
    const auto widen = [&](auto &cells, auto blank) {
        if (cells.empty())
            return;
        std::remove_reference_t<decltype(cells)> wider(m_rows * cols, blank);
        const int kept = std::min(cols, m_cols);
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < kept; ++c)
                wider[size_t(r) * size_t(cols) + size_t(c)] = std::move(cells[at(r, c)]);
        cells = std::move(wider);
    };
    widen(m_cells, QString());
    widen(m_colours, Rgb(0));
    m_cols = cols;
    if (m_cells.empty())
        m_cells.resize(qsizetype(at(m_rows, 0)));
}

void Grid::reserveRows(int rows)
{
    const auto cells = qsizetype(at(std::max(rows, 0), 0));
    if (cells <= m_cells.capacity())
        return;
    m_cells.reserve(cells);
    PrefaultMemory(m_cells.data() + m_cells.size(), size_t(cells - m_cells.size()) * sizeof(QString));
}

const QString &Grid::text(int row, int col) const
{
    checkCell(row, col);
    return m_cells[at(row, col)];
}

void Grid::setText(int row, int col, const QString &text)
{
    checkCell(row, col);
    m_cells[at(row, col)] = text;
    if (!quiet())
        m_observer->gridCellsChanged(row, col, row, col);
}

QStringList Grid::rowTexts(int row) const
{
    checkCell(row, 0);
    const auto first = m_cells.begin() + qsizetype(at(row, 0));
    return QStringList(first, first + m_cols);
}

const QString *Grid::rowCells(int row) const
{
    checkCell(row, 0);
    return m_cells.constData() + at(row, 0);
}

Rgb Grid::cellBackground(int row, int col) const
{
    checkCell(row, col);
    return m_colours.empty() ? 0 : m_colours[at(row, col)];
}

void Grid::setCellBackground(int row, int col, Rgb colour)
{
    checkCell(row, col);
    if (m_colours.empty()) {
        if (colour == 0)
            return;
        m_colours.resize(m_cells.size(), 0);
    }
    m_colours[at(row, col)] = colour;
    if (!quiet())
        m_observer->gridCellsChanged(row, col, row, col);
}

void Grid::insertRow(int at, const QStringList &cells)
{
    insertRow(at, QStringList(cells));
}

void Grid::insertRow(int at, QStringList &&cells)
{
    cells.resize(m_cols);
    insertRow(at, cells.data(), m_cols);
}

void Grid::insertRow(int at, QString *cells, int count)
{
    if (at < 0 || at > rows())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("行の挿入位置が範囲外です。"));
    if (!quiet())
        m_observer->gridRowsAboutToBeInserted(at, 1);
    const auto first = qsizetype(this->at(at, 0));
    m_cells.insert(first, m_cols, QString());
    QString *const to = m_cells.data() + first;
    for (int c = 0, taken = std::clamp(count, 0, m_cols); c < taken; ++c)
        to[c].swap(cells[c]);
    if (!m_colours.empty())
        m_colours.insert(m_colours.begin() + first, size_t(m_cols), 0);
    ++m_rows;
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
    const auto first = qsizetype(this->at(at, 0));
    m_cells.remove(first, m_cols);
    if (!m_colours.empty())
        m_colours.erase(m_colours.begin() + first, m_colours.begin() + first + m_cols);
    --m_rows;
    if (m_row >= rows()) m_row = rows() - 1;
    if (m_rowSel >= rows()) m_rowSel = rows() - 1;
    if (!quiet())
        m_observer->gridRowsRemoved();
}

void Grid::clear()
{
    if (!quiet())
        m_observer->gridAboutToReset();
    for (QString &c : m_cells)
        c.clear();
    m_colours.clear();
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
    if (!quiet())
        m_observer->gridAboutToReset();
    // Each cycle of the permutation is followed in place: no second table
    // of rows, which for a whole book is megabytes.
    const auto follow = [&](auto &cells, auto &held) {
        const auto moveRow = [&](auto *to, auto *from) { std::move(from, from + m_cols, to); };
        std::fill(placed.begin(), placed.end(), false);
        auto *base = cells.data() + at(first, 0);
        for (size_t start = 0; start < order.size(); ++start) {
            if (placed[start])
                continue;
            moveRow(held.data(), base + start * size_t(m_cols));
            size_t i = start;
            for (;;) {
                placed[i] = true;
                const size_t from = size_t(order[i]);
                if (from == start)
                    break;
                moveRow(base + i * size_t(m_cols), base + from * size_t(m_cols));
                i = from;
            }
            moveRow(base + i * size_t(m_cols), held.data());
        }
    };
    std::vector<QString> heldCells(static_cast<size_t>(m_cols));
    follow(m_cells, heldCells);
    if (!m_colours.empty()) {
        std::vector<Rgb> heldColours(static_cast<size_t>(m_cols));
        follow(m_colours, heldColours);
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
