#pragma once

#include <QObject>

// The entry, calendar and book windows and the matter editor, driven as a user would.
class ChildWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void amountFieldFiltersAsTyped();
    void fullWidthDigitsAreDigits();
    void matterCompletesWhileTyping();
    void returnRecordsAndClearsTheFields();
    void hintsAndDateClick();
    void calendarPicksTheEntryDate();
    void bookWindowShowsTheGridsWithTheirWidths();
    void cashBookSelectionMadeUpwards();
    void summaryHeaderClickSortsAndColours();
    void memoTakesTheRestAndShowsWholeInATooltip();
    void matterEditorFiltersAndKeepsItsPosition();
    void screenshots();
};
