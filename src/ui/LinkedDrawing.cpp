#include "ui/LinkedDrawing.h"

#include "ui/ChartRender.h"
#include "ui/ChartWindow.h"
#include "ui/PdfExport.h"
#include "ui/PrintJob.h"

namespace purslet {

const DrawingParts &LinkedDrawingParts()
{
    static const DrawingParts parts{
        [](ChartPresenter &presenter, QWidget *parent) {
            ChartWindow dialog(presenter, parent);
            dialog.exec();
        },
        RunPrintCommand,
        ExportPdf,
        RenderChartPng,
    };
    return parts;
}

} // namespace purslet
