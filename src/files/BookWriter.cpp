#include "files/BookWriter.h"

#include "files/BookFormat.h"
#include "files/BookKind.h"
#include "files/FileCommands.h"
#include "platform/AtomicFile.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "state/App.h"

namespace purslet {

namespace {

// The password typed twice, since a masked typo would lock the book; one that
// code page 932 cannot hold could never be typed back. Either comes back to
// the prompt. Cancel or nothing typed means no password.
QString askNewPassword(Ui &ui)
{
    const QString title = QStringLiteral("パスワードの入力");
    for (;;) {
        const NewPassword answer = ui.newPasswordBox(
            QStringLiteral("パスワードを入力してください。パスワードを設定しない場合には、キャンセルボタンを押してください。"),
            title);
        if (answer.abandoned)
            throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("パスワードが決まらないため保存を中止しました。"));
        if (answer.password.isEmpty() && answer.repeated.isEmpty())
            return QString();
        // Set, and compared, as the file will give it back.
        const QString password = Cp932Form(answer.password);
        QString refusal;
        if (password != Cp932Form(answer.repeated)) {
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

} // namespace

bool ReplacesOpenBook(const App &app, const QString &target)
{
    const QString &book = app.doc.path;
    return !book.isEmpty() && KindOfPath(target) != KindOfPath(book) && IsSameFile(target, book);
}

void FileWriting(App &app)
{
    Ui &ui = app.ui;
    const QString path = app.doc.path;
    const BookKind kind = KindOfPath(path);
    // Refused before the prompt: the row counter cannot step past more.
    if (app.book.recordCount() > kMaxWrittenRecords)
        throw RuntimeError(RuntimeError::Overflow);

    // A write that fails leaves no "writing..." behind in the status bar.
    try {
        switch (kind) {
        case BookKind::Own: {
            const QString password = askNewPassword(ui);
            ShowStatus(ui, QStringLiteral("データを暗号化しています..."));
            const QByteArray bytes = SerializeBook(app.book.msfgCashier, kind, password);
            ShowStatus(ui, QStringLiteral("ファイルにデータを書きこんでいます..."));
            WriteFileAtomically(path, bytes);
            break;
        }
        case BookKind::Backup:
            ShowStatus(ui, QStringLiteral("バックアップを取っています..."));
            WriteFileAtomically(path, SerializeBook(app.book.msfgCashier, kind), SyncToDisk::No);
            ShowStatus(ui, QString());
            return;
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
}

} // namespace purslet
