// The constructions drawn on the chart: the mirror image on the negative branch, and the
// outward path they follow.
#include "core/yield_constructions.h"

#include <gtest/gtest.h>

#include <vector>

#include "evaluation_expect.h"

namespace qlnx {
namespace {

using Values = std::vector<double>;

Values Negated(Values v) {
    for (double& x : v) x = -x;
    return v;
}

void ExpectMirrored(BranchPoint negative, BranchPoint positive) {
    EXPECT_EQ(negative.Disp, -positive.Disp);
    EXPECT_EQ(negative.Force, -positive.Force);
}

// Every method's construction on the negative branch is the positive one turned through the
// origin: lines, ultimate line, marks and the points left out.
TEST(ConstructYield, NegativeBranchIsTheMirrorImage) {
    // The worked example S1 with two points that step back; and a branch whose 0.4 Fmax
    // crossing lies off the first segment.
    const std::vector<std::pair<Values, Values>> branches = {
        {{0, 1, 3, 5, 4, 7, 6, 9}, {0, 10, 15, 16, 16.5, 14, 13, 12}},
        {{1, 2, 4, 6}, {2, 10, 16, 12}},
    };
    for (const auto& [x, y] : branches) {
        for (const YieldMethodInfo& info : kYieldMethods) {
            SCOPED_TRACE(info.Name);
            const auto p = ConstructYield(x, y, false, 0.8, info.Method);
            const auto n = ConstructYield(Negated(x), Negated(y), true, 0.8, info.Method);
            ASSERT_TRUE(p && n);
            EXPECT_TRUE(p->HasYield);
            EXPECT_EQ(n->HasYield, p->HasYield);
            ASSERT_EQ(n->Lines.size(), p->Lines.size());
            for (size_t i = 0; i < p->Lines.size(); ++i) {
                ExpectMirrored(n->Lines[i].From, p->Lines[i].From);
                ExpectMirrored(n->Lines[i].To, p->Lines[i].To);
            }
            ExpectMirrored(n->UltimateLine.From, p->UltimateLine.From);
            ExpectMirrored(n->UltimateLine.To, p->UltimateLine.To);
            ASSERT_EQ(n->Marks.size(), p->Marks.size());
            for (size_t i = 0; i < p->Marks.size(); ++i) {
                EXPECT_EQ(n->Marks[i].Label, p->Marks[i].Label);
                ExpectMirrored(n->Marks[i].At, p->Marks[i].At);
            }
            ASSERT_EQ(n->Dropped.size(), p->Dropped.size());
            for (size_t i = 0; i < p->Dropped.size(); ++i) {
                ExpectMirrored(n->Dropped[i], p->Dropped[i]);
            }
        }
    }
}

TEST(ConstructYield, FollowsTheOutwardPath) {
    // S1 with (4, 16.5) and (6, 13) stepping back: those are the points left out, and the
    // marks are those of S1: M at (5, 16), U at 8.2, the EEEP yield point at its Fy.
    const Values x{0, 1, 3, 5, 4, 7, 6, 9};
    const Values y{0, 10, 15, 16, 16.5, 14, 13, 12};
    const auto c = ConstructYield(x, y, false, 0.8, YieldMethod::EEEP);
    ASSERT_TRUE(c.has_value());
    ASSERT_EQ(c->Dropped.size(), 2u);
    EXPECT_EQ(c->Dropped[0].Disp, 4);
    EXPECT_EQ(c->Dropped[0].Force, 16.5);
    EXPECT_EQ(c->Dropped[1].Disp, 6);
    EXPECT_EQ(c->Dropped[1].Force, 13);
    const auto mark = [&](const std::string& label) {
        for (const auto& m : c->Marks) {
            if (m.Label == label) return m.At;
        }
        return BranchPoint{-1, -1};
    };
    EXPECT_EQ(mark("M").Disp, 5);
    EXPECT_EQ(mark("M").Force, 16);
    EXPECT_TRUE(testing::Near(mark("U").Disp, 8.2));
    EXPECT_TRUE(testing::Near(mark("Y").Force, 14.306573, 1e-7));
    // The general yield method's tangent is the secant to 0.4 Fmax: A at Fmax / Ke.
    const auto g =
        ConstructYield({1, 2, 4, 6}, {2, 10, 16, 12}, false, 0.8, YieldMethod::GeneralYield);
    ASSERT_TRUE(g.has_value());
    ASSERT_FALSE(g->Lines.empty());
    EXPECT_TRUE(testing::Near(g->Lines[0].To.Disp, 3.875));
    EXPECT_EQ(g->Lines[0].To.Force, 16);
}

TEST(ConstructYield, UltimateLineStaysAtTheRatioWhenTheBranchNeverFalls) {
    // S1 without its last two points plus (7, 16.5): never falls to 0.8 Fmax = 13.2. The
    // ultimate line is drawn at 13.2 out to the last point, which is marked as a lower bound.
    const auto c =
        ConstructYield({0, 1, 3, 5, 7}, {0, 10, 15, 16, 16.5}, false, 0.8, YieldMethod::EEEP);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->UltimateLine.From.Disp, 0);
    EXPECT_EQ(c->UltimateLine.From.Force, 0.8 * 16.5);
    EXPECT_EQ(c->UltimateLine.To.Disp, 7);
    EXPECT_EQ(c->UltimateLine.To.Force, 0.8 * 16.5);
    ASSERT_FALSE(c->Marks.empty());
    EXPECT_EQ(c->Marks.back().Label, "U*");
    EXPECT_EQ(c->Marks.back().At.Disp, 7);
    EXPECT_EQ(c->Marks.back().At.Force, 16.5);
}

}  // namespace
}  // namespace qlnx
