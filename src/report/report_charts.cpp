#include "report/report_charts.h"

#include <qcustomplot.h>

#include <string>

#include "core/channel_table.h"
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

void DrawLoopsChart(ReportPages& pages, const AnalysisState& state, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "Displacement", DisplacementUnit(state), "Force", state.Channels.ForceUnit);
    AddCurve(plot, state.LoopDisp, state.LoopForce, QPen(kLoopColor, 0.5), pages.Text("Loops"));
    Fit(plot);
    DrawPlot(pages, plot, area);
}

void DrawSkeletonChart(ReportPages& pages, const AnalysisState& state, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area) {
    QCustomPlot plot;
    SetUp(pages, plot, "Displacement", DisplacementUnit(state), "Force", state.Channels.ForceUnit);
    AddCurve(plot, state.LoopDisp, state.LoopForce, QPen(kPaleLoopColor, 0.4), pages.Text("Loops"));
    const ChartSeries& positive = state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    const ChartSeries& negative = state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    for (const auto& [series, color, name] :
         {std::tuple{&positive, kPositiveColor, "Positive skeleton"},
          std::tuple{&negative, kNegativeColor, "Negative skeleton"}}) {
        QCPCurve* curve = AddCurve(plot, series->XValues(), series->YValues(), QPen(color, 1.2),
                                   pages.Text(name));
        curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, color, Qt::white, 3));
    }
    Fit(plot);
    if (e != nullptr) {
        for (size_t m = 0; m < methods.size(); ++m) {
            const QColor color = kConstructionColors[m % std::size(kConstructionColors)];
            const QString name = QString::fromUtf8(
                kYieldMethods[static_cast<size_t>(methods[m])].Name.data(),
                static_cast<qsizetype>(kYieldMethods[static_cast<size_t>(methods[m])].Name.size()));
            bool named = false;
            for (const auto& [series, isNegative] :
                 {std::pair{&positive, false}, std::pair{&negative, true}}) {
                const auto c = ConstructYield(series->XValues(), series->YValues(), isNegative,
                                              e->Options.UltimateRatio, methods[m],
                                              e->Options.UltimateDispCap);
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
                for (const ConstructionMark& mark : c->Marks) {
                    auto* label = new QCPItemText(&plot);
                    label->position->setCoords(mark.At.Disp, mark.At.Force);
                    label->setText(QString::fromStdString(mark.Label));
                    label->setFont(pages.Font(6.5, mark.Label == "Y"));
                    label->setColor(mark.Label == "Y" ? kPositiveColor : QColor(60, 60, 60));
                    label->setPositionAlignment(
                        (mark.At.Disp >= 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom);
                    label->setPadding(QMargins(3, 0, 3, 2));
                    QCPCurve* dot = AddCurve(plot, {mark.At.Disp}, {mark.At.Force}, Qt::NoPen, {});
                    dot->setLineStyle(QCPCurve::lsNone);
                    dot->setScatterStyle(
                        QCPScatterStyle(QCPScatterStyle::ssCircle, color, Qt::white, 4));
                    dot->removeFromLegend();
                }
            }
        }
    }
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    DrawPlot(pages, plot, area);
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
