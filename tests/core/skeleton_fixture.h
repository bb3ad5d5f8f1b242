// Analysed states for the skeleton tests, filled straight from a loop table so the tests do
// not depend on the loop analysis.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis_state.h"
#include "core/chart_series.h"
#include "core/skeleton.h"

namespace qlnx::testing {

// A working curve with its half-cycle table and the recorded extreme-displacement indices;
// MaxDisp1/2 and MaxDispForce1/2 are read from the curve at those indices.
struct AnalysedCurve {
    std::vector<double> D;
    std::vector<double> F;
    std::vector<int32_t> LoopStart;
    int LoopCount = 0;
    std::vector<int32_t> MaxDispIndex1;
    std::vector<int32_t> MaxDispIndex2;
};

inline AnalysisState MakeState(const AnalysedCurve& c) {
    AnalysisState s;
    s.LoopDisp = c.D;
    s.LoopForce = c.F;
    s.LoopStart = c.LoopStart;
    s.LoopCount = c.LoopCount;
    s.MaxDispIndex1 = c.MaxDispIndex1;
    s.MaxDispIndex2 = c.MaxDispIndex2;
    for (const int32_t k : c.MaxDispIndex1) {
        s.MaxDisp1.push_back(c.D[static_cast<size_t>(k)]);
        s.MaxDispForce1.push_back(c.F[static_cast<size_t>(k)]);
    }
    for (const int32_t k : c.MaxDispIndex2) {
        s.MaxDisp2.push_back(c.D[static_cast<size_t>(k)]);
        s.MaxDispForce2.push_back(c.F[static_cast<size_t>(k)]);
    }
    return s;
}

// The same curve mirrored through the origin (exact: negation only flips the sign bit).
inline AnalysedCurve Mirrored(AnalysedCurve c) {
    for (double& d : c.D) d = -d;
    for (double& f : c.F) f = -f;
    return c;
}

// Two loops of growing amplitude with hardening: loop 0 is S = 0, T = 4, E = 8 and loop 1 is
// S = 8, T = 13, E = 17.
inline AnalysedCurve ExampleCurve() {
    return {{0, 1, 2, 1, 0, -1, -2, -1, 0, 2, 3, 4, 1, 0, -3, -4, -1, 0},
            {0, 10, 15, 5, -2, -10, -14, -4, 3, 16, 20, 18, 6, -3, -18, -17, -5, 2},
            {0, 4, 8, 13, 17},
            2,
            {2, 11},
            {6, 15}};
}

using Points = std::vector<std::pair<double, double>>;

inline Points PointsOf(const ChartSeries& s) {
    Points p;
    for (int i = 0; i < s.Count(); ++i) p.emplace_back(s.GetxValue(i), s.GetyValue(i));
    return p;
}

inline Points MirroredPoints(Points p) {
    for (auto& [x, y] : p) {
        x = -x;
        y = -y;
    }
    return p;
}

// Extracts the skeleton from the curve by method and expects exactly the two branches.
inline void ExpectBranches(const AnalysedCurve& curve, SkeletonMethod method,
                           LoopDirection direction, bool keep, const Points& positive,
                           const Points& negative) {
    AnalysisState s = MakeState(curve);
    ExtractSkeleton(s, method, direction, keep);
    EXPECT_EQ(PointsOf(s.PositiveSkeletonSeries()), positive);
    EXPECT_EQ(PointsOf(s.NegativeSkeletonSeries()), negative);
}

}  // namespace qlnx::testing
