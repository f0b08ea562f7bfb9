#pragma once

#include <QObject>

// The period bar: the months of the book, stepped with keys and buttons, a
// month's tables, and the carried balance row that no delete can take.
class PeriodBarTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void monthsAreChosenByKeysButtonsAndTheDropDown();
    void theCarriedRowIsNoRecord();
};
