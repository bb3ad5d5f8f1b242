#include "core/node_editing.h"

#include <numeric>

namespace qlnx {

std::vector<std::string> EditObjectItems(int editMode) {
    std::vector<std::string> items{"None", "Vorlix Postive", "Vorlix Negative"};
    if (editMode != kEditAdd) items.emplace_back("LOOP");
    return items;
}

ChartSeries* EditSeriesOfObject(AnalysisState& state, int objectIndex) {
    switch (objectIndex) {
        case 1: return &state.PositiveSkeletonSeries();
        case 2: return &state.NegativeSkeletonSeries();
        case 3: return &state.LoopSeries();
        default: return nullptr;
    }
}

namespace {

// Rebuilds series as its points 0 .. at - 1, then (x, y), then the points from at on.
void InsertPoint(ChartSeries& series, int at, double x, double y) {
    std::vector<double> xs(series.XValues());
    std::vector<double> ys(series.YValues());
    const auto offset = static_cast<std::ptrdiff_t>(at);
    xs.insert(xs.begin() + offset, x);
    ys.insert(ys.begin() + offset, y);
    series.Assign(std::move(xs), std::move(ys));
}

}  // namespace

void AddNodeAt(ChartSeries& series, SkeletonBranch side, double x, double y) {
    if (side == SkeletonBranch::None) return;
    const bool positive = side == SkeletonBranch::Positive;
    // The count is read again at every step: an insertion grows the series being scanned.
    for (int i = 0; i < series.Count(); ++i) {
        const int n = series.Count();
        const double xi = series.GetxValue(i);
        if (!(positive ? xi < x : xi > x)) continue;
        if (i + 1 < n) {
            const double next = series.GetxValue(i + 1);
            if (positive ? next >= x : next <= x) InsertPoint(series, i + 1, x, y);
        } else {
            series.AddXY(x, y);
        }
    }
}

void AddNodeAt(AnalysisState& state, ChartSeries& series, double x, double y) {
    const SkeletonBranch side =
        &series == &state.PositiveSkeletonSeries()   ? SkeletonBranch::Positive
        : &series == &state.NegativeSkeletonSeries() ? SkeletonBranch::Negative
                                                     : SkeletonBranch::None;
    AddNodeAt(series, side, x, y);
}

void DeleteNode(AnalysisState& state, ChartSeries& series, int index) {
    if (index < 0 || index >= series.Count()) return;
    if (&series == &state.LoopSeries()) {
        auto& samples = state.LoopSeriesSamples;
        if (samples.empty()) {
            samples.resize(static_cast<size_t>(series.Count()));
            std::iota(samples.begin(), samples.end(), 0);
        }
        samples.erase(samples.begin() + static_cast<std::ptrdiff_t>(index));
    }
    series.Delete(index);
}

int32_t LoopSampleOfPoint(const AnalysisState& state, int index) {
    const auto& samples = state.LoopSeriesSamples;
    if (samples.empty()) return index;
    return index >= 0 && static_cast<size_t>(index) < samples.size()
               ? samples[static_cast<size_t>(index)]
               : -1;
}

void WriteBackLoopPoint(AnalysisState& state, int index) {
    const ChartSeries& loop = state.LoopSeries();
    if (index < 0 || index >= loop.Count()) return;
    const int32_t sample = LoopSampleOfPoint(state, index);
    if (sample < 0 || static_cast<size_t>(sample) >= state.RawDisp.size()) return;
    state.RawDisp[static_cast<size_t>(sample)] = loop.GetxValue(index);
    state.RawForce[static_cast<size_t>(sample)] = loop.GetyValue(index);
}

}  // namespace qlnx
