#include "gui/series/series_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/chart/decimation.h"
#include "gui/language/language.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {

// Above this many points a curve is drawn reduced per pixel column, in its order; above
// kMarkersUpTo points a skeleton curve is drawn without a marker on each node.
constexpr size_t kDecimateAbove = 2000;
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

QCPCurve* AddCurve(QCustomPlot* plot, const QString& name, const QColor& color, double width,
                   bool markers) {
    auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
    curve->setName(name);
    curve->setPen(QPen(color, width));
    if (markers) curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, color, color, 5));
    return curve;
}

void SetPoints(QCPCurve* curve, const std::vector<double>& xs, const std::vector<double>& ys) {
    const auto n = static_cast<int>(std::min(xs.size(), ys.size()));
    QVector<QCPCurveData> data;
    data.reserve(n);
    for (int i = 0; i < n; ++i)
        data.append(QCPCurveData(i, xs[static_cast<size_t>(i)], ys[static_cast<size_t>(i)]));
    curve->data()->set(data, true);
}

}  // namespace

QColor SeriesColor(size_t i) {
    static const QColor kColors[] = {
        QColor(31, 119, 180),  QColor(214, 39, 40), QColor(44, 160, 44),   QColor(255, 127, 14),
        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207)};
    return kColors[i % std::size(kColors)];
}

SeriesPlot::SeriesPlot(QWidget* parent) : QCustomPlot(parent) {
    setObjectName(QStringLiteral("pltSeries"));
    legend->setVisible(true);
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
}

void SeriesPlot::Fit(const SeriesOverlay& overlay, bool curves, bool mean) {
    Bounds b;
    for (const OverlaySpecimen& s : overlay.Specimens) {
        if (curves) {
            b.Add(s.CurveX, s.CurveY);
        } else {
            b.Add(s.Positive.X, s.Positive.Y);
            b.Add(s.Negative.X, s.Negative.Y);
        }
    }
    if (mean) {
        for (const MeanSkeletonBranch* m : {&overlay.MeanPositive, &overlay.MeanNegative}) {
            for (size_t i = 0; i < m->Disp.size(); ++i) {
                const double sd = m->StdDev[i] ? *m->StdDev[i] : 0;
                b.Add(m->Disp[i], m->Mean[i] + sd);
                b.Add(m->Disp[i], m->Mean[i] - sd);
            }
        }
    }
    if (b.Empty()) b = Bounds{-1, 1, -1, 1};
    xAxis->setRange(Padded(b.xLow, b.xHigh));
    yAxis->setRange(Padded(b.yLow, b.yHigh));
}

void SeriesPlot::Show(const SeriesOverlay& overlay, bool curves, bool mean, const QString& xTitle,
                      const QString& yTitle) {
    clearPlottables();
    xAxis->setLabel(xTitle);
    yAxis->setLabel(yTitle);
    Fit(overlay, curves, mean);
    // The view the long curves are reduced for: the axes just set, the plot's size now.
    const QRect rect = axisRect()->rect().isEmpty() ? QRect(0, 0, 800, 500) : axisRect()->rect();
    const PixelView view{xAxis->range().lower,
                         xAxis->range().upper,
                         yAxis->range().lower,
                         yAxis->range().upper,
                         static_cast<double>(rect.width()),
                         static_cast<double>(rect.height())};
    std::vector<double> xs;
    std::vector<double> ys;
    // A long curve is handed to the chart reduced for the view; the picture stays the same.
    const auto put = [&](QCPCurve* curve, const std::vector<double>& x,
                         const std::vector<double>& y) {
        if (x.size() <= kDecimateAbove) {
            SetPoints(curve, x, y);
            return;
        }
        // Thin lines crossing each pixel column many times: drawn without smoothing.
        curve->setAntialiased(false);
        const std::vector<int> kept = DecimateByPixelColumn(x, y, view);
        xs.resize(kept.size());
        ys.resize(kept.size());
        for (size_t k = 0; k < kept.size(); ++k) {
            xs[k] = x[static_cast<size_t>(kept[k])];
            ys[k] = y[static_cast<size_t>(kept[k])];
        }
        SetPoints(curve, xs, ys);
    };
    for (size_t i = 0; i < overlay.Specimens.size(); ++i) {
        const OverlaySpecimen& s = overlay.Specimens[i];
        const QString name = Utf8Text(s.Name);
        if (curves) {
            put(AddCurve(this, name, SeriesColor(i), 1, false), s.CurveX, s.CurveY);
        } else {
            const bool markers = s.Positive.X.size() + s.Negative.X.size() <= kMarkersUpTo;
            put(AddCurve(this, name, SeriesColor(i), 1.5, markers), s.Positive.X, s.Positive.Y);
            QCPCurve* negative = AddCurve(this, name, SeriesColor(i), 1.5, markers);
            put(negative, s.Negative.X, s.Negative.Y);
            negative->removeFromLegend();
        }
    }
    if (mean) {
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
                QCPGraph* low = addGraph();
                low->setPen(QPen(QColor(0, 0, 0, 90), 1, Qt::DashLine));
                low->setData(x, lower);
                low->removeFromLegend();
                QCPGraph* high = addGraph();
                high->setPen(QPen(QColor(0, 0, 0, 90), 1, Qt::DashLine));
                high->setBrush(band);
                high->setChannelFillGraph(low);
                high->setData(x, upper);
                high->setName(Translated(QStringLiteral("Mean \u00b1 one standard deviation")));
                if (named) high->removeFromLegend();
            }
            QCPCurve* curve =
                AddCurve(this, Translated(QStringLiteral("Mean skeleton")), Qt::black, 2.5, false);
            SetPoints(curve, m->Disp, m->Mean);
            if (named) curve->removeFromLegend();
            named = true;
        }
    }
    replot(QCustomPlot::rpImmediateRefresh);
}

qsizetype SeriesPlot::DrawnPoints() const {
    qsizetype n = 0;
    for (int i = 0; i < plottableCount(); ++i) {
        if (auto* c = qobject_cast<QCPCurve*>(const_cast<SeriesPlot*>(this)->plottable(i)))
            n += c->dataCount();
    }
    return n;
}

}  // namespace qlnx
