#pragma once

#include <QObject>

// What the File and Edit commands must never lose: the book after Undo, the
// book whose save failed at exit, the file a read gave up on, the recent
// file the user chose, and the book behind a question left unanswered or an
// error that ends the program.
class BookSafetyTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void undoneBookIsOfferedForSaving();
    void failedSaveAtExitKeepsTheProgramRunning();
    void commandLineBookIsRecentAndARecentFileOpensTheOneClicked();
    void abandonedReadLeavesNoFileToOverwrite();
    void saveQuestionThatSavedNothingKeepsTheBook();
    void abandonedUndoLeavesNoFileToOverwrite();
    void unansweredSaveQuestionKeepsTheBook();
    void noInTheErrorDialogAsksTheSaveQuestion();
};
