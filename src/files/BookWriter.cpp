#include "files/BookWriter.h"

#include "files/BookFormat.h"
#include "files/BookKind.h"
#include "files/EncryptedBook.h"
#include "state/BookFile.h"
#include "platform/AtomicFile.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <optional>

namespace purslet {

namespace {

// The password typed twice, since a masked typo would lock the book; one that
// code page 932 cannot hold could never be typed back. Either comes back to
// the prompt. Cancel or nothing typed means no password; where one is
// `required` (an encrypted book), nothing typed comes back to the prompt and
// Cancel gives no answer at all.
std::optional<QString> askNewPassword(Ui &ui, bool required)
{
    const QString title = QStringLiteral("パスワードの入力");
    for (;;) {
        const NewPassword answer = ui.newPasswordBox(
            required ? QStringLiteral("パスワードを入力してください。")
                     : QStringLiteral("パスワードを入力してください。パスワードを設定しない場合には、キャンセルボタンを押してください。"),
            title);
        if (answer.abandoned)
            throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("パスワードが決まらないため保存を中止しました。"));
        if (required && answer.cancelled)
            return std::nullopt;
        // Set, and compared, as the file will give it back.
        const QString password = Cp932Form(answer.password);
        QString refusal;
        if (answer.password.isEmpty() && answer.repeated.isEmpty()) {
            if (!required)
                return QString();
            refusal = QStringLiteral("暗号化された出納帳にはパスワードが必要です。パスワードを入力してください。");
        } else if (password != Cp932Form(answer.repeated)) {
            refusal = QStringLiteral("パスワードが一致しません。もう一度入力してください。");
        } else if (const QString bad = FirstCharWithoutCp932(password); !bad.isEmpty()) {
            refusal = QStringLiteral("パスワードに使えない文字%1が含まれています。"
                                     "Shift_JIS で表せる文字だけで入力してください。")
                          .arg(QuotedChar(bad));
        } else {
            return password;
        }
        ui.messageBox(refusal, QStringLiteral("パスワードエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
    }
}

// The records encrypted under the key; the plain bytes live only in memory
// and are wiped.
QByteArray sealedRecords(const Grid &cashier, const BookKey &key)
{
    QByteArray plain = SerializeBook(cashier, BookKind::Encrypted);
    QByteArray sealed = SealBook(plain, key);
    WipeBytes(plain);
    return sealed;
}

} // namespace

bool ReplacesOpenBook(const App &app, const QString &target)
{
    const QString &book = app.doc.path;
    return !book.isEmpty() && KindOfPath(target) != KindOfPath(book) && IsSameFile(target, book);
}

bool FileWriting(App &app)
{
    Ui &ui = app.ui;
    const QString path = app.doc.path;
    BookKind kind = KindOfPath(path);
    // The file an encrypted book came from stays encrypted, whatever its name.
    const bool ownKey = app.doc.key.held() && path == app.doc.keyFile;
    if (ownKey)
        kind = BookKind::Encrypted;
    // Refused before the prompt: the row counter cannot step past more.
    if (app.book.recordCount() > kMaxWrittenRecords)
        throw RuntimeError(RuntimeError::Overflow);

    // A write that fails leaves no "writing..." behind in the status bar.
    try {
        switch (kind) {
        case BookKind::Encrypted: {
            // Save writes with the key the book was opened or saved with; a new
            // file gets a new password, salt and key.
            BookKey fresh;
            if (!ownKey) {
                const std::optional<QString> password = askNewPassword(ui, true);
                if (!password)
                    return false;
                fresh = BookKey::derive(*password, BookKey::newSalt(), app.doc.newKeyLimits);
            }
            ShowStatus(ui, QStringLiteral("データを暗号化しています..."));
            const QByteArray bytes = sealedRecords(app.book.msfgCashier, ownKey ? app.doc.key : fresh);
            ShowStatus(ui, QStringLiteral("ファイルにデータを書きこんでいます..."));
            WriteFileAtomically(path, bytes);
            if (!ownKey) {
                app.doc.key = std::move(fresh);
                app.doc.keyFile = path;
            }
            break;
        }
        case BookKind::Own: {
            const QString password = *askNewPassword(ui, false);
            ShowStatus(ui, QStringLiteral("データを暗号化しています..."));
            const QByteArray bytes = SerializeBook(app.book.msfgCashier, kind, password);
            ShowStatus(ui, QStringLiteral("ファイルにデータを書きこんでいます..."));
            WriteFileAtomically(path, bytes);
            break;
        }
        case BookKind::Backup:
            ShowStatus(ui, QStringLiteral("バックアップを取っています..."));
            // An encrypted book's backup is encrypted under its key: no plain copy.
            WriteFileAtomically(path,
                                app.doc.key.held() ? sealedRecords(app.book.msfgCashier, app.doc.key)
                                                   : SerializeBook(app.book.msfgCashier, kind),
                                SyncToDisk::No);
            ShowStatus(ui, QString());
            return true;
        case BookKind::Text:
            ShowStatus(ui, QStringLiteral("ファイルにデータを書きこんでいます..."));
            WriteFileAtomically(path, SerializeBook(app.book.msfgCashier, kind));
            break;
        }
    } catch (...) {
        ShowStatus(ui, QString());
        throw;
    }
    app.setModified(false);
    app.menu.setCaption(MenuItem::fileSave, SaveCaption(app.doc.title));
    ShowStatus(ui, QString());
    return true;
}

} // namespace purslet
