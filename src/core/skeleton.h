// Skeleton curve extraction: the driver shared by the methods of skeleton_methods.h.
#pragma once

#include <cstdint>
#include <string>

#include "core/analysis_state.h"
#include "core/chart_series.h"
#include "core/skeleton_methods.h"

namespace qlnx {

enum class LoopDirection { Positive, Negative };

// Clears both skeleton series and refills them from the working curve and the loop table.
// Does nothing more when no analysis has run. Shows no message.
// envelopeCycle: the cycle of each level the first-cycle envelope takes (1 for the first).
void ExtractSkeleton(AnalysisState& state, SkeletonMethod method, LoopDirection direction,
                     bool keepDispIncreasing, int envelopeCycle = 1);

// How the evaluation's files name an extraction, in every language alike: the method's batch
// name, the loop direction and the outward test ("envelope-force negative keep-disp-increasing").
std::string ExtractionName(SkeletonMethod method, LoopDirection direction, bool keepDispIncreasing);

// ---- What the methods share (used by peak_points, envelopes, sb_decomposition) ----

// One branch of the skeleton curve: its series and which way is outward (larger
// displacements and forces for the positive branch, smaller for the negative one).
class SkeletonSide {
public:
    SkeletonSide(ChartSeries& series, bool positive) : series_(series), positive_(positive) {}

    bool Positive() const { return positive_; }
    // The last point appended; the start point guarantees there is one during a run.
    double LastX() const { return series_.XValues().back(); }
    double LastY() const { return series_.YValues().back(); }

    // True when a is strictly further out than b (greater on the positive side).
    bool Beyond(double a, double b) const { return positive_ ? a > b : a < b; }
    // The outward test: displacement x strictly beyond the side's last point.
    bool PassesOutward(double x) const { return Beyond(x, LastX()); }

    void Append(double x, double y) { series_.AddXY(x, y); }
    // Appends a candidate point; with keepDispIncreasing only if it passes the outward test.
    void AppendCandidate(double x, double y, bool keepDispIncreasing) {
        if (!keepDispIncreasing || PassesOutward(x)) Append(x, y);
    }
    void Reserve(size_t n) { series_.Reserve(n); }

    // The envelope walk: for k = a..b in order, appends (D[k], F[k]) when it passes the
    // outward test at that moment, so exactly the points that set a new displacement record.
    void AppendOutwardPoints(const double* D, const double* F, int32_t a, int32_t b);

private:
    ChartSeries& series_;
    bool positive_;
};

// The loading level the loops walked so far have reached, for the methods that group the
// loops into levels: the amplitude of the level's first loop and the cycle of the last loop.
struct SkeletonLevelWalk {
    int Level = 0;
    double Reference = 0;
    int Cycle = 0;
};

// The working curve and the settings of one extraction run; read only but for the level walk.
struct SkeletonRun {
    const AnalysisState& State;
    const double* D;  // LoopDisp
    const double* F;  // LoopForce
    int32_t PointCount;
    bool KeepDispIncreasing;
    int EnvelopeCycle;
    SkeletonLevelWalk* Levels;
};

// One loop as a method sees it: its frame and the sides its two half-cycles feed.
struct SkeletonLoop {
    int Index;
    LoopFrame Frame;
    SkeletonSide& Leading;   // fed by the first half-cycle S..T
    SkeletonSide& Trailing;  // fed by the second half-cycle T..E
};

// Index of the extreme force over from..to (inclusive) for side's rule (largest force on the
// positive side, least on the negative), starting from the candidate (index, bar). Strict
// comparisons in ascending order, so of equal extremes the earliest wins and the candidate
// stays when nothing goes beyond bar.
int32_t ExtremeForceIndex(const SkeletonSide& side, const double* F, int32_t from, int32_t to,
                          int32_t candidate, double bar);

}  // namespace qlnx
