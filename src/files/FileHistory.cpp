#include "files/FileHistory.h"

#include "platform/ErrorDialogs.h"
#include "shell/App.h"

namespace purslet {

void UpdateFileHistory(App &app)
{
    UpdateFileHistory(app, app.doc.path);
}

void UpdateFileHistory(App &app, const QString &current)
{
    QStringList work{current};
    for (const QString &path : app.menu.history())
        if (path != current) // exact: paths differing in case are two books
            work << path;

    if (!RunInlineStep(app.ui, [&] {
            app.menu.setVisible(QStringLiteral("fileHistory"), true);
            app.menu.setEnabled(QStringLiteral("setupDeleteHistory"), true);
        }))
        return;

    // Only the fifth path drops out; a hand-edited longer list keeps the rest.
    if (work.size() > 4)
        work.removeAt(4);
    app.menu.setHistory(work);
}

} // namespace purslet
