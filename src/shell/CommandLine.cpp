#include "shell/CommandLine.h"

#include "files/BookReader.h"
#include "files/BookWriter.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"
#include "printing/PrintLayout.h"
#include "shell/App.h"
#include "shell/ConsoleUi.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <malloc.h>
#include <unistd.h>

namespace purslet {

namespace {

const char kUsage[] =
    "usage: purslet --report FILE [--password-stdin]\n"
    "       purslet --convert IN OUT [--password-stdin]\n"
    "       purslet --pdf FILE OUT.pdf [--password-stdin]\n"
    "       purslet --version | --help\n"
    "\n"
    "  --report FILE     print the cash book, the income and the outgo tables as\n"
    "                    Print All lays them out, in UTF-8, to standard output\n"
    "  --convert IN OUT  read the book IN and write it to OUT in the kind that\n"
    "                    OUT's name selects (.psl book, .bak backup, any other\n"
    "                    name plain comma-separated text)\n"
    "  --pdf FILE OUT    write the three tables as Print All prints them, on A4\n"
    "                    pages in the same font, as the PDF file OUT\n"
    "  --password-stdin  take the password from the first line of standard input\n"
    "                    (to open FILE or IN, and to protect an OUT book); on a\n"
    "                    terminal the password is asked for without echo\n"
    "\n"
    "Catalogs and settings come from PURSLET_HOME, or from the program's folder.\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 usage.\n";

enum class Mode { None, Report, Convert, Pdf, Version, Help };

struct Request
{
    Mode mode = Mode::None;
    QStringList files;
    bool passwordStdin = false;
};

int usageError(const QString &problem)
{
    std::fprintf(stderr, "purslet: %s\n%s", problem.toUtf8().constData(), kUsage);
    return 2;
}

int fileError(const QString &path, const QString &message)
{
    std::fprintf(stderr, "purslet: %s: %s\n", path.toUtf8().constData(), message.toUtf8().constData());
    return 1;
}

// Empty when the arguments make sense; otherwise what is wrong with them.
QString parse(const QStringList &arguments, Request &request)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        Mode mode = Mode::None;
        if (arg == QLatin1String("--report"))
            mode = Mode::Report;
        else if (arg == QLatin1String("--convert"))
            mode = Mode::Convert;
        else if (arg == QLatin1String("--pdf"))
            mode = Mode::Pdf;
        else if (arg == QLatin1String("--version"))
            mode = Mode::Version;
        else if (arg == QLatin1String("--help"))
            mode = Mode::Help;
        else if (arg == QLatin1String("--password-stdin")) {
            request.passwordStdin = true;
            continue;
        } else if (arg.startsWith(QLatin1String("--")))
            return QStringLiteral("unknown option %1").arg(arg);
        else {
            request.files << arg;
            continue;
        }
        if (request.mode != Mode::None)
            return QStringLiteral("only one of --report, --convert, --pdf, --version and --help");
        request.mode = mode;
    }

    switch (request.mode) {
    case Mode::None:
        return QStringLiteral("nothing to do");
    case Mode::Report:
        return request.files.size() == 1 ? QString() : QStringLiteral("--report takes one file");
    case Mode::Convert:
        return request.files.size() == 2 ? QString() : QStringLiteral("--convert takes two files");
    case Mode::Pdf:
        return request.files.size() == 2 ? QString() : QStringLiteral("--pdf takes two files");
    case Mode::Version:
    case Mode::Help:
        return request.files.isEmpty() ? QString() : QStringLiteral("unexpected argument %1").arg(request.files[0]);
    }
    return QString();
}

ConsoleUi::PasswordSource passwordSource(bool passwordStdin)
{
    if (isatty(STDIN_FILENO))
        return ConsoleUi::PasswordSource::Terminal;
    return passwordStdin ? ConsoleUi::PasswordSource::StdinLine : ConsoleUi::PasswordSource::None;
}

void setCurrentFile(App &app, const QString &path)
{
    app.doc.path = path;
    app.doc.title = FileTitleOf(path);
}

// Reads the book as Open does. False when anything went wrong; the message is in ui.
bool readBook(App &app, ConsoleUi &ui, const QString &path)
{
    setCurrentFile(app, path);
    app.doc.openRefused = false;
    try {
        FileReading(app, app.doc.title);
    } catch (const RuntimeError &e) {
        ui.recordError(e.description());
    }
    if (app.doc.openRefused)
        ui.recordError(QStringLiteral("パスワードが違うためファイルが開けません。"));
    return !ui.failed();
}

bool writeBook(App &app, ConsoleUi &ui, const QString &path)
{
    setCurrentFile(app, path);
    try {
        FileWriting(app);
    } catch (const RuntimeError &e) {
        ui.recordError(e.description());
    }
    return !ui.failed();
}

QString errorOf(const ConsoleUi &ui)
{
    return ui.error().isEmpty() ? QStringLiteral("処理を中断しました。") : ui.error();
}

// The process ends as soon as a command is done: tearing down a book of
// 32,767 rows would only cost time, so the book is left to the system.
App &bookFor(ConsoleUi &ui)
{
    return *new App(ui, ProgramFolder());
}

int report(const Request &request)
{
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    const QString &path = request.files[0];
    if (!readBook(app, ui, path))
        return fileError(path, errorOf(ui));

    // One buffer and one write: the largest book prints some 33,000 lines.
    const QByteArray bytes = PrintAllUtf8(app.book);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0)
        return fileError(QStringLiteral("(standard output)"), QString::fromLocal8Bit(std::strerror(errno)));
    return 0;
}

int convert(const Request &request)
{
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    const QString &in = request.files[0];
    const QString &out = request.files[1];
    if (!readBook(app, ui, in))
        return fileError(in, errorOf(ui));
    if (!writeBook(app, ui, out))
        return fileError(out, errorOf(ui));
    return 0;
}

int pdf(const Request &request, const CommandLineRenderers &renderers)
{
    const QString &in = request.files[0];
    const QString &out = request.files[1];
    if (!renderers.pdf)
        return fileError(out, QStringLiteral("PDF output needs the desktop build of purslet"));
    // A slip of the arguments must not replace the book with its own print.
    const QFileInfo book(in);
    if (book.exists() && book.canonicalFilePath() == QFileInfo(out).canonicalFilePath())
        return fileError(out, QStringLiteral("is the book being read; the PDF would replace it"));
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    if (!readBook(app, ui, in))
        return fileError(in, errorOf(ui));
    try {
        renderers.pdf(app.book, ui, out);
    } catch (const RuntimeError &e) {
        ui.recordError(e.description());
    }
    if (ui.failed())
        return fileError(out, errorOf(ui));
    return 0;
}

} // namespace

bool IsCommandLineInvocation(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--", 2) == 0)
            return true;
    return false;
}

int RunCommandLine(const QStringList &arguments, const CommandLineRenderers &renderers)
{
#ifdef __GLIBC__
    // Reading and printing a large book allocates and frees buffers of
    // megabytes; keeping freed memory for reuse spares the page faults of
    // handing it back to the system and touching it afresh.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    Request request;
    const QString problem = parse(arguments, request);
    if (!problem.isEmpty())
        return usageError(problem);

    switch (request.mode) {
    case Mode::Version:
        std::printf("Purslet %d.%02d\n", PURSLET_VERSION_MAJOR, PURSLET_VERSION_MINOR);
        return 0;
    case Mode::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case Mode::Report:
        return report(request);
    case Mode::Convert:
        return convert(request);
    case Mode::Pdf:
        return pdf(request, renderers);
    case Mode::None:
        break;
    }
    return 2;
}

} // namespace purslet
