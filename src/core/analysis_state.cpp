#include "core/analysis_state.h"

#include <cmath>

namespace qlnx {

void AnalysisState::ClearImportedCurve() {
    RawDisp.clear();
    RawForce.clear();
    LoopSeries().Clear();
    LoopSeriesSamples.clear();
    Channels = ChannelRecord{};
    FileNameText.clear();
    LoopCountText.clear();
    // The legend names no loop of a record that is gone.
    SelectedLoopSeries().Title = "Loop_";
}

void AnalysisState::ClearAnalysis() {
    ++AnalysisRevision;
    LoopDisp.clear();
    LoopForce.clear();
    LoopStart.clear();
    MaxDispIndex1.clear();
    MaxDispIndex2.clear();
    MaxDisp1.clear();
    MaxDisp2.clear();
    MaxDispForce1.clear();
    MaxDispForce2.clear();
    LoopCount = 0;
    SelectedLoop = -1;
    pntsrsSeries1().Clear();
    pntsrsSeries2().Clear();
    SelectedLoopSeries().Clear();
    PositiveSkeletonSeries().Clear();
    NegativeSkeletonSeries().Clear();
}

void AnalysisState::ClearLoopReadouts() {
    for (auto& text : LoopReadouts) text.clear();
}

int32_t FarthestFromStart(const double* D, int32_t from, int32_t to) {
    const double x0 = D[0];
    int32_t best = from;
    double bestValue = std::fabs(D[from] - x0);
    for (int32_t k = from + 1; k <= to; ++k) {
        const double value = std::fabs(D[k] - x0);
        if (value > bestValue) {
            bestValue = value;
            best = k;
        }
    }
    return best;
}

LoopFrame GetLoopFrame(const AnalysisState& state, int loop) {
    const auto& starts = state.LoopStart;
    const auto last = static_cast<int64_t>(starts.size()) - 1;
    const auto at = [&](int64_t k) { return starts[static_cast<size_t>(k)]; };
    LoopFrame f;
    const int64_t s = 2 * static_cast<int64_t>(loop);
    f.S = at(s);
    f.T = s + 1 <= last ? at(s + 1) : -1;
    f.E = s + 2 <= last ? at(s + 2) : static_cast<int32_t>(state.LoopDisp.size()) - 1;
    return f;
}

std::string LoopItemText(int loop) { return "Loop_" + std::to_string(loop + 1); }

}  // namespace qlnx
