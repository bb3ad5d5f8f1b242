#include "report/report_charts.h"

#include <qcustomplot.h>

#include <QFontMetricsF>
#include <string>
#include <tuple>

#include "core/channel_table.h"
#include "core/label_placing.h"
#include "core/yield_constructions.h"

namespace qlnx {

namespace {

const QColor kLoopColor(40, 90, 170);
const QColor kPaleLoopColor(190, 200, 215);
const QColor kPositiveColor(200, 30, 30);
const QColor kNegativeColor(0, 130, 60);
const QColor kConstructionColors[] = {QColor(0, 110, 200), QColor(220, 120, 0),
                                      QColor(120, 60, 170), QColor(0, 150, 150)};
const QColor kUltimateColor(150, 60, 170);

// A plot that is never shown, in the report's fonts, with axis titles in its language.
void SetUp(ReportPages& pages, QCustomPlot& plot, const char* x, const std::string& xUnit,
           const char* y, const std::string& yUnit) {
    plot.setFont(pages.Font(7));
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->setLabelFont(pages.Font(7.5));
        axis->setTickLabelFont(pages.Font(6.5));
        axis->grid()->setPen(QPen(QColor(225, 225, 225), 0.4, Qt::SolidLine));
        axis->grid()->setZeroLinePen(QPen(QColor(160, 160, 160), 0.6));
    }
    const auto title = [&](const char* name, const std::string& unit) {
        return unit.empty()
                   ? pages.Text(name)
                   : QStringLiteral("%1 (%2)").arg(pages.Text(name), QString::fromStdString(unit));
    };
    plot.xAxis->setLabel(title(x, xUnit));
    plot.yAxis->setLabel(title(y, yUnit));
    plot.legend->setFont(pages.Font(6.5));
    plot.legend->setIconSize(14, 8);
}

QCPCurve* AddCurve(QCustomPlot& plot, const std::vector<double>& xs, const std::vector<double>& ys,
                   const QPen& pen, const QString& name) {
    auto* curve = new QCPCurve(plot.xAxis, plot.yAxis);
    const auto n = static_cast<qsizetype>(std::min(xs.size(), ys.size()));
    QVector<QCPCurveData> data;
    data.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        data.append(QCPCurveData(static_cast<double>(i), xs[static_cast<size_t>(i)],
                                 ys[static_cast<size_t>(i)]));
    curve->data()->set(data, true);
    curve->setPen(pen);
    curve->setName(name);
    return curve;
}

void AddSegment(QCustomPlot& plot, const ConstructionSegment& s, const QPen& pen) {
    QCPCurve* line = AddCurve(plot, {s.From.Disp, s.To.Disp}, {s.From.Force, s.To.Force}, pen, {});
    line->removeFromLegend();
}

// Some room around the data, so that the curves do not run along the frame.
void Fit(QCustomPlot& plot) {
    plot.rescaleAxes();
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        const QCPRange r = axis->range();
        const double pad = r.size() > 0 ? r.size() * 0.05 : 1;
        axis->setRange(r.lower - pad, r.upper + pad);
    }
}

std::string DisplacementUnit(const AnalysisState& state) { return state.Channels.DisplacementUnit; }

}  // namespace

void DrawPlot(ReportPages& pages, QCustomPlot& plot, const QRectF& area) {
    QCPPainter& painter = pages.Painter();
    painter.save();
    painter.translate(area.topLeft());
    plot.toPainter(&painter, static_cast<int>(area.width()), static_cast<int>(area.height()));
    painter.restore();
}

void DrawSeriesOverlayChart(ReportPages& pages, const SeriesOverlay& overlay,
                            const SeriesChartParts& parts, const QString& xTitle,
                            const QString& yTitle, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "", {}, "", {});
    const SeriesChartTexts texts{xTitle, yTitle, pages.Text("Mean \u00b1 one standard deviation"),
                                 pages.Text("Mean skeleton")};
    DrawSeriesChart(plot, overlay, parts, texts);
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    DrawPlot(pages, plot, area);
}

void DrawLoopsChart(ReportPages& pages, const AnalysisState& state, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "Displacement", DisplacementUnit(state), "Force", state.Channels.ForceUnit);
    AddCurve(plot, state.LoopDisp, state.LoopForce, QPen(kLoopColor, 0.5), pages.Text("Loops"));
    Fit(plot);
    DrawPlot(pages, plot, area);
}

void LayOut(QCustomPlot& plot, const QRectF& area) {
    // A widget never shown gets no resize event: the viewport is set as the drawing sets it.
    plot.setViewport(QRect(0, 0, static_cast<int>(area.width()), static_cast<int>(area.height())));
    plot.replot(QCustomPlot::rpImmediateRefresh);
}

void DrawSkeletonChart(ReportPages& pages, const SkeletonChartData& data, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "Displacement", data.DisplacementUnit, "Force", data.ForceUnit);
    AddCurve(plot, *data.CurveX, *data.CurveY, QPen(kPaleLoopColor, 0.4), pages.Text("Loops"));
    const std::vector<double>& px = *data.PositiveX;
    const std::vector<double>& py = *data.PositiveY;
    const std::vector<double>& nx = *data.NegativeX;
    const std::vector<double>& ny = *data.NegativeY;
    for (const auto& [xs, ys, color, name] :
         {std::tuple{&px, &py, kPositiveColor, "Positive skeleton"},
          std::tuple{&nx, &ny, kNegativeColor, "Negative skeleton"}}) {
        QCPCurve* curve = AddCurve(plot, *xs, *ys, QPen(color, 1.2), pages.Text(name));
        curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, color, Qt::white, 3));
    }
    Fit(plot);
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    // The labels, with the points they keep clear of, placed once the axes are laid out.
    std::vector<QCPItemText*> labels;
    std::vector<BranchPoint> marks;
    std::vector<BranchPoint> nodes;
    if (e != nullptr) {
        for (size_t m = 0; m < methods.size(); ++m) {
            const QColor color = kConstructionColors[m % std::size(kConstructionColors)];
            const QString name = QString::fromUtf8(
                kYieldMethods[static_cast<size_t>(methods[m])].Name.data(),
                static_cast<qsizetype>(kYieldMethods[static_cast<size_t>(methods[m])].Name.size()));
            bool named = false;
            for (const auto& [xs, ys, isNegative] :
                 {std::tuple{&px, &py, false}, std::tuple{&nx, &ny, true}}) {
                const auto c = ConstructYield(*xs, *ys, isNegative, e->Options.UltimateRatio,
                                              methods[m], e->Options.UltimateDispCap);
                if (!c) continue;
                for (const ConstructionSegment& s : c->Lines)
                    AddSegment(plot, s, QPen(color, 0.8, Qt::DashLine));
                AddSegment(plot, c->UltimateLine, QPen(kUltimateColor, 0.6, Qt::DotLine));
                if (!named) {
                    // One legend entry a method, for its lines on both branches.
                    QCPCurve* entry = AddCurve(plot, {}, {}, QPen(color, 0.8, Qt::DashLine), name);
                    entry->setVisible(true);
                    named = true;
                }
                nodes.insert(nodes.end(), c->Nodes.begin(), c->Nodes.end());
                for (const ConstructionMark& mark : c->Marks) {
                    auto* label = new QCPItemText(&plot);
                    label->position->setCoords(mark.At.Disp, mark.At.Force);
                    label->setText(QString::fromStdString(mark.Label));
                    const bool strong = mark.Label == "Y" || mark.Label.starts_with('U');
                    label->setFont(pages.Font(6.5, strong));
                    label->setColor(mark.Label == "Y"             ? kPositiveColor
                                    : mark.Label.starts_with('U') ? kUltimateColor
                                                                  : QColor(60, 60, 60));
                    label->setPadding(QMargins());
                    labels.push_back(label);
                    marks.push_back(mark.At);
                    QCPCurve* dot = AddCurve(plot, {mark.At.Disp}, {mark.At.Force}, Qt::NoPen, {});
                    dot->setLineStyle(QCPCurve::lsNone);
                    dot->setScatterStyle(
                        QCPScatterStyle(QCPScatterStyle::ssCircle, color, Qt::white, 4));
                    dot->removeFromLegend();
                }
            }
        }
    }
    if (!labels.empty()) {
        LayOut(plot, area);
        const auto at = [&](const BranchPoint& p) {
            return DrawnPoint{plot.xAxis->coordToPixel(p.Disp), plot.yAxis->coordToPixel(p.Force)};
        };
        std::vector<DrawnPoint> points;
        for (const BranchPoint& n : nodes) points.push_back(at(n));
        std::vector<LabelToPlace> wanted;
        for (size_t i = 0; i < labels.size(); ++i) {
            const QFontMetricsF metrics(labels[i]->font(), pages.Painter().device());
            const DrawnPoint p = at(marks[i]);
            wanted.push_back({p.X, p.Y, metrics.horizontalAdvance(labels[i]->text()),
                              metrics.height(), marks[i].Disp >= 0 ? 1.0 : -1.0});
        }
        constexpr double kGap = 3;
        const std::vector<PlacedLabel> placed = PlaceLabels(wanted, points, kGap, 2.5);
        for (size_t i = 0; i < labels.size(); ++i) {
            // The label's corner at its box's corner beside the point.
            const PlacedLabel& p = placed[i];
            labels[i]->setPositionAlignment((p.Right ? Qt::AlignLeft : Qt::AlignRight) |
                                            (p.Below ? Qt::AlignTop : Qt::AlignBottom));
            labels[i]->position->setType(QCPItemPosition::ptAbsolute);
            labels[i]->position->setCoords(p.Right ? p.Box.X : p.Box.X + p.Box.Width,
                                           p.Below ? p.Box.Y : p.Box.Y + p.Box.Height);
        }
    }
    DrawPlot(pages, plot, area);
}

void DrawSkeletonChart(ReportPages& pages, const AnalysisState& state, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area) {
    const ChartSeries& positive = state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    const ChartSeries& negative = state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    SkeletonChartData data;
    data.CurveX = &state.LoopDisp;
    data.CurveY = &state.LoopForce;
    data.PositiveX = &positive.XValues();
    data.PositiveY = &positive.YValues();
    data.NegativeX = &negative.XValues();
    data.NegativeY = &negative.YValues();
    data.DisplacementUnit = DisplacementUnit(state);
    data.ForceUnit = state.Channels.ForceUnit;
    DrawSkeletonChart(pages, data, e, methods, area);
}

void DrawHistoryChart(ReportPages& pages, const AnalysisState& state,
                      const ProtocolRecognition* protocol, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "Point of the record", {}, "Displacement", DisplacementUnit(state));
    std::vector<double> index(state.LoopDisp.size());
    for (size_t i = 0; i < index.size(); ++i) index[i] = static_cast<double>(i);
    AddCurve(plot, index, state.LoopDisp, QPen(kLoopColor, 0.5), pages.Text("Displacement"));
    bool named = false;
    if (protocol != nullptr && protocol->Protocol) {
        const QPen pen(QColor(220, 110, 0), 0.9, Qt::DashLine);
        for (const ProtocolLevel& level : protocol->Levels) {
            if (!level.PlannedAmplitude || level.Loops.empty()) continue;
            const int first = level.Loops.front() - 1;
            const int last = level.Loops.back() - 1;
            if (first < 0 || last >= state.LoopCount ||
                static_cast<size_t>(2 * last) >= state.LoopStart.size())
                continue;
            const double from = GetLoopFrame(state, first).S;
            const double to = GetLoopFrame(state, last).E;
            const double a = *level.PlannedAmplitude;
            for (const double y : {a, -a}) {
                QCPCurve* line = AddCurve(plot, {from, to}, {y, y}, pen, {});
                if (!named) {
                    line->setName(pages.Text("Planned amplitude"));
                    named = true;
                } else {
                    line->removeFromLegend();
                }
            }
        }
    }
    Fit(plot);
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    DrawPlot(pages, plot, area);
}

}  // namespace qlnx
