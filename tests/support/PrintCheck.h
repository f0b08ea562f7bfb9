#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable texts in the failure messages of the tests.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace purslet::test {

class TempHome;

// Income.ini, Outgo.ini and a text book `name` of `records` records in the
// home: dated in order, incomes and outgoes under five matters (one of eleven
// full-width characters), some with memos.
void WriteBookFiles(const TempHome &home, const QString &name, int records);

// The width in points of a half-width character of the printed tables, from
// the cash book's first caption "記入日" (six half-width columns); 0 when
// it is not found.
double PdfPitch(const QString &pdf);
// Poppler's text of a PDF, laid out on a grid of `pitch` points, one string
// per page. Empty, with the reason in `error`, when pdftotext fails.
QStringList PdfPages(const QString &pdf, double pitch, QString *error);
// The number of pages pdfinfo counts; -1 when it fails.
int PdfPageCount(const QString &pdf);
// pdfinfo or pdffonts output.
QString PdfTool(const QString &tool, const QString &pdf);

// The lines of the pages in order, page breaks dropped, the left margin that
// all lines share and trailing blanks taken off.
QStringList PrintedLines(const QStringList &pages);
// The columns of the bars in a line of poppler's text. Poppler starts each
// word at the column of its position on the page and writes the characters
// of a word one after another, so inside a word a full-width character takes
// two columns.
QList<int> BarColumns(const QString &line);
// The line without blanks, for comparing texts whose spacing differs.
QString Squeezed(const QString &line);

} // namespace purslet::test
