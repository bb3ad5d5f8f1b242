// The per-loop columns: one place each in the result file, the read-outs showing the same
// values as the result file and "--" for a loop without an entry.
#include "core/loop_columns.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/result_files.h"
#include "result_lines.h"

namespace qlnx {
namespace {

TEST(LoopColumns, EachHasOnePlaceAndOneName) {
    std::set<const LoopColumn*> placed;
    for (const LoopColumn* column : LoopColumnsInResultOrder()) {
        ASSERT_NE(column, nullptr);
        EXPECT_TRUE(placed.insert(column).second);
    }
    std::set<std::string_view> names;
    for (const LoopColumn& column : kLoopExtremeColumns) {
        for (const std::string_view name :
             {column.JsonName, column.ReadoutName, column.ResultHeader}) {
            EXPECT_TRUE(names.insert(name).second) << name;
        }
    }
}

TEST(LoopColumns, ReadoutsAndResultFileShowTheSameEntries) {
    AnalysisState s;
    s.LoopDisp = {0, 2, 0, -2, 0, 3, 0};
    s.LoopForce = {0, 5, 1, -5, -1, 7, 2};
    s.LoopStart = {0, 2, 4};
    s.LoopCount = 2;
    // The second loop has no second half-cycle: no entry in the second columns.
    s.MaxDispIndex1 = {1, 5};
    s.MaxDispIndex2 = {3};
    s.MaxDisp1 = {2, 3};
    s.MaxDispForce1 = {5, 7};
    s.MaxDisp2 = {-2};
    s.MaxDispForce2 = {-5};
    const auto lines = AnalysisResultLines(s, ResultForm::Csv);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "LoopNo.,1stMaxDisp,1stMaxDispForce,2ndMaxDisp,2ndMaxDispForce");
    const std::string expected[] = {"1,2,5,-2,-5,", "2,3,7,--,--,"};
    const std::string readouts[][kLoopColumnCount] = {{"2", "-2", "5", "-5"},
                                                      {"3", "--", "7", "--"}};
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(lines[static_cast<size_t>(k) + 1], expected[k]);
        s.SelectedLoop = k;
        ShowLoop(s);
        for (size_t c = 0; c < kLoopColumnCount; ++c) {
            EXPECT_EQ(s.LoopReadouts[c], readouts[k][c]) << kLoopExtremeColumns[c].ReadoutName;
        }
    }
}

}  // namespace
}  // namespace qlnx
