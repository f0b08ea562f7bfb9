#include "operations/BookReader.h"

#include "operations/BookPrefetch.h"

#include "files/BookFormat.h"
#include "files/BookKind.h"
#include "files/EncryptedBook.h"
#include "files/EncryptedReading.h"
#include "state/BookFile.h"
#include "files/FileHistory.h"
#include "calc/BookReset.h"
#include "calc/Cashier.h"
#include "calc/MatterSummary.h"
#include "calc/Period.h"
#include "platform/AtomicFile.h"
#include "platform/Codepage.h"
#include "platform/ErrorDialogs.h"
#include "platform/ProgramFolder.h"
#include "state/App.h"

#include <algorithm>

namespace purslet {

namespace {

const QString kReading = QStringLiteral("ファイルを読みこんでいます...");
const QString kAnalysing = QStringLiteral("ファイルを解析しています...");

// Puts the records before the three trailing rows, in their order. Returns
// false when the user abandoned.
bool insertRecords(App &app, const std::vector<ParsedRecord> &records)
{
    Grid &grid = app.book.msfgCashier;
    Grid::Bulk bulk(grid);
    grid.reserveRows(grid.rows() + int(records.size()));
    // Each record goes in just above the trailing rows: only they move.
    const int first = std::max(0, grid.rows() - 3);
    int inserted = 0;
    for (const ParsedRecord &r : records) {
        if (r.error != 0) {
            if (!InlineErrorDialog(app.ui, RuntimeError(r.error)))
                return false;
            // A record that fails to decode is dropped; one cut short by the
            // end of the file keeps what was read.
            if (r.error != RuntimeError::InputPastEnd)
                continue;
        }
        const BookRecord &f = r.fields;
        QString row[] = {f[0], f[1], f[2], f[3], QString(), f[4]};
        grid.insertRow(first + inserted, row, int(std::size(row)));
        ++inserted;
    }
    return true;
}

// Characters that a text file brought in and code page 932 cannot hold
// are told once: saving turns them into "?".
void warnOfUnsavableCharacters(Ui &ui, const QString &title, const std::vector<ParsedRecord> &records)
{
    QString first;
    qsizetype total = 0;
    for (const ParsedRecord &r : records) {
        for (const QString &field : r.fields) {
            qsizetype count = 0;
            const QString bad = FirstCharWithoutCp932(field, &count);
            if (first.isEmpty())
                first = bad;
            total += count;
        }
    }
    if (total == 0)
        return;
    ui.warning(QStringLiteral("%1 には Shift_JIS で表せない文字が %2 個あります（最初の文字は%3）。"
                              "保存すると、これらの文字は「?」になります。")
                   .arg(title)
                   .arg(total)
                   .arg(QuotedChar(first)),
               QStringLiteral("ファイルの読みこみ"));
}

} // namespace

ReadResult FileReading(App &app, const QString &title, const PreviousFile &previous)
{
    Ui &ui = app.ui;
    const QString path = app.doc.path;
    const BookKind kind = KindOfPath(path);
    // Undo reads its backup without a title and keeps the book's own name; a
    // backup file the user opens becomes the book's file like any other, so
    // that the title names where a Save writes.
    const bool namesTheBook = kind != BookKind::Backup || !title.isEmpty();
    app.doc.openRefused = false;
    // The book is still the one of the previous file: so must be the path.
    const auto giveUp = [&] {
        app.doc.path = previous.path;
        app.doc.title = previous.title;
        ShowStatus(ui, QString());
        return ReadResult::Refused;
    };

    ShowStatus(ui, kReading);
    QByteArray bytes;
    std::optional<PrefetchedBook> prefetched = TakePrefetchedBook(path);
    try {
        bytes = prefetched ? std::move(prefetched->bytes) : ReadWholeFile(path, kMaxBookFileBytes);
    } catch (const RuntimeError &e) {
        if (e.number() == RuntimeError::FileTooLarge) {
            ui.messageBox(QStringLiteral("ファイルが 64 MB を超えるため、このファイルは開けません。"),
                          QStringLiteral("ファイルエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
            return giveUp();
        }
        if (e.number() == RuntimeError::FileNotFound || e.number() == RuntimeError::PathNotFound) {
            ui.messageBox(QStringLiteral("ファイルが存在しないため、開くことはできません"),
                          QStringLiteral("ファイルエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
            if (namesTheBook)
                app.book.period.clear();
            ResetBook(app);
            // The empty book belongs to the name asked for: a Save creates it.
            if (namesTheBook)
                NameBookFile(app, path);
            ShowStatus(ui, QString());
            app.notify(AppChange::Book);
            return ReadResult::Whole;
        }
        InlineErrorDialog(ui, e);
        return giveUp();
    }

    // Recognised by its first line too: renamed, it is still encrypted.
    const bool encrypted = kind == BookKind::Encrypted || IsEncryptedBook(bytes);
    ParsedBook parsed;
    BookKey key;
    if (encrypted) {
        DecryptedBook decrypted;
        // Only Undo reads without asking; every open asks for the password.
        const BookKey none;
        const Decryption outcome = DecryptBook(ui, bytes, namesTheBook ? none : app.doc.key, decrypted);
        if (outcome != Decryption::Opened) {
            app.doc.openRefused = outcome == Decryption::WrongPassword;
            return giveUp();
        }
        parsed = std::move(decrypted.parsed);
        key = std::move(decrypted.key);
    } else {
        if (kind != BookKind::Text)
            ShowStatus(ui, kAnalysing);
        parsed = prefetched && prefetched->parsed ? std::move(*prefetched->parsed) : ParseBook(bytes, kind);
    }
    bytes.clear();
    ShowStatus(ui, kReading);

    // Checked before anything changes: a book holds at most kMaxRecords.
    if (parsed.records.size() > size_t(kMaxRecords)) {
        ui.messageBox(QStringLiteral("記録が 32,767 件を超えるため、このファイルは開けません。"),
                      QStringLiteral("ファイルエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
        return giveUp();
    }

    if (kind == BookKind::Own) {
        if (parsed.passwordError != 0) {
            if (!InlineErrorDialog(ui, RuntimeError(parsed.passwordError))) {
                return giveUp();
            }
        } else if (!parsed.password.isEmpty()) {
            const QString answer = ui.inputBox(QStringLiteral("パスワードを入力してください。"),
                                               QStringLiteral("パスワードの入力"), QString(), true);
            // Compared as the file holds it: "a−b" typed opens what "a−b"
            // locked, which the file gave back as "a－b".
            if (Cp932Form(answer) != parsed.password) {
                ui.messageBox(QStringLiteral("パスワードが違うためファイルが開けません。"),
                              QStringLiteral("パスワードエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
                app.doc.openRefused = true;
                return giveUp();
            }
        }
    }

    ResetBook(app);
    ShowStatus(ui, kReading);
    const bool whole = insertRecords(app, parsed.records);
    // The rows read so far are shown with their balances and totals, whole or not.
    RecalcCashier(app.book, ui, app.book.msfgCashier.rows() - 4);
    // Another book shows the month shown before only when it holds records of it.
    if (namesTheBook && !app.book.period.isEmpty() && !BookMonths(app.book).contains(app.book.period))
        app.book.period.clear();
    BuildPeriod(app.book, ui);
    CalcMatterSummary(app.book, ui);
    app.notify(AppChange::Book);
    if (!whole) {
        // The rows shown are only part of the file: saving them under its
        // name, or under the previous one, would cut that file short.
        NameBookFile(app, QString());
        ShowStatus(ui, QString());
        return ReadResult::Partial;
    }
    if (namesTheBook) {
        NameBookFile(app, path);
        UpdateFileHistory(app);
    }
    // The book now open is the file's: its key, or none for a kind without
    // one. Undo keeps the key of the book it restores.
    if (key.held()) {
        app.doc.key = std::move(key);
        if (namesTheBook)
            app.doc.keyFile = path;
    } else if (namesTheBook && !encrypted) {
        app.doc.key.release();
        app.doc.keyFile.clear();
    }
    ShowStatus(ui, QString());
    if (kind == BookKind::Text)
        warnOfUnsavableCharacters(ui, FileTitleOf(path), parsed.records);
    return ReadResult::Whole;
}

ReadResult FileReading(App &app, const QString &title)
{
    return FileReading(app, title, PreviousFile{app.doc.path, app.doc.title});
}

} // namespace purslet
