#include "gui/series/series_plot.h"

#include "gui/chart/decimation.h"
#include "gui/language/language.h"
#include "report/series_chart.h"

namespace qlnx {

namespace {

// Above this many points a curve is drawn reduced per pixel column, in its order.
constexpr size_t kDecimateAbove = 2000;

}  // namespace

SeriesPlot::SeriesPlot(QWidget* parent) : QCustomPlot(parent) {
    setObjectName(QStringLiteral("pltSeries"));
    legend->setVisible(true);
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
}

void SeriesPlot::Show(const SeriesOverlay& overlay, bool curves, bool mean, const QString& xTitle,
                      const QString& yTitle) {
    std::vector<double> xs;
    std::vector<double> ys;
    // A long curve is handed to the chart reduced for the view (the axes just set, the plot's
    // size now); the picture stays the same.
    const auto put = [&](QCPCurve& curve, const std::vector<double>& x,
                         const std::vector<double>& y) {
        if (x.size() <= kDecimateAbove) {
            SetCurvePoints(curve, x, y);
            return;
        }
        const QRect rect =
            axisRect()->rect().isEmpty() ? QRect(0, 0, 800, 500) : axisRect()->rect();
        const PixelView view{xAxis->range().lower,
                             xAxis->range().upper,
                             yAxis->range().lower,
                             yAxis->range().upper,
                             static_cast<double>(rect.width()),
                             static_cast<double>(rect.height())};
        // Thin lines crossing each pixel column many times: drawn without smoothing.
        curve.setAntialiased(false);
        const std::vector<int> kept = DecimateByPixelColumn(x, y, view);
        xs.resize(kept.size());
        ys.resize(kept.size());
        for (size_t k = 0; k < kept.size(); ++k) {
            xs[k] = x[static_cast<size_t>(kept[k])];
            ys[k] = y[static_cast<size_t>(kept[k])];
        }
        SetCurvePoints(curve, xs, ys);
    };
    SeriesChartParts parts;
    parts.Curves = curves;
    parts.Mean = mean;
    const SeriesChartTexts texts{xTitle, yTitle,
                                 Translated(QStringLiteral("Mean \u00b1 one standard deviation")),
                                 Translated(QStringLiteral("Mean skeleton"))};
    DrawSeriesChart(*this, overlay, parts, texts, put);
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
