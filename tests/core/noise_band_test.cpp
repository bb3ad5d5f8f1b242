// Loop splitting with a noise band, and the suggestions made after an analysis.
#include "core/noise_band.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/curve_import.h"
#include "core/loop_analysis.h"
#include "core/number_text.h"
#include "core/record_suggestions.h"
#include "imported_record.h"

namespace qlnx {
namespace {

using Values = std::vector<double>;
using Indices = std::vector<int32_t>;
using Points = std::vector<std::pair<double, double>>;

using test::Imported;

// Doubles are compared exactly: a counted crossing is interpolated as the plain splitting does.
TEST(NoiseBand, TableOfCurves) {
    const struct {
        const char* what;
        Points raw;
        Values loopDisp;
        Values loopForce;
        Indices loopStart;
        int loopCount;
        Indices index1;
        Indices index2;
        // clang-format off
    } cases[] = {
        {"dither inside the band starts nothing; a landing that stays inside is no passage",
         {{0, 0}, {0.2, 1}, {-0.2, -1}, {0.2, 1}, {2, 5}, {-2, -5}, {0, 0}},
         {0, 0.2, -0.2, 0.2, 2, 0, -2, 0}, {0, 1, -1, 1, 5, 0, -5, 0}, {0, 5}, 1, {4}, {6}},
        {"a stray sample after a crossing: the last passage before the other side counts",
         {{0, 0}, {2, 10}, {-0.1, -1}, {0.1, 1}, {-2, -10}, {2, 10}, {0, 0}},
         {0, 2, -0.1, 0.1, 0, -2, 0, 2, 0},
         {0, 10, -1, 1, (0 - 0.1) * (-10 - 1) / (-2 - 0.1) + 1, -10, 0, 10, 0},
         {0, 4, 6}, 2, {1}, {5}},
        {"landings on x0 count when the record goes on to the other side",
         {{0, 0}, {2, 1}, {0, 0.5}, {-2, -1}, {0, 0}, {2, 1}},
         {0, 2, 0, -2, 0, 2}, {0, 1, 0.5, -1, 0, 1}, {0, 2, 4}, 2, {1}, {3}},
        {"touching x0 and returning to the same side starts nothing; repeats are skipped",
         {{0, 0}, {2, 1}, {2, 1}, {0, 0}, {2, 1.5}, {-2, -1}, {0, 0}},
         {0, 2, 0, 2, 0, -2, 0}, {0, 1, 0, 1.5, 0.25, -1, 0}, {0, 4}, 1, {1}, {5}},
        {"a record that never leaves the band is one loop without extremes",
         {{1, 0}, {1.3, 1}, {0.8, -1}, {1.2, 1}, {0.9, 0}},
         {1, 1.3, 0.8, 1.2, 0.9}, {0, 1, -1, 1, 0}, {0}, 1, {}, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisState state = Imported(c.raw);
        ASSERT_EQ(AnalyzeLoops(state, 0.5), std::nullopt);
        EXPECT_EQ(state.LoopDisp, c.loopDisp);
        EXPECT_EQ(state.LoopForce, c.loopForce);
        EXPECT_EQ(state.LoopStart, c.loopStart);
        EXPECT_EQ(state.LoopCount, c.loopCount);
        EXPECT_EQ(state.MaxDispIndex1, c.index1);
        EXPECT_EQ(state.MaxDispIndex2, c.index2);
    }
}

// Four and three quarter cycles of a sine of amplitude 10 (five loops), optionally after a lead-in
// that dithers by 0.0002 around the first displacement.
Points Sine(bool dither) {
    Points points{{0, 0}};
    if (dither) {
        for (int k = 1; k <= 300; ++k) points.emplace_back(k % 2 ? 2e-4 : -2e-4, k % 3 - 1.0);
    }
    for (int k = 1; k <= 475; ++k) {
        const double d = 10 * std::sin(2 * M_PI * k / 100.0);
        points.emplace_back(d, 3 * d + 1);
    }
    return points;
}

TEST(NoiseBand, DitherAroundTheFirstDisplacementMergesIntoTheCleanLoops) {
    AnalysisState clean = Imported(Sine(false));
    ASSERT_EQ(AnalyzeLoops(clean), std::nullopt);
    EXPECT_EQ(clean.LoopCount, 5);
    EXPECT_EQ(SuggestNoiseBand(clean, 0), std::nullopt);

    AnalysisState noisy = Imported(Sine(true));
    ASSERT_EQ(AnalyzeLoops(noisy), std::nullopt);
    EXPECT_EQ(noisy.LoopCount, 155);
    const std::optional<NoiseSuggestion> suggestion = SuggestNoiseBand(noisy, 0);
    ASSERT_TRUE(suggestion.has_value());
    EXPECT_EQ(suggestion->Loops, 155);
    EXPECT_EQ(suggestion->SmallLoops, 150);
    EXPECT_DOUBLE_EQ(suggestion->Band, 0.2);
    EXPECT_EQ(NoiseSuggestionText(*suggestion),
              "150 of 155 loops are smaller than 1 % of the displacement range (noise around "
              "the first displacement?). A noise band of 0.2 merges them.");
    // No suggestion once a band is in force.
    EXPECT_EQ(SuggestNoiseBand(noisy, suggestion->Band), std::nullopt);

    ASSERT_EQ(AnalyzeLoops(noisy, suggestion->Band), std::nullopt);
    EXPECT_EQ(noisy.LoopCount, 5);
    ASSERT_EQ(noisy.MaxDisp1.size(), 5u);
    ASSERT_EQ(noisy.MaxDisp2.size(), 5u);
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(noisy.MaxDisp1[k], clean.MaxDisp1[k]);
        EXPECT_EQ(noisy.MaxDisp2[k], clean.MaxDisp2[k]);
    }
}

// The crossing points of a banded analysis: the (x0, F) of its LoopStart entries after the first.
Points StartPoints(const AnalysisState& state) {
    Points points;
    for (size_t i = 1; i < state.LoopStart.size(); ++i) {
        const auto k = static_cast<size_t>(state.LoopStart[i]);
        points.emplace_back(state.LoopDisp[k], state.LoopForce[k]);
    }
    return points;
}

// With any band, the half-cycles are a choice among the plain splitting's passages, in order,
// with the same crossing points; they alternate sides of the band; and the samples of the
// working curve are the same.
void ExpectBandOnlyMergesHalfCycles(const AnalysisState& raw, double band) {
    AnalysisState plain = raw;
    AnalysisState banded = raw;
    ASSERT_EQ(AnalyzeLoops(plain), std::nullopt);
    ASSERT_EQ(AnalyzeLoops(banded, band), std::nullopt);
    const Points all = StartPoints(plain);
    const Points chosen = StartPoints(banded);
    size_t at = 0;
    for (const auto& point : chosen) {
        while (at < all.size() && !(all[at].first == point.first && all[at].second == point.second))
            ++at;
        ASSERT_LT(at, all.size()) << "a band added a passage";
        ++at;
    }
    EXPECT_LE(banded.LoopStart.size(), plain.LoopStart.size());
    EXPECT_LE(banded.LoopDisp.size(), plain.LoopDisp.size());

    const double x0 = raw.RawDisp[0];
    const std::vector<int32_t> farthest = FarthestOfHalfCycles(banded);
    for (size_t h = 0; h + 1 < banded.LoopStart.size(); ++h) {
        const double d = banded.LoopDisp[static_cast<size_t>(farthest[h])];
        EXPECT_GT(std::fabs(d - x0), band) << "half-cycle " << h;
        if (h > 0) {
            const double before = banded.LoopDisp[static_cast<size_t>(farthest[h - 1])];
            EXPECT_NE(d > x0, before > x0) << "half-cycles " << h - 1 << " and " << h;
        }
    }
}

TEST(NoiseBand, NeverAddsAPassageOnRandomRecords) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> level(-4, 4);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Points points;
        const int n = 4 + static_cast<int>(random() % 60);
        for (int i = 0; i < n; ++i) points.emplace_back(level(random) * 0.5, level(random));
        ExpectBandOnlyMergesHalfCycles(Imported(points), 0.25 + (round % 4) * 0.5);
    }
}

const char* const kSharedData = QLNX_SHARED_DATA;

AnalysisState ImportedRecord(const char* file, int32_t firstLine) {
    AnalysisState state;
    EXPECT_EQ(
        ImportCurveFile(state, std::string(kSharedData) + "/" + file, {firstLine, 1}).Warning(),
        std::nullopt);
    return state;
}

// The measured records: loop counts without and with the suggested band, and the side each
// loads towards first.
TEST(NoiseBand, RealRecords) {
    if (!std::filesystem::exists(kSharedData))
        GTEST_SKIP() << "no real records beside this checkout";
    const struct {
        const char* file;
        int32_t first;
        bool suggested;
        LoopDirection loadsFirst;
        int loops;        // without a band
        int bandedLoops;  // with the suggested band
    } cases[] = {
        {"clt_wall_TS1_shear.csv", 1, true, LoopDirection::Negative, 675, 28},
        {"clt_connection_trial2.csv", 3, false, LoopDirection::Positive, 28, 0},
        {"friction_damper_1Hz30lb1in.csv", 2, true, LoopDirection::Positive, 15, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const AnalysisState raw = ImportedRecord(c.file, c.first);
        ASSERT_GT(raw.RawDisp.size(), 3u);
        AnalysisState state = raw;
        ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
        const std::optional<NoiseSuggestion> suggestion = SuggestNoiseBand(state, 0);
        EXPECT_EQ(suggestion.has_value(), c.suggested);
        EXPECT_EQ(state.LoopCount, c.loops);
        EXPECT_EQ(LoadingDirection(raw, 0), c.loadsFirst);
        const double band = 0.01 * DisplacementRange(raw);
        ExpectBandOnlyMergesHalfCycles(raw, band);
        if (suggestion) {
            AnalysisState banded = raw;
            ASSERT_EQ(AnalyzeLoops(banded, suggestion->Band), std::nullopt);
            EXPECT_EQ(banded.LoopCount, c.bandedLoops);
            EXPECT_EQ(SuggestNoiseBand(banded, suggestion->Band), std::nullopt);
        }
    }
}

TEST(RecordSuggestions, NoiseBandBoxAndDirection) {
    SetDecimalSeparator('.');
    const struct {
        const char* text;
        std::optional<double> band;
        const char* warning;
    } boxes[] = {
        {"0", 0.0, ""},
        {" 0.25\t", 0.25, ""},
        {"1e-3", 1e-3, ""},
        {"-0.1", std::nullopt, "Noise Band must not be negative!"},
        {"abc", std::nullopt, "'abc' is not a valid floating point value"},
        {"", std::nullopt, "'' is not a valid floating point value"},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.text);
        const NoiseBandCheck check = CheckNoiseBand(b.text);
        EXPECT_EQ(check.Band, b.band);
        EXPECT_EQ(check.Warning, b.warning);
    }

    // The first sample farther than max(band, 1 % of the range) from x0 decides.
    const AnalysisState record = Imported({{5, 0}, {5.05, 1}, {4.5, -1}, {15, 2}, {-5, 0}});
    EXPECT_EQ(LoadingDirection(record, 0), LoopDirection::Negative);
    EXPECT_EQ(LoadingDirection(record, 0.5), LoopDirection::Positive);
    EXPECT_EQ(LoadingDirection(record, 20), std::nullopt);
    EXPECT_EQ(LoadingDirection(Imported({{1, 0}, {1, 1}, {1, 2}, {1, 3}}), 0), std::nullopt);
    // No band to offer for a range that overflows.
    AnalysisState vast = Imported({{0, 0},
                                   {1e308, 1},
                                   {0, 0},
                                   {-1e308, 1},
                                   {0, 0},
                                   {1, 1},
                                   {0, 0},
                                   {-1, 1},
                                   {0, 0},
                                   {1, 1},
                                   {0, 0},
                                   {-1, 1},
                                   {0, 0}});
    ASSERT_EQ(AnalyzeLoops(vast), std::nullopt);
    ASSERT_EQ(vast.LoopCount, 3);
    EXPECT_EQ(SuggestNoiseBand(vast, 0), std::nullopt);
    EXPECT_EQ(DirectionSuggestionText(LoopDirection::Negative),
              "This record loads towards negative displacements first; Loop Direction "
              "Negative fits it.");
}

TEST(NoiseBand, EdgeOfTheBandIsInside) {
    // D = 0, 1, -2, 1, -2, 3, -3, 0 with a band of 1: the samples at 1 stay inside, so the
    // record's side is set at the first -2 and changes only at 3 and at -3: two loops.
    AnalysisState state =
        Imported({{0, 0}, {1, 1}, {-2, -2}, {1, 1}, {-2, -2}, {3, 3}, {-3, -3}, {0, 0}});
    ASSERT_EQ(AnalyzeLoops(state, 1.0), std::nullopt);
    EXPECT_EQ(state.LoopCount, 2);
    EXPECT_EQ(state.LoopStart.size(), 3u);
}

// Loops of the given amplitudes, each +a then -a, the record ending back at 0.
AnalysisState LoopsOf(const Values& amplitudes) {
    Points points{{0, 0}};
    for (const double a : amplitudes) {
        points.emplace_back(a, a);
        points.emplace_back(-a, -a);
    }
    points.emplace_back(0, 0);
    AnalysisState state = Imported(points);
    EXPECT_EQ(AnalyzeLoops(state), std::nullopt);
    return state;
}

TEST(RecordSuggestions, SmallLoopsByHalfTheirSpanAndMoreThanAQuarter) {
    // Range 20, so loops under 0.2 are small. A loop of +-0.15 spans 0.3 but its amplitude,
    // half the span, is 0.15: small.
    AnalysisState state = LoopsOf({10, 0.15, 0.15, 10});
    ASSERT_EQ(state.LoopCount, 4);
    EXPECT_EQ(LoopAmplitude(state, 1), 0.15);
    const auto suggestion = SuggestNoiseBand(state, 0);
    ASSERT_TRUE(suggestion.has_value());
    EXPECT_EQ(suggestion->SmallLoops, 2);
    EXPECT_EQ(suggestion->Band, 0.2);
    // Exactly a quarter of the loops small is not more than a quarter: no suggestion.
    state = LoopsOf({10, 0.15, 10, 10});
    ASSERT_EQ(state.LoopCount, 4);
    EXPECT_EQ(SuggestNoiseBand(state, 0), std::nullopt);
}

}  // namespace
}  // namespace qlnx
