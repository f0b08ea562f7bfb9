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

// Keys that belong to the main window wherever its focus is. The Edit menu's
// shortcuts run their commands even from a text field, whose own undo, copy
// and paste would otherwise take them, and even while the item is disabled,
// so that the command says why it cannot act. Ctrl+Tab and Ctrl+Shift+Tab
// step through every visible child window in a fixed order.
class MainWindowKeys final
{
public:
    MainWindowKeys(QWidget *window, QMdiArea *mdi, std::function<void(MenuItem)> runItem);

    void addItem(MenuItem item, const QKeySequence &keys);
    void setChildOrder(QList<QMdiSubWindow *> children) { m_children = std::move(children); }

    // For the application-wide event filter: true when the event was ours.
    bool filter(QObject *watched, QEvent *event);

private:
    void cycle(int step);

    QWidget *m_window;
    QMdiArea *m_mdi;
    std::function<void(MenuItem)> m_runItem;
    QList<std::pair<QKeySequence, MenuItem>> m_items;
    QList<QMdiSubWindow *> m_children;
};

} // namespace purslet
