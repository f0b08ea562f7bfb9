#include "shell/CommandLine.h"

#include <QCoreApplication>

#if PURSLET_WITH_GUI
#include "ui/ChartRender.h"
#include "ui/DesktopMain.h"
#include "ui/PdfExport.h"

#include <QApplication>

#include <cstdio>

// Failures end in one line of their own; the headless platform's notes (no
// runtime folder, no session) would only hide it.
static void onlyFatalMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "purslet: %s\n", message.toLocal8Bit().constData());
}
#endif

int main(int argc, char **argv)
{
#if PURSLET_WITH_GUI
    // Drawing needs the widget libraries, never a display.
    if (purslet::NeedsCommandLineRenderer(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(onlyFatalMessages);
        QApplication app(argc, argv);
        purslet::InstallJapaneseFonts();
        purslet::CommandLineRenderers renderers;
        renderers.chart = purslet::RenderChartPng;
        renderers.pdf = purslet::ExportPdf;
        return purslet::RunCommandLine(app.arguments(), renderers);
    }
#endif
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
