#pragma once

#include <QObject>

// Every key and click reaches its command: the program started as a user
// starts it, driven only by keys at the focus and clicks at positions.
class RealInputTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void typingStartsInTheMatterBox();
    void editKeysWinOverTheFields();
    void completionKeysReachTheMatterBox();
    void calendarFromTheKeyboard();
    void deleteTakesTheHighlightedRows();
    void summaryRowsFromTheKeyboard();
    void ctrlTabWalksEveryChildWindow();
    void statusBarPanelsClearTheHint();
    void lockPanelsFollowTheKeyboard();
    void firstStartShowsEveryCaption();
    void firstStartShowsTheWholeCashBook();
    void errorBoxFitsItsTitle();
};
