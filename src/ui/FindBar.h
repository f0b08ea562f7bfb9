#pragma once

#include "presenters/FindPresenter.h"

#include <QWidget>

#include <functional>

class QLineEdit;

namespace purslet {

class App;

// The find bar at the foot of the book window: Enter or F3 goes to the next
// record that matches, Shift+F3 to the previous, Esc closes the bar.
class FindBar final : public QWidget
{
    Q_OBJECT
public:
    FindBar(App &app, QWidget *parent);

    QLineEdit *text() const { return m_text; }
    // Shown with its text selected and the focus in it.
    void open();
    void step(int direction);

    // The cash book's grid row a step starts from (0 for none), the row
    // found, and the bar closed.
    std::function<int()> currentRow;
    std::function<void(int row)> onFound;
    std::function<void()> onClosed;
    // The window makes room for the bar, or takes it back.
    std::function<void()> onShownOrHidden;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    FindPresenter m_presenter;
    QLineEdit *m_text = nullptr;
};

} // namespace purslet
