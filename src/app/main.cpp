#include "shell/CommandLine.h"

#include <QCoreApplication>

#if PURSLET_WITH_GUI
#include "ui/DesktopMain.h"
#endif

int main(int argc, char **argv)
{
    // The command line interface answers without a display.
    if (purslet::IsCommandLineInvocation(argc, argv)) {
        QCoreApplication app(argc, argv);
        return purslet::RunCommandLine(app.arguments());
    }
#if PURSLET_WITH_GUI
    return purslet::RunDesktop(argc, argv);
#else
    QCoreApplication app(argc, argv);
    return purslet::RunCommandLine(app.arguments());
#endif
}
