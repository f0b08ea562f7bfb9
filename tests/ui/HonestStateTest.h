#pragma once

#include <QObject>

// What the desktop shows after a write it refused or that failed: the book's
// own file untouched, and no status text of work that is not going on.
class HonestStateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void noWriteOfAnotherKindReplacesTheOpenBook();
    void statusBarIsClearedAfterAFailedWriteOrARefusedRead();
};
