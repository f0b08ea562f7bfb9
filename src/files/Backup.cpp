#include "files/Backup.h"

#include "files/BookWriter.h"
#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"
#include "state/App.h"

namespace purslet {

void TakeBackup(App &app, const QString &label)
{
    const QString remembered = app.doc.path;
    const QString backup = app.programFile(kBackupFileName);
    const bool goOn = RunStep(app.ui, [&] {
        if (ReplacesOpenBook(app, backup))
            throw RuntimeError(RuntimeError::PathFileAccess,
                               QStringLiteral("バックアップファイルが開いている出納帳のファイルを指しているため、"
                                              "バックアップを取れません。"));
        app.doc.path = backup;
        FileWriting(app);
    });
    // The book keeps its own file whatever happened to the backup.
    app.doc.path = remembered;
    if (!goOn)
        return;
    app.menu.setEnabled(MenuItem::editUndo, true);
    app.menu.setCaption(MenuItem::editUndo, QStringLiteral("元に戻す(&U) -") + label);
}

} // namespace purslet
