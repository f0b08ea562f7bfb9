#include "state/MenuState.h"

namespace purslet {

MenuState::MenuState()
{
    for (const MenuEntry &e : MenuTable())
        m_items[size_t(e.item)] = MenuItemState{e.caption, e.enabled, false, e.visible};
}

void MenuState::changed(MenuItem item)
{
    if (onChanged)
        onChanged(item);
}

void MenuState::setHistory(const QStringList &paths)
{
    m_history = paths;
    changed(MenuItem::fileHistory);
}

} // namespace purslet
