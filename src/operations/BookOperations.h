#pragma once

#include "data/Amount.h"

#include <QString>

namespace purslet {

class App;
class Ui;

// Every change to the book goes through one of these. Each runs the whole
// sequence: the undo backup where one is taken, the change, the balances,
// the catalogs, the summaries, the modified flag and AppChange::Book. The
// commands and presenters only ask; reading a file is FileReading.

struct NewRecord
{
    QString date;
    bool income = true;
    QString matter; // "その他" is recorded as no matter
    Amount amount;
    QString memo;
};

// Records `record` after the records of its date. False when it was refused
// (a full book, a character code page 932 lacks) or a step was abandoned.
bool EnterRecord(App &app, const NewRecord &record);

// Deletes the cash book's rows first..last, which must be records.
void DeleteRecords(App &app, int first, int last);
// A delete the user declined: the summaries are made again and the book
// counts as changed, as after a delete.
void DeclineDelete(App &app);

// Brings back the book of the undo backup, keeping the book's own file name;
// the caller has asked. Shows why when there is no backup.
void UndoLastChange(App &app);
void ReportNoBackup(Ui &ui);

// An empty book belonging to no file.
void NewBook(App &app);

} // namespace purslet
