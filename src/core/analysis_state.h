// The analysis state of the main window: imported and working curves, loop table,
// per-loop extremes, the chart's series and the texts of the read-only boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/channel_table.h"
#include "core/chart_model.h"
#include "core/loop_columns.h"

namespace qlnx {

struct AnalysisState {
    // Imported curve, one pair per accepted file row.
    std::vector<double> RawDisp;
    std::vector<double> RawForce;
    // Working curve: the imported curve with crossing points inserted and repeats removed.
    std::vector<double> LoopDisp;
    std::vector<double> LoopForce;
    // Working-curve indices at which a half-cycle begins (0 first, then crossing points).
    std::vector<int32_t> LoopStart;
    // Per loop: index, displacement and force of each half-cycle's extreme displacement.
    std::vector<int32_t> MaxDispIndex1;
    std::vector<int32_t> MaxDispIndex2;
    std::vector<double> MaxDisp1;
    std::vector<double> MaxDisp2;
    std::vector<double> MaxDispForce1;
    std::vector<double> MaxDispForce2;

    // Sample of RawDisp/RawForce that each point of the loop series shows, for writing a
    // dragged point back; empty while point i shows sample i (no loop point deleted since the
    // import).
    std::vector<int32_t> LoopSeriesSamples;

    // The channels, metadata, units and time of a record read by its channels.
    ChannelRecord Channels;

    // The Loop No. box: LoopCount items "Loop_1" ... and the selected item (-1 for none).
    int LoopCount = 0;
    int SelectedLoop = -1;

    // Texts of the read-only boxes: file name (edt5), loop count (edt6), and the loop
    // read-outs edt1..edt4, one a column of kLoopExtremeColumns.
    std::string FileNameText;
    std::string LoopCountText;
    std::array<std::string, kLoopColumnCount> LoopReadouts;

    // The main chart's series: Point1, Point2, Loop, Loop_, Vorlix_Positive, Vorlix_Negative.
    ChartModel Chart;
    ChartSeries& pntsrsSeries1() { return Chart.GetSeries(ChartModel::pntsrsSeries1); }
    ChartSeries& pntsrsSeries2() { return Chart.GetSeries(ChartModel::pntsrsSeries2); }
    ChartSeries& LoopSeries() { return Chart.GetSeries(ChartModel::LoopSeries); }
    ChartSeries& SelectedLoopSeries() { return Chart.GetSeries(ChartModel::SelectedLoopSeries); }
    ChartSeries& PositiveSkeletonSeries() {
        return Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    }
    ChartSeries& NegativeSkeletonSeries() {
        return Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    }
    const ChartSeries& LoopSeries() const { return Chart.GetSeries(ChartModel::LoopSeries); }

    // Empties RawDisp, RawForce, the loop series and its sample map; empties the file name
    // and loop count; the chosen loop's series takes its first title "Loop_" again.
    void ClearImportedCurve();
    // Counts the calls of ClearAnalysis: the working curve and the loop table change only
    // after one, so views computed from them compare this number to know they are current.
    uint64_t AnalysisRevision = 0;

    // Empties the working curve, loop table, per-loop vectors and Loop No. items, and the
    // marker, selected-loop and skeleton series.
    void ClearAnalysis();
    // Empties the four loop read-outs.
    void ClearLoopReadouts();
};

// Frame of loop i: start S, turn T (-1 when the loop has none) and end E, as indices of the
// working curve. Requires 0 <= i and LoopStart to hold entry 2i.
struct LoopFrame {
    int32_t S = 0;
    int32_t T = -1;
    int32_t E = 0;
    bool HasTurn() const { return T >= 0; }
};
LoopFrame GetLoopFrame(const AnalysisState& state, int loop);

// The first index of the largest |D[k] - D[0]| over from..to (strict comparison: of equal
// distances the earliest wins): a half-cycle's point farthest from the first displacement.
int32_t FarthestFromStart(const double* D, int32_t from, int32_t to);

// The Loop No. item text of loop k (0-based): "Loop_" followed by k + 1.
std::string LoopItemText(int loop);

}  // namespace qlnx
