// The six series of the main chart, in the chart's order.
#pragma once

#include <array>

#include "core/chart_series.h"

namespace qlnx {

class ChartModel {
public:
    // Chart order: the two marker series first ("Point1", "Point2"), then the four line
    // series ("Loop", "Loop_", "Vorlix_Positive", "Vorlix_Negative"), each by its own name.
    enum Index {
        pntsrsSeries1 = 0,
        pntsrsSeries2,
        LoopSeries,
        SelectedLoopSeries,
        PositiveSkeletonSeries,
        NegativeSkeletonSeries,
    };
    static constexpr int kSeriesCount = 6;
    // The titles of the chart's axes.
    static constexpr const char* kXAxisTitle = "Disp";
    static constexpr const char* kYAxisTitle = "Force";

    // Creates and styles the six series as the window shows them at start.
    ChartModel();

    int SeriesCount() const { return kSeriesCount; }
    ChartSeries& GetSeries(int i) { return series_[static_cast<size_t>(i)]; }
    const ChartSeries& GetSeries(int i) const { return series_[static_cast<size_t>(i)]; }
    // Position of a series of this chart in the chart's order, -1 for a foreign one.
    int IndexOf(const ChartSeries* s) const;

private:
    std::array<ChartSeries, kSeriesCount> series_;
};

}  // namespace qlnx
