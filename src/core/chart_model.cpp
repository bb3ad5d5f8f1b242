#include "core/chart_model.h"

namespace qlnx {

namespace {

ChartSeries PointSeries(const char* title, PointerStyle style) {
    ChartSeries s(title, clYellow, /*sortedX=*/true);
    s.DrawLine = false;
    s.Pointer = style;
    s.PointerSize = 5;
    s.PointerVisible = true;
    s.ShowInLegend = false;
    return s;
}

ChartSeries LineSeries(const char* title, TColor color, int width, int pointerSize,
                       bool pointerVisible) {
    ChartSeries s(title, color, /*sortedX=*/false);
    s.LineWidth = width;
    s.Pointer = PointerStyle::Circle;
    s.PointerSize = pointerSize;
    s.PointerVisible = pointerVisible;
    return s;
}

}  // namespace

ChartModel::ChartModel()
    : series_{PointSeries("Point1", PointerStyle::Circle),
              PointSeries("Point2", PointerStyle::Diamond),
              LineSeries("Loop", clBlack, 1, 3, false),
              LineSeries("Loop_", clFuchsia, 2, 3, false),
              LineSeries("Vorlix_Positive", clRed, 2, 4, true),
              LineSeries("Vorlix_Negative", clBlue, 2, 4, true)} {}

int ChartModel::IndexOf(const ChartSeries* s) const {
    for (int i = 0; i < kSeriesCount; ++i) {
        if (&series_[static_cast<size_t>(i)] == s) return i;
    }
    return -1;
}

}  // namespace qlnx
