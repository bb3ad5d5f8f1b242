// ShowLoop: read-outs, the selected-loop series and the marks of one loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/loop_analysis.h"

namespace qlnx {
namespace {

using Values = std::vector<double>;
using Points = std::vector<std::pair<double, double>>;
using Readouts = std::array<std::string, 4>;  // Max Disp 1, Max Disp 2, Force 1, Force 2
using Marks = std::vector<std::tuple<double, double, TColor>>;

AnalysisState Analysed(const Points& points) {
    AnalysisState state;
    for (const auto& [d, f] : points) {
        state.RawDisp.push_back(d);
        state.RawForce.push_back(f);
    }
    EXPECT_EQ(AnalyzeLoops(state), std::nullopt);
    return state;
}

Marks MarksOf(const ChartSeries& series) {
    Marks marks;
    for (int i = 0; i < series.Count(); ++i) {
        marks.emplace_back(series.GetxValue(i), series.GetyValue(i), series.PointColor(i));
    }
    return marks;
}

const Points kWorkedExample = {{0, 0}, {2, 10}, {-1, -5}, {3, 12}, {3, 12}, {-2, -8}};

TEST(ShowLoop, SecondLoopOfTheWorkedExample) {
    AnalysisState state = Analysed(kWorkedExample);
    state.SelectedLoop = 1;
    ShowLoop(state);
    EXPECT_EQ(state.LoopReadouts, (Readouts{"3", "-2", "12", "-8"}));
    const ChartSeries& selected = state.SelectedLoopSeries();
    EXPECT_EQ(selected.Title, "Loop_2");
    EXPECT_EQ(selected.XValues(), (Values{0, 3, 0, -2}));
    EXPECT_EQ(selected.YValues(), (Values{-0.75, 12, 0, -8}));
    EXPECT_EQ(selected.PointColor(0), clTeeColor);
    // The point series keep X sorted; marks of equal X stay in the order they were added.
    EXPECT_EQ(MarksOf(state.pntsrsSeries1()),
              (Marks{{-2, -8, clLime}, {0, -0.75, clYellow}, {0, 0, clRed}}));
    EXPECT_EQ(MarksOf(state.pntsrsSeries2()), (Marks{{-2, -8, clAqua}, {3, 12, clAqua}}));
}

TEST(ShowLoop, FirstLoopIsShownByTheAnalysis) {
    const AnalysisState state = Analysed(kWorkedExample);
    EXPECT_EQ(state.LoopReadouts, (Readouts{"2", "-1", "10", "-5"}));
    EXPECT_EQ(state.Chart.GetSeries(ChartModel::SelectedLoopSeries).Title, "Loop_1");
    EXPECT_EQ(state.Chart.GetSeries(ChartModel::SelectedLoopSeries).XValues(),
              (Values{0, 2, 0, -1, 0}));
    EXPECT_EQ(MarksOf(state.Chart.GetSeries(ChartModel::pntsrsSeries1)),
              (Marks{{0, 0, clYellow}, {0, 0, clRed}, {0, -0.75, clLime}}));
}

TEST(ShowLoop, MissingExtremesShowDashes) {
    const struct {
        const char* what;
        Points raw;
        int loop;
        Readouts readouts;
        Values selectedX;
        Marks frameMarks;
        size_t extremeMarks;
        // clang-format off
    } cases[] = {
        {"no turn: whole curve, start and end only",
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 0, {"--", "--", "--", "--"}, {0, 1, 2, 3},
         {{0, 0, clYellow}, {3, 3, clLime}}, 0},
        {"second half-cycle empty",
         {{0, 0}, {1, 1}, {2, 2}, {0, 0}}, 0, {"2", "--", "2", "--"}, {0, 1, 2, 0},
         {{0, 0, clYellow}, {0, 0, clRed}, {0, 0, clLime}}, 1},
        {"last loop ends inside its first half-cycle",
         {{0, 0}, {2, 2}, {0, 0}, {-2, -2}, {0, 0}, {1, 1}}, 1, {"--", "--", "--", "--"},
         {0, 1}, {{0, 0, clYellow}, {1, 1, clLime}}, 0},
        {"fifteen digits",
         {{0, 0}, {1.0 / 3.0, 2.0 / 3.0}, {-1e-5, -1.5e20}, {0, 0}}, 0,
         {"0.333333333333333", "-1E-5", "0.666666666666667", "-1.5E20"},
         {0, 1.0 / 3.0, 0, -1e-5, 0}, {}, 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisState state = Analysed(c.raw);
        state.SelectedLoop = c.loop;
        ShowLoop(state);
        EXPECT_EQ(state.LoopReadouts, c.readouts);
        EXPECT_EQ(state.SelectedLoopSeries().XValues(), c.selectedX);
        if (!c.frameMarks.empty()) {
            EXPECT_EQ(MarksOf(state.pntsrsSeries1()), c.frameMarks);
        }
        EXPECT_EQ(static_cast<size_t>(state.pntsrsSeries2().Count()), c.extremeMarks);
    }
}

// Loop frames and shown loops worked out by hand, loop by loop: the loop table, the frame
// (start S, turn T or -1, end E), the points drawn and the three frame marks. The forces
// differ at every crossing point, so a mark or a drawn stretch one point off shows.
TEST(ShowLoop, FramesAndShownLoopsByHand) {
    struct Loop {
        int32_t S, T, E;
        Points drawn;
        Marks frameMarks;
        Readouts readouts;
    };
    const struct {
        const char* what;
        Points raw;
        std::vector<int32_t> loopStart;
        std::vector<Loop> loops;
        // clang-format off
    } cases[] = {
        {"three loop starts, ends inside the last loop's first half-cycle",
         {{0, 0}, {2, 20}, {0, 1}, {-2, -20}, {0, 2}, {1, 10}},
         {0, 2, 4},
         {{0, 2, 4, {{0, 0}, {2, 20}, {0, 1}, {-2, -20}, {0, 2}},
           {{0, 0, clYellow}, {0, 1, clRed}, {0, 2, clLime}}, {"2", "-2", "20", "-20"}},
          {4, -1, 5, {{0, 2}, {1, 10}}, {{0, 2, clYellow}, {1, 10, clLime}},
           {"--", "--", "--", "--"}}}},
        {"three loop starts, ends on the crossing point",
         {{0, 0}, {2, 20}, {0, 1}, {-2, -20}, {0, 2}},
         {0, 2, 4},
         {{0, 2, 4, {{0, 0}, {2, 20}, {0, 1}, {-2, -20}, {0, 2}},
           {{0, 0, clYellow}, {0, 1, clRed}, {0, 2, clLime}}, {"2", "-2", "20", "-20"}}}},
        {"four loop starts, ends on the crossing point: the third half-cycle is in no loop",
         {{0, 0}, {1, 10}, {0, 1}, {-1, -10}, {0, 2}, {3, 30}, {0, 3}},
         {0, 2, 4, 6},
         {{0, 2, 4, {{0, 0}, {1, 10}, {0, 1}, {-1, -10}, {0, 2}},
           {{0, 0, clYellow}, {0, 1, clRed}, {0, 2, clLime}}, {"1", "-1", "10", "-10"}}}},
        {"four loop starts, ends inside the last loop's second half-cycle",
         {{0, 0}, {1, 10}, {0, 1}, {-1, -10}, {0, 2}, {2, 12}, {0, 3}, {-3, -13}},
         {0, 2, 4, 6},
         {{0, 2, 4, {{0, 0}, {1, 10}, {0, 1}, {-1, -10}, {0, 2}},
           {{0, 0, clYellow}, {0, 1, clRed}, {0, 2, clLime}}, {"1", "-1", "10", "-10"}},
          {4, 6, 7, {{0, 2}, {2, 12}, {0, 3}, {-3, -13}},
           {{0, 2, clYellow}, {0, 3, clRed}, {-3, -13, clLime}}, {"2", "-3", "12", "-13"}}}},
        {"crossings between points and a repeated displacement, ends inside the last loop",
         {{0, 0}, {2, 4}, {-2, 0}, {1, 6}, {-1, -1}, {-1, -2}},
         {0, 2, 4, 6},
         // Crossing forces: (0 - 2) * (0 - 4) / (-2 - 2) + 4 = 2, then 4, then 2.5.
         {{0, 2, 4, {{0, 0}, {2, 4}, {0, 2}, {-2, 0}, {0, 4}},
           {{0, 0, clYellow}, {0, 2, clRed}, {0, 4, clLime}}, {"2", "-2", "4", "0"}},
          {4, 6, 8, {{0, 4}, {1, 6}, {0, 2.5}, {-1, -1}, {-1, -2}},
           {{0, 4, clYellow}, {0, 2.5, clRed}, {-1, -2, clLime}}, {"1", "-1", "6", "-1"}}}},
        {"never returns: one loop over the whole curve, no turn",
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}},
         {0},
         {{0, -1, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {{0, 0, clYellow}, {3, 3, clLime}},
           {"--", "--", "--", "--"}}}},
        {"two loop starts ending on the crossing point: the second half-cycle is the turn alone",
         {{0, 0}, {1, 1}, {2, 2}, {0, 5}},
         {0, 3},
         {{0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {0, 5}},
           {{0, 0, clYellow}, {0, 5, clRed}, {0, 5, clLime}}, {"2", "--", "2", "--"}}}},
    };
    // clang-format on
    const auto sortedByX = [](Marks marks) {
        // The point series keep X ascending; marks of equal X stay in the order added.
        std::stable_sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) {
            return std::get<0>(a) < std::get<0>(b);
        });
        return marks;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisState state = Analysed(c.raw);
        EXPECT_EQ(state.LoopStart, c.loopStart);
        ASSERT_EQ(state.LoopCount, static_cast<int>(c.loops.size()));
        for (size_t k = 0; k < c.loops.size(); ++k) {
            SCOPED_TRACE("loop " + std::to_string(k + 1));
            const Loop& want = c.loops[k];
            const LoopFrame frame = GetLoopFrame(state, static_cast<int>(k));
            EXPECT_EQ(std::make_tuple(frame.S, frame.T, frame.E),
                      std::make_tuple(want.S, want.T, want.E));
            state.SelectedLoop = static_cast<int>(k);
            ShowLoop(state);
            Points drawn;
            const ChartSeries& selected = state.SelectedLoopSeries();
            for (int i = 0; i < selected.Count(); ++i) {
                drawn.emplace_back(selected.GetxValue(i), selected.GetyValue(i));
            }
            EXPECT_EQ(drawn, want.drawn);
            EXPECT_EQ(MarksOf(state.pntsrsSeries1()), sortedByX(want.frameMarks));
            EXPECT_EQ(state.LoopReadouts, want.readouts);
        }
    }
}

TEST(ShowLoop, ShowingTwiceAccumulatesNothing) {
    AnalysisState state = Analysed(kWorkedExample);
    state.SelectedLoop = 1;
    ShowLoop(state);
    const Readouts readouts = state.LoopReadouts;
    const Marks frame = MarksOf(state.pntsrsSeries1());
    const Marks extremes = MarksOf(state.pntsrsSeries2());
    const Values selected = state.SelectedLoopSeries().XValues();
    ShowLoop(state);
    EXPECT_EQ(state.LoopReadouts, readouts);
    EXPECT_EQ(MarksOf(state.pntsrsSeries1()), frame);
    EXPECT_EQ(MarksOf(state.pntsrsSeries2()), extremes);
    EXPECT_EQ(state.SelectedLoopSeries().XValues(), selected);
}

TEST(ShowLoop, NoSelectionOrNoLoopTableLeavesTheChart) {
    AnalysisState state = Analysed(kWorkedExample);
    state.SelectedLoop = -1;
    ShowLoop(state);
    EXPECT_EQ(state.LoopReadouts, (Readouts{}));
    EXPECT_EQ(state.SelectedLoopSeries().Count(), 5);  // loop 1 from the analysis stays
    EXPECT_EQ(state.pntsrsSeries1().Count(), 3);

    state.SelectedLoop = 7;  // no such item
    ShowLoop(state);
    EXPECT_EQ(state.LoopReadouts, (Readouts{}));
    EXPECT_EQ(state.SelectedLoopSeries().Count(), 5);

    AnalysisState empty;
    empty.SelectedLoop = 0;
    empty.LoopReadouts[0] = "old";
    ShowLoop(empty);
    EXPECT_EQ(empty.LoopReadouts, (Readouts{}));
    EXPECT_EQ(empty.SelectedLoopSeries().Count(), 0);
}

}  // namespace
}  // namespace qlnx
