#include "gui/chart/series_curve.h"

#include <algorithm>
#include <future>
#include <thread>
#include <utility>

#include "gui/chart/decimation.h"

namespace qlnx {

namespace {
bool rasterAllowed = true;
bool rasterAsync = true;

int RasterThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }
}  // namespace

void SeriesCurve::SetRasterAllowed(bool on) { rasterAllowed = on; }
void SeriesCurve::SetRasterAsync(bool on) { rasterAsync = on; }

QColor ToQColor(TColor c) {
    const ColorBytes b = BytesOf(c);
    return QColor(b.Red, b.Green, b.Blue);
}

SeriesCurve::SeriesCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series)
    : QCPCurve(keyAxis, valueAxis), series_(series) {
    setSelectable(QCP::stNone);
    applyStyle();
}

SeriesCurve::~SeriesCurve() {
    if (job_.valid()) job_.wait();
}

bool SeriesCurve::applyStyle() {
    const ChartSeries& s = series_;
    const StyleKey key{s.Title,          s.Color,   s.LineWidth,   s.DrawLine,
                       s.PointerVisible, s.Pointer, s.PointerSize, s.Active};
    const bool changed = !styled_ || !(key == style_);
    style_ = key;
    styled_ = true;
    const QColor color = ToQColor(s.Color);
    setName(QString::fromStdString(s.Title));
    setPen(QPen(color, s.LineWidth));
    setLineStyle(s.DrawLine ? lsLine : lsNone);
    if (s.PointerVisible) {
        const auto shape = s.Pointer == PointerStyle::Diamond ? QCPScatterStyle::ssDiamond
                                                              : QCPScatterStyle::ssCircle;
        // The marker size of a series is its half-width in pixels.
        setScatterStyle(
            QCPScatterStyle(shape, QPen(Qt::black), QBrush(color), 2.0 * s.PointerSize));
    } else {
        setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    setVisible(s.Active);
    return changed;
}

bool SeriesCurve::hasUndrawnChange() const {
    return visible() && (!drawn_ || drawnRevision_ != series_.Revision());
}

void SeriesCurve::pointMoved(int index) {
    const bool onlyThisChange = synced_ && syncedRevision_ + 1 == series_.Revision();
    if (!onlyThisChange || index < 0 || index >= series_.Count()) return;
    if (rastered_) {
        // The picture is made again at the next drawing; the way of drawing stays.
    } else if (decimated_) {
        decimation_.PointMoved(series_.XValues(), series_.YValues(), index);
        keptChanged_ = true;
    } else {
        auto it = mDataContainer->begin() + index;
        it->key = series_.GetxValue(index);
        it->value = series_.GetyValue(index);
    }
    syncedRevision_ = series_.Revision();
}

void SeriesCurve::syncData() {
    const int n = series_.Count();
    const bool dataChanged = !synced_ || syncedRevision_ != series_.Revision();
    const auto& xs = series_.XValues();
    const auto& ys = series_.YValues();
    if (n <= kDecimateAbove || !rasterFits()) rastered_ = false;
    if (rastered_ && !dataChanged) {
        synced_ = true;
        drawnCount_ = 0;
        return;
    }
    if (rasterMade_) {
        mask_ = RasterMask();
        image_ = QImage();
        rasterMade_ = false;
    }
    rastered_ = false;
    if (n <= kDecimateAbove) {
        if (dataChanged || decimated_) {
            QVector<QCPCurveData> data(n);
            for (int i = 0; i < n; ++i) {
                data[i] = QCPCurveData(i, xs[static_cast<size_t>(i)], ys[static_cast<size_t>(i)]);
            }
            mDataContainer->set(data, true);
            decimated_ = false;
        }
    } else {
        const QCPRange rx = keyAxis()->range();
        const QCPRange ry = valueAxis()->range();
        const QRect rect = keyAxis()->axisRect()->rect();
        PixelView view;
        view.xLower = rx.lower;
        view.xUpper = rx.upper;
        view.yLower = ry.lower;
        view.yUpper = ry.upper;
        // Columns of device pixels, so a high-density screen keeps its finer detail.
        const double ratio = mParentPlot->bufferDevicePixelRatio();
        view.width = rect.width() * ratio;
        view.height = rect.height() * ratio;
        const bool rebuild = dataChanged || !decimated_ || !(view == decimation_.View());
        if (rebuild) decimation_.Build(xs, ys, view);
        if (rebuild && rasterFits() && decimation_.Kept().size() > kRasterAboveKept) {
            // Too many points to draw one by one: the pixels they cover are drawn instead,
            // and neither the decimation nor a copy of the points is kept.
            decimation_ = PixelDecimation();
            mDataContainer->clear();
            mDataContainer->squeeze(true, true);
            rastered_ = true;
            decimated_ = false;
            keptChanged_ = false;
            synced_ = true;
            syncedRevision_ = series_.Revision();
            drawnCount_ = 0;
            return;
        }
        if (rebuild || keptChanged_) {
            const std::vector<int>& kept = decimation_.Kept();
            QVector<QCPCurveData> data(static_cast<qsizetype>(kept.size()));
            for (size_t k = 0; k < kept.size(); ++k) {
                const auto i = static_cast<size_t>(kept[k]);
                data[static_cast<qsizetype>(k)] = QCPCurveData(kept[k], xs[i], ys[i]);
            }
            mDataContainer->set(data, true);
        }
        decimated_ = true;
        keptChanged_ = false;
    }
    synced_ = true;
    syncedRevision_ = series_.Revision();
    drawnCount_ = mDataContainer->size();
}

bool SeriesCurve::rasterFits() const {
    return rasterAllowed && series_.DrawLine && series_.LineWidth <= 1 && !series_.PointerVisible;
}

RasterView SeriesCurve::currentView() const {
    const QRect rect = keyAxis()->axisRect()->rect();
    // The grid is the chart's own pixels, where its one-pixel pen steps. On a denser device
    // (a high-density screen, an image exported at twice the size) each of them covers a
    // block of device pixels, as the pen's width does there.
    RasterView view;
    view.xLower = keyAxis()->range().lower;
    view.xUpper = keyAxis()->range().upper;
    view.yLower = valueAxis()->range().lower;
    view.yUpper = valueAxis()->range().upper;
    view.width = rect.width();
    view.height = rect.height();
    view.scale = 1;
    return view;
}

void SeriesCurve::requestPicture(const RasterView& view) {
    if (job_.valid()) return;
    jobView_ = view;
    jobRevision_ = series_.Revision();
    // The worker reads the points as they are now; a change meanwhile changes a copy.
    job_ = std::async(std::launch::async, [this, points = series_.SharedPoints(), view]() mutable {
        RasterMask mask = RasterizePolyline(points->xs, points->ys, view, RasterThreads());
        points.reset();
        // Delivered on the chart's thread; the curve outlives this call, as its destructor
        // waits for the picture.
        QMetaObject::invokeMethod(
            this, [this] { pictureReady(); }, Qt::QueuedConnection);
        return mask;
    });
}

void SeriesCurve::takePicture(RasterMask mask, const RasterView& view, uint64_t revision) {
    mask_ = std::move(mask);
    rasterView_ = view;
    rasterRevision_ = revision;
    rasterMade_ = true;
    imageStale_ = true;
    ++rasterBuilds_;
}

void SeriesCurve::pictureReady() {
    if (!job_.valid()) return;
    RasterMask mask = job_.get();
    if (!rastered_ || jobRevision_ != series_.Revision()) return;
    takePicture(std::move(mask), jobView_, jobRevision_);
    // The next frame shows it, or asks for the view the chart has moved on to.
    mParentPlot->replot(QCustomPlot::rpQueuedReplot);
}

void SeriesCurve::drawMovedPicture(QCPPainter* painter, const QRect& rect) {
    const QCPRange x = keyAxis()->range(), y = valueAxis()->range();
    const RasterView& from = rasterView_;
    const double sx = rect.width() / x.size(), sy = rect.height() / y.size();
    const QRectF target(QPointF(rect.left() + (from.xLower - x.lower) * sx,
                                rect.top() + (y.upper - from.yUpper) * sy),
                        QPointF(rect.left() + (from.xUpper - x.lower) * sx,
                                rect.top() + (y.upper - from.yLower) * sy));
    // Zoomed in far, the old picture's pixels would be blocks of no use: nothing is drawn
    // until the new picture is ready.
    const double limit = 16.0 * std::max(rect.width(), rect.height());
    if (!target.isValid() || !(target.width() < limit) || !(target.height() < limit)) return;
    painter->save();
    painter->setClipRect(rect, Qt::IntersectClip);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(target, image_);
    painter->restore();
}

void SeriesCurve::drawRaster(QCPPainter* painter) {
    const QRect rect = keyAxis()->axisRect()->rect();
    const RasterView view = currentView();
    const bool upToDate =
        rasterMade_ && view == rasterView_ && rasterRevision_ == series_.Revision();
    // Only a new view of the same points waits for its picture; an exported image never does.
    const bool mayWait = rasterAsync && rasterMade_ && rasterRevision_ == series_.Revision() &&
                         !painter->modes().testFlag(QCPPainter::pmNoCaching);
    if (!upToDate && mayWait) {
        requestPicture(view);
    } else if (!upToDate) {
        takePicture(RasterizePolyline(series_.XValues(), series_.YValues(), view, RasterThreads()),
                    view, series_.Revision());
    }
    const QRgb color = qPremultiply(pen().color().rgba());
    if (imageStale_ || image_.isNull() || color != imageColor_) {
        image_ = QImage(mask_.width, mask_.height, QImage::Format_ARGB32_Premultiplied);
        for (int row = 0; row < mask_.height; ++row) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
            const uint8_t* covered =
                mask_.covered.data() + static_cast<size_t>(row) * static_cast<size_t>(mask_.width);
            for (int col = 0; col < mask_.width; ++col) line[col] = covered[col] ? color : 0;
        }
        imageColor_ = color;
        imageStale_ = false;
    }
    if (image_.isNull()) return;
    if (!upToDate && mayWait) {
        drawMovedPicture(painter, rect);
        return;
    }
    // Pixel for pixel where the grid matches the device; scaled in blocks elsewhere.
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QRectF(rect), image_);
    painter->restore();
}

void SeriesCurve::draw(QCPPainter* painter) {
    syncData();
    if (rastered_) {
        drawRaster(painter);
    } else {
        QCPCurve::draw(painter);
    }
    drawn_ = true;
    drawnRevision_ = series_.Revision();
    ++drawCount_;
}

}  // namespace qlnx
