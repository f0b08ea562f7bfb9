#pragma once

#include <QObject>

// The whole program as a user meets it: start on an empty program folder,
// three entries through the entry window, undo, exit and a second start.
class ShellSessionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstStartRecordUndoExitAndRestart();
    void menusToolbarAndStatusBar();
    void sizeRuleAndCloseBoxes();
    void altERecordsInTheEntryWindowAndOpensEditElsewhere();
    void versionWindow();
    void fileFilterAndStatusPanel();
    void screenshotsOfTheSample();
};
