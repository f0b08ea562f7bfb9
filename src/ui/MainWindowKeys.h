#pragma once

#include "state/MenuTable.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QEvent;
class QMdiArea;
class QMdiSubWindow;
class QObject;
class QWidget;

namespace purslet {

// Keys that belong to the main window wherever its focus is. An enabled Edit
// item's shortcut runs its command even from a text field, whose own undo,
// copy and paste would otherwise take it; a disabled item's key goes on to the
// field. The boxes that keep their clipboard keys (matter, amount) copy, cut
// and paste in themselves, Ctrl+T being their cut there too. Ctrl+Tab and
// Ctrl+Shift+Tab step through every visible child window in a fixed order.
class MainWindowKeys final
{
public:
    struct Hooks
    {
        std::function<void(MenuItem)> runItem;
        std::function<bool(MenuItem)> enabled;
        std::function<bool(const QWidget *)> keepsClipboardKeys;
    };

    MainWindowKeys(QWidget *window, QMdiArea *mdi, Hooks hooks);

    void addItem(MenuItem item, const QKeySequence &keys);
    void setChildOrder(QList<QMdiSubWindow *> children) { m_children = std::move(children); }

    // For the application-wide event filter: true when the event was ours.
    bool filter(QObject *watched, QEvent *event);

private:
    void cycle(int step);

    QWidget *m_window;
    QMdiArea *m_mdi;
    Hooks m_hooks;
    QList<std::pair<QKeySequence, MenuItem>> m_items;
    QList<QMdiSubWindow *> m_children;
};

} // namespace purslet
