#pragma once

#include <QObject>

// A matter renamed or merged in the matter editor, and taken back with Undo.
class MatterRenameTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void renameAndMergeAreUndoneWhole();
};
