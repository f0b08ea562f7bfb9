#include "ui/PrintJob.h"

#include "platform/RuntimeError.h"
#include "presenters/PrintCommands.h"
#include "state/App.h"

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include <cups/cups.h>

namespace purslet {

namespace {

[[noreturn]] void fail(const QString &description)
{
    throw RuntimeError(RuntimeError::PrinterError, description);
}

// Qt 6.4's print dialog leaves its page range choices open whatever its
// options say, and a range chosen there would print part of Print All. They
// are switched off where the user sees them: when the dialog shows, and
// again when another printer is chosen.
class PageRangeOff final : public QObject
{
public:
    explicit PageRangeOff(QPrintDialog &dialog) : QObject(&dialog), m_dialog(dialog)
    {
        dialog.installEventFilter(this);
        if (auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers")))
            connect(printers, &QComboBox::currentIndexChanged, this, [this] { apply(); });
        apply();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_dialog && event->type() == QEvent::Show)
            apply();
        return false;
    }

private:
    void apply()
    {
        for (const char *name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                                 "printCurrentPage", "printSelection"})
            if (auto *widget = m_dialog.findChild<QWidget *>(QLatin1String(name)))
                widget->setEnabled(false);
        if (auto *all = m_dialog.findChild<QRadioButton *>(QStringLiteral("printAll")))
            all->setChecked(true);
    }

    QPrintDialog &m_dialog;
};

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x3000);
}

} // namespace

PrinterJob::PrinterJob(QPrinter &printer, QWidget *dialogParent, Dialog dialog)
    : m_printer(printer), m_parent(dialogParent), m_dialog(dialog)
{
}

bool PrinterJob::choose()
{
    if (m_dialog == Dialog::Bypass)
        return true;
    // A dialog with an empty printer list would only lead to a job that cannot start.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        fail(QStringLiteral("使用できるプリンタがありません。"));
    m_printer.setCollateCopies(true);
    QPrintDialog dialog(&m_printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    new PageRangeOff(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void PrinterJob::begin()
{
    // With no printer behind it Qt falls back to a PDF file without a name,
    // which would take the whole job and print nothing.
    if (!m_printer.isValid()
        || (m_printer.outputFormat() == QPrinter::PdfFormat && m_printer.outputFileName().isEmpty())
        || (m_printer.outputFormat() == QPrinter::NativeFormat && QPrinterInfo(m_printer).isNull()))
        fail(QStringLiteral("選択されたプリンタを使用できません。"));
    if (!m_painter.begin(&m_printer) || m_printer.printerState() == QPrinter::Error) {
        if (m_painter.isActive())
            m_painter.end();
        fail(QStringLiteral("プリンタを開けません。"));
    }
    m_pageHeight = m_printer.height();
    m_y = 0;
    takeMetrics();
}

void PrinterJob::setFontName(const QString &name)
{
    // The size is left to the default. Should the name map to nothing
    // installed, the fallback is still of fixed pitch.
    QFont font(name);
    font.setStyleHint(QFont::TypeWriter);
    font.setKerning(false);
    m_painter.setFont(font);
    takeMetrics();
    m_rawFont = QRawFont::fromFont(m_painter.font());
    m_run.setRawFont(m_rawFont);
}

void PrinterJob::takeMetrics()
{
    const QFontMetrics metrics = m_painter.fontMetrics();
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
}

void PrinterJob::printLine(const QString &line)
{
    if (m_y > 0 && m_y + m_lineHeight > m_pageHeight) {
        if (!m_printer.newPage() || m_printer.printerState() == QPrinter::Error)
            fail(QStringLiteral("新しいページを始められません。"));
        m_y = 0;
    }
    drawLine(line, m_y + m_ascent);
    m_y += m_lineHeight;
}

void PrinterJob::drawLine(const QString &line, qreal baseline)
{
    if (line.isEmpty())
        return;
    if (layOutGlyphs(line)) {
        if (!m_positions.empty()) {
            m_run.setRawData(m_glyphs.data(), m_positions.data(), int(m_positions.size()));
            m_painter.drawGlyphRun(QPointF(0, baseline), m_run);
        }
        return;
    }
    // A character the table font lacks: Qt's own layout finds a font for it.
    m_painter.drawText(QPointF(0, baseline), line);
}

// The glyphs of the line in the table font at their pen positions, blanks
// left out (they only move the pen). Shaping each of some 33,000 lines
// would cost most of the job's time. False when the font cannot show the
// line by itself.
bool PrinterJob::layOutGlyphs(const QString &line)
{
    if (!m_rawFont.isValid())
        return false;
    const int count = int(line.size());
    m_glyphs.resize(size_t(count));
    m_advances.resize(size_t(count));
    int glyphCount = count;
    if (!m_rawFont.glyphIndexesForChars(line.constData(), count, m_glyphs.data(), &glyphCount)
        || glyphCount != count)
        return false; // surrogate pairs
    if (!m_rawFont.advancesForGlyphIndexes(m_glyphs.data(), m_advances.data(), count))
        return false;
    m_positions.clear();
    qreal x = 0;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = line.at(i);
        if (!isBlank(c)) {
            if (m_glyphs[size_t(i)] == 0)
                return false;
            m_glyphs[size_t(kept++)] = m_glyphs[size_t(i)];
            m_positions.emplace_back(x, 0);
        }
        x += m_advances[size_t(i)].x();
    }
    return true;
}

void PrinterJob::end()
{
    const bool toPrintSystem = m_printer.outputFormat() == QPrinter::NativeFormat;
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error)
        fail(QStringLiteral("印刷を終了できません。"));
    // Qt hands the finished document to CUPS without looking at the answer;
    // the answer is still there to be asked for.
    if (toPrintSystem && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        fail(QStringLiteral("印刷内容をプリンタに送信できません。(%1)").arg(QString::fromUtf8(cupsLastErrorString())));
}

void PrinterJob::abort()
{
    if (!m_painter.isActive())
        return;
    // Qt's PDF and CUPS engines cannot withdraw a job once it has begun;
    // ending it hands over the pages printed so far.
    m_printer.abort();
    m_painter.end();
}

void RunPrintCommand(App &app, MenuItem item, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(app.doc.title.isEmpty() ? QStringLiteral("Purslet") : app.doc.title);
    PrinterJob job(printer, parent);
    PrintCommands(app.ui, app.book, job).run(item);
}

} // namespace purslet
