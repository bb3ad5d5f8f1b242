#include "gui/chart/construction_layer.h"

#include <qcustomplot.h>

#include <QFontMetricsF>
#include <array>
#include <limits>

#include "gui/chart/chart_widget.h"
#include "gui/chart/legend_check_item.h"

namespace qlnx {

namespace {

const QColor kLineColor(0, 110, 200);
const QColor kUltimateColor(150, 60, 170);
const QColor kYieldColor(210, 30, 30);
const QColor kHelperColor(90, 90, 90);
// A point left out of the outward path: covered by a pale disc with a grey ring, so that it
// stays visible but reads as not taking part.
const QColor kDroppedFill(255, 255, 255, 190);
const QColor kDroppedRing(150, 150, 150, 160);

void SetSegment(QCPCurve* curve, const ConstructionSegment& s) {
    curve->setData(QVector<double>{0, 1}, QVector<double>{s.From.Disp, s.To.Disp},
                   QVector<double>{s.From.Force, s.To.Force}, true);
}

// A label's distance from its point, and the room a marker takes around its point (pixels).
constexpr int kLabelGap = 5;
constexpr double kMarkerRoom = 5;

QRectF MarkerRoom(const QPointF& at) {
    return {at.x() - kMarkerRoom, at.y() - kMarkerRoom, 2 * kMarkerRoom, 2 * kMarkerRoom};
}

double Overlap(const QRectF& a, const QRectF& b) {
    const QRectF both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

QColor MarkColor(const std::string& label) {
    if (label == "Y") return kYieldColor;
    if (label == "U" || label == "U*") return kUltimateColor;
    return kHelperColor;
}

}  // namespace

ConstructionLayer::ConstructionLayer(ChartWidget* chart) : QObject(chart), chart_(chart) {
    chart_->addLayer(QStringLiteral("constructions"), chart_->layer(QStringLiteral("main")),
                     QCustomPlot::limAbove);
    layer_ = chart_->layer(QStringLiteral("constructions"));
    layer_->setMode(QCPLayer::lmBuffered);
    legendCurve_ = new QCPCurve(chart_->xAxis, chart_->yAxis);
    legendCurve_->setLayer(layer_);
    legendCurve_->setName(QStringLiteral("Construction"));
    legendCurve_->setPen(QPen(kUltimateColor, 1, Qt::DashLine));
    legendCurve_->setSelectable(QCP::stNone);
    // A zoom or pan moves the points apart or together: the labels find their places again.
    for (QCPAxis* axis : {chart_->xAxis, chart_->yAxis}) {
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
                [this] { PlaceLabels(); });
    }
    // The legend's check box hides the whole layer with its entry's curve.
    connect(chart_, &ChartWidget::legendClicked, this, [this] {
        layer_->setVisible(legendCurve_->visible());
        chart_->replot(QCustomPlot::rpQueuedReplot);
    });
}

ConstructionLayer::~ConstructionLayer() = default;

void ConstructionLayer::HideAll() {
    for (QCPCurve* c : lines_) c->setVisible(false);
    for (QCPItemText* m : labels_) m->setVisible(false);
    points_->data()->clear();
    dropped_->data()->clear();
    marks_ = 0;
    shownLines_ = 0;
    shownMarks_.clear();
    nodes_.clear();
}

// Curves and labels are kept and reused: adding or removing a layer's children makes the
// whole chart draw again, which a drag step must not cost.
QCPCurve* ConstructionLayer::LineAt(size_t i) {
    while (lines_.size() <= i) {
        auto* curve = new QCPCurve(chart_->xAxis, chart_->yAxis);
        curve->setLayer(layer_);
        curve->setPen(QPen(kLineColor, 1.5, Qt::DashLine));
        curve->setSelectable(QCP::stNone);
        lines_.push_back(curve);
    }
    return lines_[i];
}

QCPItemText* ConstructionLayer::LabelAt(size_t i) {
    while (labels_.size() <= i) {
        auto* label = new QCPItemText(chart_);
        label->setLayer(layer_);
        label->setSelectable(false);
        label->position->setType(QCPItemPosition::ptPlotCoords);
        label->setClipToAxisRect(true);
        labels_.push_back(label);
    }
    return labels_[i];
}

void ConstructionLayer::PlaceLabels() {
    QCPAxis* xAxis = chart_->xAxis;
    QCPAxis* yAxis = chart_->yAxis;
    const auto pixel = [&](const BranchPoint& p) {
        return QPointF(xAxis->coordToPixel(p.Disp), yAxis->coordToPixel(p.Force));
    };
    std::vector<QRectF> taken;
    taken.reserve(nodes_.size() + 2 * shownMarks_.size());
    for (const BranchPoint& n : nodes_) taken.push_back(MarkerRoom(pixel(n)));
    for (const ConstructionMark& m : shownMarks_) taken.push_back(MarkerRoom(pixel(m.At)));
    for (size_t i = 0; i < marks_ && i < shownMarks_.size(); ++i) {
        QCPItemText* label = labels_[i];
        const QPointF at = pixel(shownMarks_[i].At);
        const QSizeF text = QFontMetricsF(label->font()).size(0, label->text());
        // The four corners beside the point, the one away from the origin first.
        const double out = shownMarks_[i].At.Disp >= 0 ? 1 : -1;
        const std::array<std::array<double, 2>, 4> corners = {
            {{out, -1}, {out, 1}, {-out, -1}, {-out, 1}}};
        size_t best = 0;
        double bestOverlap = std::numeric_limits<double>::infinity();
        QRectF bestRect;
        for (size_t k = 0; k < corners.size(); ++k) {
            const auto [sx, sy] = corners[k];
            const QRectF rect(at.x() + (sx > 0 ? kLabelGap : -kLabelGap - text.width()),
                              at.y() + (sy > 0 ? kLabelGap : -kLabelGap - text.height()),
                              text.width(), text.height());
            double overlap = 0;
            for (const QRectF& t : taken) overlap += Overlap(rect, t);
            if (overlap < bestOverlap) {
                best = k;
                bestOverlap = overlap;
                bestRect = rect;
            }
            if (overlap == 0) break;
        }
        const auto [sx, sy] = corners[best];
        label->setPositionAlignment((sx > 0 ? Qt::AlignLeft : Qt::AlignRight) |
                                    (sy > 0 ? Qt::AlignTop : Qt::AlignBottom));
        label->setPadding(QMargins(sx > 0 ? kLabelGap : 0, sy > 0 ? kLabelGap : 0,
                                   sx < 0 ? kLabelGap : 0, sy < 0 ? kLabelGap : 0));
        taken.push_back(bestRect);
    }
}

void ConstructionLayer::Show(const BranchConstruction* construction, const QString& title) {
    if (points_ == nullptr) {
        points_ = new QCPCurve(chart_->xAxis, chart_->yAxis);
        points_->setLayer(layer_);
        points_->setLineStyle(QCPCurve::lsNone);
        points_->setSelectable(QCP::stNone);
        points_->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssCircle, kYieldColor, Qt::white, 7));
        dropped_ = new QCPCurve(chart_->xAxis, chart_->yAxis);
        dropped_->setLayer(layer_);
        dropped_->setLineStyle(QCPCurve::lsNone);
        dropped_->setSelectable(QCP::stNone);
        dropped_->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssCircle, kDroppedRing, kDroppedFill, 9));
    }
    HideAll();
    QCPLegend* legend = chart_->legend;
    const bool inLegend = legend->hasItemWithPlottable(legendCurve_);
    if (construction == nullptr) {
        legendCurve_->data()->clear();
        if (inLegend) {
            legend->removeItem(legend->itemWithPlottable(legendCurve_));
            chart_->replot(QCustomPlot::rpQueuedReplot);
        } else {
            layer_->replot();
        }
        return;
    }
    // The legend changes: the whole chart is drawn again; otherwise only this layer.
    const bool legendChanges = !inLegend || legendCurve_->name() != title;
    const size_t pooled = lines_.size() + labels_.size();
    if (!inLegend) legend->addItem(new LegendCheckItem(legend, legendCurve_));
    legendCurve_->setName(title);
    SetSegment(legendCurve_, construction->UltimateLine);

    for (const ConstructionSegment& s : construction->Lines) {
        QCPCurve* curve = LineAt(shownLines_++);
        SetSegment(curve, s);
        curve->setVisible(true);
    }
    QVector<double> t, xs, ys;
    for (const ConstructionMark& m : construction->Marks) {
        t << static_cast<double>(t.size());
        xs << m.At.Disp;
        ys << m.At.Force;
        QCPItemText* label = LabelAt(marks_++);
        label->position->setCoords(m.At.Disp, m.At.Force);
        label->setText(QString::fromStdString(m.Label));
        label->setColor(MarkColor(m.Label));
        QFont font = chart_->font();
        font.setBold(m.Label == "Y" || m.Label.starts_with('U'));
        label->setFont(font);
        label->setVisible(true);
    }
    points_->setData(t, xs, ys, true);
    shownMarks_ = construction->Marks;
    nodes_ = construction->Nodes;
    PlaceLabels();
    QVector<double> dt, dx, dy;
    for (const BranchPoint& p : construction->Dropped) {
        dt << static_cast<double>(dt.size());
        dx << p.Disp;
        dy << p.Force;
    }
    dropped_->setData(dt, dx, dy, true);
    if (legendChanges || lines_.size() + labels_.size() != pooled) {
        chart_->replot(QCustomPlot::rpQueuedReplot);
    } else {
        layer_->replot();
    }
}

int ConstructionLayer::DroppedCount() const {
    return dropped_ == nullptr ? 0 : dropped_->dataCount();
}

QStringList ConstructionLayer::MarkLabels() const {
    QStringList labels;
    for (size_t i = 0; i < marks_; ++i) labels << labels_[i]->text();
    return labels;
}

}  // namespace qlnx
