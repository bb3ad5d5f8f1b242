// The skeleton methods, one row each: what the window, the batch tool, the fuzz target and
// the tests know of a method. Adding a method is adding an enumerator and its per-loop step
// here, a row in skeleton_methods.cpp and the method's own file that defines the step.
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
    FirstCycleEnvelope,
};

struct SkeletonRun;
struct SkeletonLoop;

// A method's work on one loop, after the start point; see skeleton.h for the terms.
using SkeletonLoopStep = void (*)(const SkeletonRun& run, const SkeletonLoop& loop);

// ---- The methods' per-loop steps, run by ExtractSkeleton after the start point ----

// peak_points.cpp. Leading side: the extreme force of S..T; trailing side: the extreme force
// of T..E against the candidate S. A loop without a turn gives the extreme of S..E to the
// leading side only.
void MaxForcePointLoop(const SkeletonRun& run, const SkeletonLoop& loop);
// peak_points.cpp. The loop's recorded largest-displacement points (MaxDisp1 to the leading
// side, MaxDisp2 to the trailing side), each only where the loop has an entry.
void MaxDispPointLoop(const SkeletonRun& run, const SkeletonLoop& loop);
// peak_points.cpp. MaxForcePointLoop, then MaxDispPointLoop.
void MaxForceAndDispPointsLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// envelopes.cpp. Both envelope steps apply the outward test to every point, whatever
// KeepDispIncreasing says.
// Walks S..P to the leading side, P the first extreme force of S..T; and T..Q to the
// trailing side, Q the first force of T..E beyond F[S] by the trailing rule (T when none).
// A loop without a turn walks S..P over S..E for the leading side only.
void EnvelopeToMaxForceLoop(const SkeletonRun& run, const SkeletonLoop& loop);
// Walks S..MaxDispIndex1[i] to the leading side and T..MaxDispIndex2[i] to the trailing side.
// Where the loop has no recorded index (a last loop without a turn, or with T = E), the
// half-cycle's first point of largest |D - D[0]| is used: over S..E, or T alone.
void EnvelopeToMaxDispLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// sb_decomposition.cpp. Each side is chained from the pieces of the loading paths whose force
// goes beyond the side's last force, shifted onto the side's last point. Levels and anchors
// are the forces and displacements of both sides' last points at the start of the loop. The
// leading side takes the piece from the crossing of its level found from the previous loop's
// turn (S for loop 0) up to T included; the trailing side the piece from the crossing of its
// level found from S+1 up to E-1. A loop without a turn gives S..E to the leading side,
// unshifted when its level is never crossed.
void SBDecompositionLoop(const SkeletonRun& run, const SkeletonLoop& loop);

// first_cycle_envelope.cpp. The loops are grouped into levels in order as the test
// evaluation groups them (a loop joins the current level when its amplitude is within 10 % of
// the level's first loop's, else it opens the next; a loop without a turn or an end crossing
// takes no part). Of each level's chosen cycle (the first, or run.EnvelopeCycle), the point of
// largest displacement goes to the positive side and that of least displacement to the
// negative side (of equal displacements the larger, or lesser, force; then the first).
void FirstCycleEnvelopeLoop(const SkeletonRun& run, const SkeletonLoop& loop);

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
