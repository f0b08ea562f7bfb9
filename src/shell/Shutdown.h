#pragma once

#include <QString>

namespace purslet {

class Presenters;
class ShellView;

// The value shut-down writes for one key of Setup.ini, from the windows,
// the grids, the book's sort state and the menu.
QString CurrentSettingValue(Presenters &presenters, ShellView &view, const QString &section, const QString &key);

enum class EndOutcome {
    Ended,      // every step was done and the end requested from the Ui
    BookKept,   // the save question did not let the exit go on: keep running
    StepFailed, // Setup.ini or the backup could not be replaced; nothing said
};

// fileEnd_Click: the save question, Setup.ini removed and written whole, the
// backup removed, the program ended through the Ui. Returns only when a step
// failed (the rest is then not done) or when the Ui did not end the process.
EndOutcome fileEnd_Click(Presenters &presenters, ShellView &view);

} // namespace purslet
