#include "ui/ChartRender.h"

#include "graph/ChartModel.h"
#include "ui/ChartViews.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QPainter>

namespace purslet {

QByteArray RenderChartPng(const ChartModel &model, QSize size, QString &error)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        error = QStringLiteral("no memory for an image of %1x%2").arg(size.width()).arg(size.height());
        return {};
    }
    image.fill(Qt::white);
    if (model.isEmpty()) {
        EmptyChart empty;
        empty.setModel(model);
        empty.resize(size);
        empty.render(&image);
    } else {
        QChartView view;
        view.setRenderHint(QPainter::Antialiasing);
        QChart *old = view.chart();
        view.setChart(CreateFlatChart(model));
        delete old;
        view.chart()->legend()->setVisible(true);
        view.resize(size);
        QPainter painter(&image);
        view.render(&painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = QStringLiteral("the image could not be written as PNG");
        return {};
    }
    return bytes;
}

} // namespace purslet
