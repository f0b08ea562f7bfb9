#pragma once

#include <QObject>

// Keys act where the caret is: the clipboard keys in the matter and amount
// boxes, disabled items' keys left to the field, the Edit items following the
// memo at once.
class DesktopKeysTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void clipboardKeysStayInTheMatterAndAmountBoxes();
    void disabledItemKeysGoOnToTheField();
    void pasteRightAfterCut();
};
