#include "ui/MainWindowKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <optional>

namespace purslet {

MainWindowKeys::MainWindowKeys(QWidget *window, QMdiArea *mdi, Hooks hooks)
    : m_window(window), m_mdi(mdi), m_hooks(std::move(hooks))
{
}

void MainWindowKeys::addItem(MenuItem item, const QKeySequence &keys)
{
    if (!keys.isEmpty())
        m_items.append({keys, item});
}

bool MainWindowKeys::filter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    // Seen once, at the widget with the focus (or at the window without one),
    // and only for the main window: dialogs keep their own keys.
    QWidget *focus = QApplication::focusWidget();
    if (watched != (focus ? static_cast<QObject *>(focus) : m_window))
        return false;
    if ((focus ? focus->window() : QApplication::activeWindow()) != m_window)
        return false;

    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    int step = 0;
    if (key->key() == Qt::Key_Tab && mods == Qt::ControlModifier)
        step = 1;
    else if ((key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab) &&
             mods == (Qt::ControlModifier | Qt::ShiftModifier))
        step = -1;
    std::optional<MenuItem> item;
    if (step == 0) {
        const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key->key())));
        for (const auto &[keys, edit] : std::as_const(m_items)) {
            if (keys == pressed) {
                item = edit;
                break;
            }
        }
        if (!item)
            return false;
        const bool clipboardKey =
            *item == MenuItem::editCut || *item == MenuItem::editCopy || *item == MenuItem::editPaste;
        if (clipboardKey && focus && m_hooks.keepsClipboardKeys && m_hooks.keepsClipboardKeys(focus)) {
            if (*item != MenuItem::editCut)
                return false; // the box's own copy and paste
            // Ctrl+T is no cut key of a text field: hand the box its own.
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                QKeyEvent cut(QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18"));
                QCoreApplication::sendEvent(focus, &cut);
            }
            return true;
        }
        if (m_hooks.enabled && !m_hooks.enabled(*item))
            return false;
    }

    // Claiming the override keeps both the field and Qt's shortcut from the
    // key; the press that follows is ours.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (step != 0)
            cycle(step);
        else
            m_hooks.runItem(*item);
    }
    return true;
}

void MainWindowKeys::cycle(int step)
{
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *child : std::as_const(m_children))
        if (child && child->isVisible())
            shown << child;
    if (shown.isEmpty())
        return;
    const qsizetype at = shown.indexOf(m_mdi->activeSubWindow());
    const qsizetype n = shown.size();
    const qsizetype next = at < 0 ? (step > 0 ? 0 : n - 1) : ((at + step) % n + n) % n;
    m_mdi->setActiveSubWindow(shown.at(next));
}

} // namespace purslet
