#include "gui/chart/construction_layer.h"

#include <qcustomplot.h>

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
        label->setPadding(QMargins(4, 0, 4, 2));
        label->setClipToAxisRect(true);
        labels_.push_back(label);
    }
    return labels_[i];
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
        // Labels sit beside their point, away from the curve's side of the origin.
        const bool right = m.At.Disp >= 0;
        label->setPositionAlignment((right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom);
        label->setText(QString::fromStdString(m.Label));
        label->setColor(MarkColor(m.Label));
        QFont font = chart_->font();
        font.setBold(m.Label == "Y" || m.Label.starts_with('U'));
        label->setFont(font);
        label->setVisible(true);
    }
    points_->setData(t, xs, ys, true);
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
