#include "files/Backup.h"

#include "files/BookWriter.h"
#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"
#include "state/App.h"

#include <QScopeGuard>

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
        // The book has its own file back before the error dialog, whose
        // way out may save the book.
        const auto restore = qScopeGuard([&] { app.doc.path = remembered; });
        FileWriting(app);
    });
    if (!goOn)
        return;
    app.menu.setEnabled(MenuItem::editUndo, true);
    app.menu.setCaption(MenuItem::editUndo, QStringLiteral("元に戻す(&U) -") + label);
}

} // namespace purslet
