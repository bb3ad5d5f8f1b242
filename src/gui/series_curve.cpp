#include "gui/series_curve.h"

#include <algorithm>
#include <thread>

#include "gui/decimation.h"

namespace qlnx {

namespace {
bool rasterAllowed = true;
}  // namespace

void SeriesCurve::SetRasterAllowed(bool on) { rasterAllowed = on; }

QColor ToQColor(TColor c) {
    const ColorBytes b = BytesOf(c);
    return QColor(b.Red, b.Green, b.Blue);
}

SeriesCurve::SeriesCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series)
    : QCPCurve(keyAxis, valueAxis), series_(series) {
    setSelectable(QCP::stNone);
    applyStyle();
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

void SeriesCurve::drawRaster(QCPPainter* painter) {
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
    const bool remake =
        !rasterMade_ || !(view == rasterView_) || rasterRevision_ != series_.Revision();
    if (remake) {
        const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        mask_ = RasterizePolyline(series_.XValues(), series_.YValues(), view, threads);
        rasterView_ = view;
        rasterRevision_ = series_.Revision();
        rasterMade_ = true;
        ++rasterBuilds_;
    }
    const QRgb color = qPremultiply(pen().color().rgba());
    if (remake || image_.isNull() || color != imageColor_) {
        image_ = QImage(mask_.width, mask_.height, QImage::Format_ARGB32_Premultiplied);
        for (int row = 0; row < mask_.height; ++row) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
            const uint8_t* covered =
                mask_.covered.data() + static_cast<size_t>(row) * static_cast<size_t>(mask_.width);
            for (int col = 0; col < mask_.width; ++col) line[col] = covered[col] ? color : 0;
        }
        imageColor_ = color;
    }
    if (image_.isNull()) return;
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
