#pragma once

#include "platform/Ui.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace purslet::test {

// The answer a scripted box gives: OK for an OK box, else the next scripted
// answer, else the box's default.
MsgAnswer NextAnswer(std::deque<MsgAnswer> &answers, MsgButtons buttons, MsgAnswer defaultAnswer);

// A Ui that answers from a script and records what it was asked.
class ScriptedUi : public Ui
{
public:
    struct Message
    {
        QString text, title;
        MsgIcon icon;
        MsgButtons buttons;
        MsgAnswer defaultAnswer;
    };
    struct Prompt
    {
        QString prompt, title, defaultText;
        bool masked;
    };

    std::deque<MsgAnswer> answers;      // for Yes/No boxes; default: the box's default
    std::deque<QString> inputs;         // for prompts; default: "" (Cancel)
    std::deque<QString> openPaths;      // for open dialogs; default: "" (Cancel)
    std::deque<QString> savePaths;      // for save dialogs
    QString clipboard;

    std::vector<Message> messages;
    std::vector<Prompt> prompts;
    std::vector<FileDialogRequest> fileDialogs;
    QStringList statuses;               // every status text shown, in order
    QStringList urls;
    QStringList modals;
    int beeps = 0;
    int endRequests = 0;

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                     bool masked) override;
    void showStatus(const QString &text) override;
    QString openFileDialog(const FileDialogRequest &request) override;
    QString saveFileDialog(const FileDialogRequest &request) override;
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    void beep() override { ++beeps; }
    void openUrl(const QString &url) override { urls << url; }
    bool showModal(ModalWindow window) override
    {
        modals << ModalWindowName(window);
        return true;
    }
    void endProgram() override { ++endRequests; }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last(); }
    const Message &lastMessage() const { return messages.back(); }
};

} // namespace purslet::test
