// The chart of a test series, drawn into a QCustomPlot: the specimens of a group overlaid
// (skeleton curves or working curves, one colour each) and the mean skeleton with a band of
// one standard deviation on each side, per branch. The series window shows it; the series
// report draws it on its pages.
#pragma once

#include <qcustomplot.h>

#include <functional>
#include <vector>

#include "core/series_overlay.h"

namespace qlnx {

struct SeriesChartParts {
    bool Curves = false;    // the working curves instead of the skeletons
    bool Specimens = true;  // each specimen's curve
    bool Mean = true;       // the mean skeleton and its band
    double PenScale = 1;    // the lines' widths and the markers' sizes, times this
};

struct SeriesChartTexts {
    QString XTitle;
    QString YTitle;
    QString MeanBand;      // "Mean ± one standard deviation", translated
    QString MeanSkeleton;  // "Mean skeleton", translated
};

// Hands a curve its points; the axes' ranges are set when it is called.
using SeriesCurvePoints =
    std::function<void(QCPCurve&, const std::vector<double>&, const std::vector<double>&)>;

// Clears the plot's plottables and draws the parts of the overlay with the axis titles,
// fitted to what is drawn. put hands each curve its points (all of them when put is empty).
void DrawSeriesChart(QCustomPlot& plot, const SeriesOverlay& overlay, const SeriesChartParts& parts,
                     const SeriesChartTexts& texts, const SeriesCurvePoints& put = {});

// The points (xs[i], ys[i]) as the curve's data, in order.
void SetCurvePoints(QCPCurve& curve, const std::vector<double>& xs, const std::vector<double>& ys);

// The colour of the i-th specimen of a group.
QColor SeriesColor(size_t i);

}  // namespace qlnx
