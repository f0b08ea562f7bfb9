#pragma once

#include "data/Amount.h"

#include <QString>
#include <QStringList>

namespace purslet {

class App;
struct Book;
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

// Why `text` cannot be recorded: its first character code page 932 lacks;
// empty when it has none.
QString Cp932Refusal(const QString &text);

// Records `record` after the records of its date. False when it was refused
// (a full book, a character code page 932 lacks) or a step was abandoned.
bool EnterRecord(App &app, const NewRecord &record);

// Puts `record` in the place of the whole book's record at `row`, moved to
// its date's place; Undo's caption says "-修正".
bool ChangeRecord(App &app, int row, const NewRecord &record);
// The whole book's record at `row` as the entry window holds one.
NewRecord RecordAt(const Book &book, int row);
// The whole book's row of the record the cash book shows at `shownRow`; 0
// for a row that is no record (the header, a month's carried balance, the
// empty rows, the total).
int BookRowOfShown(const Book &book, int shownRow);

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

// Shows `period` ("2026/12", or empty for the whole book): the cash book and
// the summaries of that period.
void ShowPeriod(App &app, const QString &period);
// The periods to choose from, in the order of the period bar: the whole
// book, then the months holding a record and the one shown, newest first.
QStringList Periods(const App &app);
// One month back (-1) or forth (+1) from the one shown. The whole book
// comes after the newest month, so that back from it is the newest month.
void StepPeriod(App &app, int step);

} // namespace purslet
