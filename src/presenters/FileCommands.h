#pragma once

#include "platform/Ui.h"

#include <QString>

namespace purslet {

class App;

// The path of the book a start-up command line names: the whole text,
// relative to the working folder.
QString CommandLineBookPath(QString text);

// The File menu: New, Open, Save, Save As, the recent files and the open of a
// book named on the command line. The reading and writing themselves are
// FileReading and FileWriting.
class FileCommands final
{
public:
    explicit FileCommands(App &app) : m_app(app) {}

    void fileNew_Click();
    void fileOpen_Click();
    void fileSave_Click();
    void fileWrite_Click();
    // index is the element of fileHistory, 1 = the most recent file.
    void fileHistory_Click(int index);

    // The start-up open: the whole text is the path. Sets SkipNextReset
    // unless the book was refused (a wrong password, a file that could not
    // be opened or holds too many records).
    void openFromCommandLine(const QString &text);

    // "ファイルの変更内容を保存しますか？" when the book is modified. Returns whether
    // the command may go on: not after Esc or the close box, nor after Yes
    // when the user cancelled the Save As dialog or answered No to an error
    // under the save.
    bool saveQuestion();

    static FileDialogRequest dialogRequest(const QString &title, const QString &initialPath);

private:
    // Save and Save As; false when the user cancelled the dialog or answered
    // No to an error.
    bool save();
    bool saveAs();
    // FileWriting through the inline error dialog; false when the user said
    // No to an error or cancelled the password.
    bool write();
    bool openPath(const QString &path);

    App &m_app;
};

} // namespace purslet
