#include "ledger/CalendarPresenter.h"

#include "ledger/InputPresenter.h"
#include "platform/Ui.h"
#include "shell/App.h"

namespace purslet {

CalendarPresenter::CalendarPresenter(App &app, InputPresenter &input) : m_app(app), m_input(input) {}

void CalendarPresenter::MonthView_DateClick(QDate date)
{
    if (date.isValid())
        m_input.setDate(date.toString(QStringLiteral("yyyy/MM/dd")));
}

void CalendarPresenter::MouseMove(const QString &controlName)
{
    if (controlName == QLatin1String("MonthView"))
        ShowStatus(m_app.ui, QStringLiteral("日付をクリックすることで記入日が指定できます。"));
    else if (controlName == QLatin1String("Form"))
        ShowStatus(m_app.ui, QString());
}

} // namespace purslet
