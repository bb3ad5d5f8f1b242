// The evaluation's tables: the cells left empty on purpose carry the reason as a mark.
#include "core/evaluation_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/loop_analysis.h"
#include "imported_record.h"

namespace qlnx {
namespace {

size_t Column(const EvaluationTable& t, const std::string& name) {
    for (size_t c = 0; c < t.Header.size(); ++c) {
        if (t.Header[c] == name) return c;
    }
    return t.Header.size();
}

std::vector<std::string> MarksOf(const EvaluationTable& t, size_t row) {
    std::vector<std::string> marks;
    for (const MarkedCell& m : t.Marked) {
        if (m.Row == row) marks.push_back(t.Header[m.Column]);
    }
    return marks;
}

TEST(EvaluationTables, OffQuadrantAndIncompleteLoopsSayWhyTheirCellsAreEmpty) {
    // Loop 1: after a fracture the force at the largest displacement is negative. Loop 2 is
    // cut short after its turn.
    AnalysisState state = test::Imported(
        {{0, 5}, {2, 8}, {4, -1}, {0, -6}, {-3, -8}, {-1, 3}, {0, 5}, {3, 9}, {-1, -4}});
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    const TestEvaluation e = EvaluateTest(state, EvaluationOptions{});
    ASSERT_EQ(e.Loops.size(), 2u);
    const EvaluationTable t = LoopTable(e);
    EXPECT_EQ(MarksOf(t, 0), (std::vector<std::string>{"DampingRatio", "DissipationCoefficient",
                                                       "SecantStiffness", "PeaksOffQuadrant"}));
    EXPECT_EQ(t.Rows[0][Column(t, "DampingRatio")].Type, TableValue::Kind::Null);
    EXPECT_TRUE(t.Rows[0][Column(t, "PeaksOffQuadrant")].Flag);
    EXPECT_EQ(MarksOf(t, 1), (std::vector<std::string>{"Level", "Cycle", "Complete"}));
    EXPECT_EQ(t.Rows[1][Column(t, "Level")].Type, TableValue::Kind::Null);
    for (const MarkedCell& m : t.Marked) {
        EXPECT_EQ(m.Warning, m.Row == 0 ? EvaluationWarning::PeaksOffQuadrant
                                        : EvaluationWarning::IncompleteLoop);
        EXPECT_FALSE(WarningText(m.Warning).empty());
    }
    // The CSV form: the flag after the secant stiffness, the empty level of loop 2.
    const std::string csv = EvaluationCsvText(e, {"r", "none", "none", "", ""});
    EXPECT_NE(csv.find(",SecantStiffness,PeaksOffQuadrant,ResidualPos,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n2,,,false,"), std::string::npos);
}

TEST(EvaluationTables, SkeletonRowsCountDroppedPointsAndTheCap) {
    SkeletonEvaluation s;
    s.Positive = EvaluateBranch({0, 1, 3, 5, 4, 7, 6, 9}, {0, 10, 15, 16, 16.5, 14, 13, 12}, false,
                                0.8, 6.0);
    const EvaluationTable t = SkeletonTable(s);
    const size_t dropped = Column(t, "DroppedPoints");
    const size_t capped = Column(t, "UltimateCapped");
    ASSERT_LT(dropped, t.Header.size());
    // Row 1 is the positive branch's ultimate point.
    EXPECT_EQ(t.Rows[1][dropped].Number, 2);
    EXPECT_TRUE(t.Rows[1][capped].Flag);
    EXPECT_EQ(MarksOf(t, 1), (std::vector<std::string>{"UltimateCapped", "DroppedPoints"}));
}

}  // namespace
}  // namespace qlnx
