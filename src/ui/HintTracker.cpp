#include "ui/HintTracker.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace purslet {

HintTracker::HintTracker(QWidget *window, std::function<void(const QString &)> mouseMove)
    : QObject(window), m_window(window), m_mouseMove(std::move(mouseMove))
{
}

void HintTracker::add(QWidget *control, const QString &name)
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
    m_names.insert(control, name);
}

void HintTracker::addBackground()
{
    add(m_window, QStringLiteral("Form"));
}

bool HintTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    const auto name = m_names.constFind(watched);
    if (name == m_names.constEnd())
        return false;
    // Labels and frames pass the move on to the window: only the background
    // between them clears the hint.
    if (watched == m_window && m_window->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
        return false;
    m_mouseMove(*name);
    return false;
}

} // namespace purslet
