#pragma once

#include <QObject>

// The status-bar hints of the book window, the calendar and the matter
// editor follow the pointer over their real controls.
class HintsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachWindowHintsItsControlsAndClearsOverItsBackground();
};
