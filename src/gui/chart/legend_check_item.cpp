#include "gui/chart/legend_check_item.h"

#include "gui/language/language.h"

namespace qlnx {

namespace {
constexpr int kGap = 4;  // pixels between check box, icon and text
}

LegendCheckItem::LegendCheckItem(QCPLegend* parent, QCPAbstractPlottable* plottable)
    : QCPPlottableLegendItem(parent, plottable) {}

int LegendCheckItem::boxSize() const { return std::max(9, QFontMetrics(getFont()).height() - 4); }

QRect LegendCheckItem::checkBoxRect() const {
    const int box = boxSize();
    const int rowHeight = mRect.height();
    return QRect(mRect.left(), mRect.top() + (rowHeight - box) / 2, box, box);
}

namespace {
bool g_drawCheckBoxes = true;
}  // namespace

void LegendCheckItem::SetDrawCheckBoxes(bool draw) { g_drawCheckBoxes = draw; }

void LegendCheckItem::draw(QCPPainter* painter) {
    if (!mPlottable) return;
    // The series keep their designed names (the workbook gets them); the legend shows them
    // in the language in force.
    const QString title = Translated(mPlottable->name());
    const QSize iconSize = mParentLegend->iconSize();
    const QFontMetrics metrics(getFont());
    const int rowHeight = std::max(metrics.height(), iconSize.height());

    // Check box: ticked while the series is shown.
    QRect box = checkBoxRect();
    if (!g_drawCheckBoxes) box.setWidth(0);
    painter->setPen(QPen(QColor(80, 80, 80), 1));
    painter->setBrush(Qt::white);
    if (g_drawCheckBoxes) painter->drawRect(box);
    if (g_drawCheckBoxes && mPlottable->visible()) {
        painter->setPen(QPen(Qt::black, 1.6));
        const double l = box.left(), t = box.top(), w = box.width(), h = box.height();
        const QPointF tick[3] = {
            {l + 0.2 * w, t + 0.5 * h}, {l + 0.42 * w, t + 0.75 * h}, {l + 0.8 * w, t + 0.25 * h}};
        painter->drawPolyline(tick, 3);
    }

    // Icon: the series' line and marker.
    const QRect icon(box.right() + 1 + kGap, mRect.top() + (rowHeight - iconSize.height()) / 2,
                     iconSize.width(), iconSize.height());
    if (auto* curve = qobject_cast<QCPCurve*>(mPlottable)) {
        painter->save();
        painter->setClipRect(icon, Qt::IntersectClip);
        const double midY = icon.top() + 0.5 * icon.height();
        if (curve->lineStyle() != QCPCurve::lsNone) {
            painter->setPen(curve->pen());
            painter->setBrush(Qt::NoBrush);
            painter->drawLine(QLineF(icon.left(), midY, icon.right() + 1, midY));
        }
        if (!curve->scatterStyle().isNone()) {
            QCPScatterStyle marker = curve->scatterStyle();
            marker.setSize(std::min(marker.size(), icon.height() - 2.0));
            marker.applyTo(painter, curve->pen());
            marker.drawShape(painter, QPointF(icon.left() + 0.5 * icon.width(), midY));
        }
        painter->restore();
    }

    // Title in the series' colour.
    painter->setFont(getFont());
    painter->setPen(QPen(mPlottable->pen().color()));
    painter->drawText(icon.right() + 1 + kGap, mRect.top(), metrics.horizontalAdvance(title) + 2,
                      rowHeight, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, title);
}

QSize LegendCheckItem::minimumOuterSizeHint() const {
    if (!mPlottable) return QSize();
    const QFontMetrics metrics(getFont());
    const QSize iconSize = mParentLegend->iconSize();
    const int width = boxSize() + kGap + iconSize.width() + kGap +
                      metrics.horizontalAdvance(Translated(mPlottable->name())) + 2;
    const int height = std::max({metrics.height(), iconSize.height(), boxSize()});
    return QSize(width + mMargins.left() + mMargins.right(),
                 height + mMargins.top() + mMargins.bottom());
}

}  // namespace qlnx
