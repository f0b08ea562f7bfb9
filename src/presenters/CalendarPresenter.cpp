#include "presenters/CalendarPresenter.h"

#include "presenters/InputPresenter.h"
#include "platform/Hints.h"
#include "state/App.h"

namespace purslet {

CalendarPresenter::CalendarPresenter(App &app, InputPresenter &input) : m_app(app), m_input(input) {}

void CalendarPresenter::MonthView_DateClick(QDate date)
{
    if (date.isValid())
        m_input.setDate(date.toString(QStringLiteral("yyyy/MM/dd")));
}

namespace {
constexpr Hint kHints[] = {
    {"MonthView", u"日付をクリックすることで記入日が指定できます。"},
    {"Form", u""},
};
} // namespace

void CalendarPresenter::MouseMove(const QString &controlName)
{
    ShowHint(m_app.ui, kHints, controlName);
}

} // namespace purslet
