// The envelope skeleton methods: record-displacement points up to each half-cycle's split.
#include "core/skeleton.h"

#include <gtest/gtest.h>

#include <string>

#include "skeleton_fixture.h"

namespace qlnx {
namespace {

using testing::AnalysedCurve;
using testing::ExampleCurve;
using testing::Points;

constexpr auto kToForce = SkeletonMethod::EnvelopeToMaxForce;
constexpr auto kToDisp = SkeletonMethod::EnvelopeToMaxDisp;

struct EnvelopeCase {
    std::string name;
    AnalysedCurve curve;
    SkeletonMethod method;
    LoopDirection direction;
    Points positive;
    Points negative;
};

// The outward test applies to every point, so the flag must not change anything.
void ExpectEnvelope(const EnvelopeCase& c) {
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(c.name + (keep ? ", keep" : ""));
        testing::ExpectBranches(c.curve, c.method, c.direction, keep, c.positive, c.negative);
    }
}

TEST(Envelopes, WorkedExample) {
    // In loop 1 the point (2, 16) only equals the record displacement 2 and is not appended.
    const AnalysedCurve ex = ExampleCurve();
    // clang-format off
    const EnvelopeCase cases[] = {
        {"to max force", ex, kToForce, LoopDirection::Positive,
         {{0, 0}, {1, 10}, {2, 15}, {3, 20}}, {{0, 0}, {-1, -10}, {-2, -14}, {-3, -18}}},
        {"to max disp", ex, kToDisp, LoopDirection::Positive,
         {{0, 0}, {1, 10}, {2, 15}, {3, 20}, {4, 18}},
         {{0, 0}, {-1, -10}, {-2, -14}, {-3, -18}, {-4, -17}}},
    };
    // clang-format on
    for (const auto& c : cases) ExpectEnvelope(c);
}

TEST(Envelopes, EdgeCases) {
    // No force of the second half-cycle below the loop's first force -5: the trailing split
    // of the max-force envelope stays at T, whose point is not outward.
    const AnalysedCurve highStart{{0, 2, 0, -2, 0}, {-5, 10, 0, -3, 1}, {0, 2, 4}, 1, {1}, {3}};
    // Equal largest forces at indices 2 and 3: the walk stops at the earlier.
    const AnalysedCurve tie{{0, 1, 2, 3, 0, -1, 0}, {0, 5, 8, 8, 0, -5, 0}, {0, 4, 6}, 1, {3}, {5}};
    // A second cycle at the same amplitude adds nothing.
    const AnalysedCurve repeated{{0, 2, 0, -2, 0, 2, 0, -2, 0},
                                 {0, 10, 1, -10, -1, 11, 1, -11, 0},
                                 {0, 2, 4, 6, 8},
                                 2,
                                 {1, 5},
                                 {3, 7}};
    // The example curve cut after point 10: loop 1 (S = 8, E = 10) has no turn and no
    // recorded extreme; its own largest displacement is point 10.
    const AnalysedCurve cut{{0, 1, 2, 1, 0, -1, -2, -1, 0, 2, 3},
                            {0, 10, 15, 5, -2, -10, -14, -4, 3, 16, 20},
                            {0, 4, 8},
                            2,
                            {2},
                            {6}};
    // Reference displacement 10, never returned to: the largest |D - 10| is the last point
    // (the largest |D| would be the first and stop the walk at once).
    const AnalysedCurve offset{{10, 4, 1, 6, -3}, {0, -5, -8, -6, -9}, {0}, 1, {}, {}};
    // Ends exactly on the turn point: no second extreme recorded; the trailing walk looks at
    // T alone.
    const AnalysedCurve endsAtTurn{{0, 2, 1, 0}, {0, 10, 4, 0}, {0, 3}, 1, {1}, {}};

    const auto kPos = LoopDirection::Positive;
    // clang-format off
    const EnvelopeCase cases[] = {
        {"trailing split stays at T", highStart, kToForce, kPos, {{0, -5}, {2, 10}}, {{0, -5}}},
        {"to max disp walks on to the recorded index", highStart, kToDisp, kPos,
         {{0, -5}, {2, 10}}, {{0, -5}, {-2, -3}}},
        {"earlier of two equal forces", tie, kToForce, kPos, {{0, 0}, {1, 5}, {2, 8}},
         {{0, 0}, {-1, -5}}},
        {"to max disp past the tie", tie, kToDisp, kPos, {{0, 0}, {1, 5}, {2, 8}, {3, 8}},
         {{0, 0}, {-1, -5}}},
        {"repeated amplitude, to max force", repeated, kToForce, kPos, {{0, 0}, {2, 10}},
         {{0, 0}, {-2, -10}}},
        {"repeated amplitude, to max disp", repeated, kToDisp, kPos, {{0, 0}, {2, 10}},
         {{0, 0}, {-2, -10}}},
        {"last loop without turn, to max force", cut, kToForce, kPos,
         {{0, 0}, {1, 10}, {2, 15}, {3, 20}}, {{0, 0}, {-1, -10}, {-2, -14}}},
        {"last loop without turn, to max disp", cut, kToDisp, kPos,
         {{0, 0}, {1, 10}, {2, 15}, {3, 20}}, {{0, 0}, {-1, -10}, {-2, -14}}},
        {"no turn, measured from the reference", offset, kToDisp, LoopDirection::Negative,
         {{10, 0}}, {{10, 0}, {4, -5}, {1, -8}, {-3, -9}}},
        {"ends at the turn", endsAtTurn, kToDisp, kPos, {{0, 0}, {2, 10}}, {{0, 0}}},
    };
    // clang-format on
    for (const auto& c : cases) ExpectEnvelope(c);
}

}  // namespace
}  // namespace qlnx
