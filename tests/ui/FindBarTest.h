#pragma once

#include <QObject>

// The find bar: opened with Ctrl+F, text typed in either width, Enter, F3
// and Shift+F3 moving the cash book's selection, a month limiting the
// matches, Esc giving the focus back to the cash book.
class FindBarTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void findsRecordsByKeys();
};
