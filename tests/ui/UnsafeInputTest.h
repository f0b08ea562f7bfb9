#pragma once

#include <QObject>

// Input that could lock a book or lose characters, refused where it is typed,
// and text kept as the file gives it back: the password prompts (the save's
// and the encrypted book's) and the entry window.
class UnsafeInputTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void savePasswordIsTypedTwiceInCodePage932();
    void entryRefusesCharactersWithoutACode();
    void typedVariantsAreKeptAsTheFileGivesThemBack();
    void passwordOpensAsTheFileGivesItBack();
    void encryptedBookNeedsAPasswordAndOpensOnlyWithIt();
};
