#include "shell/CommandLine.h"

#include <cstdio>
#include <cstring>

namespace purslet {

bool IsCommandLineInvocation(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--", 2) == 0)
            return true;
    return false;
}

int RunCommandLine(const QStringList &arguments)
{
    Q_UNUSED(arguments);
    std::fputs("usage: purslet --report FILE [--password-stdin] | --convert IN OUT [--password-stdin]\n", stderr);
    return 2;
}

} // namespace purslet
