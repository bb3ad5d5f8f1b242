#include "spreadsheet/report_series.h"

#include <string_view>

namespace qlnx {

std::string ReportSeriesName(const ChartModel& chart, int index) {
    switch (index) {
        case ChartModel::pntsrsSeries1: return "Loop start, turn and end";
        case ChartModel::pntsrsSeries2: return "Largest displacements";
        case ChartModel::LoopSeries: return "Hysteresis loops";
        case ChartModel::SelectedLoopSeries: {
            // Retitled "Loop_3" when loop 3 is chosen.
            constexpr std::string_view prefix = "Loop_";
            const std::string& title = chart.GetSeries(index).Title;
            if (title.size() > prefix.size() && title.compare(0, prefix.size(), prefix) == 0) {
                return "Loop " + title.substr(prefix.size());
            }
            return "Chosen loop";
        }
        case ChartModel::PositiveSkeletonSeries: return "Skeleton, positive";
        case ChartModel::NegativeSkeletonSeries: return "Skeleton, negative";
        default: break;
    }
    return chart.GetSeries(index).Title;
}

}  // namespace qlnx
