#include "shell/CommandLine.h"

#include <QCoreApplication>

#if PURSLET_WITH_GUI
#include "app/DesktopEntry.h"

#include <cstdio>
#include <string>

#include <dlfcn.h>
#include <unistd.h>

namespace {

// The folder of this executable, from the kernel: whatever the working
// folder or the name it was started by.
std::string programFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string self(path, size_t(n));
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

// The widget libraries and all they bring (some eighty shared objects) are
// loaded only by what draws: the other commands start without them, in a
// fraction of the time. The module sits beside a program run from its build
// folder, and in <prefix>/lib/purslet/desktop when installed in <prefix>/bin.
int runDesktopPart(int argc, char **argv)
{
    const std::string folder = programFolder();
    std::string errors;
    const std::string installed = folder + "/../" PURSLET_DESKTOP_MODULE_DIR;
    for (const std::string &place : {folder, installed}) {
        const std::string module = place + "/" PURSLET_DESKTOP_MODULE;
        if (access(module.c_str(), F_OK) != 0)
            continue;
        void *handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            errors += dlerror();
            break;
        }
        auto entry = reinterpret_cast<PursletDesktopMainFunction>(dlsym(handle, kPursletDesktopEntry));
        if (entry)
            return entry(argc, argv);
        errors += dlerror();
        break;
    }
    if (errors.empty())
        errors = "no " PURSLET_DESKTOP_MODULE " in " + folder + " or " + installed;
    std::fprintf(stderr, "purslet: the desktop part cannot be loaded: %s\n", errors.c_str());
    return 1;
}

} // namespace
#endif

int main(int argc, char **argv)
{
#if PURSLET_WITH_GUI
    if (!purslet::IsCommandLineInvocation(argc, argv) || purslet::NeedsCommandLineRenderer(argc, argv))
        return runDesktopPart(argc, argv);
#endif
    // The command line interface answers without a display.
    QCoreApplication app(argc, argv);
    return purslet::RunCommandLine(app.arguments());
}
