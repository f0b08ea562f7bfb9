#pragma once

#include <QDate>
#include <QString>

namespace purslet {

class App;
class InputPresenter;

// The calendar window (frmCalendar): a picked date goes into the entry's date field.
class CalendarPresenter final
{
public:
    CalendarPresenter(App &app, InputPresenter &input);

    void MonthView_DateClick(QDate date);
    void MouseMove(const QString &controlName);

private:
    App &m_app;
    InputPresenter &m_input;
};

} // namespace purslet
