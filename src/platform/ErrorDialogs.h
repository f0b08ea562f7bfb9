#pragma once

#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace purslet {

// The program-wide dialog for run-time errors in the ledger routines:
// stop icon, No as default; No ends the program through Exit, and goes on
// when the user keeps the program at its save question. Returns true to go on.
bool SystemErrorDialog(Ui &ui, const RuntimeError &error);

// The variant of the file, print and history commands: warning icon, Yes as
// default; No ends only the command. Returns true to go on.
bool InlineErrorDialog(Ui &ui, const RuntimeError &error);

QString SystemErrorTitle(const RuntimeError &error);
QString SystemErrorText(const RuntimeError &error);

// Runs one step; a run-time error shows the dialog. Returns false when the
// caller must stop (the user said No). Templates so that a step costs no
// allocation inside the loops over every record.
template <typename Step>
bool RunStep(Ui &ui, Step &&step)
{
    try {
        step();
        return true;
    } catch (const RuntimeError &e) {
        return SystemErrorDialog(ui, e);
    }
}

template <typename Step>
bool RunInlineStep(Ui &ui, Step &&step)
{
    try {
        step();
        return true;
    } catch (const RuntimeError &e) {
        return InlineErrorDialog(ui, e);
    }
}

} // namespace purslet
