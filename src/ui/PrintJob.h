#pragma once

#include "printing/LinePrinter.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <vector>

class QPrinter;
class QWidget;

namespace purslet {

class App;
enum class MenuItem;

// The print job on a QPrinter: the platform's print dialog, then lines of
// text drawn down the pages, a new page whenever the next line does not fit.
class PrinterJob final : public LinePrinter
{
public:
    // Bypass prints with the printer as the caller set it up (a PDF file).
    enum class Dialog { Show, Bypass };

    PrinterJob(QPrinter &printer, QWidget *dialogParent, Dialog dialog = Dialog::Show);

    bool choose() override;
    void begin() override;
    void setFontName(const QString &name) override;
    void printLine(const QString &line) override;
    void end() override;
    void abort() override;

private:
    void takeMetrics();
    void drawLine(const QString &line, qreal baseline);
    bool layOutGlyphs(const QString &line);

    QPrinter &m_printer;
    QWidget *m_parent;
    Dialog m_dialog;
    QPainter m_painter;
    int m_pageHeight = 0;
    int m_lineHeight = 0;
    int m_ascent = 0;
    int m_y = 0;
    // The glyphs of the table font, so that a line needs no text shaping.
    QRawFont m_rawFont;
    QGlyphRun m_run;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_advances;
    std::vector<QPointF> m_positions;
};

// A print command of the File menu by its item name, on the printer the
// user chooses.
void RunPrintCommand(App &app, MenuItem item, QWidget *parent);

} // namespace purslet
