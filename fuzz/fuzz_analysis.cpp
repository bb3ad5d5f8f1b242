// Fuzz target: arbitrary doubles (finite and not) as an imported curve, then the loop
// analysis, every loop shown, every skeleton method in both directions with and without
// the outward test, and the thinning of the result; each held against the plain rules of
// reference_analysis.h and the invariants of the analysis state.
//
// Then the test evaluation of the last extraction, checked for what it must hold: rows for
// every loop, peak points inside their loops, levels in order, and a number wherever the
// definitions give one (no NaN, no null) for data that cannot overflow.
//
// Input: byte 0 chooses how the rest becomes points (low two bits, below) and the
// evaluation's options (bit 2 peak points by force, bit 3 ultimate ratio 0.8, bits 4-5 the
// level tolerance 0, 0.1, 0.5 or 1), byte 1 the two ends of the
// thinning range and byte 2 its tolerance (indices into kPalette, a nibble each); from
// byte 3 on the points.
//   mode 0: 16 bytes a point, raw doubles (NaN, infinities, subnormals included);
//   mode 1: 2 bytes a point, small integers -8..7 (crossings, repeats and ties are likely);
//   mode 2: 2 bytes a point, values of kPalette;
//   mode 3: 2 bytes a point, a byte with the high bit set is a palette value, else a small
//           integer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/analysis_state.h"
#include "core/errors.h"
#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/number_text.h"
#include "core/skeleton.h"
#include "core/thinning.h"
#include "fuzz_check.h"
#include "reference_analysis.h"
#include "reference_text.h"

namespace {

namespace ref = qlnx::reference;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kPalette[16] = {0.0,   -0.0,   1.0,  -1.0,  2.0,  -2.0,   3.0,   0.5,
                                 1e308, -1e308, kInf, -kInf, kNaN, 5e-324, -kMax, 1e-300};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

template <typename T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

double SmallInteger(uint8_t b) { return static_cast<double>((b & 15) - 8); }

double Value(uint8_t mode, uint8_t b) {
    switch (mode) {
        case 1: return SmallInteger(b);
        case 2: return kPalette[b & 15];
        default: return (b & 0x80) ? kPalette[b & 15] : SmallInteger(b);
    }
}

// The analysis state holds what the plain rules give, and its own invariants.
void CheckAnalysis(const qlnx::AnalysisState& s, const ref::Loops& r) {
    FUZZ_CHECK(SameBits(s.LoopDisp, r.D) && SameBits(s.LoopForce, r.F));
    FUZZ_CHECK(s.LoopStart == r.Start);
    FUZZ_CHECK(s.LoopCount == r.Count && s.LoopCountText == std::to_string(r.Count));
    FUZZ_CHECK(s.MaxDispIndex1 == r.Index1 && s.MaxDispIndex2 == r.Index2);
    FUZZ_CHECK(s.MaxDisp1.size() == r.Index1.size() && s.MaxDispForce1.size() == r.Index1.size());
    FUZZ_CHECK(s.MaxDisp2.size() == r.Index2.size() && s.MaxDispForce2.size() == r.Index2.size());
    for (size_t k = 0; k < r.Index1.size(); ++k) {
        const auto i = static_cast<size_t>(r.Index1[k]);
        FUZZ_CHECK(SameBits(s.MaxDisp1[k], r.D[i]) && SameBits(s.MaxDispForce1[k], r.F[i]));
    }
    for (size_t k = 0; k < r.Index2.size(); ++k) {
        const auto i = static_cast<size_t>(r.Index2[k]);
        FUZZ_CHECK(SameBits(s.MaxDisp2[k], r.D[i]) && SameBits(s.MaxDispForce2[k], r.F[i]));
    }
    // LoopStart: 0 first, strictly increasing, valid indices, each later entry exactly at the
    // reference displacement; N2 <= N1 <= LoopCount; the reference displacement leads.
    FUZZ_CHECK(!s.LoopStart.empty() && s.LoopStart[0] == 0);
    FUZZ_CHECK(SameBits(s.LoopDisp[0], s.RawDisp[0]));
    for (size_t i = 1; i < s.LoopStart.size(); ++i) {
        FUZZ_CHECK(s.LoopStart[i] > s.LoopStart[i - 1]);
        FUZZ_CHECK(static_cast<size_t>(s.LoopStart[i]) < s.LoopDisp.size());
        FUZZ_CHECK(s.LoopDisp[static_cast<size_t>(s.LoopStart[i])] == s.RawDisp[0]);
    }
    FUZZ_CHECK(s.MaxDisp2.size() <= s.MaxDisp1.size());
    FUZZ_CHECK(s.MaxDisp1.size() <= static_cast<size_t>(s.LoopCount) && s.LoopCount >= 1);
    FUZZ_CHECK(s.LoopDisp.size() <= 2 * s.RawDisp.size());
}

// Marks as comparable keys: displacement and force as stored, and the colour.
using Mark = std::tuple<uint64_t, uint64_t, qlnx::TColor>;

Mark MarkOf(double x, double y, qlnx::TColor color) {
    uint64_t bx = 0;
    uint64_t by = 0;
    std::memcpy(&bx, &x, sizeof x);
    std::memcpy(&by, &y, sizeof y);
    return {bx, by, color};
}

std::vector<Mark> MarksOf(const qlnx::ChartSeries& series) {
    std::vector<Mark> marks;
    for (int i = 0; i < series.Count(); ++i) {
        marks.push_back(MarkOf(series.XValues()[static_cast<size_t>(i)],
                               series.YValues()[static_cast<size_t>(i)], series.PointColor(i)));
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

// The shown loop: read-outs, the loop's stretch of the working curve and its marks, with the
// frame taken from the plain loop table (S, T and E from the half-cycle starts alone).
void CheckShownLoop(const qlnx::AnalysisState& s, const ref::Loops& r, int k) {
    const auto i = static_cast<size_t>(k);
    const bool first = i < r.Index1.size();
    const bool second = i < r.Index2.size();
    const auto text = [&](bool has, int32_t index, const std::vector<double>& values) {
        return has ? ref::General15(values[static_cast<size_t>(index)], '.') : std::string("--");
    };
    FUZZ_CHECK(s.LoopReadouts[0] == text(first, first ? r.Index1[i] : 0, r.D));
    FUZZ_CHECK(s.LoopReadouts[2] == text(first, first ? r.Index1[i] : 0, r.F));
    FUZZ_CHECK(s.LoopReadouts[1] == text(second, second ? r.Index2[i] : 0, r.D));
    FUZZ_CHECK(s.LoopReadouts[3] == text(second, second ? r.Index2[i] : 0, r.F));
    const auto S = static_cast<size_t>(r.S(k));
    const int32_t T = r.T(k);
    const auto E = static_cast<size_t>(r.E(k));
    const auto& selected = s.Chart.GetSeries(qlnx::ChartModel::SelectedLoopSeries);
    FUZZ_CHECK(selected.Title == "Loop_" + std::to_string(k + 1));
    const std::vector<double> dx(r.D.begin() + static_cast<std::ptrdiff_t>(S),
                                 r.D.begin() + static_cast<std::ptrdiff_t>(E + 1));
    const std::vector<double> fy(r.F.begin() + static_cast<std::ptrdiff_t>(S),
                                 r.F.begin() + static_cast<std::ptrdiff_t>(E + 1));
    FUZZ_CHECK(SameBits(selected.XValues(), dx) && SameBits(selected.YValues(), fy));
    std::vector<Mark> frame = {MarkOf(r.D[S], r.F[S], qlnx::clYellow),
                               MarkOf(r.D[E], r.F[E], qlnx::clLime)};
    if (T >= 0) {
        const auto t = static_cast<size_t>(T);
        frame.push_back(MarkOf(r.D[t], r.F[t], qlnx::clRed));
    }
    std::sort(frame.begin(), frame.end());
    FUZZ_CHECK(MarksOf(s.Chart.GetSeries(qlnx::ChartModel::pntsrsSeries1)) == frame);
    std::vector<Mark> extremes;
    if (first)
        extremes.push_back(MarkOf(r.D[static_cast<size_t>(r.Index1[i])],
                                  r.F[static_cast<size_t>(r.Index1[i])], qlnx::clAqua));
    if (second)
        extremes.push_back(MarkOf(r.D[static_cast<size_t>(r.Index2[i])],
                                  r.F[static_cast<size_t>(r.Index2[i])], qlnx::clAqua));
    std::sort(extremes.begin(), extremes.end());
    FUZZ_CHECK(MarksOf(s.Chart.GetSeries(qlnx::ChartModel::pntsrsSeries2)) == extremes);
}

void CheckSide(const qlnx::ChartSeries& series, const ref::Side& side, bool outwardOnly) {
    FUZZ_CHECK(SameBits(series.XValues(), side.X) && SameBits(series.YValues(), side.Y));
    // Under the outward test every point after the start lies strictly beyond the one
    // before it.
    if (!outwardOnly) return;
    for (size_t i = 1; i < side.X.size(); ++i) FUZZ_CHECK(side.Beyond(side.X[i], side.X[i - 1]));
}

// Finite and small enough that sums and products of a few of them stay finite.
bool Tame(double v) { return std::isfinite(v) && std::fabs(v) < 1e100; }
bool Tame(const std::vector<double>& v, size_t from, size_t to) {
    for (size_t k = from; k <= to; ++k) {
        if (!Tame(v[k])) return false;
    }
    return true;
}

bool NullOrFinite(const std::optional<double>& v) { return !v || std::isfinite(*v); }

void CheckPoint(const qlnx::AnalysisState& s, const qlnx::LoopPoint& p, const qlnx::LoopFrame& f) {
    FUZZ_CHECK(p.Index >= f.S && p.Index <= f.E);
    const auto k = static_cast<size_t>(p.Index);
    FUZZ_CHECK(SameBits(p.Disp, s.LoopDisp[k]) && SameBits(p.Force, s.LoopForce[k]));
}

void CheckBranch(const std::optional<qlnx::BranchEvaluation>& b, const qlnx::ChartSeries& series,
                 bool negative) {
    const std::vector<double>& x = series.XValues();
    const std::vector<double>& y = series.YValues();
    const double sign = negative ? -1 : 1;
    // The path: the origin first unless the branch starts at d = 0.
    const size_t length = x.size() + (!x.empty() && x[0] != 0 ? 1 : 0);
    bool tame = true;
    double fmax = x.empty() ? 0 : (x[0] != 0 ? 0 : sign * y[0]);
    for (size_t k = 0; k < x.size(); ++k) {
        tame = tame && Tame(x[k]) && Tame(y[k]);
        if (sign * y[k] > fmax) fmax = sign * y[k];
    }
    if (length < 2) {
        FUZZ_CHECK(!b);
        return;
    }
    if (tame) FUZZ_CHECK(b.has_value() == (fmax > 0));
    if (!b) return;
    FUZZ_CHECK(SameBits(sign * b->Peak.Force, fmax));
    for (const auto& yield : b->Yield) {
        if (!yield) continue;
        FUZZ_CHECK(std::isfinite(yield->Disp) && std::isfinite(yield->Force));
        FUZZ_CHECK(NullOrFinite(yield->Ductility) && NullOrFinite(yield->Stiffness));
        // A yield point lies between the origin and the ultimate point: no ductility below 1.
        FUZZ_CHECK(!yield->Ductility || *yield->Ductility >= 1);
    }
    if (tame) {
        FUZZ_CHECK(std::isfinite(b->Ultimate.Disp) && std::isfinite(b->Ultimate.Force));
    }
}

// Loop k's frame from the half-cycle starts alone: start LoopStart[2k], turn LoopStart[2k+1]
// or -1, end LoopStart[2k+2] or the last working-curve index.
qlnx::LoopFrame FrameFromStarts(const qlnx::AnalysisState& s, size_t k) {
    const auto& starts = s.LoopStart;
    qlnx::LoopFrame f;
    f.S = starts[2 * k];
    f.T = 2 * k + 1 < starts.size() ? starts[2 * k + 1] : -1;
    f.E =
        2 * k + 2 < starts.size() ? starts[2 * k + 2] : static_cast<int32_t>(s.LoopDisp.size()) - 1;
    return f;
}

void CheckEvaluation(const qlnx::AnalysisState& s, const qlnx::TestEvaluation& e) {
    const auto framed = static_cast<int>((s.LoopStart.size() + 1) / 2);
    FUZZ_CHECK(e.Loops.size() == static_cast<size_t>(std::min(s.LoopCount, framed)));
    int level = 0;
    int cycle = 0;
    size_t levelRows = 0;
    for (size_t i = 0; i < e.Loops.size(); ++i) {
        const qlnx::LoopQuantities& q = e.Loops[i];
        const qlnx::LoopFrame f = FrameFromStarts(s, i);
        FUZZ_CHECK(q.Loop == static_cast<int>(i) + 1);
        FUZZ_CHECK(q.Complete == (f.HasTurn() && 2 * i + 2 < s.LoopStart.size()));
        CheckPoint(s, q.PosPeakDisp, f);
        CheckPoint(s, q.NegPeakDisp, f);
        CheckPoint(s, q.PosPeakForce, f);
        CheckPoint(s, q.NegPeakForce, f);
        // Levels run 1, 2, ... and cycles 1, 2, ... within each; an incomplete loop belongs
        // to no level.
        if (!q.Level) {
            FUZZ_CHECK(!q.Cycle && !q.Complete);
        } else {
            if (*q.Level == level + 1) {
                FUZZ_CHECK(q.Cycle == 1);
                ++levelRows;
            } else {
                FUZZ_CHECK(q.Level == level && q.Cycle == cycle + 1);
            }
            level = *q.Level;
            cycle = q.Cycle.value_or(0);
        }
        FUZZ_CHECK(NullOrFinite(q.Amplitude) && NullOrFinite(q.Energy) &&
                   NullOrFinite(q.CumulativeEnergy) && NullOrFinite(q.DampingRatio) &&
                   NullOrFinite(q.DissipationCoefficient) && NullOrFinite(q.SecantStiffness) &&
                   NullOrFinite(q.ResidualPos) && NullOrFinite(q.ResidualNeg) &&
                   NullOrFinite(q.StrengthToFirstPos) && NullOrFinite(q.StrengthToPreviousNeg));
        if (q.Cycle == 1) {
            FUZZ_CHECK(!q.StrengthToFirstPos && !q.StrengthToFirstNeg && !q.StrengthToPreviousPos &&
                       !q.StrengthToPreviousNeg);
        }
        const auto S = static_cast<size_t>(f.S);
        const auto E = static_cast<size_t>(f.E);
        if (Tame(s.LoopDisp, S, E) && Tame(s.LoopForce, S, E)) {
            // Defined by every reading: amplitude, energy; the quotients where their
            // denominators are not 0.
            FUZZ_CHECK(q.Amplitude && q.Energy);
            const qlnx::LoopPoint& b = q.PosPeak(e.Options.PeakPoint);
            const qlnx::LoopPoint& d = q.NegPeak(e.Options.PeakPoint);
            const double es = 0.5 * std::fabs(b.Disp * b.Force) + 0.5 * std::fabs(d.Disp * d.Force);
            // Peaks off their quadrant leave the quotients empty.
            if (q.PeaksOffQuadrant) {
                FUZZ_CHECK(!q.DampingRatio && !q.SecantStiffness);
            } else {
                if (es != 0 && std::fabs(*q.Energy) / es < 1e300)
                    FUZZ_CHECK(q.DampingRatio.has_value());
                if (std::fabs(b.Disp) + std::fabs(d.Disp) > 1e-200) {
                    FUZZ_CHECK(q.SecantStiffness.has_value());
                }
            }
            if (q.ResidualPos) FUZZ_CHECK(b.Force > 0);
            if (q.ResidualNeg) FUZZ_CHECK(d.Force < 0);
        }
    }
    FUZZ_CHECK(e.Levels.size() == levelRows);
    // Each level starts at a loop of its own first cycle; together the levels hold every loop
    // that belongs to one.
    size_t levelled = 0;
    for (const qlnx::LoopQuantities& q : e.Loops) levelled += q.Level ? 1 : 0;
    size_t cycles = 0;
    for (size_t l = 0; l < e.Levels.size(); ++l) {
        FUZZ_CHECK(e.Levels[l].Level == static_cast<int>(l) + 1);
        const int firstLoop = e.Levels[l].FirstLoop;
        FUZZ_CHECK(firstLoop >= 1 && static_cast<size_t>(firstLoop) <= e.Loops.size());
        const qlnx::LoopQuantities& opening = e.Loops[static_cast<size_t>(firstLoop) - 1];
        FUZZ_CHECK(opening.Level == static_cast<int>(l) + 1 && opening.Cycle == 1);
        FUZZ_CHECK(e.Levels[l].Cycles >= 1);
        FUZZ_CHECK(e.Levels[l].ImpairmentPos.has_value() <= (e.Levels[l].Cycles >= 3));
        cycles += static_cast<size_t>(e.Levels[l].Cycles);
    }
    FUZZ_CHECK(cycles == levelled);
    CheckBranch(e.Skeleton.Positive, s.Chart.GetSeries(qlnx::ChartModel::PositiveSkeletonSeries),
                false);
    CheckBranch(e.Skeleton.Negative, s.Chart.GetSeries(qlnx::ChartModel::NegativeSkeletonSeries),
                true);
    for (size_t m = 0; m < qlnx::kYieldMethodCount; ++m) {
        const auto& mean = e.Skeleton.MeanDuctility[m];
        FUZZ_CHECK(NullOrFinite(mean));
        if (!mean) continue;
        FUZZ_CHECK(e.Skeleton.Positive && e.Skeleton.Positive->Yield[m] &&
                   e.Skeleton.Positive->Yield[m]->Ductility);
        FUZZ_CHECK(e.Skeleton.Negative && e.Skeleton.Negative->Yield[m] &&
                   e.Skeleton.Negative->Yield[m]->Ductility);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint8_t mode = data[0] & 3;
    qlnx::EvaluationOptions evaluation;
    if (data[0] & 4) evaluation.PeakPoint = qlnx::PeakPointRule::Force;
    if (data[0] & 8) evaluation.UltimateRatio = 0.8;
    constexpr double kTolerances[4] = {0, 0.1, 0.5, 1};
    evaluation.LevelTolerance = kTolerances[(data[0] >> 4) & 3];
    const double range1 = kPalette[data[1] & 15];
    const double range2 = kPalette[data[1] >> 4];
    const double tolerance = kPalette[data[2] & 15];
    data += 3;
    size -= 3;

    qlnx::SetDecimalSeparator('.');
    qlnx::AnalysisState state;
    if (mode == 0) {
        for (size_t i = 0; i + 16 <= size; i += 16) {
            double d = 0;
            double f = 0;
            std::memcpy(&d, data + i, 8);
            std::memcpy(&f, data + i + 8, 8);
            state.RawDisp.push_back(d);
            state.RawForce.push_back(f);
        }
    } else {
        for (size_t i = 0; i + 2 <= size; i += 2) {
            state.RawDisp.push_back(Value(mode, data[i]));
            state.RawForce.push_back(Value(mode, data[i + 1]));
        }
    }
    state.LoopSeries().Assign(state.RawDisp, state.RawForce);

    const auto warning = qlnx::AnalyzeLoops(state);
    const auto expected = ref::AnalyzeLoops(state.RawDisp, state.RawForce);
    if (!expected) {
        FUZZ_CHECK(warning == std::string("Imported Loop is less than 3 points!"));
        FUZZ_CHECK(state.LoopDisp.empty() && state.LoopForce.empty() && state.LoopStart.empty());
        FUZZ_CHECK(state.MaxDisp1.empty() && state.MaxDisp2.empty() && state.LoopCount == 0);
        // Nothing to extract from and nothing to thin.
        qlnx::ExtractSkeleton(state, qlnx::SkeletonMethod::SBDecomposition,
                              qlnx::LoopDirection::Positive, true);
        FUZZ_CHECK(state.PositiveSkeletonSeries().Count() == 0);
        FUZZ_CHECK(state.NegativeSkeletonSeries().Count() == 0);
        return 0;
    }
    FUZZ_CHECK(!warning);
    CheckAnalysis(state, *expected);
    FUZZ_CHECK(state.SelectedLoop == 0);
    CheckShownLoop(state, *expected, 0);
    // Every loop is shown; the read-outs, which take a number format each, are checked on
    // the first few loops and the last.
    for (int loop = 0; loop < state.LoopCount; ++loop) {
        state.SelectedLoop = loop;
        qlnx::ShowLoop(state);
        if (loop < 4 || loop == state.LoopCount - 1) CheckShownLoop(state, *expected, loop);
    }

    for (const qlnx::SkeletonMethodRow& method : qlnx::SkeletonMethods()) {
        for (const bool positive : {true, false}) {
            for (const bool keep : {false, true}) {
                qlnx::ExtractSkeleton(
                    state, method.Method,
                    positive ? qlnx::LoopDirection::Positive : qlnx::LoopDirection::Negative, keep);
                const ref::Skeleton want = ref::ExtractSkeleton(
                    *expected, static_cast<int>(method.Method), positive, keep);
                const bool outwardOnly = keep || method.OutwardOnly;
                CheckSide(state.PositiveSkeletonSeries(), want.Positive, outwardOnly);
                CheckSide(state.NegativeSkeletonSeries(), want.Negative, outwardOnly);
            }
        }
    }

    // The evaluation of the analysis and the last extraction.
    CheckEvaluation(state, qlnx::EvaluateTest(state, evaluation));

    // Thinning the last extraction (SB, negative direction, outward test) with range and
    // tolerance typed as the program shows numbers; a box that does not convert changes
    // nothing. Thinning again with the same boxes changes nothing further.
    const std::string texts[3] = {ref::General15(range1, '.'), ref::General15(range2, '.'),
                                  ref::General15(tolerance, '.')};
    ref::Side positive{true, state.PositiveSkeletonSeries().XValues(),
                       state.PositiveSkeletonSeries().YValues()};
    ref::Side negative{false, state.NegativeSkeletonSeries().XValues(),
                       state.NegativeSkeletonSeries().YValues()};
    const auto lo = ref::Number(texts[0], '.');
    const auto hi = ref::Number(texts[1], '.');
    const auto tol = ref::Number(texts[2], '.');
    if (lo && hi && tol) {
        const double a = *hi < *lo ? *hi : *lo;
        const double b = *hi < *lo ? *lo : *hi;
        ref::Thin(positive.X, positive.Y, a, b, std::fabs(*tol));
        if (!positive.X.empty()) ref::Thin(negative.X, negative.Y, a, b, std::fabs(*tol));
    }
    for (int round = 0; round < 2; ++round) {
        try {
            qlnx::ThinSkeletonCurves(state, texts[0], texts[1], texts[2]);
            FUZZ_CHECK(lo && hi && tol);
        } catch (const qlnx::ConversionError&) {
            FUZZ_CHECK(!(lo && hi && tol));
        }
        CheckSide(state.PositiveSkeletonSeries(), positive, false);
        CheckSide(state.NegativeSkeletonSeries(), negative, false);
    }

    // The thinning rule itself, with the range and tolerance as raw doubles (NaN included).
    qlnx::CurvePoints points{expected->D, expected->F};
    const qlnx::CurvePoints kept = qlnx::ThinCurveByRange(points, range1, range2, tolerance);
    ref::Thin(points.X, points.Y, range1, range2, tolerance);
    FUZZ_CHECK(SameBits(kept.X, points.X) && SameBits(kept.Y, points.Y));
    return 0;
}
