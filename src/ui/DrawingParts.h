#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QWidget;

namespace purslet {

class App;
class ChartPresenter;
class Ui;
enum class MenuItem;
struct Book;
struct ChartModel;

// What draws charts and prints: a module of its own, loaded at the first
// chart, print or PDF, so that the desktop program starts without the chart,
// printing and network libraries those bring.
struct DrawingParts
{
    // The modal graph window.
    void (*showChart)(ChartPresenter &presenter, QWidget *parent);
    // A print command of the File menu.
    void (*print)(App &app, MenuItem item, QWidget *parent);
    // Print All into an A4 PDF file (see ExportPdf).
    bool (*exportPdf)(const Book &book, Ui &ui, const QString &out);
    // The chart as PNG bytes (see RenderChartPng).
    QByteArray (*renderChartPng)(const ChartModel &model, QSize size, QString &error);
};

// The parts, from the module beside the desktop part, loaded once; null,
// with the reason in `error`, when it cannot be loaded.
const DrawingParts *LoadDrawingParts(QString *error = nullptr);

// Parts linked into the program itself, used instead of the module (tests).
void UseDrawingParts(const DrawingParts *parts);

} // namespace purslet
