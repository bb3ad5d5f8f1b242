// A series curve whose markers are drawn each in its point's own colour.
#pragma once

#include "gui/chart/series_curve.h"

namespace qlnx {

class ColoredCurve : public SeriesCurve {
    Q_OBJECT
public:
    using SeriesCurve::SeriesCurve;

protected:
    // Draws the markers of the visible points, each filled with ChartSeries::DrawColor.
    void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& points,
                         const QCPScatterStyle& style) const override;
};

}  // namespace qlnx
