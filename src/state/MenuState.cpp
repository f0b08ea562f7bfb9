#include "state/MenuState.h"

#include "platform/RuntimeError.h"
#include "state/MenuTable.h"

namespace purslet {

MenuState::MenuState()
{
    for (const MenuEntry &e : MenuTable())
        m_items.insert(e.name, MenuItemState{e.caption, e.enabled, false, e.visible});
}

const MenuItemState &MenuState::item(const QString &name) const
{
    auto it = m_items.constFind(name);
    if (it == m_items.constEnd())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("メニュー項目がありません: ") + name);
    return *it;
}

MenuItemState &MenuState::mutableItem(const QString &name)
{
    auto it = m_items.find(name);
    if (it == m_items.end())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("メニュー項目がありません: ") + name);
    return *it;
}

void MenuState::changed(const QString &name)
{
    if (onChanged)
        onChanged(name);
}

void MenuState::setEnabled(const QString &name, bool enabled)
{
    MenuItemState &i = mutableItem(name);
    if (i.enabled == enabled)
        return;
    i.enabled = enabled;
    changed(name);
}

void MenuState::setChecked(const QString &name, bool checked)
{
    MenuItemState &i = mutableItem(name);
    if (i.checked == checked)
        return;
    i.checked = checked;
    changed(name);
}

void MenuState::setCaption(const QString &name, const QString &caption)
{
    MenuItemState &i = mutableItem(name);
    if (i.caption == caption)
        return;
    i.caption = caption;
    changed(name);
}

void MenuState::setVisible(const QString &name, bool visible)
{
    MenuItemState &i = mutableItem(name);
    if (i.visible == visible)
        return;
    i.visible = visible;
    changed(name);
}

void MenuState::setHistory(const QStringList &paths)
{
    m_history = paths;
    changed(QStringLiteral("fileHistory"));
}

} // namespace purslet
