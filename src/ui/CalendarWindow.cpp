#include "ui/CalendarWindow.h"

#include "presenters/CalendarPresenter.h"
#include "ui/HintTracker.h"

#include <QCalendarWidget>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace purslet {

CalendarWindow::CalendarWindow(CalendarPresenter &presenter, QWidget *parent) : QWidget(parent), m_presenter(presenter)
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("カレンダーウインドウ"));

    m_monthView = new QCalendarWidget(this);
    m_monthView->setObjectName(QStringLiteral("MonthView"));
    m_monthView->setLocale(QLocale(QLocale::Japanese, QLocale::Japan)); // the program speaks Japanese
    m_monthView->setSelectedDate(QDate::currentDate());
    m_monthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthView->setGridVisible(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_monthView);

    // Japanese calendars: Saturdays blue, Sundays red.
    QTextCharFormat saturday = m_monthView->weekdayTextFormat(Qt::Saturday);
    saturday.setForeground(QColor(0, 0, 255));
    m_monthView->setWeekdayTextFormat(Qt::Saturday, saturday);
    QTextCharFormat sunday = m_monthView->weekdayTextFormat(Qt::Sunday);
    sunday.setForeground(QColor(255, 0, 0));
    m_monthView->setWeekdayTextFormat(Qt::Sunday, sunday);

    connect(m_monthView, &QCalendarWidget::clicked, this,
            [this](QDate date) { m_presenter.MonthView_DateClick(date); });
    // Enter and a double-click pick the date as a click does; the arrow keys
    // move the highlight, and the entry date follows it, so that the field
    // and the calendar never show different dates.
    connect(m_monthView, &QCalendarWidget::activated, this,
            [this](QDate date) { m_presenter.MonthView_DateClick(date); });
    connect(m_monthView, &QCalendarWidget::selectionChanged, this,
            [this] { m_presenter.MonthView_DateClick(m_monthView->selectedDate()); });

    // The calendar is built from several widgets; each shows the hint.
    auto *hints = new HintTracker(this, [this](const QString &control) { m_presenter.MouseMove(control); });
    hints->add(m_monthView, QStringLiteral("MonthView"));
    const QList<QWidget *> parts = m_monthView->findChildren<QWidget *>();
    for (QWidget *part : parts)
        hints->add(part, QStringLiteral("MonthView"));
}

QSize CalendarWindow::sizeHint() const
{
    return m_monthView->sizeHint();
}

} // namespace purslet
