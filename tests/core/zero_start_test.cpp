// A record that does not start at rest: the suggestion and zeroing at the first sample.
#include "core/zero_start.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/loop_analysis.h"
#include "imported_record.h"

namespace qlnx {
namespace {

TEST(ZeroStart, SuggestedBeyondTwoPercentOfEitherRange) {
    const struct {
        const char* what;
        test::RecordPoints record;
        bool suggested;
    } cases[] = {
        {"at rest", {{0, 0}, {10, 5}, {-10, -5}}, false},
        {"displacement within 2 % of its range 20", {{0.4, 0}, {10, 5}, {-10, -5}}, false},
        {"displacement beyond it", {{0.41, 0}, {10, 5}, {-10, -5}}, true},
        {"displacement far below 0", {{-3.13, 0}, {10, 5}, {-10, -5}}, true},
        {"force beyond 2 % of its range 10", {{0, 0.21}, {10, 5}, {-10, -5}}, true},
        {"force within it", {{0, -0.2}, {10, 5}, {-10, -5}}, false},
        {"an empty record", {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SuggestZeroStart(test::Imported(c.record)), c.suggested) << c.what;
    }
}

TEST(ZeroStart, ZeroesBothChannelsAndTheLoopSeriesAtTheFirstSample) {
    AnalysisState state = test::Imported({{-3, 1}, {2, 11}, {-4, -4}, {0, 13}});
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    ZeroAtFirstSample(state);
    EXPECT_EQ(state.RawDisp, (std::vector<double>{0, 5, -1, 3}));
    EXPECT_EQ(state.RawForce, (std::vector<double>{0, 10, -5, 12}));
    EXPECT_EQ(state.LoopSeries().XValues(), state.RawDisp);
    EXPECT_EQ(state.LoopSeries().YValues(), state.RawForce);
    // The analysis is emptied, to be run again on the zeroed record.
    EXPECT_EQ(state.LoopCount, 0);
    EXPECT_TRUE(state.LoopDisp.empty());
    EXPECT_FALSE(SuggestZeroStart(state));
}

}  // namespace
}  // namespace qlnx
