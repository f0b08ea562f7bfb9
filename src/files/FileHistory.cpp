#include "files/FileHistory.h"

#include "platform/ErrorDialogs.h"
#include "platform/Ui.h"
#include "state/App.h"

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
            app.menu.setVisible(MenuItem::fileHistory, true);
            app.menu.setEnabled(MenuItem::setupDeleteHistory, true);
        }))
        return;

    // Only the fifth path drops out; a hand-edited longer list keeps the rest.
    if (work.size() > 4)
        work.removeAt(4);
    app.menu.setHistory(work);
}

void setupDeleteHistory_Click(App &app)
{
    if (app.ui.messageBox(QStringLiteral("履歴を全て削除してよろしいですか？"), QStringLiteral("履歴の削除"),
                          MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return;
    app.menu.setHistory({});
    app.menu.setVisible(MenuItem::fileHistory, false);
    app.menu.setEnabled(MenuItem::setupDeleteHistory, false);
}

void LoadFileHistory(App &app, const QStringList &paths)
{
    // A book opened before the stored list arrives (the command line's)
    // was the last one used: it stays on top.
    const QStringList opened = app.menu.history();
    app.menu.setHistory(paths);
    if (!paths.isEmpty()) {
        app.menu.setVisible(MenuItem::fileHistory, true);
        app.menu.setEnabled(MenuItem::setupDeleteHistory, true);
    }
    for (auto it = opened.crbegin(); it != opened.crend(); ++it)
        UpdateFileHistory(app, *it);
}

} // namespace purslet
