#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace purslet {

// Every menu and menu item of the main window, in menu order. The
// enumerator is the item's name; the table spells it for object names and
// Setup.ini keys.
// clang-format off
enum class MenuItem {
    menuFile, fileNew, fileOpen, fileBar1, fileSave, fileWrite, fileBar2,
    filePrint, printCashier, printIncome, printOutgo, printBar1, printAll, filePdf,
    fileHistory, fileBar3, fileEnd,
    mnuEdit, editUndo, editBar1, editCut, editCopy, editPaste, editBar2, editDelete, editMatter, editFind,
    mnuShow, showInput, showCalendar, showMain, showBar1, showGraph, showBar2, showPeriod, showPeriodBack,
    showPeriodForth,
    mnuSetup, setupHighSpeedMode, setupBar1, setupDeleteHistory,
    mnuHelp, helpIndex, helpTopics, helpBar1, helpSupport, helpBar2, helpVersion,
};
// clang-format on
inline constexpr int kMenuItemCount = int(MenuItem::helpVersion) + 1;

// One entry of the menu bar. Submenus list their parent.
struct MenuEntry
{
    MenuItem item;
    std::optional<MenuItem> parent; // none for the menus of the bar
    QString name;                   // the item's name as spelled: "fileNew"
    QString caption;                // "-" for a separator
    QString shortcut;               // QKeySequence text: "Ctrl+N", "F1"
    bool enabled = true;
    bool visible = true;
    bool checkable = false;
    bool isMenu = false;
};

// Indexed by MenuItem: entry i describes MenuItem(i).
const std::vector<MenuEntry> &MenuTable();
inline const MenuEntry &MenuEntryOf(MenuItem item)
{
    return MenuTable()[size_t(item)];
}
inline const QString &MenuItemName(MenuItem item)
{
    return MenuEntryOf(item).name;
}
// The item a spelled name stands for (a Setup.ini key).
std::optional<MenuItem> MenuItemNamed(const QString &name);

// The toolbar: fourteen positions; an empty key is a separator.
struct ToolbarEntry
{
    QString key; // button key and picture key
    QString tooltip;
    std::optional<MenuItem> command; // the menu item whose command it runs
};

const std::vector<ToolbarEntry> &ToolbarTable();

// The menu item a toolbar key runs; none when no key matches exactly.
std::optional<MenuItem> ToolbarCommandFor(const QString &key);

} // namespace purslet
