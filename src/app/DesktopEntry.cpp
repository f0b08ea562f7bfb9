// The desktop part of the program, loaded by main only for what needs the
// widget libraries: the desktop program, --chart and --pdf.
#include "app/DesktopEntry.h"

#include "shell/CommandLine.h"
#include "ui/DesktopMain.h"
#include "ui/DrawingParts.h"

#include <QApplication>

#include <cstdio>

namespace {

// Failures end in one line of their own; the headless platform's notes (no
// runtime folder, no session) would only hide it.
void onlyFatalMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "purslet: %s\n", message.toLocal8Bit().constData());
}

} // namespace

extern "C" __attribute__((visibility("default"))) int PursletDesktopMain(int argc, char **argv)
{
    using namespace purslet;
    // Drawing needs the widget libraries, never a display.
    if (NeedsCommandLineRenderer(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(onlyFatalMessages);
        QApplication app(argc, argv);
        InstallJapaneseFonts();
        QString error;
        const DrawingParts *parts = LoadDrawingParts(&error);
        if (!parts) {
            std::fprintf(stderr, "purslet: the drawing part cannot be loaded: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        CommandLineRenderers renderers;
        renderers.chart = parts->renderChartPng;
        renderers.pdf = parts->exportPdf;
        return RunCommandLine(app.arguments(), renderers);
    }
    return RunDesktop(argc, argv);
}
