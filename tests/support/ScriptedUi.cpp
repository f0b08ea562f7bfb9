#include "ScriptedUi.h"

namespace purslet::test {

MsgAnswer NextAnswer(std::deque<MsgAnswer> &answers, MsgButtons buttons, MsgAnswer defaultAnswer)
{
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (answers.empty())
        return defaultAnswer;
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

MsgAnswer ScriptedUi::messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                                 MsgAnswer defaultAnswer)
{
    messages.push_back({text, title, icon, buttons, defaultAnswer});
    return NextAnswer(answers, buttons, defaultAnswer);
}

QString ScriptedUi::inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool masked)
{
    prompts.push_back({prompt, title, defaultText, masked});
    if (inputs.empty())
        return QString();
    QString s = inputs.front();
    inputs.pop_front();
    return s;
}

void ScriptedUi::showStatus(const QString &text)
{
    if (statuses.isEmpty() || statuses.last() != text)
        statuses << text;
}

QString ScriptedUi::openFileDialog(const FileDialogRequest &request)
{
    fileDialogs.push_back(request);
    if (openPaths.empty())
        return QString();
    QString s = openPaths.front();
    openPaths.pop_front();
    return s;
}

QString ScriptedUi::saveFileDialog(const FileDialogRequest &request)
{
    fileDialogs.push_back(request);
    if (savePaths.empty())
        return QString();
    QString s = savePaths.front();
    savePaths.pop_front();
    return s;
}

} // namespace purslet::test
