// qlnx-batch as a user runs it: the built program, its output, messages and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../file_bytes.h"
#include "batch_runner.h"
#include "core/curve_import.h"
#include "core/evaluation_options.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"

namespace {

using qlnx::test::BatchRun;

std::filesystem::path TempFolder() {
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_batch_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (TempFolder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

using qlnx::test::ReadAll;

BatchRun RunBatch(const std::vector<std::string>& arguments) {
    return qlnx::test::RunBatchProgram(TempFolder(), arguments);
}

const char* const kWorkedExample = "0,0\n2,10\n-1,-5\n3,12\n3,12\n-2,-8\n";

TEST(BatchTool, JsonOfTheWorkedExample) {
    const std::string file = WriteFile("example.csv", kWorkedExample);
    const BatchRun run = RunBatch({"--json", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "{\n"
              "  \"message\": null,\n"
              "  \"RawDisp\": [0, 2, -1, 3, 3, -2],\n"
              "  \"RawForce\": [0, 10, -5, 12, 12, -8],\n"
              "  \"LoopDisp\": [0, 2, 0, -1, 0, 3, 0, -2],\n"
              "  \"LoopForce\": [0, 10, 0, -5, -0.75, 12, 0, -8],\n"
              "  \"LoopStart\": [0, 2, 4, 6],\n"
              "  \"LoopCount\": 2,\n"
              "  \"MaxDispIndex1\": [1, 5],\n"
              "  \"MaxDispIndex2\": [3, 7],\n"
              "  \"MaxDisp1\": [2, 3],\n"
              "  \"MaxDisp2\": [-1, -2],\n"
              "  \"MaxDispForce1\": [10, 12],\n"
              "  \"MaxDispForce2\": [-5, -8],\n"
              "  \"PositiveSkeleton\": [],\n"
              "  \"NegativeSkeleton\": [],\n"
              "  \"LoadsFirst\": \"positive\",\n"
              "  \"SuggestedNoiseBand\": null,\n"
              "  \"SuggestedZeroStart\": false\n"
              "}\n");
}

TEST(BatchTool, LoopTableShowsTheReadOutsOfEveryLoop) {
    // A header line skipped, every third line read, and read-outs in the general format.
    const std::string file =
        WriteFile("table.csv",
                  "Disp,Force\n0,0\nx\nx\n0.1,0.3333333333333333\nx\nx\n-1e-5,-2\nx\nx\n"
                  "0,0\nx\nx\n2,1.5E20\n");
    const BatchRun run = RunBatch({"--first-line", "2", "--step", "3", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Loop\tMax Disp 1\tMax Disp 2\tMax Disp Force 1\tMax Disp Force 2\n"
              "1\t0.1\t-1E-5\t0.333333333333333\t-2\n"
              "2\t--\t--\t--\t--\n");
}

TEST(BatchTool, MessagesOfTheWindowAndExitStatus) {
    const std::string good = WriteFile("good.csv", kWorkedExample);
    const std::string blank = WriteFile("blank.csv", "0,0\n1,1\n-1,-1\n0,0\n\n2,2\n");
    const std::string missing = (TempFolder() / "missing.csv").string();
    const struct {
        std::vector<std::string> arguments;
        const char* message;  // the JSON "message"
        const char* err;
        const char* rawDisp;
        // clang-format off
    } cases[] = {
        {{"--first-line", "0", good}, "\"First Line must large than 0!\"",
         "First Line must large than 0!\nImported Loop is less than 3 points!\n", "[]"},
        {{"--first-line", "a", good}, "\"''a'' is not a valid integer value\"",
         "''a'' is not a valid integer value\nImported Loop is less than 3 points!\n", "[]"},
        // A step that is no integer reaches the error box, which appends a full stop.
        {{"--step", " x ", good}, "\"''x'' is not a valid integer value.\"",
         "''x'' is not a valid integer value.\nImported Loop is less than 3 points!\n", "[]"},
        {{"--step", "0", good}, "\"Data Import Step must not be 0!\"",
         "Data Import Step must not be 0!\nImported Loop is less than 3 points!\n", "[]"},
        {{missing}, "\"Cannot open file \\\"", "Cannot open file \"", "[]"},
        // The rows before the blank line are imported and analysed.
        {{blank}, "\"List index out of bounds (0)\"", "List index out of bounds (0)\n",
         "[0, 1, -1, 0]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), "--json");
        const BatchRun run = RunBatch(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.rfind(std::string("{\n  \"message\": ") + c.message, 0), 0u) << run.out;
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
        EXPECT_NE(run.out.find(std::string("\"RawDisp\": ") + c.rawDisp), std::string::npos);
    }
}

TEST(BatchTool, NumbersThatAreNotFiniteAreNull) {
    // The crossing between +1e308 and -1e308 interpolates inf / -inf.
    const std::string file = WriteFile("huge.csv", "0,0\n1e308,1e308\n-1e308,-1e308\n0,0\n");
    const BatchRun run = RunBatch({"--json", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"LoopForce\": [0, 1e+308, null, -1e+308, 0]"), std::string::npos)
        << run.out;
}

// The worked example of the skeleton methods: a working curve that the analysis takes over
// as it is (its crossings lie exactly on x0).
const char* const kSkeletonExample =
    "0,0\n1,10\n2,15\n1,5\n0,-2\n-1,-10\n-2,-14\n-1,-4\n0,3\n2,16\n3,20\n4,18\n1,6\n"
    "0,-3\n-3,-18\n-4,-17\n-1,-5\n0,2\n";

// The two skeleton keys of the JSON object, through the end of the negative branch's line.
std::string SkeletonKeys(const std::string& json) {
    const size_t at = json.find("  \"PositiveSkeleton\"");
    const size_t end = json.find(",\n  \"LoadsFirst\"");
    return at == std::string::npos || end == std::string::npos ? "" : json.substr(at, end - at);
}

std::string Shortest(double value) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

std::string PointsText(const qlnx::ChartSeries& series) {
    std::string text = "[";
    for (int i = 0; i < series.Count(); ++i) {
        if (i != 0) text += ", ";
        text += "[" + Shortest(series.GetxValue(i)) + ", " + Shortest(series.GetyValue(i)) + "]";
    }
    return text + "]";
}

TEST(BatchTool, SkeletonMethodsByNumberAndName) {
    const std::string file = WriteFile("skeleton.csv", kSkeletonExample);
    const struct {
        std::vector<std::string> arguments;
        const char* positive;
        const char* negative;
        // clang-format off
    } cases[] = {
        {{"--method", "1"}, "[[0, 0], [2, 15], [3, 20]]", "[[0, 0], [-2, -14], [-3, -18]]"},
        {{"--method", "max-force", "--keep-disp-increasing"}, "[[0, 0], [2, 15], [3, 20]]",
         "[[0, 0], [-2, -14], [-3, -18]]"},
        {{"--method", "max-disp"}, "[[0, 0], [2, 15], [4, 18]]",
         "[[0, 0], [-2, -14], [-4, -17]]"},
        {{"--method", "3", "--direction", "positive"},
         "[[0, 0], [2, 15], [2, 15], [3, 20], [4, 18]]",
         "[[0, 0], [-2, -14], [-2, -14], [-3, -18], [-4, -17]]"},
        {{"--keep-disp-increasing", "--method", "max-force-disp"},
         "[[0, 0], [2, 15], [3, 20], [4, 18]]", "[[0, 0], [-2, -14], [-3, -18], [-4, -17]]"},
        {{}, "[]", "[]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back("--json");
        arguments.push_back(file);
        const BatchRun run = RunBatch(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(SkeletonKeys(run.out), std::string("  \"PositiveSkeleton\": ") + c.positive +
                                             ",\n  \"NegativeSkeleton\": " + c.negative);
    }
}

// Every method in both directions gives what the extraction gives on the same analysis.
TEST(BatchTool, EveryMethodAndDirectionAsTheExtraction) {
    const std::string file = WriteFile("directions.csv", kSkeletonExample);
    qlnx::AnalysisState state;
    ASSERT_EQ(qlnx::ImportCurveFile(state, file, {1, 1}).Warning(), std::nullopt);
    ASSERT_EQ(qlnx::AnalyzeLoops(state), std::nullopt);
    for (const qlnx::SkeletonMethodRow& method : qlnx::SkeletonMethods()) {
        const std::string name(method.BatchName);
        for (const bool negative : {false, true}) {
            SCOPED_TRACE(name + (negative ? " negative" : " positive"));
            qlnx::ExtractSkeleton(
                state, method.Method,
                negative ? qlnx::LoopDirection::Negative : qlnx::LoopDirection::Positive, false);
            const BatchRun run = RunBatch({"--json", "--method", name, "--direction",
                                           negative ? "negative" : "positive", file});
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(
                SkeletonKeys(run.out),
                "  \"PositiveSkeleton\": " + PointsText(state.PositiveSkeletonSeries()) +
                    ",\n  \"NegativeSkeleton\": " + PointsText(state.NegativeSkeletonSeries()));
        }
    }
}

TEST(BatchTool, ThinningAndItsConversionErrors) {
    const std::string file = WriteFile("thin.csv", kSkeletonExample);
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* message;
        const char* positive;
        // clang-format off
    } cases[] = {
        {{"--thin", "1", "5", "1.5"}, 0, "null", "[[0, 0], [2, 15], [4, 18]]"},
        // Negative numbers are arguments, and the range may be given either way round.
        {{"--thin", "5", "1", "-1.5"}, 0, "null", "[[0, 0], [2, 15], [4, 18]]"},
        {{"--thin", "-35", "-8", "4"}, 0, "null",
         "[[0, 0], [2, 15], [2, 15], [3, 20], [4, 18]]"},
        // A box that does not convert: the error box's text, the skeleton as extracted.
        {{"--thin", "1", "x", "1.5"}, 1, "\"'x' is not a valid floating point value.\"",
         "[[0, 0], [2, 15], [2, 15], [3, 20], [4, 18]]"},
        {{"--thin", "1", "5", ""}, 1, "\"'' is not a valid floating point value.\"",
         "[[0, 0], [2, 15], [2, 15], [3, 20], [4, 18]]"},
        // An earlier message stays the first one.
        {{"--first-line", "0", "--thin", "1", "x", "1.5"}, 1,
         "\"First Line must large than 0!\"", "[]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"--json", "--method", "3"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(file);
        const BatchRun run = RunBatch(arguments);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.rfind(std::string("{\n  \"message\": ") + c.message + ",", 0), 0u);
        EXPECT_NE(run.out.find(std::string("\"PositiveSkeleton\": ") + c.positive + ","),
                  std::string::npos)
            << run.out;
    }
}

TEST(BatchTool, WritesTheFilesAskedFor) {
    const std::string file = WriteFile("files.csv", kSkeletonExample);
    const auto folder = TempFolder();
    const std::string skeleton = (folder / "skeleton_out.csv").string();
    const std::string csv = (folder / "loops.CSV").string();
    const std::string text = (folder / "results.dat").string();
    const BatchRun run = RunBatch({"--method", "max-disp", "--skeleton", skeleton,
                                   "--modified-loop", csv, "--results", text, file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadAll(skeleton),
              "Branch,X,Y\r\nPositive,0,0\r\nPositive,2,15\r\nPositive,4,18\r\n"
              "Negative,0,0\r\nNegative,-2,-14\r\nNegative,-4,-17\r\n");
    // The form follows the name's ending (any case), the name is used as given.
    EXPECT_EQ(ReadAll(csv).rfind("X,Y\r\n0,0\r\n1,10\r\n", 0), 0u);
    EXPECT_EQ(ReadAll(text),
              "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce\r\n"
              "1  2  15  -2  -14  \r\n2  4  18  -4  -17  \r\n");

    // A file that cannot be written: the error box's text; the other files are written.
    const std::string blocked = (folder / "no_such_folder" / "out.csv").string();
    const std::string other = (folder / "other.csv").string();
    const BatchRun failed = RunBatch({"--json", "--results", blocked, "--skeleton", other, file});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err.rfind("Cannot create file \"" + blocked + "\". ", 0), 0u) << failed.err;
    EXPECT_NE(failed.out.find("\"message\": \"Cannot create file"), std::string::npos);
    EXPECT_EQ(ReadAll(other), "Branch,X,Y\r\n");
}

// The workbook export of the chart in both layouts: a zip package with the chart part, written
// to the given name; a file that cannot be written is the export's error, after the analysis.
TEST(BatchTool, ExportsTheChartToAWorkbook) {
    const std::string file = WriteFile("export.csv", kWorkedExample);
    const auto folder = TempFolder();
    for (const char* mode : {"", "single", "combined", "report-ready"}) {
        SCOPED_TRACE(mode);
        const std::string xlsx = (folder / (std::string("chart_") + mode + ".xlsx")).string();
        std::filesystem::remove(xlsx);
        std::vector<std::string> arguments = {"--method", "max-disp", "--xlsx", xlsx, file};
        if (std::string(mode) == "report-ready") {
            arguments.insert(arguments.begin(), "--report-ready");
        } else if (*mode != '\0') {
            arguments.insert(arguments.begin(), {"--export-mode", mode});
        }
        const BatchRun run = RunBatch(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::string bytes = ReadAll(xlsx);
        EXPECT_EQ(bytes.rfind("PK", 0), 0u);
        EXPECT_NE(bytes.find("xl/charts/chart1.xml"), std::string::npos);
        EXPECT_NE(bytes.find("xl/worksheets/sheet1.xml"), std::string::npos);
    }

    const std::string blocked = (folder / "no_such_folder" / "chart.xlsx").string();
    const BatchRun failed = RunBatch({"--json", "--xlsx", blocked, file});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Cannot create file \"" + blocked + "\". No such file or directory.\n");
    EXPECT_EQ(failed.out.rfind("{\n  \"message\": \"Cannot create file", 0), 0u) << failed.out;
    EXPECT_NE(failed.out.find("\"LoopCount\": 2"), std::string::npos);
}

// The import options, and a failed import's line and suggested first line in JSON and on
// standard error.
TEST(BatchTool, ImportOptionsLineAndSuggestedFirstLine) {
    const std::string european =
        WriteFile("european.csv", "t;s;F\n0;0,0;0,0\n1;2,5;10,25\n2;-1,5;-5,5\n3;3,0;12,0\n");
    const BatchRun read = RunBatch(
        {"--json", "--first-line", "2", "--decimal", "comma", "--columns", "2,3", european});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out.rfind("{\n  \"message\": null,\n  \"RawDisp\": [0, 2.5, -1.5, 3],\n"
                             "  \"RawForce\": [0, 10.25, -5.5, 12],\n",
                             0),
              0u)
        << read.out;
    const BatchRun header = RunBatch({"--json", "--columns", "2,3", european});
    EXPECT_EQ(header.status, 1);
    EXPECT_EQ(header.out.rfind("{\n  \"message\": \"'s' is not a valid floating point value\",\n"
                               "  \"line\": 1,\n  \"SuggestedFirstLine\": 2,\n  \"RawDisp\": [],\n",
                               0),
              0u)
        << header.out;
    EXPECT_EQ(header.err,
              "'s' is not a valid floating point value\nLine 1: 's' is not a number.\n"
              "Line 1 looks like a header: the data start at line 2.\n"
              "Imported Loop is less than 3 points!\n");
    const BatchRun point =
        RunBatch({"--json", "--first-line", "2", "--decimal", "point", european});
    EXPECT_EQ(point.status, 1);
    EXPECT_EQ(point.out.rfind("{\n  \"message\": \"'0,0' is not a valid floating point value\",\n"
                              "  \"line\": 2,\n  \"RawDisp\": [],\n",
                              0),
              0u)
        << point.out;
}

// A record that dithers around its first displacement, then loads towards negative
// displacements first.
std::string DitherThenNegativeFirst() {
    std::string text = "0,0\n";
    for (int k = 1; k <= 20; ++k) text += k % 2 ? "0.001,1\n" : "-0.001,-1\n";
    return text + "-1,-5\n1,5\n-1,-5\n1,5\n-1,-5\n0,0\n";
}

TEST(BatchTool, NoiseBandAndLoadingDirection) {
    const std::string file = WriteFile("dither.csv", DitherThenNegativeFirst());
    // The table is for a person: the suggestions go to standard error and change no status.
    const BatchRun table = RunBatch({file});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.err,
              "9 of 12 loops are smaller than 1 % of the displacement range (noise around the "
              "first displacement?). A noise band of 0.02 merges them.\n"
              "This record loads towards negative displacements first; Loop Direction Negative "
              "fits it.\n");

    const BatchRun plain = RunBatch({"--json", file});
    EXPECT_NE(plain.out.find("\"LoopCount\": 12,"), std::string::npos);
    EXPECT_NE(plain.out.find("\"LoadsFirst\": \"negative\",\n  \"SuggestedNoiseBand\": 0.02,\n"),
              std::string::npos);

    const BatchRun banded =
        RunBatch({"--json", "--noise-band", "0.02", "--direction", "auto", "--method", "2", file});
    EXPECT_EQ(banded.status, 0);
    EXPECT_EQ(banded.err, "");
    EXPECT_NE(banded.out.find("\"LoopCount\": 3,"), std::string::npos);
    EXPECT_NE(banded.out.find("\"SuggestedNoiseBand\": null"), std::string::npos);
    const BatchRun negative = RunBatch(
        {"--json", "--noise-band", "0.02", "--direction", "negative", "--method", "2", file});
    EXPECT_EQ(SkeletonKeys(banded.out), SkeletonKeys(negative.out));
    EXPECT_NE(
        SkeletonKeys(banded.out),
        SkeletonKeys(RunBatch({"--json", "--noise-band", "0.02", "--method", "2", file}).out));

    // The band box refuses what the window refuses; nothing is analysed then.
    const BatchRun refused = RunBatch({"--json", "--noise-band", "-1", file});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Noise Band must not be negative!\n");
    EXPECT_NE(refused.out.find("\"LoopCount\": 0,"), std::string::npos);
}

TEST(BatchTool, UsageErrors) {
    const std::string file = WriteFile("usage.csv", kWorkedExample);
    // One number past the last skeleton method.
    const std::string methods = std::to_string(qlnx::SkeletonMethods().size());
    const std::string pastLast = std::to_string(qlnx::SkeletonMethods().size() + 1);
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
        // clang-format off
    } cases[] = {
        {{}, "no FILE given"},
        {{"--json"}, "no FILE given"},
        {{"--bogus", file}, "unknown option --bogus"},
        {{file, "--step"}, "--step needs N"},
        {{file, file}, "more than one FILE given"},
        {{"--method", pastLast, file}, "--method takes 1 to " + methods},
        {{"--method", "envelope", file}, "not envelope"},
        {{"--direction", "up", file}, "--direction takes positive, negative or auto; not up"},
        {{file, "--thin", "1", "2"}, "--thin needs LO HI TOL"},
        {{"--export-mode", "both", file}, "--export-mode takes single or combined; not both"},
        {{file, "--xlsx"}, "--xlsx needs FILE"},
        {{"--decimal", "dot", file}, "--decimal takes auto, point or comma; not dot"},
        {{"--columns", "2", file}, "--columns takes two different column numbers from 1 on, as 2,3; not 2"},
        {{"--columns", "2,2", file}, "not 2,2"},
        {{"--columns", "0,1", file}, "not 0,1"},
        {{"--columns", "1,x", file}, "not 1,x"},
        {{"--ultimate-ratio", "0", file}, "--ultimate-ratio takes a number above 0 and at most 1"},
        {{"--ultimate-ratio", "1.5", file}, "not 1.5"},
        {{"--ultimate-ratio", "0,8", file}, "not 0,8"},
        {{"--level-tolerance", "-0.1", file}, "--level-tolerance takes a number of at least 0"},
        {{"--peak-point", "both", file}, "--peak-point takes force or displacement; not both"},
        {{"--preset", "iso", file}, "--preset takes jgj, en12512 or astm; not iso"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const BatchRun run = RunBatch(c.arguments);
        EXPECT_EQ(run.status, 2) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Usage: "), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const BatchRun help = RunBatch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: ", 0), 0u);
    // "--" ends the options: a file whose name starts with a dash.
    const std::string dashed = WriteFile("-dashed.csv", kWorkedExample);
    const auto folder = std::filesystem::current_path();
    std::filesystem::current_path(TempFolder());
    EXPECT_EQ(RunBatch({"--", "-dashed.csv"}).status, 0);
    EXPECT_EQ(RunBatch({"-dashed.csv"}).status, 2);
    std::filesystem::current_path(folder);
}

// The skeleton worked example S1 on both sides, as one loop: the evaluation in JSON.
const char* const kSkeletonRecord =
    "0,0\n1,10\n3,15\n5,16\n7,14\n9,12\n0,0\n-1,-10\n-3,-15\n-5,-16\n-7,-14\n-9,-12\n0,0\n";

// The text of the JSON object from key on, to the end of its line.
std::string LineOf(const std::string& out, const std::string& key) {
    const size_t at = out.find(key);
    if (at == std::string::npos) return "(no " + key + ")";
    return out.substr(at, out.find('\n', at) - at);
}

TEST(BatchTool, EvaluationInJson) {
    const std::string file = WriteFile("s1.csv", kSkeletonRecord);
    const BatchRun run = RunBatch({"--json", "--evaluate", "--method", "max-force", "--noise-band",
                                   "0.5", "--peak-point", "force", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(LineOf(run.out, "\"Evaluation\""), "\"Evaluation\": {");
    EXPECT_EQ(LineOf(run.out, "\"Options\""),
              "\"Options\": {\"NoiseBand\": 0.5, \"UltimateRatio\": 0.85, \"PeakPoint\": "
              "\"force\", \"LevelTolerance\": 0.1},");
    // The band keeps the final return to 0 from counting as a passage: the loop's end is
    // the last point, not a crossing point, so the loop is incomplete and in no level. Peaks
    // by force: Es = 80.
    EXPECT_EQ(LineOf(run.out, "{\"Loop\": 1"),
              "{\"Loop\": 1, \"Level\": null, \"Cycle\": null, \"Complete\": false, "
              "\"Amplitude\": 9, \"PosPeakDisp\": [9, 12], \"NegPeakDisp\": [-9, -12], "
              "\"PosPeakForce\": [5, 16], \"NegPeakForce\": [-5, -16], \"Energy\": 126, "
              "\"CumulativeEnergy\": 126, \"DampingRatio\": 0.25066903536973517, "
              "\"DissipationCoefficient\": 1.575, \"SecantStiffness\": 3.2, "
              "\"PeaksOffQuadrant\": false, \"ResidualPos\": 0, \"ResidualNeg\": 0, "
              "\"StrengthToFirstPos\": null, \"StrengthToFirstNeg\": null, "
              "\"StrengthToPreviousPos\": null, \"StrengthToPreviousNeg\": null}");
    EXPECT_EQ(LineOf(run.out, "\"Levels\""), "\"Levels\": [],");
    // Method 1 gives one point per side, (5, 16) and (-5, -16): a path from the origin, a
    // straight line. EEEP: Ke = 3.2, A = 40, the radicand 25 - 2 * 40 / 3.2 is exactly 0.
    // FarthestPoint: every point lies on the chord, a straight branch has no knee.
    EXPECT_EQ(LineOf(run.out, "\"Positive\""),
              "\"Positive\": {\"Peak\": [5, 16], \"Ultimate\": [5, 16], \"UltimateReached\": "
              "false, \"UltimateCapped\": false, \"DroppedPoints\": 0, \"Yield\": {");
    EXPECT_EQ(LineOf(run.out, "\"EEEP\""),
              "\"EEEP\": {\"Disp\": 5, \"Force\": 16, \"Ductility\": 1, \"Stiffness\": 3.2, "
              "\"Fallback\": false},");
    EXPECT_EQ(LineOf(run.out, "\"FarthestPoint\""), "\"FarthestPoint\": null,");
    EXPECT_EQ(LineOf(run.out, "\"MeanDuctility\""),
              "\"MeanDuctility\": {\"GeneralYield\": 1, \"EqualEnergy\": 1, "
              "\"EqualEnergyIntersection\": null, \"Park\": 1, \"FarthestPoint\": null, "
              "\"EEEP\": 1, \"EN12512\": 1.0000000000000002}");
    // The evaluation is followed by the loading protocol that --evaluate implies.
    EXPECT_NE(run.out.find("\n  },\n  \"Protocol\": {"), std::string::npos);
    // Without --evaluate the object has no evaluation.
    EXPECT_EQ(RunBatch({"--json", file}).out.find("Evaluation"), std::string::npos);
}

TEST(BatchTool, EvaluationOptionsPresetsAndFiles) {
    const std::string file = WriteFile("s1.csv", kSkeletonRecord);
    const auto ratio = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--json", "--evaluate"});
        arguments.push_back(file);
        const std::string line = LineOf(RunBatch(arguments).out, "\"UltimateRatio\"");
        return line.substr(0, line.find(','));
    };
    EXPECT_EQ(ratio({}), "\"UltimateRatio\": 0.85");
    EXPECT_EQ(ratio({"--preset", "en12512"}), "\"UltimateRatio\": 0.8");
    EXPECT_EQ(ratio({"--preset", "astm"}), "\"UltimateRatio\": 0.8");
    EXPECT_EQ(ratio({"--preset", "en12512", "--preset", "jgj"}), "\"UltimateRatio\": 0.85");
    // An explicit ratio wins over a preset, in either order.
    EXPECT_EQ(ratio({"--ultimate-ratio", "0.7", "--preset", "astm"}), "\"UltimateRatio\": 0.7");
    EXPECT_EQ(ratio({"--preset", "astm", "--ultimate-ratio", "0.7"}), "\"UltimateRatio\": 0.7");
    // EN 12512 caps the ultimate slip at 30 mm once the displacement's unit is known: the
    // ultimate beyond 5 cm becomes 3 cm; in mm the record never slips that far.
    const auto capped = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {"--json", "--evaluate", "--method", "1", "--preset", "en12512"});
        arguments.push_back(file);
        const BatchRun r = RunBatch(arguments);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.find("\"UltimateCapped\": true") != std::string::npos;
    };
    EXPECT_FALSE(capped({}));
    EXPECT_TRUE(capped({"--unit", "c1=cm"}));
    EXPECT_FALSE(capped({"--unit", "c1=mm"}));

    // --evaluation FILE: the CSV file with its header line, CR LF; the terminal gets the
    // loop table and the three evaluation tables.
    const std::string csv = (TempFolder() / "evaluation.csv").string();
    const BatchRun run = RunBatch({"--method", "4", "--keep-disp-increasing", "--preset", "en12512",
                                   "--evaluation", csv, file});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = ReadAll(csv);
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "Record," + file +
                  ",SkeletonMethod,envelope-force positive keep-disp-increasing,Preset,EN "
                  "12512,UltimateRatio,0.8,PeakPoint,displacement,LevelTolerance,0.1,NoiseBand,0");
    EXPECT_NE(text.find("\r\n\r\nLoops\r\nLoop,Level,Cycle,Complete,Amplitude,PosPeakDisp d,"
                        "PosPeakDisp F,"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n1,1,1,true,9,9,12,-9,-12,5,16,-5,-16,126,126,0.185680766940545,"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nPositive,EN12512,1.2,12,4.16666666666667,10,,,,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nMean,EEEP,,,3.51545441147527,,,,,\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\n', 0), text.find("\r\n") + 1);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (const char* table : {"\nLoops\nLoop\tLevel\t", "\nLevels\nLevel\tFirstLoop\t",
                              "\nSkeleton\nSide\tItem\t", "\nPositive\tUltimate\t5\t16\t--\t"}) {
        EXPECT_NE(run.out.find(table), std::string::npos) << table;
    }
}

TEST(BatchTool, EvaluationDefaultsAreTheEvaluationsOwn) {
    // Options not given are the evaluation's own defaults, the ones the window starts with.
    const std::string file = WriteFile("s1.csv", kSkeletonRecord);
    const qlnx::EvaluationOptions defaults;
    const auto shortest = [](double v) {
        char buf[32];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    };
    EXPECT_EQ(
        LineOf(RunBatch({"--json", "--evaluate", file}).out, "\"Options\""),
        "\"Options\": {\"NoiseBand\": 0, \"UltimateRatio\": " + shortest(defaults.UltimateRatio) +
            ", \"PeakPoint\": \"" + std::string(qlnx::PeakPointName(defaults.PeakPoint)) +
            "\", \"LevelTolerance\": " + shortest(defaults.LevelTolerance) + "},");
    const std::string help = RunBatch({"--help"}).out;
    EXPECT_NE(help.find("its first loop (default " + shortest(defaults.LevelTolerance) + ")"),
              std::string::npos);
    EXPECT_NE(help.find("peak force (default " + shortest(defaults.UltimateRatio) + ")"),
              std::string::npos);
}

TEST(BatchTool, OffsetStartSuggestionAndZeroStart) {
    // The worked example moved to start at (3, 1): 3 is far more than 2 % of the range 5.
    const std::string file = WriteFile("offset.csv", "3,1\n5,11\n2,-4\n6,13\n6,13\n1,-7\n");
    const BatchRun table = RunBatch({file});
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.err.find("does not start at rest: its first sample is at displacement 3, "
                             "force 1."),
              std::string::npos)
        << table.err;
    EXPECT_NE(table.err.find("(--zero-start)\n"), std::string::npos);
    EXPECT_EQ(LineOf(RunBatch({"--json", file}).out, "\"SuggestedZeroStart\""),
              "\"SuggestedZeroStart\": true");
    // Zeroed at the first sample it is the worked example, with nothing to suggest.
    const BatchRun zeroed = RunBatch({"--json", "--zero-start", file});
    EXPECT_EQ(zeroed.out, RunBatch({"--json", WriteFile("example.csv", kWorkedExample)}).out);
    EXPECT_EQ(RunBatch({"--zero-start", file}).err, "");
    // A start within 2 % of both ranges is at rest: 0.1 of a displacement range of 5.1 and a
    // force start of 0.
    EXPECT_EQ(LineOf(RunBatch({"--json", WriteFile("rest.csv", "0.1,0\n5.1,10\n0,-5\n")}).out,
                     "\"SuggestedZeroStart\""),
              "\"SuggestedZeroStart\": false");
}

}  // namespace

// A bilinear record (Fy 10, E0 5, b 0.03): the fit, its JSON and its OpenSees file.
TEST(BatchTool, CalibrationJsonAndOpenSeesFile) {
    std::string csv;
    double f = 0;
    double u = 0;
    const double targets[] = {3, -3, 6, -6, 9, -9, 0};
    for (const double target : targets) {
        while (u != target) {
            const double next =
                u < target ? std::min(u + 0.25, target) : std::max(u - 0.25, target);
            f = std::clamp(f + 5 * (next - u), 0.15 * next - 9.7, 0.15 * next + 9.7);
            u = next;
            csv += std::to_string(u) + "," + std::to_string(f) + "\n";
        }
    }
    const std::string file = WriteFile("bilinear.csv", "0,0\n" + csv);
    const std::string tcl = (TempFolder() / "fit.tcl").string();
    const BatchRun run = RunBatch({"--json", "--calibrate", "steel01,saws", "--calibration-seed",
                                   "9", "--prefilter", "--opensees", tcl, file});
    EXPECT_NE(run.out.find("\"Calibration\": [\n    {\"Model\": \"Steel01\", \"Parameters\": "
                           "{\"Fy\": "),
              std::string::npos);
    EXPECT_NE(run.out.find("{\"Model\": \"SAWS\", \"Parameters\": {\"F0\": "), std::string::npos);
    EXPECT_NE(run.out.find("\"Seed\": 9, \"Mapping\": \"unverified\", \"OpenSees\": "
                           "\"uniaxialMaterial Steel01 $matTag "),
              std::string::npos);
    EXPECT_NE(run.out.find("\"OpenSeesPy\": \"ops.uniaxialMaterial('Steel01', matTag, "),
              std::string::npos);
    const std::string text = ReadAll(tcl);
    const size_t line = text.find("\nuniaxialMaterial Steel01 1 ");
    ASSERT_NE(line, std::string::npos);
    // Fy before E0, 17 digits.
    std::istringstream numbers(text.substr(line + 27));
    double fy = 0, e0 = 0, b = 0;
    numbers >> fy >> e0 >> b;
    EXPECT_NEAR(fy, 10, 0.05);
    EXPECT_NEAR(e0, 5, 0.05);
    EXPECT_NEAR(b, 0.03, 0.001);
    EXPECT_NE(text.find("\nuniaxialMaterial SAWS 2 "), std::string::npos);
    EXPECT_NE(text.find("# mapping unverified"), std::string::npos);
    EXPECT_NE(text.find("seed 9"), std::string::npos);
    EXPECT_NE(text.find("reversal pre-filter on"), std::string::npos);

    const BatchRun wrong = RunBatch({"--calibrate", "steel03", file});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("--calibrate takes one or more of steel01, steel02, bouc-wen, bwbn, "
                             "saws, separated by commas; not steel03"),
              std::string::npos);
    EXPECT_EQ(RunBatch({"--calibration-seed", "-1", file}).status, 2);
    EXPECT_EQ(RunBatch({"--json", file}).out.find("Calibration"), std::string::npos);
}
