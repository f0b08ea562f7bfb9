#include "ui/PdfExport.h"

#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"
#include "presenters/PrintCommands.h"
#include "ui/PrintJob.h"

#include <QPageSize>
#include <QPrinter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace purslet {

namespace {
class UnnamedFile final
{
public:
    UnnamedFile() : m_fd(::open(QFile::encodeName(QDir::tempPath()).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600))
    {
    }
    ~UnnamedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    UnnamedFile(const UnnamedFile &) = delete;
    UnnamedFile &operator=(const UnnamedFile &) = delete;

    // Empty when the file system has no unnamed files.
    QString path() const
    {
        if (m_fd < 0 || !QFileInfo::exists(QStringLiteral("/proc/self/fd/%1").arg(m_fd)))
            return QString();
        return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    }

private:
    int m_fd;
};
} // namespace

bool ExportPdf(const Book &book, Ui &ui, const QString &out)
{
    // Qt writes the PDF to a file of its choosing; it is checked whole
    // before it replaces anything at `out`. An unnamed file, reached through
    // /proc, is gone with the process however it ends; a named one in a
    // folder of its own where the file system has none.
    const UnnamedFile unnamed;
    std::optional<QTemporaryDir> spool;
    QString file = unnamed.path();
    if (file.isEmpty()) {
        spool.emplace();
        if (!spool->isValid())
            throw RuntimeError(RuntimeError::PathNotFound);
        file = spool->filePath(QStringLiteral("print.pdf"));
    }

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
