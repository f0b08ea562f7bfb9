#include "files/BookWriter.h"

#include "files/BookFormat.h"
#include "files/BookKind.h"
#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "shell/App.h"

namespace purslet {

void FileWriting(App &app)
{
    Ui &ui = app.ui;
    const QString path = app.doc.path;
    const BookKind kind = KindOfPath(path);
    // Refused before the prompt: the row counter cannot step past more.
    if (app.book.recordCount() > kMaxWrittenRecords)
        throw RuntimeError(RuntimeError::Overflow);

    switch (kind) {
    case BookKind::Own: {
        const QString password = ui.inputBox(
            QStringLiteral("パスワードを入力してください。パスワードを設定しない場合には、キャンセルボタンを押してください。"),
            QStringLiteral("パスワードの入力"), QString(), true);
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
    app.setModified(false);
    app.menu.setCaption(QStringLiteral("fileSave"), app.doc.title + QStringLiteral(" の上書き保存(&S)"));
    ShowStatus(ui, QString());
}

} // namespace purslet
