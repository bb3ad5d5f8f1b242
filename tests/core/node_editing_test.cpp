// Node editing: adding a skeleton node by displacement, the object box's series, and the
// write-back of dragged loop points after deletions.
#include "core/node_editing.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace qlnx {
namespace {

std::vector<double> Xs(const ChartSeries& s) { return s.XValues(); }

ChartSeries Curve(const std::vector<double>& xs) {
    ChartSeries s("Vorlix", clRed, /*sortedX=*/false);
    for (double x : xs) s.AddXY(x, x * 2);
    return s;
}

TEST(AddNodeAt, InsertsByDisplacementOnEachSide) {
    struct Case {
        SkeletonBranch side;
        std::vector<double> before;
        double x;
        std::vector<double> after;
    };
    const auto P = SkeletonBranch::Positive;
    const auto N = SkeletonBranch::Negative;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {P, {0, 10, 20}, 15, {0, 10, 15, 20}},
        {P, {0, 10, 20}, 25, {0, 10, 20, 25}},
        {P, {0, 10, 20}, 10, {0, 10, 10, 20}},  // before the node at the same displacement
        {P, {0, 10, 20}, 0, {0, 10, 20}},
        {P, {0, 10, 20}, -5, {0, 10, 20}},
        {P, {}, 5, {}},
        {P, {0}, 5, {0, 5}},
        {P, {0, 10, 20}, nan, {0, 10, 20}},
        {N, {0, -10, -20}, -15, {0, -10, -15, -20}},
        {N, {0, -10, -20}, -25, {0, -10, -20, -25}},
        {N, {0, -10, -20}, 0, {0, -10, -20}},
        {N, {0, -10, -20}, 5, {0, -10, -20}},
        // A curve that goes back and forth gets the node at every place that meets the test.
        {P, {0, 10, 5, 20}, 7, {0, 7, 10, 5, 7, 20}},
        {N, {0, -10, -5, -20}, -7, {0, -7, -10, -5, -7, -20}},
        {SkeletonBranch::None, {0, 10}, 5, {0, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(c.side) << " x " << c.x);
        ChartSeries s = Curve(c.before);
        AddNodeAt(s, c.side, c.x, 99);
        EXPECT_EQ(Xs(s), c.after);
        // Every new node carries the force given; the old nodes keep theirs (2 x).
        size_t added = 0;
        for (int i = 0; i < s.Count(); ++i) {
            if (s.GetyValue(i) == 99) {
                ++added;
                EXPECT_EQ(s.GetxValue(i), c.x);
            } else {
                EXPECT_EQ(s.GetyValue(i), 2 * s.GetxValue(i));
            }
        }
        EXPECT_EQ(added, c.after.size() - c.before.size());
    }
}

TEST(AddNodeAt, TakesTheSideFromTheSeriesOfTheState) {
    AnalysisState state;
    for (double x : {0.0, 10.0, 20.0}) {
        state.PositiveSkeletonSeries().AddXY(x, 1);
        state.NegativeSkeletonSeries().AddXY(-x, -1);
        state.LoopSeries().AddXY(x, 1);
    }
    AddNodeAt(state, state.PositiveSkeletonSeries(), 15, 3);
    AddNodeAt(state, state.NegativeSkeletonSeries(), -15, -3);
    AddNodeAt(state, state.LoopSeries(), 15, 3);
    EXPECT_EQ(Xs(state.PositiveSkeletonSeries()), (std::vector<double>{0, 10, 15, 20}));
    EXPECT_EQ(Xs(state.NegativeSkeletonSeries()), (std::vector<double>{-0.0, -10, -15, -20}));
    EXPECT_EQ(Xs(state.LoopSeries()), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(state.PositiveSkeletonSeries().GetyValue(2), 3);
}

TEST(EditObject, ItemsAndSeriesOfTheObjectBox) {
    const std::vector<std::string> all{"None", "Vorlix Postive", "Vorlix Negative", "LOOP"};
    EXPECT_EQ(EditObjectItems(kEditNone), all);
    EXPECT_EQ(EditObjectItems(kEditDrag), all);
    EXPECT_EQ(EditObjectItems(kEditDelete), all);
    EXPECT_EQ(EditObjectItems(kEditAdd),
              (std::vector<std::string>{"None", "Vorlix Postive", "Vorlix Negative"}));

    AnalysisState state;
    EXPECT_EQ(EditSeriesOfObject(state, 0), nullptr);
    EXPECT_EQ(EditSeriesOfObject(state, 1), &state.PositiveSkeletonSeries());
    EXPECT_EQ(EditSeriesOfObject(state, 2), &state.NegativeSkeletonSeries());
    EXPECT_EQ(EditSeriesOfObject(state, 3), &state.LoopSeries());
    EXPECT_EQ(EditSeriesOfObject(state, -1), nullptr);
    EXPECT_EQ(EditSeriesOfObject(state, 4), nullptr);
}

// A state with an imported curve of n samples (i, 10 i) drawn as the loop series.
AnalysisState Imported(int n) {
    AnalysisState state;
    for (int i = 0; i < n; ++i) {
        state.RawDisp.push_back(i);
        state.RawForce.push_back(10 * i);
        state.LoopSeries().AddXY(i, 10 * i);
    }
    return state;
}

TEST(WriteBackLoopPoint, WritesTheSampleThePointShows) {
    AnalysisState state = Imported(10);
    // Before any deletion point i is sample i.
    state.LoopSeries().SetXY(7, 3.5, 120);
    WriteBackLoopPoint(state, 7);
    EXPECT_EQ(state.RawDisp[7], 3.5);
    EXPECT_EQ(state.RawForce[7], 120);

    // Deleting points 2 and then 0 shifts the later points; the samples stay.
    DeleteNode(state, state.LoopSeries(), 2);
    DeleteNode(state, state.LoopSeries(), 0);
    EXPECT_EQ(state.LoopSeries().Count(), 8);
    EXPECT_EQ(state.RawDisp.size(), 10u);
    EXPECT_EQ(LoopSampleOfPoint(state, 0), 1);
    EXPECT_EQ(LoopSampleOfPoint(state, 1), 3);
    EXPECT_EQ(LoopSampleOfPoint(state, 5), 7);
    state.LoopSeries().SetXY(5, -1, -2);
    WriteBackLoopPoint(state, 5);
    EXPECT_EQ(state.RawDisp[7], -1);
    EXPECT_EQ(state.RawForce[7], -2);
    EXPECT_EQ(state.RawDisp[5], 5);
    EXPECT_EQ(state.RawDisp[2], 2);  // deleted from the chart only

    // Out of range does nothing; a skeleton deletion leaves the map alone.
    WriteBackLoopPoint(state, 8);
    WriteBackLoopPoint(state, -1);
    DeleteNode(state, state.LoopSeries(), 8);
    state.PositiveSkeletonSeries().AddXY(0, 0);
    DeleteNode(state, state.PositiveSkeletonSeries(), 0);
    EXPECT_EQ(state.LoopSeriesSamples.size(), 8u);
    EXPECT_EQ(state.LoopSeries().Count(), 8);
    EXPECT_EQ(state.PositiveSkeletonSeries().Count(), 0);

    // A new import starts again from point i = sample i.
    state.ClearImportedCurve();
    EXPECT_TRUE(state.LoopSeriesSamples.empty());
    EXPECT_EQ(LoopSampleOfPoint(state, 4), 4);
}

}  // namespace
}  // namespace qlnx
