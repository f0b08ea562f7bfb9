#include "shell/CommandLine.h"

#include <QCoreApplication>

#include <cstring>

#if PURSLET_WITH_GUI
#include "ui/DesktopMain.h"
#include "ui/PdfExport.h"

#include <QApplication>

#include <cstdio>

// Options whose output is drawn by the widgets library.
static bool wantsRenderer(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--pdf") == 0)
            return true;
    return false;
}

// Qt's notes about the headless platform (no runtime folder and the like)
// would break the one line a failing command leaves on stderr.
static void onlyFatalMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "purslet: %s\n", message.toLocal8Bit().constData());
}
#endif

int main(int argc, char **argv)
{
    // The command line interface answers without a display.
    if (purslet::IsCommandLineInvocation(argc, argv)) {
#if PURSLET_WITH_GUI
        if (wantsRenderer(argc, argv)) {
            // Rendering never needs a screen.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(onlyFatalMessages);
            QApplication app(argc, argv);
            purslet::CommandLineRenderers renderers;
            renderers.pdf = purslet::ExportPdf;
            return purslet::RunCommandLine(app.arguments(), renderers);
        }
#endif
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
