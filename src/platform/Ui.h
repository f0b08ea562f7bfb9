#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace purslet {

class RuntimeError;

enum class MsgIcon { None, Critical, Question, Warning, Information };
enum class MsgButtons { Ok, YesNo };
// Cancel: a Yes/No box left with Esc or its close box, answering neither.
enum class MsgAnswer { Ok, Yes, No, Cancel };

// The modal windows the commands show; the enumerator is the window's name.
enum class ModalWindow { frmMatter, frmVersion, frmChart };
inline constexpr int kModalWindowCount = int(ModalWindow::frmChart) + 1;
QString ModalWindowName(ModalWindow window);

struct FileDialogRequest
{
    QString title;
    QString filter;          // "説明|*.psl|説明|*.csv|..." as the file commands name it
    QString defaultSuffix;   // without the dot
    QString initialPath;     // current file path, may be empty
    bool askCreate = false;  // Open: ask whether to create a name that does not exist
    bool askOverwrite = false; // Save As: ask before replacing an existing file
};

// What the save's password prompt gives: the password and its repetition.
// Cancel gives two empty texts and `cancelled`. `abandoned` means no answer
// will come (the command line after a refused password).
struct NewPassword
{
    QString password;
    QString repeated;
    bool abandoned = false;
    bool cancelled = false;
};

// Everything modal or outside the core goes through here: the widgets
// implement it with Qt, the tests with a script of answers.
class Ui
{
public:
    virtual ~Ui() = default;

    virtual MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon,
                                 MsgButtons buttons, MsgAnswer defaultAnswer) = 0;
    // One-line prompt; Cancel gives the empty text.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                             bool masked) = 0;
    virtual void showStatus(const QString &text) = 0;
    // Asks for a new password twice, both masked. The default asks once.
    virtual NewPassword newPasswordBox(const QString &prompt, const QString &title);
    // Something to know that stops nothing: a warning box on the desktop.
    virtual void warning(const QString &text, const QString &title);
    // A bad entry of a file read as a list (a catalog's estimate): true skips
    // it and goes on. The desktop asks with the system error dialog; `entry`
    // names the file and the entry for a Ui that cannot ask.
    virtual bool skipBadEntry(const RuntimeError &error, const QString &entry);

    // The chosen path, or empty when the dialog was cancelled.
    virtual QString openFileDialog(const FileDialogRequest &) { return {}; }
    virtual QString saveFileDialog(const FileDialogRequest &) { return {}; }

    virtual QString clipboardText() { return {}; }
    virtual void setClipboardText(const QString &) {}
    virtual void beep() {}
    virtual void openUrl(const QString &) {}
    // Shows a modal window and returns once it is closed; false when this Ui
    // has no such window. The default has none and says so with a warning.
    virtual bool showModal(ModalWindow window);

    // Ends the process at once: nothing is saved.
    virtual void endProgram() = 0;

    // Exit as the File menu runs it (the save question, the settings), for
    // "No" in the system error dialog; set once the program is up. Returns
    // false when the user kept the program, the book unsaved; else the end
    // was asked of endProgram.
    std::function<bool()> exitCommand;
};

// Shows a text in the first panel of the status bar; empty clears it.
inline void ShowStatus(Ui &ui, const QString &text)
{
    ui.showStatus(text);
}

} // namespace purslet
