#pragma once

#include <QObject>

// A recorded entry corrected in the entry window: loaded by a double-click or
// Enter on its row, applied by Enter, given up by Esc or another row.
class CorrectEntryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void aDoubleClickedRecordIsCorrectedWithEnter();
    void escapeOrAnotherRowGivesTheCorrectionUp();
};
