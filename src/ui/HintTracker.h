#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace purslet {

// The hints of one window: the pointer over a control tells the presenter
// the control's name, which its hint table turns into the status text.
class HintTracker final : public QObject
{
public:
    HintTracker(QWidget *window, std::function<void(const QString &)> mouseMove);

    void add(QWidget *control, const QString &name);
    // The window's bare background, between the controls, as "Form".
    void addBackground();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void(const QString &)> m_mouseMove;
    QHash<QObject *, QString> m_names;
};

} // namespace purslet
