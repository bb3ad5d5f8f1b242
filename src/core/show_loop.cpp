// ShowLoop: the read-outs, the selected-loop series and the marks of one loop.
#include <vector>

#include "core/loop_analysis.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr const char* kMissing = "--";

}  // namespace

void ShowLoop(AnalysisState& state) {
    state.ClearLoopReadouts();
    const int k = state.SelectedLoop;
    // Item k exists only while LoopStart holds its start entry 2k.
    if (state.LoopStart.empty() || k < 0 || k >= state.LoopCount ||
        2 * static_cast<size_t>(k) >= state.LoopStart.size()) {
        return;
    }
    ChartSeries& selected = state.SelectedLoopSeries();
    // pntsrsSeries1 marks the loop's frame (S, T, E), pntsrsSeries2 its largest displacements.
    ChartSeries& pntsrsSeries1 = state.pntsrsSeries1();
    ChartSeries& pntsrsSeries2 = state.pntsrsSeries2();
    selected.Clear();
    pntsrsSeries1.Clear();
    pntsrsSeries2.Clear();

    const auto index = static_cast<size_t>(k);
    const bool hasFirst = index < state.MaxDisp1.size();
    const bool hasSecond = index < state.MaxDisp2.size();
    for (size_t c = 0; c < kLoopColumnCount; ++c) {
        const auto value = LoopColumnValue(kLoopExtremeColumns[c], state, index);
        state.LoopReadouts[c] = value ? FormatGeneral15(*value) : kMissing;
    }

    const LoopFrame frame = GetLoopFrame(state, k);
    selected.Title = LoopItemText(k);
    // The loop runs from its start crossing point through the next loop's start (or the end
    // of the working curve), both included.
    const auto from = static_cast<std::ptrdiff_t>(frame.S);
    const auto to = static_cast<std::ptrdiff_t>(frame.E) + 1;
    selected.Assign(
        std::vector<double>(state.LoopDisp.begin() + from, state.LoopDisp.begin() + to),
        std::vector<double>(state.LoopForce.begin() + from, state.LoopForce.begin() + to));

    const auto point = [&](int32_t i, TColor color) {
        pntsrsSeries1.AddXY(state.LoopDisp[static_cast<size_t>(i)],
                            state.LoopForce[static_cast<size_t>(i)], color);
    };
    point(frame.S, clYellow);
    if (frame.HasTurn()) point(frame.T, clRed);
    point(frame.E, clLime);
    if (hasFirst) pntsrsSeries2.AddXY(state.MaxDisp1[index], state.MaxDispForce1[index], clAqua);
    if (hasSecond) pntsrsSeries2.AddXY(state.MaxDisp2[index], state.MaxDispForce2[index], clAqua);
}

}  // namespace qlnx
