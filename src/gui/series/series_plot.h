// The series window's chart: the specimens of a group overlaid (skeleton curves or working
// curves, one colour each) and the mean skeleton with a band of one standard deviation on
// each side, per branch.
#pragma once

#include <qcustomplot.h>

#include "core/series_overlay.h"
#include "report/series_chart.h"

namespace qlnx {

class SeriesPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit SeriesPlot(QWidget* parent = nullptr);

    // Draws the overlay (curves: the working curves instead of the skeletons; mean: the mean
    // skeleton and its band) with the axis titles, fitted to the data, and redraws at once.
    void Show(const SeriesOverlay& overlay, bool curves, bool mean, const QString& xTitle,
              const QString& yTitle);

    // How many points the drawn curves hold (a long working curve is drawn per pixel column).
    qsizetype DrawnPoints() const;
};

}  // namespace qlnx
