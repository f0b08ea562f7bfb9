// Print All as PDF at the largest book: the export alone, and the whole
// `purslet --pdf` command as a user runs it (start, read, render, write).
#include "LargestBook.h"

#include "files/BookWriter.h"
#include "state/App.h"
#include "ui/DesktopMain.h"
#include "ui/PdfExport.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace purslet;

namespace {

struct Fixture : bench::BookInFolder
{
    Fixture() : BookInFolder(kMaxRecords)
    {
        app->doc.path = path("book.psl");
        app->doc.title = QStringLiteral("book.psl");
        FileWriting(*app);
    }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_ExportPdf(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        ExportPdf(f.app->book, f.ui, f.path("out.pdf"));
}

void BM_PdfCommand(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../purslet");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PURSLET_HOME"), f.dir.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {QStringLiteral("--pdf"), f.path("book.psl"), f.path("command.pdf")});
        process.closeWriteChannel();
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            std::abort();
    }
}

BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallJapaneseFonts();
    return bench::RunBenchmarks(argc, argv);
}
