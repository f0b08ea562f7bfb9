#include "operations/BookOperations.h"

#include "calc/Cashier.h"
#include "calc/Catalogs.h"
#include "calc/MatterSummary.h"
#include "calc/Period.h"
#include "data/AmountFormat.h"
#include "data/Book.h"
#include "data/MatterKind.h"
#include "files/Backup.h"
#include "operations/BookReader.h"
#include "calc/BookReset.h"
#include "platform/Codepage.h"
#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "state/App.h"
#include "state/BookFile.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <vector>

namespace purslet {

namespace {

// Inserts the record where a stable sort by date would put a record added
// after all others, then keeps the layout: records, two empty rows, total.
void insertInDateOrder(Grid &grid, const QStringList &cells)
{
    const int n = grid.rows() - 4;
    const QString &date = cells.at(0);

    bool sorted = true;
    for (int r = 2; r <= n && sorted; ++r)
        sorted = !DateLess(grid.text(r, 0), grid.text(r - 1, 0));

    Grid::Bulk bulk(grid);
    if (sorted) {
        // Upper bound among equal dates: after the existing records of the day.
        int lo = 1, hi = n + 1;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (DateLess(date, grid.text(mid, 0)))
                hi = mid;
            else
                lo = mid + 1;
        }
        grid.insertRow(lo, cells);
        return;
    }

    // A book read in its stored order: insert after the last record, take the
    // empty rows out, sort all records stably, put the empty rows back.
    grid.insertRow(n + 1, cells);
    grid.removeRow(n + 2);
    grid.removeRow(n + 2);
    const int count = n + 1;
    std::vector<const QString *> keys(static_cast<size_t>(count), nullptr);
    for (int i = 0; i < count; ++i)
        keys[size_t(i)] = &grid.text(i + 1, 0);
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return DateLess(*keys[size_t(a)], *keys[size_t(b)]); });
    grid.reorderRows(1, order);
    grid.insertRow(grid.rows() - 1);
    grid.insertRow(grid.rows() - 1);
}

bool highSpeed(const App &app)
{
    return app.menu.checked(MenuItem::setupHighSpeedMode);
}

// The balances from the first record down, the summaries, the flag and the word to the views.
void finishChange(App &app, bool recalc)
{
    if (recalc)
        RecalcCashier(app.book, app.ui, app.book.msfgCashier.rows() - 4);
    BuildPeriod(app.book, app.ui);
    CalcMatterSummary(app.book, app.ui);
    app.setModified(true);
    app.notify(AppChange::Book);
}

void entryError(Ui &ui, const QString &text)
{
    ui.messageBox(text, QStringLiteral("記入エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
}

} // namespace

namespace {

// Refused here rather than saved as "?" without a word.
bool holdsOnlyCp932(App &app, const NewRecord &record)
{
    for (const QString *field : {&record.date, &record.matter, &record.memo}) {
        if (const QString why = Cp932Refusal(*field); !why.isEmpty()) {
            entryError(app.ui, why);
            return false;
        }
    }
    return true;
}

// The record put in its date's place, after the records of that date, with
// the catalogs, balances and summaries following. `replacing` is the row it
// takes the place of, or 0 for a new record.
bool placeRecord(App &app, const NewRecord &record, int replacing, const QString &backupLabel)
{
    if (!highSpeed(app))
        TakeBackup(app, backupLabel);
    ShowStatus(app.ui, QStringLiteral("出納帳にデータを書きこんでいます..."));
    // Cleared on every way out, an abandoned step included.
    auto clearStatus = qScopeGuard([&] { ShowStatus(app.ui, QString()); });

    const QString matter = record.matter == kOtherMatter ? QString() : record.matter;
    const Amount incomeAmount = record.income ? record.amount : Amount();
    const Amount outgoAmount = record.income ? Amount() : record.amount;
    const QStringList cells{record.date, matter, FormatAmountBlank(incomeAmount), FormatAmountBlank(outgoAmount),
                            QString(),   record.memo};

    Book &book = app.book;
    Grid &grid = book.msfgCashier;
    if (!RunStep(app.ui, [&] {
            Grid::Bulk bulk(grid);
            if (replacing > 0)
                grid.removeRow(replacing);
            insertInDateOrder(grid, cells);
        }))
        return false;
    RecalcCashier(book, app.ui, grid.rows() - 4);
    if (!RunStep(app.ui, [&] { AppendMatter(app, matter, KindFor(record.income)); }))
        return false;
    finishChange(app, false);
    if (!book.period.isEmpty() && MonthOfDate(record.date) != book.period) {
        clearStatus.dismiss();
        ShowStatus(app.ui, QStringLiteral("%1 の記録は表示中の期間外です").arg(record.date));
    }
    return true;
}

} // namespace

QString Cp932Refusal(const QString &text)
{
    const QString bad = FirstCharWithoutCp932(text);
    if (bad.isEmpty())
        return QString();
    return QStringLiteral("%1は Shift_JIS で表せない文字のため、記入できません。"
                          "この文字を除くか、別の文字に置きかえてください。")
        .arg(QuotedChar(bad));
}

bool EnterRecord(App &app, const NewRecord &record)
{
    if (app.book.recordCount() >= kMaxRecords) {
        entryError(app.ui, QStringLiteral("1冊の出納帳に記入できるのは32,767件までです。これ以上は記入できません。"));
        return false;
    }
    return holdsOnlyCp932(app, record) && placeRecord(app, record, 0, QStringLiteral("入力"));
}

bool ChangeRecord(App &app, int row, const NewRecord &record)
{
    // Takes a record's place: a full book can be corrected.
    if (row < 1 || row > app.book.recordCount())
        return false;
    return holdsOnlyCp932(app, record) && placeRecord(app, record, row, QStringLiteral("修正"));
}

NewRecord RecordAt(const Book &book, int row)
{
    const Grid &grid = book.msfgCashier;
    NewRecord r;
    r.date = grid.text(row, 0);
    r.matter = grid.text(row, 1);
    r.memo = grid.text(row, 5);
    // A text file may hold what is no amount: it counts as none, as in the balances.
    try {
        const Amount income = CellToAmount(grid.text(row, 2));
        r.income = !income.isZero();
        r.amount = r.income ? income : CellToAmount(grid.text(row, 3));
    } catch (const RuntimeError &) {
        r.amount = Amount();
    }
    return r;
}

int BookRowOfShown(const Book &book, int shownRow)
{
    const Grid &shown = book.shownCashier();
    if (shownRow < book.firstShownRecord() || shownRow > shown.rows() - 4)
        return 0;
    return book.period.isEmpty() ? shownRow : book.monthRows.at(size_t(shownRow - 2));
}

void DeleteRecords(App &app, int first, int last)
{
    Book &book = app.book;
    // The rows of the whole book: a month's records may lie apart in a book
    // kept in the order it was read.
    std::vector<int> doomed;
    for (int r = first; r <= last; ++r)
        doomed.push_back(BookRowOfShown(book, r));
    std::sort(doomed.begin(), doomed.end());

    if (!highSpeed(app))
        TakeBackup(app, QStringLiteral("入力"));
    Grid &grid = book.msfgCashier;
    const bool removed = RunStep(app.ui, [&] {
        Grid::Bulk bulk(grid);
        // Move the doomed rows behind the last record first, so that each
        // removal shifts only the empty rows and the total row.
        const int from = doomed.front();
        const int recordsEnd = grid.rows() - 4;
        std::vector<int> order;
        order.reserve(size_t(recordsEnd - from + 1));
        auto next = doomed.cbegin();
        for (int r = from; r <= recordsEnd; ++r) {
            if (next != doomed.cend() && *next == r)
                ++next;
            else
                order.push_back(r - from);
        }
        for (int r : doomed)
            order.push_back(r - from);
        grid.reorderRows(from, order);
        for (size_t i = 0; i < doomed.size(); ++i)
            grid.removeRow(recordsEnd - int(i));
    });
    if (removed)
        finishChange(app, true);
}

void DeclineDelete(App &app)
{
    finishChange(app, false);
}

void UndoLastChange(App &app)
{
    const QString backup = app.programFile(kBackupFileName);
    // Reading a vanished backup would empty the book: refuse instead.
    if (!QFileInfo::exists(backup)) {
        ReportNoBackup(app.ui);
        DisableUndo(app);
        return;
    }
    const PreviousFile remembered{app.doc.path, app.doc.title};
    // A renamed matter's catalog comes back with the records that name it.
    CatalogRestore catalog(app);
    app.doc.path = backup;
    const ReadResult result = FileReading(app, QString(), remembered);
    if (result == ReadResult::Refused)
        catalog.revert();
    if (catalog.restored())
        FillMatterCombo(app);
    // Only a whole backup is an earlier state of the book's own file; the
    // reader left a part of one without a file.
    if (result != ReadResult::Partial) {
        app.doc.path = remembered.path;
        app.doc.title = remembered.title;
    }
    // The book restored is not what any file holds (the reset cleared the
    // flag): the save question must still protect it.
    if (result != ReadResult::Refused)
        app.setModified(true);
    DisableUndo(app);
}

void ReportNoBackup(Ui &ui)
{
    ui.messageBox(QStringLiteral("バックアップファイルが存在しないため戻すことができません。"),
                  QStringLiteral("バックアップエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
}

void NewBook(App &app)
{
    app.book.period.clear();
    ResetBook(app);
    NameBookFile(app, QString());
    app.notify(AppChange::Book);
}

void ShowPeriod(App &app, const QString &period)
{
    if (period == app.book.period)
        return;
    app.book.period = period;
    BuildPeriod(app.book, app.ui);
    CalcMatterSummary(app.book, app.ui);
    app.notify(AppChange::Period);
}

QStringList Periods(const App &app)
{
    QStringList months = BookMonths(app.book);
    const QString &shown = app.book.period;
    if (!shown.isEmpty() && !months.contains(shown)) {
        months.append(shown);
        std::sort(months.begin(), months.end(), std::greater<QString>());
    }
    months.prepend(QString());
    return months;
}

void StepPeriod(App &app, int step)
{
    // Oldest month first, the whole book last.
    QStringList order = Periods(app);
    order.removeFirst();
    std::reverse(order.begin(), order.end());
    order.append(QString());
    const int at = int(order.indexOf(app.book.period)) + step;
    if (at >= 0 && at < order.size())
        ShowPeriod(app, order.at(at));
}

} // namespace purslet
