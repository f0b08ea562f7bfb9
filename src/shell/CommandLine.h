#pragma once

#include <QStringList>

#include <functional>

namespace purslet {

struct Book;
class Ui;

// The outputs that need the widgets library to render; a build without the
// desktop program leaves them unset.
struct CommandLineRenderers
{
    // Print All into an A4 PDF at the path. Print failures go to the Ui; a
    // file that cannot be written throws RuntimeError. Nothing is written at
    // the path unless the whole document is.
    std::function<void(const Book &book, Ui &ui, const QString &out)> pdf;
};

// True when the arguments ask for the command line interface (an option
// beginning with "--").
bool IsCommandLineInvocation(int argc, char **argv);

// purslet --report FILE [--password-stdin]
// purslet --convert IN OUT [--password-stdin]
// purslet --pdf FILE OUT.pdf [--password-stdin]
// purslet --version | --help
// Returns the exit status: 0 done, 1 a file could not be read or written, 2 usage.
int RunCommandLine(const QStringList &arguments, const CommandLineRenderers &renderers = {});

} // namespace purslet
