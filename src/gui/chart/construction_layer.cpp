#include "gui/chart/construction_layer.h"

#include <qcustomplot.h>

#include <QFontMetricsF>

#include "core/label_placing.h"
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
        return DrawnPoint{xAxis->coordToPixel(p.Disp), yAxis->coordToPixel(p.Force)};
    };
    std::vector<DrawnPoint> nodes;
    nodes.reserve(nodes_.size());
    for (const BranchPoint& n : nodes_) nodes.push_back(pixel(n));
    std::vector<LabelToPlace> wanted;
    for (size_t i = 0; i < marks_ && i < shownMarks_.size(); ++i) {
        const DrawnPoint at = pixel(shownMarks_[i].At);
        const QSizeF text = QFontMetricsF(labels_[i]->font()).size(0, labels_[i]->text());
        wanted.push_back(
            {at.X, at.Y, text.width(), text.height(), shownMarks_[i].At.Disp >= 0 ? 1.0 : -1.0});
    }
    const std::vector<PlacedLabel> placed =
        qlnx::PlaceLabels(wanted, nodes, kLabelGap, kMarkerRoom);
    for (size_t i = 0; i < placed.size(); ++i) {
        const bool right = placed[i].Right;
        const bool below = placed[i].Below;
        QCPItemText* label = labels_[i];
        label->setPositionAlignment((right ? Qt::AlignLeft : Qt::AlignRight) |
                                    (below ? Qt::AlignTop : Qt::AlignBottom));
        label->setPadding(QMargins(right ? kLabelGap : 0, below ? kLabelGap : 0,
                                   right ? 0 : kLabelGap, below ? 0 : kLabelGap));
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
