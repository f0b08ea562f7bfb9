#include "shell/ConsoleUi.h"

#include <cstdio>
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

void ConsoleUi::clearErrors()
{
    m_error.clear();
    m_endRequested = false;
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

    termios saved{};
    const bool isTerminal = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (isTerminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const std::string line = readLine(stdin);
    if (isTerminal)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    return QString::fromStdString(line);
}

} // namespace purslet
