#pragma once

#include <QString>

#include <vector>

namespace purslet {

// One entry of the menu bar, in menu order. Submenus list their parent.
struct MenuEntry
{
    QString name;     // menuFile, fileNew, ...
    QString parent;   // empty for the menus of the bar
    QString caption;  // "-" for a separator
    QString shortcut; // QKeySequence text: "Ctrl+N", "F1"
    bool enabled = true;
    bool visible = true;
    bool checkable = false;
    bool isMenu = false;
};

const std::vector<MenuEntry> &MenuTable();

// The toolbar: fourteen positions; an empty key is a separator.
struct ToolbarEntry
{
    QString key;      // button key and picture key
    QString tooltip;
    QString command;  // the menu item whose command it runs
};

const std::vector<ToolbarEntry> &ToolbarTable();

// The menu item a toolbar key runs; empty when no key matches exactly.
QString ToolbarCommandFor(const QString &key);

} // namespace purslet
