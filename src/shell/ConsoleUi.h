#pragma once

#include "platform/Ui.h"

#include <QSet>
#include <QString>

#include <optional>

namespace purslet {

// The Ui of the command line: nothing is asked except a password, and every
// error or warning is kept so that the command can end with it. Questions get
// No, so a run-time error abandons the routine instead of going on.
class ConsoleUi final : public Ui
{
public:
    enum class PasswordSource {
        None,      // no way to ask: the empty answer, as a cancelled prompt
        StdinLine, // the first line of standard input, for every prompt
        Terminal,  // asked on the terminal without echo, each time
    };

    explicit ConsoleUi(PasswordSource source) : m_source(source) {}

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool masked) override;
    // Asked twice on a terminal; one stdin line serves both. Once an error
    // was shown (a refused password), no further answer comes.
    NewPassword newPasswordBox(const QString &prompt, const QString &title) override;
    // A line on standard error at once; the same warning only once.
    void warning(const QString &text, const QString &title) override;
    // Skipped with a warning that names the entry: a bad catalog entry is no
    // reason to fail reading a book.
    bool skipBadEntry(const RuntimeError &error, const QString &entry) override;
    void showStatus(const QString &) override {}
    void endProgram() override { m_endRequested = true; }

    bool failed() const { return !m_error.isEmpty() || m_endRequested; }
    // The first error shown, on one line; system errors by their description.
    const QString &error() const { return m_error; }
    void recordError(const QString &text);

    // Control characters (NUL included) as \xNN, so that a line on the
    // terminal shows the whole text and nothing in it acts on the terminal.
    static QString escapeControls(const QString &text);

private:
    QString readStdinLine();
    QString askTerminal(const QString &prompt);

    PasswordSource m_source;
    std::optional<QString> m_stdinPassword;
    QSet<QString> m_warned;
    QString m_error;
    bool m_endRequested = false;
};

} // namespace purslet
