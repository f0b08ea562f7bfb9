#pragma once

#include <QStringList>

namespace purslet {

// True when the arguments ask for the command line interface (an option
// beginning with "--").
bool IsCommandLineInvocation(int argc, char **argv);

// purslet --report FILE [--password-stdin]
// purslet --convert IN OUT [--password-stdin]
// purslet --version | --help
// Returns the exit status: 0 done, 1 a file could not be read or written, 2 usage.
int RunCommandLine(const QStringList &arguments);

} // namespace purslet
