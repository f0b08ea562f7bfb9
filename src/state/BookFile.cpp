#include "state/BookFile.h"

#include "platform/ProgramFolder.h"
#include "state/App.h"

namespace purslet {

QString SaveCaption(const QString &title)
{
    return title + QStringLiteral(" の上書き保存(&S)");
}

QString BookWindowTitle(const QString &path)
{
    return path.isEmpty() ? QStringLiteral("Purslet") : QStringLiteral("Purslet [") + path + QLatin1Char(']');
}

void NameBookFile(App &app, const QString &path)
{
    // A book that now belongs to another file, or to none, is no longer
    // the encrypted book the key was made for.
    if (path != app.doc.keyFile) {
        app.doc.key.release();
        app.doc.keyFile.clear();
    }
    app.doc.path = path;
    app.doc.title = path.isEmpty() ? QString() : FileTitleOf(path);
    app.setWindowTitle(BookWindowTitle(path));
    app.menu.setCaption(MenuItem::fileSave, path.isEmpty() ? kDefaultSaveCaption : SaveCaption(app.doc.title));
}

} // namespace purslet
