// A plot of the evaluation as an image file or on the clipboard: a picture (PNG) at the size
// shown, or a drawing that scales (PDF, SVG) with its lines and text kept as such.
#pragma once

#include <QByteArray>
#include <QImage>

class QCustomPlot;

namespace qlnx {

enum class PlotImageType { Png = 1, Pdf = 2, Svg = 3 };  // the save dialog's file types

// The "Save Image" dialog's file types, in the order of PlotImageType.
QString PlotImageFilter();
// The file name ending of a type.
QString PlotImageSuffix(PlotImageType type);

// The whole file of plot drawn at the size it has on the screen.
QByteArray PlotImageBytes(QCustomPlot& plot, PlotImageType type);
// The plot as a picture at the size it has on the screen.
QImage PlotPicture(QCustomPlot& plot);

}  // namespace qlnx
