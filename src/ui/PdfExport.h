#pragma once

#include <QString>

namespace purslet {

struct Book;
class Ui;

// Print All as an A4 PDF file, through the same job as a printer gets: the
// same font, lines and page breaks. Print failures go to the Ui; a file that
// cannot be written throws RuntimeError. Nothing is written at `out` unless
// the whole document is. The Japanese font names must be installed first
// (InstallJapaneseFonts), as for the printer. True when the file was written.
bool ExportPdf(const Book &book, Ui &ui, const QString &out);

} // namespace purslet
