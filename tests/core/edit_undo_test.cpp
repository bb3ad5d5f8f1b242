// Undo and redo of chart edits: each edit undone gives back the state before it, redone the
// state after it.
#include "core/edit_undo.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "imported_record.h"

namespace qlnx {
namespace {

// What an undo must give back: every point of the series the edits touch and the record.
struct Snapshot {
    SkeletonPoints Skeleton;
    std::vector<double> LoopX, LoopY, RawDisp, RawForce;
    std::vector<int32_t> Samples;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const AnalysisState& s) {
    return {TakeSkeletonPoints(s),
            s.LoopSeries().XValues(),
            s.LoopSeries().YValues(),
            s.RawDisp,
            s.RawForce,
            s.LoopSeriesSamples};
}

AnalysisState Record() {
    AnalysisState state = test::Imported({{0, 0}, {1, 5}, {2, 8}, {-1, -4}, {-2, -7}, {0, 1}});
    state.PositiveSkeletonSeries().Assign({1, 2, 3}, {5, 8, 9});
    state.NegativeSkeletonSeries().Assign({-1, -2}, {-4, -7});
    return state;
}

// An edit and how it is undone and redone, each with what the edit recorded.
struct Edit {
    std::string What;
    std::function<std::function<void(AnalysisState&, bool)>(AnalysisState&)> Do;
};

TEST(EditUndo, EachEditUndoneAndRedone) {
    const std::vector<Edit> edits = {
        {"a skeleton node added, one removed and one dragged",
         [](AnalysisState& s) {
             const SkeletonPoints before = TakeSkeletonPoints(s);
             s.PositiveSkeletonSeries().AddXY(4, 7);
             s.NegativeSkeletonSeries().Delete(0);
             s.PositiveSkeletonSeries().SetXY(0, 1.5, 6);
             const SkeletonPoints after = TakeSkeletonPoints(s);
             return [before, after](AnalysisState& t, bool forward) {
                 RestoreSkeletonPoints(t, forward ? after : before);
             };
         }},
        {"a skeleton emptied",
         [](AnalysisState& s) {
             const SkeletonPoints before = TakeSkeletonPoints(s);
             s.PositiveSkeletonSeries().Clear();
             s.NegativeSkeletonSeries().Clear();
             const SkeletonPoints after = TakeSkeletonPoints(s);
             return [before, after](AnalysisState& t, bool forward) {
                 RestoreSkeletonPoints(t, forward ? after : before);
             };
         }},
        {"a loop point dragged and written back into its sample",
         [](AnalysisState& s) {
             LoopPointMove move{2, 2, 8, 2.5, 9, 2, s.RawDisp[2], s.RawForce[2]};
             ApplyLoopPointMove(s, move, true);
             return
                 [move](AnalysisState& t, bool forward) { ApplyLoopPointMove(t, move, forward); };
         }},
        {"a loop point dragged on the chart only",
         [](AnalysisState& s) {
             LoopPointMove move{4, -2, -7, -3, -6, -1, 0, 0};
             ApplyLoopPointMove(s, move, true);
             return
                 [move](AnalysisState& t, bool forward) { ApplyLoopPointMove(t, move, forward); };
         }},
        {"the first loop point deleted",
         [](AnalysisState& s) {
             const LoopPointDeletion d = DeleteLoopPoint(s, 0);
             return [d](AnalysisState& t, bool forward) {
                 if (forward) {
                     DeleteLoopPoint(t, d.Index);
                 } else {
                     RestoreLoopPoint(t, d);
                 }
             };
         }},
        {"two loop points deleted, the later one undone first",
         [](AnalysisState& s) {
             const LoopPointDeletion a = DeleteLoopPoint(s, 3);
             const LoopPointDeletion b = DeleteLoopPoint(s, 4);
             return [a, b](AnalysisState& t, bool forward) {
                 if (forward) {
                     DeleteLoopPoint(t, a.Index);
                     DeleteLoopPoint(t, b.Index);
                 } else {
                     RestoreLoopPoint(t, b);
                     RestoreLoopPoint(t, a);
                 }
             };
         }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.What);
        AnalysisState state = Record();
        const Snapshot before = Take(state);
        const auto undo = edit.Do(state);
        const Snapshot after = Take(state);
        ASSERT_NE(before, after);
        undo(state, false);
        EXPECT_EQ(Take(state), before);
        undo(state, true);
        EXPECT_EQ(Take(state), after);
        undo(state, false);
        EXPECT_EQ(Take(state), before);
    }
}

}  // namespace
}  // namespace qlnx
