#pragma once

#include <QWidget>

class QCalendarWidget;

namespace purslet {

class CalendarPresenter;

// The calendar window: one month calendar filling the window.
class CalendarWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit CalendarWindow(CalendarPresenter &presenter, QWidget *parent = nullptr);

    QCalendarWidget *monthView() const { return m_monthView; }
    QSize sizeHint() const override;

private:
    CalendarPresenter &m_presenter;
    QCalendarWidget *m_monthView = nullptr;
};

} // namespace purslet
