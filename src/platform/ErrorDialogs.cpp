#include "platform/ErrorDialogs.h"

namespace purslet {

QString SystemErrorTitle(const RuntimeError &error)
{
    return QStringLiteral("システムエラー (エラーNo.%1)").arg(error.number());
}

QString SystemErrorText(const RuntimeError &error)
{
    return error.description() + QStringLiteral("\r\n\r\n処理を続けますか？");
}

bool SystemErrorDialog(Ui &ui, const RuntimeError &error)
{
    const MsgAnswer answer = ui.messageBox(SystemErrorText(error), SystemErrorTitle(error), MsgIcon::Critical,
                                           MsgButtons::YesNo, MsgAnswer::No);
    if (answer == MsgAnswer::Yes)
        return true;
    // No goes through Exit, so that unsaved records are offered for saving;
    // keeping the program there goes on as Yes would.
    if (ui.exitCommand)
        return !ui.exitCommand();
    ui.endProgram();
    return false;
}

bool InlineErrorDialog(Ui &ui, const RuntimeError &error)
{
    return ui.messageBox(SystemErrorText(error), SystemErrorTitle(error), MsgIcon::Warning, MsgButtons::YesNo,
                         MsgAnswer::Yes)
        == MsgAnswer::Yes;
}

} // namespace purslet
