#include "gui/chart/colored_curve.h"

namespace qlnx {

void ColoredCurve::drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& points,
                                   const QCPScatterStyle& style) const {
    // The positions QCPCurve hands over no longer say which point they belong to; the drawn
    // copy does (its t is the series index), so the markers are placed from it.
    Q_UNUSED(points);
    const QRectF clip =
        QRectF(clipRect()).adjusted(-style.size(), -style.size(), style.size(), style.size());
    const int count = series().Count();
    for (auto it = mDataContainer->constBegin(); it != mDataContainer->constEnd(); ++it) {
        const QPointF pos = coordsToPixels(it->key, it->value);
        if (!clip.contains(pos)) continue;
        const int index = static_cast<int>(it->t);
        const QColor color =
            index >= 0 && index < count ? ToQColor(series().DrawColor(index)) : pen().color();
        QCPScatterStyle own = style;
        own.setBrush(color);
        own.applyTo(painter, style.pen());
        own.drawShape(painter, pos);
    }
}

}  // namespace qlnx
