#pragma once

#include <QString>

#include <functional>

namespace purslet {

class Ui;

// What a PDF file is written by: the document of Print All at `path`, the
// file replaced only when the document is whole. False when it was not
// written (the failure already shown).
using PdfWriter = std::function<bool(const QString &path)>;

// filePdf: the Save dialog for a .pdf name, offered beside the book, then
// the PDF. Cancelling ends quietly; a failure shows the inline system error
// dialog; the status bar says where the file went.
void filePdf_Click(Ui &ui, const QString &bookPath, const PdfWriter &write);

// The name the Save dialog offers: the book's name with .pdf.
QString PdfPathFor(const QString &bookPath);

} // namespace purslet
