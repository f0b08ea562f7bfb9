#include "files/HistoryCommands.h"

#include "files/FileHistory.h"
#include "platform/Ui.h"
#include "shell/App.h"

namespace purslet {

void setupDeleteHistory_Click(App &app)
{
    if (app.ui.messageBox(QStringLiteral("履歴を全て削除してよろしいですか？"), QStringLiteral("履歴の削除"),
                          MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return;
    app.menu.setHistory({});
    app.menu.setVisible(QStringLiteral("fileHistory"), false);
    app.menu.setEnabled(QStringLiteral("setupDeleteHistory"), false);
}

void LoadFileHistory(App &app, const QStringList &paths)
{
    // A book opened before the stored list arrives (the command line's)
    // was the last one used: it stays on top.
    const QStringList opened = app.menu.history();
    app.menu.setHistory(paths);
    if (!paths.isEmpty()) {
        app.menu.setVisible(QStringLiteral("fileHistory"), true);
        app.menu.setEnabled(QStringLiteral("setupDeleteHistory"), true);
    }
    for (auto it = opened.crbegin(); it != opened.crend(); ++it)
        UpdateFileHistory(app, *it);
}

} // namespace purslet
