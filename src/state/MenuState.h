#pragma once

#include "state/MenuTable.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace purslet {

struct MenuItemState
{
    QString caption;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
};

// Caption, enabled, check mark and visibility of every menu item, and the
// recent-file items after the separator element fileHistory(0).
class MenuState final
{
public:
    MenuState();

    const MenuItemState &item(MenuItem item) const { return m_items[size_t(item)]; }
    bool enabled(MenuItem item) const { return this->item(item).enabled; }
    bool checked(MenuItem item) const { return this->item(item).checked; }
    QString caption(MenuItem item) const { return this->item(item).caption; }

    void setEnabled(MenuItem item, bool enabled) { set(item, &MenuItemState::enabled, enabled); }
    void setChecked(MenuItem item, bool checked) { set(item, &MenuItemState::checked, checked); }
    void setVisible(MenuItem item, bool visible) { set(item, &MenuItemState::visible, visible); }
    void setCaption(MenuItem item, const QString &caption) { set(item, &MenuItemState::caption, caption); }

    // fileHistory elements 1..n (element 0 is the item fileHistory).
    const QStringList &history() const { return m_history; }
    void setHistory(const QStringList &paths);

    // Called with the item after any change (fileHistory for the list).
    std::function<void(MenuItem)> onChanged;

private:
    template <typename T> void set(MenuItem item, T MenuItemState::*field, const T &value)
    {
        T &current = m_items[size_t(item)].*field;
        if (current == value)
            return;
        current = value;
        changed(item);
    }
    void changed(MenuItem item);

    std::array<MenuItemState, kMenuItemCount> m_items;
    QStringList m_history;
};

} // namespace purslet
