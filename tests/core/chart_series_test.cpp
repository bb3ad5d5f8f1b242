// A series' points held by a reader (a picture made on another thread) stay as they were while
// the series changes; a copied series changes apart from its original.
#include "core/chart_series.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qlnx {
namespace {

TEST(ChartSeriesTest, HeldPointsStayAsTheyWereThroughEveryChange) {
    const std::vector<double> xs{1, 2, 3}, ys{10, 20, 30};
    const std::pair<const char*, std::function<void(ChartSeries&)>> changes[] = {
        {"AddXY", [](ChartSeries& s) { s.AddXY(4, 40); }},
        {"SetXY", [](ChartSeries& s) { s.SetXY(1, -2, -20); }},
        {"Delete", [](ChartSeries& s) { s.Delete(0); }},
        {"Insert", [](ChartSeries& s) { s.Insert(1, 1.5, 15); }},
        {"Clear", [](ChartSeries& s) { s.Clear(); }},
        {"Assign", [](ChartSeries& s) { s.Assign({7}, {70}); }},
        {"Reserve", [](ChartSeries& s) { s.Reserve(1000); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        ChartSeries series("Loop", clBlue, false);
        series.Assign(xs, ys);
        const auto held = series.SharedPoints();
        ChartSeries copy = series;
        change(series);
        EXPECT_EQ(held->xs, xs);
        EXPECT_EQ(held->ys, ys);
        EXPECT_EQ(copy.XValues(), xs);
        EXPECT_EQ(copy.YValues(), ys);
        // The series itself shows its change, as one made without a reader would.
        ChartSeries alone("Loop", clBlue, false);
        alone.Assign(xs, ys);
        change(alone);
        EXPECT_EQ(series.XValues(), alone.XValues());
        EXPECT_EQ(series.YValues(), alone.YValues());
    }
}

// Without a reader a change works on the points in place: a drag step copies nothing.
TEST(ChartSeriesTest, UnheldPointsChangeInPlace) {
    ChartSeries series("Loop", clBlue, false);
    series.Assign({1, 2, 3}, {10, 20, 30});
    const double* before = series.XValues().data();
    series.SetXY(2, 5, 50);
    EXPECT_EQ(series.XValues().data(), before);
    {
        const auto held = series.SharedPoints();
        series.SetXY(2, 6, 60);
        EXPECT_NE(series.XValues().data(), before);
        EXPECT_EQ(held->xs[2], 5);
    }
    const double* after = series.XValues().data();
    series.SetXY(2, 7, 70);
    EXPECT_EQ(series.XValues().data(), after);
}

}  // namespace
}  // namespace qlnx
