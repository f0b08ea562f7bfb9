#pragma once

#include <QString>
#include <QStringList>

namespace purslet {

enum class MsgIcon { None, Critical, Question, Warning, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct FileDialogRequest
{
    QString title;
    QString filter;          // "説明|*.psl|説明|*.csv|..." as the file commands name it
    QString defaultSuffix;   // without the dot
    QString initialPath;     // current file path, may be empty
    bool askCreate = false;  // Open: ask whether to create a name that does not exist
    bool askOverwrite = false; // Save As: ask before replacing an existing file
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

    // The chosen path, or empty when the dialog was cancelled.
    virtual QString openFileDialog(const FileDialogRequest &) { return {}; }
    virtual QString saveFileDialog(const FileDialogRequest &) { return {}; }
    virtual bool printDialog() { return false; }

    virtual QString clipboardText() { return {}; }
    virtual void setClipboardText(const QString &) {}
    virtual void beep() {}
    virtual void openUrl(const QString &) {}
    // Shows a modal window by its name ("frmMatter", "frmVersion", "frmChart").
    virtual void showModal(const QString &) {}

    // "No" in the system error dialog: the program ends at once, nothing saved.
    virtual void endProgram() = 0;
};

// Shows a text in the first panel of the status bar; empty clears it.
inline void ShowStatus(Ui &ui, const QString &text)
{
    ui.showStatus(text);
}

} // namespace purslet
