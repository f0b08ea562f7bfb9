#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace purslet {

struct Book;
struct ChartModel;
class Ui;

// The commands whose output needs the widget libraries, which the core does
// not link: the desktop build fills them in, others leave them unset.
struct CommandLineRenderers
{
    // The chart with its legend as PNG bytes of the given size; empty bytes
    // and a reason in `error` when it cannot be drawn.
    std::function<QByteArray(const ChartModel &model, QSize size, QString &error)> chart;
    // Print All into an A4 PDF at the path. Print failures go to the Ui; a
    // file that cannot be written throws RuntimeError. Nothing is written at
    // the path unless the whole document is.
    std::function<void(const Book &book, Ui &ui, const QString &out)> pdf;
};

// True when the arguments ask for the command line interface (an option
// beginning with "--").
bool IsCommandLineInvocation(int argc, char **argv);
// True when they ask for a command that needs one of the renderers.
bool NeedsCommandLineRenderer(int argc, char **argv);

// purslet --report FILE [--password-stdin]
// purslet --convert IN OUT [--password-stdin]
// purslet --advice FILE [--password-stdin]
// purslet --chart KIND FILE OUT.png [--size WxH] [--password-stdin]
// purslet --pdf FILE OUT.pdf [--password-stdin]
// purslet --version | --help
// Returns the exit status: 0 done, 1 a file could not be read or written, 2 usage.
int RunCommandLine(const QStringList &arguments, const CommandLineRenderers &renderers = {});

} // namespace purslet
