#include "shell/CommandLine.h"

#include "data/Month.h"
#include "operations/BookOperations.h"
#include "operations/BookReader.h"
#include "files/BookWriter.h"
#include "graph/ChartData.h"
#include "platform/AtomicFile.h"
#include "platform/HeapReserve.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"
#include "printing/PrintLayout.h"
#include "shell/ConsoleUi.h"
#include "state/App.h"

#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <malloc.h>
#include <unistd.h>

namespace purslet {

namespace {

const char kUsage[] =
    "usage: purslet --report FILE [--password-stdin] [--month YYYY-MM]\n"
    "       purslet --convert IN OUT [--password-stdin]\n"
    "       purslet --advice FILE [--password-stdin] [--month YYYY-MM]\n"
    "       purslet --chart KIND FILE OUT.png [--size WxH] [--password-stdin]\n"
    "                     [--month YYYY-MM]\n"
    "       purslet --pdf FILE OUT.pdf [--password-stdin] [--month YYYY-MM]\n"
    "       purslet --version | --help\n"
    "\n"
    "  --report FILE     print the cash book, the income and the outgo tables as\n"
    "                    Print All lays them out, in UTF-8, to standard output\n"
    "  --convert IN OUT  read the book IN and write it to OUT in the kind that\n"
    "                    OUT's name selects (.psl book, .pslx encrypted book,\n"
    "                    .bak backup, any other name plain comma-separated text)\n"
    "  --advice FILE     print the advice of the graph window for the ratio chart,\n"
    "                    the income chart and the outgo chart, each under its\n"
    "                    caption, in UTF-8, to standard output\n"
    "  --chart KIND FILE OUT.png\n"
    "                    draw one chart of the book with its legend into a PNG\n"
    "                    image, without a display: KIND 0 the income/outgo ratio,\n"
    "                    1 income by matter, 2 outgo by matter (these two as flat\n"
    "                    grouped bars)\n"
    "  --size WxH        the image's size in pixels (default 800x600)\n"
    "  --month YYYY-MM   one month instead of the whole book: its records with the\n"
    "                    balance brought forward, its summaries, chart and advice\n"
    "  --pdf FILE OUT    write the three tables as Print All prints them, on A4\n"
    "                    pages in the same font, as the PDF file OUT\n"
    "  --password-stdin  take the password from the first line of standard input\n"
    "                    (to open FILE or IN, and to protect an OUT book); on a\n"
    "                    terminal the password is asked for without echo\n"
    "\n"
    "Catalogs and settings come from PURSLET_HOME, or from the program's folder.\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 usage.\n";

enum class Mode { None, Report, Convert, Advice, Chart, Pdf, Version, Help };

constexpr int kMaxChartSide = 8192;

struct Request
{
    Mode mode = Mode::None;
    QStringList files;
    bool passwordStdin = false;
    QString size; // --size as given; empty for the default
    bool monthGiven = false;
    QString period; // --month as "2026/12"
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

std::optional<ChartKind> chartKindOf(const QString &text)
{
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] < QLatin1Char(char('0' + kChartKinds)))
        return ChartKind(text[0].unicode() - u'0');
    return std::nullopt;
}

std::optional<QSize> chartSizeOf(const QString &text)
{
    if (text.isEmpty())
        return QSize(800, 600);
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > kMaxChartSide || height > kMaxChartSide)
        return std::nullopt;
    return QSize(width, height);
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
        else if (arg == QLatin1String("--advice"))
            mode = Mode::Advice;
        else if (arg == QLatin1String("--chart"))
            mode = Mode::Chart;
        else if (arg == QLatin1String("--pdf"))
            mode = Mode::Pdf;
        else if (arg == QLatin1String("--version"))
            mode = Mode::Version;
        else if (arg == QLatin1String("--help"))
            mode = Mode::Help;
        else if (arg == QLatin1String("--password-stdin")) {
            request.passwordStdin = true;
            continue;
        } else if (arg == QLatin1String("--size")) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("--size takes WxH");
            request.size = arguments[++i];
            continue;
        } else if (arg == QLatin1String("--month")) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("--month takes YYYY-MM");
            request.monthGiven = true;
            request.period = PeriodFromArgument(arguments[++i]);
            if (request.period.isEmpty())
                return QStringLiteral("--month takes YYYY-MM, not %1").arg(arguments[i]);
            continue;
        } else if (arg.startsWith(QLatin1String("--")))
            return QStringLiteral("unknown option %1").arg(arg);
        else {
            request.files << arg;
            continue;
        }
        if (request.mode != Mode::None)
            return QStringLiteral("only one of --report, --convert, --advice, --chart, --pdf, --version and --help");
        request.mode = mode;
    }

    if (!request.size.isEmpty() && request.mode != Mode::Chart)
        return QStringLiteral("--size goes with --chart");
    if (request.monthGiven && (request.mode == Mode::Convert || request.mode == Mode::Version || request.mode == Mode::Help))
        return QStringLiteral("--month goes with --report, --advice, --chart and --pdf");
    switch (request.mode) {
    case Mode::None:
        return QStringLiteral("nothing to do");
    case Mode::Advice:
        return request.files.size() == 1 ? QString() : QStringLiteral("--advice takes one file");
    case Mode::Chart:
        if (request.files.size() != 3)
            return QStringLiteral("--chart takes a kind and two files");
        if (!chartKindOf(request.files[0]))
            return QStringLiteral("the chart kind is 0, 1 or 2, not %1").arg(request.files[0]);
        if (!chartSizeOf(request.size))
            return QStringLiteral("--size takes WxH, each from 1 to %1, not %2").arg(kMaxChartSide).arg(request.size);
        return QString();
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
    ReserveHeapForBook(path);
    try {
        FileReading(app, app.doc.title);
    } catch (const RuntimeError &e) {
        ui.recordError(e.description());
    }
    if (app.doc.openRefused)
        ui.recordError(QStringLiteral("パスワードが違うためファイルが開けません。"));
    return !ui.failed();
}

// Reads the book and shows the month asked for, as the period bar does.
bool readBook(App &app, ConsoleUi &ui, const QString &path, const Request &request)
{
    if (!readBook(app, ui, path))
        return false;
    if (!request.period.isEmpty())
        ShowPeriod(app, request.period);
    return !ui.failed();
}

bool writeBook(App &app, ConsoleUi &ui, const QString &path)
{
    setCurrentFile(app, path);
    try {
        if (!FileWriting(app))
            ui.recordError(QStringLiteral("パスワードが決まらないため保存を中止しました。"));
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
// 32,767 rows would only cost time, so the book is left to the system. It
// stays reachable from here to the end, which a leak checker accepts.
App &bookFor(ConsoleUi &ui)
{
    PrepareProgramFolder();
    static App *book = nullptr;
    delete book; // one from an earlier command of the same process (the tests)
    book = new App(ui, ProgramFolder());
    return *book;
}

bool writeStdout(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
           && std::fflush(stdout) == 0;
}

int stdoutError()
{
    return fileError(QStringLiteral("(standard output)"), QString::fromLocal8Bit(std::strerror(errno)));
}

int report(const Request &request)
{
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    const QString &path = request.files[0];
    if (!readBook(app, ui, path, request))
        return fileError(path, errorOf(ui));

    // One buffer and one write: the largest book prints some 33,000 lines.
    const QByteArray bytes = PrintAllUtf8(app.book);
    if (!writeStdout(bytes))
        return stdoutError();
    return 0;
}

int advice(const Request &request)
{
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    const QString &path = request.files[0];
    if (!readBook(app, ui, path, request))
        return fileError(path, errorOf(ui));

    QString text;
    for (int kind = 0; kind < kChartKinds; ++kind) {
        QString advice = DrawChart(app.book, ChartKind(kind), ui).advice;
        if (ui.failed())
            return fileError(path, errorOf(ui));
        advice.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (!advice.isEmpty() && !advice.endsWith(QLatin1Char('\n')))
            advice += QLatin1Char('\n');
        text += ChartCaption(ChartKind(kind)) + QLatin1Char('\n') + advice + QLatin1Char('\n');
    }
    if (!writeStdout(text.toUtf8()))
        return stdoutError();
    return 0;
}

int chart(const Request &request, const CommandLineRenderers &renderers)
{
    const QString &path = request.files[1];
    const QString &out = request.files[2];
    if (IsSameFile(path, out))
        return fileError(out, QStringLiteral("is the book being read; the chart would replace it"));
    if (!renderers.chart)
        return fileError(out, QStringLiteral("this build has no widget libraries to draw charts with"));
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    if (!readBook(app, ui, path, request))
        return fileError(path, errorOf(ui));
    const ChartDrawing drawing = DrawChart(app.book, *chartKindOf(request.files[0]), ui);
    if (ui.failed())
        return fileError(path, errorOf(ui));

    // Drawn whole in memory first: a chart that cannot be drawn leaves OUT untouched.
    QString error;
    const QByteArray png = renderers.chart(drawing.model, *chartSizeOf(request.size), error);
    if (png.isEmpty())
        return fileError(out, error.isEmpty() ? QStringLiteral("the chart could not be drawn") : error);
    try {
        WriteFileAtomically(out, png);
    } catch (const RuntimeError &e) {
        return fileError(out, e.description());
    }
    return 0;
}

int convert(const Request &request)
{
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    const QString &in = request.files[0];
    const QString &out = request.files[1];
    // A slip of the arguments must not replace the book with another kind of it.
    if (IsSameFile(in, out))
        return fileError(out, QStringLiteral("is the book being read; the conversion would replace it"));
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
    if (IsSameFile(in, out))
        return fileError(out, QStringLiteral("is the book being read; the PDF would replace it"));
    if (!renderers.pdf)
        return fileError(out, QStringLiteral("PDF output needs the desktop build of purslet"));
    ConsoleUi ui(passwordSource(request.passwordStdin));
    App &app = bookFor(ui);
    if (!readBook(app, ui, in, request))
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

bool NeedsCommandLineRenderer(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--chart") == 0 || std::strcmp(argv[i], "--pdf") == 0)
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
    case Mode::Advice:
        return advice(request);
    case Mode::Chart:
        return chart(request, renderers);
    case Mode::Pdf:
        return pdf(request, renderers);
    case Mode::None:
        break;
    }
    return 2;
}

} // namespace purslet
