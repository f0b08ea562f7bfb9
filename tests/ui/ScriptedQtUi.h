#pragma once

#include "ScriptedUi.h"

#include "ui/QtUi.h"

#include <QStringList>

#include <deque>

namespace purslet::test {

// The real Ui, but message boxes, prompts and file dialogs answer from a
// script (an empty script cancels) and the end of the program is only counted.
class ScriptedQtUi final : public QtUi
{
public:
    std::deque<MsgAnswer> answers;
    std::deque<QString> openPaths, savePaths;
    QStringList texts;
    QStringList fileDialogTitles;
    int ends = 0;

    MsgAnswer messageBox(const QString &text, const QString &, MsgIcon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override
    {
        texts << text;
        return NextAnswer(answers, buttons, defaultAnswer);
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return QString(); }
    QString openFileDialog(const FileDialogRequest &request) override { return next(openPaths, request); }
    QString saveFileDialog(const FileDialogRequest &request) override { return next(savePaths, request); }
    void endProgram() override { ++ends; }

private:
    QString next(std::deque<QString> &paths, const FileDialogRequest &request)
    {
        fileDialogTitles << request.title;
        if (paths.empty())
            return QString();
        const QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

} // namespace purslet::test
