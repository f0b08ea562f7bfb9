#include "ui/SubWindowWidth.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace purslet {

int SubWindowWidthForTitle(const QMdiSubWindow *window)
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.text = window->windowTitle();
    option.icon = window->windowIcon();
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = int(Qt::WindowActive);
    option.state |= QStyle::State_Active;
    option.subControls = QStyle::SC_All;
    QStyle *style = window->style();
    option.rect = QRect(0, 0, window->width(), style->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
    const int label = style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, window).width();
    // Styles draw the title bold; measure it so.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int text = QFontMetrics(font).horizontalAdvance(option.text) + 4;
    return window->width() - label + text;
}

} // namespace purslet
