#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

namespace purslet {

struct MenuItemState
{
    QString caption;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
};

// Caption, enabled, check mark and visibility of every menu item by name, and
// the recent-file items after the separator element fileHistory(0).
class MenuState final
{
public:
    MenuState();

    const MenuItemState &item(const QString &name) const;
    bool enabled(const QString &name) const { return item(name).enabled; }
    bool checked(const QString &name) const { return item(name).checked; }
    QString caption(const QString &name) const { return item(name).caption; }

    void setEnabled(const QString &name, bool enabled);
    void setChecked(const QString &name, bool checked);
    void setCaption(const QString &name, const QString &caption);
    void setVisible(const QString &name, bool visible);

    // fileHistory elements 1..n (element 0 is the item "fileHistory").
    const QStringList &history() const { return m_history; }
    void setHistory(const QStringList &paths);

    // Called with the item name after any change ("fileHistory" for the list).
    std::function<void(const QString &)> onChanged;

private:
    MenuItemState &mutableItem(const QString &name);
    void changed(const QString &name);

    QHash<QString, MenuItemState> m_items;
    QStringList m_history;
};

} // namespace purslet
