#include "ui/PrintJob.h"

#include "platform/ErrorDialogs.h"
#include "platform/RuntimeError.h"
#include "printing/PrintLayout.h"
#include "shell/App.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <functional>
#include <memory>
#include <vector>

namespace purslet {

namespace {
// Lines go down the page; a full page continues on the next one.
class LinePrinter
{
public:
    explicit LinePrinter(QPrinter &printer) : m_printer(printer)
    {
        if (!m_painter.begin(&m_printer))
            throw RuntimeError(RuntimeError::PathNotFound, QStringLiteral("プリンタを開けません。"));
        m_page = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    }

    void setFont(const QFont &font)
    {
        m_painter.setFont(font);
        m_lineHeight = QFontMetrics(font, &m_printer).lineSpacing();
    }

    void print(const QString &line)
    {
        if (m_y > 0 && m_y + m_lineHeight > m_page.height()) {
            if (!m_printer.newPage())
                throw RuntimeError(RuntimeError::DiskFull, QStringLiteral("印刷できませんでした。"));
            m_y = 0;
        }
        m_painter.drawText(QPointF(0, m_y + QFontMetrics(m_painter.font(), &m_printer).ascent()), line);
        m_y += m_lineHeight;
    }

    void end()
    {
        if (!m_painter.end())
            throw RuntimeError(RuntimeError::DiskFull, QStringLiteral("印刷できませんでした。"));
    }

private:
    QPrinter &m_printer;
    QPainter m_painter;
    QRect m_page;
    int m_lineHeight = 12;
    int m_y = 0;
};
} // namespace

void RunPrintCommand(App &app, const QString &item, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setCollateCopies(true);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return;

    ShowStatus(app.ui, QStringLiteral("印刷内容をプリンタに送信しています..."));
    std::vector<std::function<QStringList()>> tables;
    const Book &book = app.book;
    if (item == QLatin1String("printCashier") || item == QLatin1String("printAll"))
        tables.emplace_back([&] { return PrintCashBook(book); });
    if (item == QLatin1String("printIncome") || item == QLatin1String("printAll"))
        tables.emplace_back([&] { return PrintIncomeSummary(book); });
    if (item == QLatin1String("printOutgo") || item == QLatin1String("printAll"))
        tables.emplace_back([&] { return PrintOutgoSummary(book); });

    std::unique_ptr<LinePrinter> job;
    if (!RunInlineStep(app.ui, [&] { job = std::make_unique<LinePrinter>(printer); }))
        return;
    if (job) {
        for (const auto &table : tables) {
            const bool goOn = RunInlineStep(app.ui, [&] {
                const QStringList lines = table();
                // The table opens with its empty lines, then the font is set.
                int i = 0;
                for (; i < lines.size() && lines.at(i).isEmpty(); ++i)
                    job->print(QString());
                job->setFont(QFont(QStringLiteral("ＭＳ ゴシック")));
                for (; i < lines.size(); ++i)
                    job->print(lines.at(i));
            });
            if (!goOn)
                return;
        }
        if (!RunInlineStep(app.ui, [&] { job->end(); }))
            return;
    }
    ShowStatus(app.ui, QStringLiteral("印刷内容をプリンタに送信しました。"));
}

} // namespace purslet
