// The labels of marked points: each beside its point, clear of the other points and of the
// labels placed before it where a corner allows.
#include "core/label_placing.h"

#include <gtest/gtest.h>

namespace qlnx {
namespace {

bool Overlaps(const LabelBox& a, const LabelBox& b) {
    return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height &&
           b.Y < a.Y + a.Height;
}

TEST(LabelPlacing, LabelsOfOnePointTakeDifferentCorners) {
    // M and U on the same point (a branch that never falls to the ultimate force), right of
    // the origin: M above and outwards, U below it.
    const std::vector<LabelToPlace> labels = {{100, 50, 8, 10, 1}, {100, 50, 8, 10, 1}};
    const std::vector<PlacedLabel> placed = PlaceLabels(labels, {}, 3, 2.5);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_TRUE(placed[0].Right);
    EXPECT_FALSE(placed[0].Below);
    EXPECT_EQ(placed[0].Box.X, 103);
    EXPECT_EQ(placed[0].Box.Y, 37);
    EXPECT_TRUE(placed[1].Right);
    EXPECT_TRUE(placed[1].Below);
    EXPECT_FALSE(Overlaps(placed[0].Box, placed[1].Box));
}

TEST(LabelPlacing, ALabelKeepsClearOfNodesAndPrefersTheOutwardSide) {
    // Left of the origin the label goes left; a node where it would go sends it below.
    const std::vector<LabelToPlace> labels = {{-100, 50, 8, 10, -1}};
    EXPECT_FALSE(PlaceLabels(labels, {}, 3, 2.5)[0].Right);
    const std::vector<PlacedLabel> placed = PlaceLabels(labels, {{-107, 42}}, 3, 2.5);
    EXPECT_FALSE(placed[0].Right);
    EXPECT_TRUE(placed[0].Below);
    // Every corner covered: the one covering least.
    const std::vector<DrawnPoint> crowd = {{-107, 42}, {-107, 58}, {-93, 42}, {-93, 58}, {-93, 58}};
    const PlacedLabel least = PlaceLabels(labels, crowd, 3, 2.5)[0];
    EXPECT_FALSE(least.Right);
    EXPECT_FALSE(least.Below);
}

}  // namespace
}  // namespace qlnx
