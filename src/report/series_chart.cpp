#include "report/series_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qlnx {

namespace {

// Above this many points a skeleton curve is drawn without a marker on each node.
constexpr size_t kMarkersUpTo = 300;

struct Bounds {
    double xLow = std::numeric_limits<double>::infinity();
    double xHigh = -std::numeric_limits<double>::infinity();
    double yLow = std::numeric_limits<double>::infinity();
    double yHigh = -std::numeric_limits<double>::infinity();
    void Add(const std::vector<double>& xs, const std::vector<double>& ys) {
        for (size_t i = 0; i < xs.size() && i < ys.size(); ++i) Add(xs[i], ys[i]);
    }
    void Add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        xLow = std::min(xLow, x);
        xHigh = std::max(xHigh, x);
        yLow = std::min(yLow, y);
        yHigh = std::max(yHigh, y);
    }
    bool Empty() const { return !(xLow <= xHigh); }
};

QCPRange Padded(double low, double high) {
    const double pad = high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(low) * 0.1);
    return {low - pad, high + pad};
}

QCPCurve* AddCurve(QCustomPlot& plot, const QString& name, const QColor& color, double width,
                   bool markers, double scale) {
    auto* curve = new QCPCurve(plot.xAxis, plot.yAxis);
    curve->setName(name);
    curve->setPen(QPen(color, width * scale));
    if (markers)
        curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, color, color, 5 * scale));
    return curve;
}

void Fit(QCustomPlot& plot, const SeriesOverlay& overlay, const SeriesChartParts& parts) {
    Bounds b;
    if (parts.Specimens) {
        for (const OverlaySpecimen& s : overlay.Specimens) {
            if (parts.Curves) {
                b.Add(s.CurveX, s.CurveY);
            } else {
                b.Add(s.Positive.X, s.Positive.Y);
                b.Add(s.Negative.X, s.Negative.Y);
            }
        }
    }
    if (parts.Mean) {
        for (const MeanSkeletonBranch* m : {&overlay.MeanPositive, &overlay.MeanNegative}) {
            for (size_t i = 0; i < m->Disp.size(); ++i) {
                const double sd = m->StdDev[i] ? *m->StdDev[i] : 0;
                b.Add(m->Disp[i], m->Mean[i] + sd);
                b.Add(m->Disp[i], m->Mean[i] - sd);
            }
        }
    }
    if (b.Empty()) b = Bounds{-1, 1, -1, 1};
    plot.xAxis->setRange(Padded(b.xLow, b.xHigh));
    plot.yAxis->setRange(Padded(b.yLow, b.yHigh));
}

}  // namespace

QColor SeriesColor(size_t i) {
    static const QColor kColors[] = {
        QColor(31, 119, 180),  QColor(214, 39, 40), QColor(44, 160, 44),   QColor(255, 127, 14),
        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207)};
    return kColors[i % std::size(kColors)];
}

void SetCurvePoints(QCPCurve& curve, const std::vector<double>& xs, const std::vector<double>& ys) {
    const auto n = static_cast<int>(std::min(xs.size(), ys.size()));
    QVector<QCPCurveData> data;
    data.reserve(n);
    for (int i = 0; i < n; ++i)
        data.append(QCPCurveData(i, xs[static_cast<size_t>(i)], ys[static_cast<size_t>(i)]));
    curve.data()->set(data, true);
}

void DrawSeriesChart(QCustomPlot& plot, const SeriesOverlay& overlay, const SeriesChartParts& parts,
                     const SeriesChartTexts& texts, const SeriesCurvePoints& put) {
    plot.clearPlottables();
    plot.xAxis->setLabel(texts.XTitle);
    plot.yAxis->setLabel(texts.YTitle);
    Fit(plot, overlay, parts);
    const auto points = [&](QCPCurve* curve, const std::vector<double>& x,
                            const std::vector<double>& y) {
        if (put) {
            put(*curve, x, y);
        } else {
            SetCurvePoints(*curve, x, y);
        }
    };
    const double k = parts.PenScale;
    for (size_t i = 0; parts.Specimens && i < overlay.Specimens.size(); ++i) {
        const OverlaySpecimen& s = overlay.Specimens[i];
        const QString name = QString::fromStdString(s.Name);
        if (parts.Curves) {
            points(AddCurve(plot, name, SeriesColor(i), 1, false, k), s.CurveX, s.CurveY);
        } else {
            const bool markers = s.Positive.X.size() + s.Negative.X.size() <= kMarkersUpTo;
            points(AddCurve(plot, name, SeriesColor(i), 1.5, markers, k), s.Positive.X,
                   s.Positive.Y);
            QCPCurve* negative = AddCurve(plot, name, SeriesColor(i), 1.5, markers, k);
            points(negative, s.Negative.X, s.Negative.Y);
            negative->removeFromLegend();
        }
    }
    if (!parts.Mean) return;
    bool named = false;
    for (const MeanSkeletonBranch* m : {&overlay.MeanPositive, &overlay.MeanNegative}) {
        if (m->Disp.empty()) continue;
        // The band: the mean +- one standard deviation, filled between, where it is defined.
        QVector<double> x, upper, lower;
        for (size_t i = 0; i < m->Disp.size(); ++i) {
            if (!m->StdDev[i]) continue;
            x << m->Disp[i];
            upper << m->Mean[i] + *m->StdDev[i];
            lower << m->Mean[i] - *m->StdDev[i];
        }
        if (!x.isEmpty()) {
            const QColor band(0, 0, 0, 40);
            QCPGraph* low = plot.addGraph();
            low->setPen(QPen(QColor(0, 0, 0, 90), k, Qt::DashLine));
            low->setData(x, lower);
            low->removeFromLegend();
            QCPGraph* high = plot.addGraph();
            high->setPen(QPen(QColor(0, 0, 0, 90), k, Qt::DashLine));
            high->setBrush(band);
            high->setChannelFillGraph(low);
            high->setData(x, upper);
            high->setName(texts.MeanBand);
            if (named) high->removeFromLegend();
        }
        QCPCurve* curve = AddCurve(plot, texts.MeanSkeleton, Qt::black, 2.5, false, k);
        SetCurvePoints(*curve, m->Disp, m->Mean);
        if (named) curve->removeFromLegend();
        named = true;
    }
}

}  // namespace qlnx
