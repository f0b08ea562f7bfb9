#pragma once

#include <QObject>

// The modal windows the commands ask for exist in the desktop program, and
// asking for one that does not is reported.
class ModalWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyWindowIsRegisteredAndAMissingOneIsReported();
    void helpWithoutABrowserShowsThePageOrSaysWhy();
};
