#include "presenters/UndoCommand.h"

#include "files/Backup.h"
#include "operations/BookReader.h"
#include "platform/Ui.h"
#include "state/App.h"

#include <QFileInfo>

namespace purslet {

namespace {
constexpr MenuItem kUndo = MenuItem::editUndo;

void disableUndo(App &app)
{
    app.menu.setEnabled(kUndo, false);
    app.menu.setCaption(kUndo, QStringLiteral("元に戻せません(&U)"));
}

void reportNoBackup(App &app)
{
    app.ui.messageBox(QStringLiteral("バックアップファイルが存在しないため戻すことができません。"),
                      QStringLiteral("バックアップエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
}
} // namespace

void editUndo_Click(App &app)
{
    if (!app.menu.enabled(kUndo)) {
        reportNoBackup(app);
        return;
    }
    if (app.ui.messageBox(QStringLiteral("元に戻しますか？"), QStringLiteral("データを戻す"), MsgIcon::Question,
                          MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return;

    const QString backup = app.programFile(kBackupFileName);
    // Reading a vanished backup would empty the book: refuse instead.
    if (!QFileInfo::exists(backup)) {
        reportNoBackup(app);
        disableUndo(app);
        return;
    }
    const PreviousFile remembered{app.doc.path, app.doc.title};
    app.doc.path = backup;
    const ReadResult result = FileReading(app, QString(), remembered);
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
    disableUndo(app);
}

} // namespace purslet
