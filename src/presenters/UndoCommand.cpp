#include "presenters/UndoCommand.h"

#include "operations/BookOperations.h"
#include "platform/Ui.h"
#include "state/App.h"

namespace purslet {

void editUndo_Click(App &app)
{
    if (!app.menu.enabled(MenuItem::editUndo)) {
        ReportNoBackup(app.ui);
        return;
    }
    if (app.ui.messageBox(QStringLiteral("元に戻しますか？"), QStringLiteral("データを戻す"), MsgIcon::Question,
                          MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return;
    UndoLastChange(app);
}

} // namespace purslet
