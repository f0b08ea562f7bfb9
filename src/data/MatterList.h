#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace purslet {

// The matter list of the entry window: names added without a position go in
// sorted order ignoring letter case; a name put at a position stays there.
class MatterList final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int count() const { return int(m_items.size()); }
    const QString &item(int index) const { return m_items.at(index); }
    const QStringList &items() const { return m_items; }

    void clear();
    // Sorted insertion; returns the position taken.
    int addSorted(const QString &name);
    void insertAt(int position, const QString &name);
    bool containsExactly(const QString &name) const { return m_items.contains(name, Qt::CaseSensitive); }
    // The first entry, in list order, that begins with the prefix ignoring
    // letter case; -1 when none does.
    int findPrefix(const QString &prefix) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_items;
};

} // namespace purslet
