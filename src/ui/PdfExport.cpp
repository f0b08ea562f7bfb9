#include "ui/PdfExport.h"

#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"
#include "printing/PrintCommands.h"
#include "ui/PrintJob.h"

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

namespace purslet {

bool ExportPdf(const Book &book, Ui &ui, const QString &out)
{
    // Qt writes the PDF to a file of its choosing; it is checked whole
    // before it replaces anything at `out`.
    QTemporaryDir spool;
    if (!spool.isValid())
        throw RuntimeError(RuntimeError::PathNotFound);
    const QString file = spool.filePath(QStringLiteral("print.pdf"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
    printer.setDocName(QStringLiteral("Purslet"));
    PrinterJob job(printer, nullptr, PrinterJob::Dialog::Bypass);
    PrintCommands commands(ui, book, job);
    // The file is written after the job, so both texts say it is under way.
    const QString writing = QStringLiteral("PDFファイルに書き出しています...");
    commands.setStatusTexts(writing, writing);
    if (!commands.printAll_Click())
        return false;

    // The largest book prints some 400 pages, a few megabytes.
    const QByteArray pdf = ReadWholeFile(file, qint64(1) << 30);
    // Qt does not report a write that failed part way; a whole PDF ends with its trailer.
    if (!pdf.trimmed().endsWith("%%EOF"))
        throw RuntimeError(RuntimeError::DiskFull);
    WriteFileAtomically(out, pdf);
    return true;
}

} // namespace purslet
