#include "gui/chart/plot_image.h"

#include <qcustomplot.h>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace qlnx {

namespace {

QSize ShownSize(const QCustomPlot& plot) {
    // A plot never laid out (a closed window) is drawn at a size that reads well.
    const QSize size = plot.size();
    return size.width() >= 50 && size.height() >= 50 ? size : QSize(640, 400);
}

// Draws the plot across a width x height area of a drawing device, its lines and text kept as
// lines and text.
void Draw(QCustomPlot& plot, QPaintDevice& device, const QSize& size) {
    QCPPainter painter;
    if (!painter.begin(&device)) return;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot.toPainter(&painter, size.width(), size.height());
    painter.end();
}

}  // namespace

QString PlotImageFilter() {
    return QStringLiteral("PNG images (*.png);;PDF files (*.pdf);;SVG images (*.svg)");
}

QString PlotImageSuffix(PlotImageType type) {
    switch (type) {
        case PlotImageType::Png: return QStringLiteral(".png");
        case PlotImageType::Pdf: return QStringLiteral(".pdf");
        case PlotImageType::Svg: return QStringLiteral(".svg");
    }
    return {};
}

QImage PlotPicture(QCustomPlot& plot) {
    const QSize size = ShownSize(plot);
    return plot.toPixmap(size.width(), size.height()).toImage();
}

QByteArray PlotImageBytes(QCustomPlot& plot, PlotImageType type) {
    const QSize size = ShownSize(plot);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (type) {
        case PlotImageType::Png: PlotPicture(plot).save(&buffer, "PNG"); break;
        case PlotImageType::Pdf: {
            // One page the size of the plot, one point a pixel, as the screen shows it.
            QPdfWriter writer(&buffer);
            writer.setResolution(72);
            writer.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point),
                                             QPageLayout::Portrait, QMarginsF()));
            writer.setCreator(QStringLiteral("QLNX"));
            Draw(plot, writer, size);
            break;
        }
        case PlotImageType::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            Draw(plot, svg, size);
            break;
        }
    }
    return bytes;
}

}  // namespace qlnx
