#include "presenters/PdfCommand.h"

#include "platform/ErrorDialogs.h"
#include "platform/Ui.h"

#include <QFileInfo>

namespace purslet {

QString PdfPathFor(const QString &bookPath)
{
    if (bookPath.isEmpty())
        return QString();
    const QFileInfo book(bookPath);
    const QString base = book.suffix().isEmpty() ? book.fileName() : book.completeBaseName();
    return book.path() + QLatin1Char('/') + base + QStringLiteral(".pdf");
}

void filePdf_Click(Ui &ui, const QString &bookPath, const PdfWriter &write)
{
    FileDialogRequest request;
    request.title = QStringLiteral("PDFファイルに書き出す");
    request.filter = QStringLiteral("PDFファイル (*.pdf)|*.pdf");
    request.defaultSuffix = QStringLiteral("pdf");
    request.initialPath = PdfPathFor(bookPath);
    request.askOverwrite = true;
    const QString path = ui.saveFileDialog(request);
    if (path.isEmpty() || !write)
        return;
    bool written = false;
    RunInlineStep(ui, [&] { written = write(path); });
    ShowStatus(ui, written ? QStringLiteral("PDFファイルに書き出しました。") + path : QString());
}

} // namespace purslet
