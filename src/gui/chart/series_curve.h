// A QCPCurve that draws one ChartSeries in point order, decimated when the series is large.
#pragma once

#include <qcustomplot.h>

#include <cstdint>
#include <future>
#include <string>

#include "core/chart_series.h"
#include "gui/chart/decimation.h"
#include "gui/chart/polyline_raster.h"

namespace qlnx {

// Converts a 0x00BBGGRR colour to Qt.
QColor ToQColor(TColor c);

class SeriesCurve : public QCPCurve {
    Q_OBJECT
public:
    // Series with more points than this draw a min/max-per-pixel-column copy.
    static constexpr int kDecimateAbove = 100000;
    // A thin plain line whose decimated copy would still hold more points than this is drawn
    // as a picture of the pixels it covers instead (see drawRaster), until its points change
    // other than by single moved points.
    static constexpr size_t kRasterAboveKept = 500000;

    SeriesCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series);
    // Waits for a picture still being made.
    ~SeriesCurve() override;

    const ChartSeries& series() const { return series_; }
    // Takes title, colour, pen, markers and the shown flag from the series. True when any of
    // them differs from what the last call took (the first call always is).
    bool applyStyle();
    // Point index of the series was just moved by SetXY (its only change since the last
    // drawing): updates the drawn copy in place where it can.
    void pointMoved(int index);
    // Number of points handed to QCustomPlot at the last drawing (the decimated count; 0 when
    // the curve is drawn as a picture of its pixels).
    int drawnCount() const { return drawnCount_; }
    // Whether dense series may be drawn as pictures of their pixels (the default). Off, they
    // are always drawn point by point from the decimated copy: the former way, kept for
    // comparison.
    static void SetRasterAllowed(bool on);
    // Whether the picture of a new view is made on another thread (the default). Meanwhile the
    // frame shows the last picture moved and scaled to the new view, and the chart is drawn
    // again when the new one is ready. Off, every frame makes its picture before it is shown.
    // A picture of changed points and an exported image are always made at once.
    static void SetRasterAsync(bool on);
    // Whether the curve is drawn as a picture of its pixels, and times that picture was made.
    bool rastered() const { return rastered_; }
    int rasterBuilds() const { return rasterBuilds_; }
    // A picture is being made on another thread.
    bool rasterPending() const { return job_.valid(); }
    // Times the curve was drawn (a full replot or a replot of its layer).
    int drawCount() const { return drawCount_; }
    // The curve is shown and its series' points changed since it was last drawn.
    bool hasUndrawnChange() const;

protected:
    void draw(QCPPainter* painter) override;

private:
    // Whether the series is a plain line of one pixel, the only look the picture can give.
    bool rasterFits() const;
    // Draws the picture of the covered pixels over the plot rectangle, remade when the view,
    // the pixel size or the points changed since it was made; a new colour only repaints it.
    void drawRaster(QCPPainter* painter);
    // The view of the plot rectangle as the picture's grid sees it now.
    RasterView currentView() const;
    // Starts making the picture of view on another thread unless one is being made; the
    // frame after it is ready asks again for the view it then shows.
    void requestPicture(const RasterView& view);
    // Takes the picture made on the other thread, when it still shows the series' points.
    void pictureReady();
    // Keeps mask as the picture of view, made of the points at revision.
    void takePicture(RasterMask mask, const RasterView& view, uint64_t revision);
    // Draws the last picture where its view lies in the current one.
    void drawMovedPicture(QCPPainter* painter, const QRect& rect);
    // Brings the drawn copy up to date with the series' points and the current view.
    void syncData();

    // The series' fields applyStyle takes, as it took them last.
    struct StyleKey {
        std::string title;
        TColor color = 0;
        int lineWidth = 0;
        bool drawLine = false;
        bool pointerVisible = false;
        PointerStyle pointer = PointerStyle::Circle;
        int pointerSize = 0;
        bool active = false;
        bool operator==(const StyleKey&) const = default;
    };

    const ChartSeries& series_;
    StyleKey style_;
    bool styled_ = false;
    bool drawn_ = false;
    uint64_t drawnRevision_ = 0;  // the series' Revision at the last drawing
    int drawCount_ = 0;
    uint64_t syncedRevision_ = 0;
    bool synced_ = false;
    bool decimated_ = false;
    bool keptChanged_ = false;  // a moved point changed the decimation since the last copy
    PixelDecimation decimation_;
    int drawnCount_ = 0;
    bool rastered_ = false;
    RasterView rasterView_;
    uint64_t rasterRevision_ = 0;  // the series' Revision the mask was made of
    bool rasterMade_ = false;
    RasterMask mask_;
    bool imageStale_ = true;       // mask_ changed since image_ was made of it
    std::future<RasterMask> job_;  // the picture being made on another thread
    RasterView jobView_;
    uint64_t jobRevision_ = 0;
    QImage image_;
    QRgb imageColor_ = 0;
    int rasterBuilds_ = 0;
};

}  // namespace qlnx
