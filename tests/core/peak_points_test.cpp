// The peak-point skeleton methods: extreme-force and extreme-displacement points per loop.
#include "core/skeleton.h"

#include <gtest/gtest.h>

#include <string>

#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::AnalysedCurve;
using testing::ExampleCurve;
using testing::Points;

struct ExtractionCase {
    std::string name;
    AnalysedCurve curve;
    SkeletonMethod method;
    LoopDirection direction;
    bool keep;
    Points positive;
    Points negative;
};

void ExpectExtraction(const ExtractionCase& c) {
    SCOPED_TRACE(c.name);
    testing::ExpectBranches(c.curve, c.method, c.direction, c.keep, c.positive, c.negative);
}

constexpr auto kForce = SkeletonMethod::MaxForcePoint;
constexpr auto kDisp = SkeletonMethod::MaxDispPoint;
constexpr auto kBoth = SkeletonMethod::MaxForceAndDispPoints;
constexpr auto kPos = LoopDirection::Positive;
constexpr auto kNeg = LoopDirection::Negative;

TEST(PeakPoints, WorkedExampleWithAndWithoutOutwardTest) {
    const AnalysedCurve ex = ExampleCurve();
    // clang-format off
    const ExtractionCase cases[] = {
        {"max force", ex, kForce, kPos, false,
         {{0, 0}, {2, 15}, {3, 20}}, {{0, 0}, {-2, -14}, {-3, -18}}},
        {"max force, keep", ex, kForce, kPos, true,
         {{0, 0}, {2, 15}, {3, 20}}, {{0, 0}, {-2, -14}, {-3, -18}}},
        {"max disp", ex, kDisp, kPos, false,
         {{0, 0}, {2, 15}, {4, 18}}, {{0, 0}, {-2, -14}, {-4, -17}}},
        {"max disp, keep", ex, kDisp, kPos, true,
         {{0, 0}, {2, 15}, {4, 18}}, {{0, 0}, {-2, -14}, {-4, -17}}},
        // Per loop: leading force point, trailing force point, then the two disp points.
        {"both", ex, kBoth, kPos, false,
         {{0, 0}, {2, 15}, {2, 15}, {3, 20}, {4, 18}},
         {{0, 0}, {-2, -14}, {-2, -14}, {-3, -18}, {-4, -17}}},
        {"both, keep drops the repeated point", ex, kBoth, kPos, true,
         {{0, 0}, {2, 15}, {3, 20}, {4, 18}}, {{0, 0}, {-2, -14}, {-3, -18}, {-4, -17}}},
        // Negative direction: the first half-cycle's least force goes to the negative side,
        // the second half-cycle's largest force (against the candidate S) to the positive.
        {"max force, negative direction", ex, kForce, kNeg, false,
         {{0, 0}, {0, 3}, {0, 3}}, {{0, 0}, {0, -2}, {0, -3}}},
    };
    // clang-format on
    for (const auto& c : cases) ExpectExtraction(c);
}

TEST(PeakPoints, EdgeCases) {
    // Never returns to the reference displacement: one loop without a turn. Two equal
    // largest forces at indices 2 and 3: the earlier is taken.
    const AnalysedCurve oneSided{{0, 1, 3, 2, 4}, {0, 5, 9, 9, 7}, {0}, 1, {}, {}};
    // Second half-cycle never below the loop's first force -5: the candidate S stays.
    const AnalysedCurve highStart{{0, 2, 0, -2, 0}, {-5, 10, 0, -3, 1}, {0, 2, 4}, 1, {1}, {3}};
    // Two cycles at one amplitude.
    const AnalysedCurve repeated{{0, 2, 0, -2, 0, 2, 0, -2, 0},
                                 {0, 10, 1, -10, -1, 11, 1, -11, 0},
                                 {0, 2, 4, 6, 8},
                                 2,
                                 {1, 5},
                                 {3, 7}};
    // Ends exactly on the turn point (T = E): no second extreme recorded.
    const AnalysedCurve endsAtTurn{{0, 2, 1, 0}, {0, 10, 4, 0}, {0, 3}, 1, {1}, {}};

    // clang-format off
    const ExtractionCase cases[] = {
        {"no turn, positive", oneSided, kForce, kPos, false, {{0, 0}, {3, 9}}, {{0, 0}}},
        {"no turn, negative direction", testing::Mirrored(oneSided), kForce, kNeg, false,
         {{0, 0}}, {{0, 0}, {-3, -9}}},
        {"no turn, max disp adds nothing", oneSided, kDisp, kPos, false, {{0, 0}}, {{0, 0}}},
        {"trailing candidate S", highStart, kForce, kPos, false,
         {{0, -5}, {2, 10}}, {{0, -5}, {0, -5}}},
        {"trailing candidate S fails the outward test", highStart, kForce, kPos, true,
         {{0, -5}, {2, 10}}, {{0, -5}}},
        {"repeated amplitude", repeated, kForce, kPos, false,
         {{0, 0}, {2, 10}, {2, 11}}, {{0, 0}, {-2, -10}, {-2, -11}}},
        {"repeated amplitude, keep", repeated, kForce, kPos, true,
         {{0, 0}, {2, 10}}, {{0, 0}, {-2, -10}}},
        {"repeated amplitude, max disp, keep", repeated, kDisp, kPos, true,
         {{0, 0}, {2, 10}}, {{0, 0}, {-2, -10}}},
        {"ends at the turn, max disp", endsAtTurn, kDisp, kPos, false, {{0, 0}, {2, 10}},
         {{0, 0}}},
        {"ends at the turn, max force", endsAtTurn, kForce, kPos, false, {{0, 0}, {2, 10}},
         {{0, 0}, {0, 0}}},
    };
    // clang-format on
    for (const auto& c : cases) ExpectExtraction(c);
}

}  // namespace
}  // namespace qlnx
