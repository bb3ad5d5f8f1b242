// The loading history: each loop's span in samples over the working curve's inserted
// crossing points and skipped repeats, the click and drag look-ups, and the lines a range of
// samples was read from (two columns, and a channel record with a row left out for a gap).
#include "core/loading_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/channel_import.h"
#include "core/curve_import.h"
#include "core/import_range.h"
#include "core/loop_analysis.h"

namespace qlnx {
namespace {

TEST(LoadingHistory, LoopSpansFollowTheSamples) {
    AnalysisState state;
    // Sample 2 repeats sample 1 (skipped); crossings of 0 are inserted between samples 2-3,
    // 3-4 and 4-5; sample 6 passes through 0.
    ImportCurveValues(state, {0, 2, 2, -2, 2, -2, 0}, {0, 20, 20, -20, 20, -20, 0}, "r");
    ASSERT_FALSE(AnalyzeLoops(state));
    ASSERT_EQ(state.LoopCount, 2);
    EXPECT_EQ(WorkingCurveSamples(state), (std::vector<double>{0, 1, 2.5, 3, 3.5, 4, 4.5, 5, 6}));

    const LoadingHistory h = MakeLoadingHistory(state, EvaluationOptions{});
    EXPECT_FALSE(h.IsTime);
    EXPECT_EQ(h.X, (std::vector<double>{1, 2, 3, 4, 5, 6, 7}));
    ASSERT_EQ(h.Loops.size(), 2u);
    EXPECT_EQ(h.Loops[0].First, 1);
    EXPECT_EQ(h.Loops[0].Last, 4.5);
    EXPECT_EQ(h.Loops[1].First, 4.5);
    EXPECT_EQ(h.Loops[1].Last, 7);
    ASSERT_EQ(h.Levels.size(), 1u);
    EXPECT_EQ(h.Levels[0].Span.First, 1);
    EXPECT_EQ(h.Levels[0].Span.Last, 7);

    EXPECT_EQ(LoopAt(h, 2.0), 0);
    EXPECT_EQ(LoopAt(h, 5.0), 1);
    EXPECT_EQ(LoopAt(h, 8.0), std::nullopt);
    const auto range = SamplesWithin(h, 5.2, 2.5);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->First, 2u);
    EXPECT_EQ(range->Last, 4u);
    EXPECT_FALSE(SamplesWithin(h, 7.5, 9));

    // An imported record that is not analysed has its samples and no loops.
    ImportCurveValues(state, {0, 1, 2}, {0, 1, 2}, "r");
    const LoadingHistory plain = MakeLoadingHistory(state, EvaluationOptions{});
    EXPECT_EQ(plain.X.size(), 3u);
    EXPECT_TRUE(plain.Loops.empty());
}

TEST(LoadingHistory, LinesOfSamplesAndTheLastLine) {
    // Two columns from line 3, every second line: sample i is line 3 + 2i.
    AnalysisState state;
    ImportCurveValues(state, {1, 2, 3, 4}, {1, 2, 3, 4}, "r");
    ImportParameters columns;
    columns.FirstLine = 3;
    columns.Step = 2;
    EXPECT_EQ(LineOfSample(state, columns, 0), 3);
    EXPECT_EQ(LineOfSample(state, columns, 3), 9);
    columns.LastLine = 6;  // between two lines read: lines 3 and 5 stay
    KeepRowsThroughLastLine(state, columns);
    EXPECT_EQ(state.RawDisp, (std::vector<double>{1, 2}));
    columns.LastLine = 2;  // before the first line: nothing stays
    KeepRowsThroughLastLine(state, columns);
    EXPECT_TRUE(state.RawDisp.empty());

    // A channel record with its header on lines 1-2, a time channel and a gap on line 5:
    // samples are lines 3, 4, 6, 7; the last line 6 keeps three of them and their times.
    const std::string text = "t,d,f\ns,mm,kN\n0,1,10\n1,2,20\n2,NaN,30\n3,4,40\n4,5,50\n";
    ChannelSettings settings;
    settings.Displacement = "c2";
    settings.Force = "c3";
    ImportParameters parameters;
    ASSERT_EQ(ReadChannelText(state, text, parameters, settings).Failure, ImportFailure::None);
    ASSERT_EQ(state.RawDisp, (std::vector<double>{1, 2, 4, 5}));
    ASSERT_EQ(state.Channels.Time, (std::vector<double>{0, 1, 3, 4}));
    const std::vector<int64_t> lines = {
        LineOfSample(state, parameters, 0), LineOfSample(state, parameters, 1),
        LineOfSample(state, parameters, 2), LineOfSample(state, parameters, 3)};
    EXPECT_EQ(lines, (std::vector<int64_t>{3, 4, 6, 7}));
    const LoadingHistory h = MakeLoadingHistory(state, EvaluationOptions{});
    EXPECT_TRUE(h.IsTime);
    EXPECT_EQ(h.TimeUnit, "s");
    parameters.LastLine = 6;
    KeepRowsThroughLastLine(state, parameters);
    EXPECT_EQ(state.RawDisp, (std::vector<double>{1, 2, 4}));
    EXPECT_EQ(state.RawForce, (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(state.Channels.Time, (std::vector<double>{0, 1, 3}));
}

}  // namespace
}  // namespace qlnx
