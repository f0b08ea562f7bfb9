#include "files/HistoryCommands.h"

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
    app.menu.setHistory(paths);
    if (paths.isEmpty())
        return;
    app.menu.setVisible(QStringLiteral("fileHistory"), true);
    app.menu.setEnabled(QStringLiteral("setupDeleteHistory"), true);
}

} // namespace purslet
