#include "shell/ConsoleUi.h"

#include "platform/RuntimeError.h"

#include <csignal>
#include <cstdio>
#include <iterator>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace purslet {

namespace {

// One line from the stream, without its line end; stops at the end of input.
std::string readLine(std::FILE *stream)
{
    std::string line;
    int c;
    while ((c = std::fgetc(stream)) != EOF && c != '\n')
        line.push_back(char(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// What the signal handler puts back while a prompt has the echo off; a
// handler can reach nothing else.
termios g_echoingTerminal;

const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void restoreEchoAndEnd(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &g_echoingTerminal);
    const char newline = '\n';
    (void)!write(STDERR_FILENO, &newline, 1);
    // Ends as the signal would have: the shell sees the same status.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Echo off for the lifetime of the object, back on however the prompt ends,
// Ctrl+C included.
class HiddenInput final
{
public:
    HiddenInput()
    {
        m_active = tcgetattr(STDIN_FILENO, &g_echoingTerminal) == 0;
        if (!m_active)
            return;
        struct sigaction action = {};
        action.sa_handler = restoreEchoAndEnd;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i)
            sigaction(kEndingSignals[i], &action, &m_previous[i]);
        termios quiet = g_echoingTerminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~HiddenInput()
    {
        if (!m_active)
            return;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_echoingTerminal);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i)
            sigaction(kEndingSignals[i], &m_previous[i], nullptr);
    }
    HiddenInput(const HiddenInput &) = delete;
    HiddenInput &operator=(const HiddenInput &) = delete;

private:
    bool m_active = false;
    struct sigaction m_previous[std::size(kEndingSignals)];
};

} // namespace

MsgAnswer ConsoleUi::messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                                MsgAnswer defaultAnswer)
{
    Q_UNUSED(defaultAnswer);
    if (icon == MsgIcon::Critical || icon == MsgIcon::Warning) {
        // The system error dialog appends its question after an empty line;
        // only the description tells the user anything here.
        QString message = text;
        if (title.startsWith(QStringLiteral("システムエラー"))) {
            const qsizetype cut = message.indexOf(QStringLiteral("\r\n\r\n"));
            if (cut >= 0)
                message.truncate(cut);
        }
        recordError(message);
    }
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

QString ConsoleUi::inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool masked)
{
    Q_UNUSED(title);
    Q_UNUSED(defaultText);
    Q_UNUSED(masked);
    switch (m_source) {
    case PasswordSource::None:
        return QString();
    case PasswordSource::StdinLine:
        // One line serves every prompt: the password of the book read and of the one written.
        if (!m_stdinPassword)
            m_stdinPassword = readStdinLine();
        return *m_stdinPassword;
    case PasswordSource::Terminal:
        return askTerminal(prompt);
    }
    return QString();
}

NewPassword ConsoleUi::newPasswordBox(const QString &prompt, const QString &title)
{
    if (failed())
        return NewPassword{QString(), QString(), true};
    if (m_source != PasswordSource::Terminal) {
        const QString answer = inputBox(prompt, title, QString(), true);
        return NewPassword{answer, answer};
    }
    // A terminal has no Cancel button: an empty line means no password.
    const QString password = askTerminal(QStringLiteral("パスワードを入力してください。パスワードを設定しない場合には、"
                                                        "何も入力せずに Enter キーを押してください。"));
    if (password.isEmpty())
        return NewPassword{};
    const QString repeated = askTerminal(QStringLiteral("確認のため、もう一度入力してください。"));
    // The command ends here rather than asking again: say so, not "type it again".
    if (repeated != password) {
        recordError(QStringLiteral("パスワードが一致しないため、保存を中止しました。"));
        return NewPassword{QString(), QString(), true};
    }
    return NewPassword{password, repeated};
}

void ConsoleUi::warning(const QString &text, const QString &title)
{
    Q_UNUSED(title);
    if (m_warned.contains(text))
        return;
    m_warned.insert(text);
    std::fprintf(stderr, "purslet: warning: %s\n", escapeControls(text).toUtf8().constData());
}

QString ConsoleUi::escapeControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            out += QLatin1String("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

bool ConsoleUi::skipBadEntry(const RuntimeError &error, const QString &entry)
{
    warning(entry + QStringLiteral(": ") + error.description() + QStringLiteral(" この項目は読み飛ばします。"),
            QString());
    return true;
}

void ConsoleUi::recordError(const QString &text)
{
    if (!m_error.isEmpty())
        return; // the first error is the cause; later ones follow from it
    QString line = text.trimmed();
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    m_error = line.isEmpty() ? QStringLiteral("処理を中断しました。") : line;
}

QString ConsoleUi::readStdinLine()
{
    return QString::fromStdString(readLine(stdin));
}

QString ConsoleUi::askTerminal(const QString &prompt)
{
    std::fputs(prompt.toUtf8().constData(), stderr);
    std::fputs(" ", stderr);
    std::fflush(stderr);

    const HiddenInput hidden;
    return QString::fromStdString(readLine(stdin));
}

} // namespace purslet
