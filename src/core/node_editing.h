// Node editing on the chart: the series the operation-object box chooses, adding a skeleton
// node at a displacement, deleting a point, and writing a dragged loop point back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

// Items of the operation-type box (cbb3); the index is the edit mode.
enum EditModeIndex : int { kEditNone = 0, kEditDrag = 1, kEditAdd = 2, kEditDelete = 3 };

// Items of the operation-object box (cbb2) for an edit mode: "None", "Vorlix Postive",
// "Vorlix Negative", and "LOOP" unless the mode is add (a node is never added to the loop).
std::vector<std::string> EditObjectItems(int editMode);

// The series item index of the operation-object box chooses: 1 the positive skeleton,
// 2 the negative skeleton, 3 the loop series; nullptr for 0 ("None") and any other index.
ChartSeries* EditSeriesOfObject(AnalysisState& state, int objectIndex);

enum class SkeletonBranch { None, Positive, Negative };

// Inserts (x, y) into a skeleton curve by displacement. For i = 0, 1, ... while i is below
// the current point count n: on the positive side, if x[i] < x, the point goes between i and
// i + 1 when x[i+1] >= x, or after the last point when i + 1 == n (negative side: x[i] > x and
// x[i+1] <= x). The scan goes on over the grown series, so a curve that goes back and forth
// gets the point at every place that meets the test; a monotone curve gets exactly one node,
// none when x lies at or before its first node, and an empty series none. Side None: nothing.
void AddNodeAt(ChartSeries& series, SkeletonBranch side, double x, double y);

// AddNodeAt with the side of series in state: positive or negative skeleton, else nothing.
void AddNodeAt(AnalysisState& state, ChartSeries& series, double x, double y);

// Deletes point index of series (nothing when out of range). A point of the loop series
// leaves RawDisp/RawForce as they are; the sample map then skips that sample.
void DeleteNode(AnalysisState& state, ChartSeries& series, int index);

// The sample of RawDisp/RawForce that point index of the loop series shows.
int32_t LoopSampleOfPoint(const AnalysisState& state, int index);

// Writes point index of the loop series into the sample it shows (a drag step of a loop
// point), so the next loop analysis uses the moved point. Out-of-range indices do nothing.
void WriteBackLoopPoint(AnalysisState& state, int index);

}  // namespace qlnx
