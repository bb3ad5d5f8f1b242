// The order-keeping pixel-column reduction: kept indices, per-column extremes, off-screen runs.
#include "gui/chart/decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace qlnx {
namespace {

// One data unit per pixel on a 10 x 10 pixel plot (0..10 on both axes), no margin.
PixelView TenByTen() {
    PixelView v;
    v.xLower = 0;
    v.xUpper = 10;
    v.yLower = 0;
    v.yUpper = 10;
    v.width = 10;
    v.height = 10;
    v.margin = 0;
    return v;
}

TEST(DecimateByPixelColumn, KeepsFirstLowestHighestAndLastOfEachRun) {
    struct Case {
        const char* what;
        std::vector<double> xs, ys;
        std::vector<int> kept;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    const std::vector<Case> cases = {
        {"one run, extremes inside", {0.6, 0.8, 1.0, 1.2, 1.4, 1.6}, {5, 1, 9, 3, 4, 2}, {0, 1, 2, 4, 5}},
        {"equal extremes: earliest wins", {2.1, 2.2, 2.3, 2.4}, {5, 1, 1, 5}, {0, 1, 3}},
        {"curve returns to a column: two runs", {0.9, 1.1, 2.1, 1.2, 1.3}, {1, 2, 3, 4, 5}, {0, 1, 2, 3, 4}},
        {"left of the plot: first and last only", {-5, -6, -7, -8, 0.5}, {1, 2, 3, 4, 5}, {0, 3, 4}},
        {"above the plot, then right of it", {1, 2, 3, 11, 12, 13}, {11, 12, 13, 5, 5, 5}, {0, 2, 3, 5}},
        {"a gap breaks the run and stays", {1.1, 1.2, nan, 1.3, 1.4, 1.45}, {1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 5}},
        {"single point", {3}, {3}, {0}},
        {"empty", {}, {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(DecimateByPixelColumn(c.xs, c.ys, TenByTen()), c.kept) << c.what;
    }
}

TEST(DecimateByPixelColumn, WithoutUsablePixelGridKeepsEverything) {
    const std::vector<double> xs = {1, 1, 1}, ys = {1, 2, 3};
    PixelView flat = TenByTen();
    flat.xUpper = flat.xLower;  // zero-width range
    EXPECT_EQ(DecimateByPixelColumn(xs, ys, flat), (std::vector<int>{0, 1, 2}));
    PixelView empty = TenByTen();
    empty.width = 0;
    EXPECT_EQ(DecimateByPixelColumn(xs, ys, empty), (std::vector<int>{0, 1, 2}));
}

// A long hysteresis-like curve: growing cycles back and forth, many points per pixel column.
void HysteresisCurve(int n, std::vector<double>& xs, std::vector<double>& ys) {
    xs.resize(static_cast<size_t>(n));
    ys.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i * 0.0002;
        const double amp = 1 + t * 0.1;
        xs[static_cast<size_t>(i)] = amp * std::sin(t);
        ys[static_cast<size_t>(i)] = amp * 80 * std::sin(t + 0.4) + std::sin(i * 0.37);
    }
}

// Per pixel column (pixel x rounded), the lowest and highest force of the given points on screen
// (the plot rectangle widened by the view's margin): what a column of the drawing spans.
std::map<long, std::pair<double, double>> ColumnRanges(const std::vector<double>& xs,
                                                       const std::vector<double>& ys,
                                                       const std::vector<size_t>& indices,
                                                       const PixelView& view) {
    std::map<long, std::pair<double, double>> ranges;
    for (size_t i : indices) {
        const double px = (xs[i] - view.xLower) * (view.width / (view.xUpper - view.xLower));
        const double py = (ys[i] - view.yLower) * (view.height / (view.yUpper - view.yLower));
        if (px < -view.margin || px > view.width + view.margin || py < -view.margin ||
            py > view.height + view.margin) {
            continue;
        }
        const long col = static_cast<long>(std::floor(px + 0.5));
        auto [it, inserted] = ranges.try_emplace(col, ys[i], ys[i]);
        if (!inserted) {
            it->second.first = std::min(it->second.first, ys[i]);
            it->second.second = std::max(it->second.second, ys[i]);
        }
    }
    return ranges;
}

struct ViewCase {
    const char* what;
    double xLower, xUpper, yLower, yUpper;
    size_t maxKept;
};

TEST(DecimateByPixelColumn, KeepsOrderAndEveryColumnsExtremes) {
    std::vector<double> xs, ys;
    HysteresisCurve(200000, xs, ys);
    std::vector<size_t> all(xs.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    const ViewCase views[] = {
        {"whole curve", -4, 4, -300, 300, 50000},
        {"zoomed in: most of the curve off screen", 0.5, 0.6, 0, 300, 8000},
    };
    for (const ViewCase& c : views) {
        PixelView view;
        view.xLower = c.xLower;
        view.xUpper = c.xUpper;
        view.yLower = c.yLower;
        view.yUpper = c.yUpper;
        view.width = 700;
        view.height = 500;
        const std::vector<int> kept = DecimateByPixelColumn(xs, ys, view);

        ASSERT_FALSE(kept.empty()) << c.what;
        EXPECT_LT(kept.size(), c.maxKept) << c.what;
        EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end())) << c.what;
        EXPECT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end()) << c.what;
        EXPECT_EQ(kept.front(), 0) << c.what;
        EXPECT_EQ(kept.back(), static_cast<int>(xs.size()) - 1) << c.what;
        std::vector<size_t> some;
        for (int k : kept) some.push_back(static_cast<size_t>(k));
        // The same force range in every visible column: the drawing keeps every extreme.
        EXPECT_EQ(ColumnRanges(xs, ys, some, view), ColumnRanges(xs, ys, all, view)) << c.what;
    }
}

TEST(PixelDecimation, MovingOnePointGivesTheSameResultAsReducingAgain) {
    std::vector<double> xs, ys;
    HysteresisCurve(150000, xs, ys);
    PixelView view;
    view.xLower = -3;
    view.xUpper = 3;
    view.yLower = -300;
    view.yUpper = 300;
    view.width = 700;
    view.height = 500;
    PixelDecimation d;
    d.Build(xs, ys, view);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Move {
        const char* what;
        int index;
        double x, y;
    };
    const int mid = 75000;
    const Move moves[] = {
        {"far across the plot", mid, -2.5, 250},
        {"off screen to the left", mid + 1, -50, 0},
        {"onto its neighbour's pixel", mid + 2, xs[mid + 3], ys[mid + 3]},
        {"into a gap", mid + 10, nan, 5},
        {"first point", 0, 2.9, -290},
        {"last point", 149999, -2.9, 290},
        {"back where it was", mid, xs[mid], ys[mid]},
    };
    for (const Move& m : moves) {
        xs[static_cast<size_t>(m.index)] = m.x;
        ys[static_cast<size_t>(m.index)] = m.y;
        d.PointMoved(xs, ys, m.index);
        EXPECT_EQ(d.Kept(), DecimateByPixelColumn(xs, ys, view)) << m.what;
    }
}

}  // namespace
}  // namespace qlnx
