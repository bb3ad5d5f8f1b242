// The skeleton methods, one row each: what the window, the batch tool, the fuzz target and
// the tests know of a method. Adding a method is adding an enumerator here, a row in
// skeleton_methods.cpp and the method's own file with its per-loop step.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace qlnx {

// Numbered from 1 in the order of the window's radio buttons (the batch tool's --method N).
enum class SkeletonMethod {
    MaxForcePoint = 1,
    MaxDispPoint,
    MaxForceAndDispPoints,
    EnvelopeToMaxForce,
    EnvelopeToMaxDisp,
    SBDecomposition,
};

struct SkeletonRun;
struct SkeletonLoop;

// A method's work on one loop, after the start point; see skeleton.h for the terms.
using SkeletonLoopStep = void (*)(const SkeletonRun& run, const SkeletonLoop& loop);

struct SkeletonMethodRow {
    SkeletonMethod Method;
    std::string_view BatchName;   // --method NAME of the batch tool
    std::string_view WidgetName;  // the radio button's object name (rb1, ...)
    std::string_view Caption;     // the radio button's text, UTF-8, trailing blanks kept
    std::string_view ToolTip;     // the radio button's tool tip
    // Appends only points strictly beyond its branch's last one, even without the
    // keep-disp-increasing check.
    bool OutwardOnly;
    // Every node it appends is a point of the working curve.
    bool NodesOnCurve;
    // Reads the loops' largest-displacement points of the loop analysis (MaxDisp1/2 with
    // their forces, or MaxDispIndex1/2).
    bool ReadsLoopExtremes;
    SkeletonLoopStep Step;
    // Points the step appends to one side per loop at most; 0 when it depends on the curve.
    size_t PointsPerLoop;
};

// Every method, in the order of the window's radio buttons.
std::span<const SkeletonMethodRow> SkeletonMethods();

// The row of a method; nullptr for a value that names none.
const SkeletonMethodRow* FindSkeletonMethod(SkeletonMethod method);

// The method of a --method argument: its batch name or its number from 1.
std::optional<SkeletonMethod> SkeletonMethodOfName(std::string_view text);

}  // namespace qlnx
