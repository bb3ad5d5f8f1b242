// Progress and stopping of the curve import.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/curve_import.h"
#include "core/loop_analysis.h"
#include "core/progress.h"
#include "core/text_lines.h"

namespace qlnx {
namespace {

// A record of n rows "k,k" in the test's temporary folder.
std::string WriteRecord(const std::string& name, int n) {
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_progress_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream out(path, std::ios::binary);
    for (int k = 0; k < n; ++k) out << k << ',' << k << '\n';
    return path;
}

// Every fraction a callback is given; it asks to stop at the first one at or beyond stopAt.
struct Recorder {
    std::vector<double> fractions;
    double stopAt = 2;
    ProgressCallback Callback() {
        return [this](double f) {
            fractions.push_back(f);
            return f < stopAt;
        };
    }
};

TEST(ImportProgress, ReportsRiseToTheEndWithoutChangingTheRowsRead) {
    constexpr int kRows = 50000;
    const std::string path = WriteRecord("rows.csv", kRows);
    for (const ImportParameters& parameters :
         {ImportParameters{1, 1}, ImportParameters{3, 2}, ImportParameters{kRows, -3}}) {
        SCOPED_TRACE(parameters.Step);
        AnalysisState expected;
        const auto message = ImportCurveFile(expected, path, parameters).Warning();
        Recorder recorder;
        AnalysisState state;
        EXPECT_EQ(ImportCurveFile(state, path, parameters, recorder.Callback()).Warning(), message);
        EXPECT_EQ(state.RawDisp, expected.RawDisp);
        EXPECT_EQ(state.LoopSeries().YValues(), expected.RawForce);
        const auto& f = recorder.fractions;
        ASSERT_GT(f.size(), 5u);
        EXPECT_EQ(f.front(), 0.0);
        EXPECT_TRUE(std::is_sorted(f.begin(), f.end())) << testing::PrintToString(f);
        // A reading that ends at a bad line (the one before line 1) reports no end.
        if (parameters.Step > 0) {
            EXPECT_EQ(f.back(), 1.0);
        }
    }
}

// Stopped while the rows are read, or while the file is loaded: the earlier record and its
// analysis are gone, nothing is read, no name is shown and there is no message, as for a
// file that cannot be opened.
TEST(ImportProgress, StoppingLeavesTheStateOfAFileThatCannotBeRead) {
    const std::string small = WriteRecord("small.csv", 6);
    const std::string big = WriteRecord("big.csv", 50000);
    for (const double stopAt : {0.0, 0.05, 0.5, 0.95}) {
        SCOPED_TRACE(stopAt);
        AnalysisState state;
        ASSERT_EQ(ImportCurveFile(state, small, {1, 1}).Warning(), std::nullopt);
        (void)AnalyzeLoops(state);
        state.PositiveSkeletonSeries().AddXY(1, 1);
        Recorder recorder;
        recorder.stopAt = stopAt;
        EXPECT_EQ(ImportCurveFile(state, big, {1, 1}, recorder.Callback()).Warning(), std::nullopt);
        EXPECT_GE(recorder.fractions.back(), stopAt);
        EXPECT_TRUE(state.RawDisp.empty());
        EXPECT_TRUE(state.RawForce.empty());
        EXPECT_TRUE(state.LoopDisp.empty());
        EXPECT_EQ(state.FileNameText, "");
        for (int i = 0; i < state.Chart.SeriesCount(); ++i) {
            EXPECT_EQ(state.Chart.GetSeries(i).Count(), 0) << i;
        }
    }
}

// The file is loaded in pieces of a few megabytes when someone follows it; stopping after
// the first piece returns that piece.
TEST(ImportProgress, LoadingAFileReportsAndStopsBetweenPieces) {
    const std::string path = WriteRecord("large.csv", 2'000'000);  // about 25 MB
    const std::string whole = ReadFileBytes(path);
    Recorder all;
    EXPECT_EQ(ReadFileBytes(path, all.Callback()), whole);
    ASSERT_GE(all.fractions.size(), 3u);
    EXPECT_EQ(all.fractions.front(), 0.0);
    EXPECT_EQ(all.fractions.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(all.fractions.begin(), all.fractions.end()));

    Recorder first;
    first.stopAt = 1e-9;
    const std::string part = ReadFileBytes(path, first.Callback());
    EXPECT_GT(part.size(), 0u);
    EXPECT_LT(part.size(), whole.size());
    EXPECT_EQ(part, whole.substr(0, part.size()));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace qlnx
