#pragma once

#include <QObject>

// Under a real window manager (openbox, started by the test on the display):
// windows come back where the user left them.
class WindowManagerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void matterEditorReopensWhereItWasClosed();
};
