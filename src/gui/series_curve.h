// A QCPCurve that draws one ChartSeries in point order, decimated when the series is large.
#pragma once

#include <qcustomplot.h>

#include <cstdint>

#include "core/chart_series.h"
#include "gui/decimation.h"

namespace qlnx {

// Converts a 0x00BBGGRR colour to Qt.
QColor ToQColor(TColor c);

class SeriesCurve : public QCPCurve {
    Q_OBJECT
public:
    // Series with more points than this draw a min/max-per-pixel-column copy.
    static constexpr int kDecimateAbove = 100000;

    SeriesCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series);

    const ChartSeries& series() const { return series_; }
    // Takes title, colour, pen, markers and the shown flag from the series.
    void applyStyle();
    // Point index of the series was just moved by SetXY (its only change since the last
    // drawing): updates the drawn copy in place where it can.
    void pointMoved(int index);
    // Number of points handed to QCustomPlot at the last drawing (the decimated count).
    int drawnCount() const { return drawnCount_; }

protected:
    void draw(QCPPainter* painter) override;

private:
    // Brings the drawn copy up to date with the series' points and the current view.
    void syncData();

    const ChartSeries& series_;
    uint64_t syncedRevision_ = 0;
    bool synced_ = false;
    bool decimated_ = false;
    bool keptChanged_ = false;  // a moved point changed the decimation since the last copy
    PixelDecimation decimation_;
    int drawnCount_ = 0;
};

}  // namespace qlnx
