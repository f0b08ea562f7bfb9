#include "data/MatterList.h"

namespace purslet {

void MatterList::clear()
{
    if (m_items.isEmpty())
        return;
    beginResetModel();
    m_items.clear();
    endResetModel();
}

int MatterList::addSorted(const QString &name)
{
    // After the last item that is not greater, so equal names keep their order.
    auto it = std::upper_bound(m_items.begin(), m_items.end(), name, [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const int position = int(it - m_items.begin());
    insertAt(position, name);
    return position;
}

void MatterList::insertAt(int position, const QString &name)
{
    position = std::clamp(position, 0, count());
    beginInsertRows(QModelIndex(), position, position);
    m_items.insert(position, name);
    endInsertRows();
}

int MatterList::findPrefix(const QString &prefix) const
{
    for (int i = 0; i < count(); ++i)
        if (m_items[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

int MatterList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant MatterList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_items[index.row()];
    return {};
}

} // namespace purslet
