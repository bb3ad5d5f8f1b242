// Curve import: the two boxes, reading rows from a file, the bad inputs and their messages.
#include "core/curve_import.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/loop_analysis.h"
#include "core/number_text.h"
#include "core/text_lines.h"

namespace qlnx {
namespace {

using namespace std::string_literals;
using Values = std::vector<double>;

// Writes bytes to a file of its own in the test's temporary folder.
std::string WriteFile(const std::string& name, const std::string& bytes) {
    const auto dir = std::filesystem::path(testing::TempDir()) /
                     ("qlnx_import_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Outcome {
    Values disp;
    Values force;
    std::optional<std::string> message;
};

// The rows each case reads (displacement and force) and the warning, if any.
Outcome Import(const std::string& bytes, int32_t firstLine = 1, int32_t step = 1) {
    AnalysisState state;
    const std::string path = WriteFile("rows.csv", bytes);
    auto message = ImportCurveFile(state, path, {firstLine, step});
    // The loop series shows exactly the rows read, and the name only after a load.
    EXPECT_EQ(state.LoopSeries().XValues(), state.RawDisp);
    EXPECT_EQ(state.LoopSeries().YValues(), state.RawForce);
    EXPECT_EQ(state.FileNameText, path);
    return {state.RawDisp, state.RawForce, message};
}

TEST(CheckImportParameters, BoxesInTheWindowsOrder) {
    const struct {
        const char* first;
        const char* step;
        int32_t firstLine;  // 0: refused
        int32_t stepValue;
        const char* warning;
        ImportCheck::Focus focus;
    } cases[] = {
        {"1", "1", 1, 1, "", ImportCheck::Focus::None},
        {" 3 ", "\t-2", 3, -2, "", ImportCheck::Focus::None},
        {"$10", "0x2", 16, 2, "", ImportCheck::Focus::None},
        {"abc", "1", 0, 0, "''abc'' is not a valid integer value", ImportCheck::Focus::None},
        {"  ", "1", 0, 0, "'''' is not a valid integer value", ImportCheck::Focus::None},
        {"1.5", "1", 0, 0, "''1.5'' is not a valid integer value", ImportCheck::Focus::None},
        {"0", "1", 0, 0, "First Line must large than 0!", ImportCheck::Focus::FirstLine},
        // The step is not looked at once the first line is refused.
        {"-5", "x", 0, 0, "First Line must large than 0!", ImportCheck::Focus::FirstLine},
        {"2", "0", 0, 0, "Data Import Step must not be 0!", ImportCheck::Focus::Step},
        {"2", "-0", 0, 0, "Data Import Step must not be 0!", ImportCheck::Focus::Step},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.step);
        const ImportCheck check = CheckImportParameters(c.first, c.step);
        EXPECT_EQ(check.Warning, c.warning);
        EXPECT_EQ(check.FocusTo, c.focus);
        ASSERT_EQ(check.Parameters.has_value(), c.firstLine != 0);
        if (check.Parameters) {
            EXPECT_EQ(check.Parameters->FirstLine, c.firstLine);
            EXPECT_EQ(check.Parameters->Step, c.stepValue);
        }
    }
}

TEST(CheckImportParameters, BadStepGoesToTheErrorReport) {
    try {
        CheckImportParameters("1", " 1e3 ");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "''1e3'' is not a valid integer value");
    }
}

TEST(ImportCurveFile, ReadsRowsInEveryLayout) {
    const struct {
        const char* what;
        std::string bytes;
        int32_t first;
        int32_t step;
        Values disp;
        Values force;
    } cases[] = {
        {"commas", "0,0\n1,10\n2,15\n", 1, 1, {0, 1, 2}, {0, 10, 15}},
        {"tabs", "0\t0\n1\t10\n2\t15", 1, 1, {0, 1, 2}, {0, 10, 15}},
        {"blanks", "  0    0\n1     10  \n", 1, 1, {0, 1}, {0, 10}},
        {"CR LF", "0,0\r\n1,10\r\n", 1, 1, {0, 1}, {0, 10}},
        {"CR only", "0,0\r1,10\r2,15\r", 1, 1, {0, 1, 2}, {0, 10, 15}},
        {"third column ignored", "1.5, 20, 7\n", 1, 1, {1.5}, {20}},
        {"quoted", "\"1\",\"-2.5e1\"\n", 1, 1, {1}, {-25}},
        {"quoted blanks trimmed", "\" 1 \",\"\t2 \"\n", 1, 1, {1}, {2}},
        {"unclosed quote keeps its last digit", "1,\"25\n", 1, 1, {1}, {25}},
        {"signs and exponents", "+1.,-.5\n1E2,2e-1\n", 1, 1, {1, 100}, {-0.5, 0.2}},
        {"F = 2 skips a header", "Disp,Force\n0,0\n1,10\n", 2, 1, {0, 1}, {0, 10}},
        {"lines 2, 5, 8", "1,1\n2,2\n3,3\n4,4\n5,5\n6,6\n7,7\n8,8\n9,9\n", 2, 3,
         {2, 5, 8}, {2, 5, 8}},
        {"first line beyond the end", "0,0\n1,10\n", 3, 1, {}, {}},
        {"huge first line and step", "0,0\n1,10\n", INT32_MAX, INT32_MAX, {}, {}},
        {"huge step reads one row", "0,0\n1,10\n", 1, INT32_MAX, {0}, {0}},
        {"blank line skipped by the step", "0,0\n\n1,10\n", 1, 2, {0, 1}, {0, 10}},
        {"thousands comma splits the field", "1,234.5,10\n", 1, 1, {1}, {234.5}},
        {"extreme values", "1e308,1e-320\n-1.7976931348623157e308,4.9e-324\n", 1, 1,
         {1e308, -1.7976931348623157e308}, {1e-320, 4.9e-324}},
        {"UTF-8 mark", "\xEF\xBB\xBF" "0,0\n1,10\n", 1, 1, {0, 1}, {0, 10}},
        {"UTF-16 LE mark", "\xFF\xFE" "0\0,\0" "0\0\r\0\n\0" "1\0,\0" "1\0" "0\0"s, 1, 1,
         {0, 1}, {0, 10}},
        {"UTF-16 BE mark", "\xFE\xFF" "\0" "0\0,\0" "0\0\n\0" "1\0,\0" "1\0" "0"s, 1, 1,
         {0, 1}, {0, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = Import(c.bytes, c.first, c.step);
        EXPECT_EQ(o.message, std::nullopt);
        EXPECT_EQ(o.disp, c.disp);  // exact: the text converts to one double
        EXPECT_EQ(o.force, c.force);
    }
}

TEST(ImportCurveFile, BadInputsStopWithTheirMessage) {
    const struct {
        const char* what;
        std::string bytes;
        int32_t first;
        int32_t step;
        Values disp;  // rows kept before the failure
        Values force;
        std::optional<std::string> message;
    } cases[] = {
        {"0-byte file", "", 1, 1, {}, {}, std::nullopt},
        {"mark only", "\xEF\xBB\xBF", 1, 1, {}, {}, std::nullopt},
        {"empty file of one line break", "\n", 1, 1, {}, {}, "List index out of bounds (0)"},
        {"blank line inside the range", "0,0\n1,10\n\n2,15\n", 1, 1, {0, 1}, {0, 10},
         "List index out of bounds (0)"},
        {"line of blanks", "0,0\n \t \n", 1, 1, {0}, {0}, "List index out of bounds (0)"},
        {"one-field row", "0,0\n1.5\n2,15\n", 1, 1, {0}, {0}, "List index out of bounds (1)"},
        {"one field then a comma", "0,0\n1.5,\n", 1, 1, {0}, {0},
         "'' is not a valid floating point value"},
        {"header without skipping", "Disp,Force\n0,0\n", 1, 1, {}, {},
         "'Disp' is not a valid floating point value"},
        {"bad force adds nothing", "0,0\n1,abc\n", 1, 1, {0}, {0},
         "'abc' is not a valid floating point value"},
        {"bad displacement checked first", "x\n", 1, 1, {}, {},
         "'x' is not a valid floating point value"},
        {"semicolons", "0;0\n1;10\n", 1, 1, {}, {}, "'0;0' is not a valid floating point value"},
        {"decimal comma", "\"0,5\";\"1,5\"\n", 1, 1, {}, {},
         "'0,5' is not a valid floating point value"},
        {"quoted thousands separator", "\"1,234.5\",10\n", 1, 1, {}, {},
         "'1,234.5' is not a valid floating point value"},
        {"apostrophe thousands separator", "1'234.5,10\n", 1, 1, {}, {},
         "'1'234.5' is not a valid floating point value"},
        {"units", "0,0\n1mm,10kN\n", 1, 1, {0}, {0}, "'1mm' is not a valid floating point value"},
        {"overflow", "1e309,0\n", 1, 1, {}, {}, "'1e309' is not a valid floating point value"},
        {"binary file", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, 1, 1, {}, {},
         "'\xC2\x89PNG' is not a valid floating point value"},
        // The message keeps the whole field, a NUL byte and what follows it included.
        {"NUL byte in a field (fuzz finding)", "\0\"'\0\x01" "1\x01"s, 1, -8, {}, {},
         "''\0\x01" "1' is not a valid floating point value"s},
        {"Latin-1 text", "0,0\n\xB5m,3\n", 1, 1, {0}, {0},
         "'\xC2\xB5m' is not a valid floating point value"},
        // Without a mark, UTF-16 is valid UTF-8 with NULs: the first row reads, the NUL
        // between CR and LF is a line of its own.
        {"UTF-16 without mark", "0\0,\0" "0\0\r\0\n\0" "1\0,\0" "1\0" "0\0\r\0\n\0"s, 1, 1, {0},
         {0}, "List index out of bounds (0)"},
        // A negative step reads upwards and fails on the access before line 1.
        {"negative step", "1,1\n2,2\n3,3\n4,4\n5,5\n", 5, -2, {5, 3, 1}, {5, 3, 1},
         "List index out of bounds (-2)"},
        {"step -3 from line 7", "1,1\n2,2\n3,3\n4,4\n5,5\n6,6\n7,7\n", 7, -3, {7, 4, 1},
         {7, 4, 1}, "List index out of bounds (-3)"},
        {"step -1 from line 2", "1,1\n2,2\n", 2, -1, {2, 1}, {2, 1},
         "List index out of bounds (-1)"},
        {"negative step past the end", "1,1\n2,2\n", 3, -1, {}, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = Import(c.bytes, c.first, c.step);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.disp, c.disp);
        EXPECT_EQ(o.force, c.force);
    }
}

// Random rows of numbers, signs, quotes, blanks, commas and text, read by the import and by
// the field rule applied by hand (SplitFields, then StrToFloat of the trimmed field): the
// same rows and the same message.
TEST(ImportCurveFile, AgreesWithTheFieldRuleOnRandomRows) {
    const char* tokens[] = {"1",  "-2.5", "1e3", ".5", "5.",  "+1",  "-",   "1e",  "1e309",
                            "0x1", "\"3\"", "\"4", "x",  "1,5", " ",   "\t",  ",",   ", ",
                            "  ", "-.5e-2", "1;2", "\"\"", "7",  "\x01", "-0", "12345678901234567890"};
    uint64_t seed = 99;
    const auto next = [&seed](uint64_t range) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return (seed >> 33) % range;
    };
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const size_t rows = 1 + next(8);
        for (size_t r = 0; r < rows; ++r) {
            // Mostly good rows, so that the reading goes on long enough to meet a bad one.
            if (next(3) != 0) {
                bytes += std::to_string(next(100)) + (next(2) ? "," : "  ") + "-" +
                         std::to_string(next(100)) + "." + std::to_string(next(10));
            } else {
                const size_t count = next(5);
                for (size_t t = 0; t < count; ++t) bytes += tokens[next(std::size(tokens))];
            }
            bytes += next(2) ? "\n" : "\r\n";
        }
        Values disp;
        Values force;
        std::optional<std::string> message;
        for (const auto line : SplitLines(bytes)) {
            const auto fields = SplitFields(line);
            try {
                if (fields.empty()) throw Error("List index out of bounds (0)");
                const double d = StrToFloat(TrimControl(fields[0]));
                if (fields.size() < 2) throw Error("List index out of bounds (1)");
                const double f = StrToFloat(TrimControl(fields[1]));
                disp.push_back(d);
                force.push_back(f);
            } catch (const Error& e) {
                message = e.what();
                break;
            }
        }
        SCOPED_TRACE(testing::PrintToString(bytes));
        const Outcome o = Import(bytes);
        ASSERT_EQ(o.message, message);
        ASSERT_EQ(testing::PrintToString(o.disp), testing::PrintToString(disp));
        ASSERT_EQ(testing::PrintToString(o.force), testing::PrintToString(force));
    }
}

TEST(ImportCurveFile, FileThatCannotBeOpenedClearsEverything) {
    // An earlier import, analysis and skeleton curve that the failed import discards.
    AnalysisState state;
    const std::string good = WriteFile("good.csv", "0,0\n2,10\n-1,-5\n3,12\n-2,-8\n");
    ASSERT_EQ(ImportCurveFile(state, good, {1, 1}), std::nullopt);
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    state.PositiveSkeletonSeries().AddXY(1, 1);
    ASSERT_FALSE(state.LoopReadouts[0].empty());
    state.LoopCountText = "2";

    const std::string missing = testing::TempDir() + "/no_such_folder/curve.csv";
    EXPECT_EQ(ImportCurveFile(state, missing, {1, 1}),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_TRUE(state.RawDisp.empty());
    EXPECT_TRUE(state.RawForce.empty());
    EXPECT_TRUE(state.LoopDisp.empty());
    EXPECT_TRUE(state.LoopStart.empty());
    EXPECT_TRUE(state.MaxDisp1.empty());
    EXPECT_EQ(state.LoopCount, 0);
    EXPECT_EQ(state.FileNameText, "");
    EXPECT_EQ(state.LoopCountText, "");
    for (const auto& text : state.LoopReadouts) EXPECT_EQ(text, "");
    for (int i = 0; i < state.Chart.SeriesCount(); ++i) EXPECT_EQ(state.Chart.GetSeries(i).Count(), 0);

    const std::string folder = std::filesystem::path(good).parent_path().string();
    EXPECT_EQ(ImportCurveFile(state, folder, {1, 1}),
              "Cannot open file \"" + folder + "\". Is a directory");
    EXPECT_EQ(state.FileNameText, "");
}

// A file far larger than the memory (sparse: it takes no disk space) is refused before
// anything is allocated for it.
TEST(ImportCurveFile, FileLargerThanTheMemoryIsRefused) {
    const std::string path = WriteFile("huge.csv", "");
    std::error_code error;
    std::filesystem::resize_file(path, uintmax_t{1} << 40, error);
    if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
    AnalysisState state;
    EXPECT_EQ(ImportCurveFile(state, path, {1, 1}),
              "Cannot open file \"" + path + "\". File too large");
    EXPECT_EQ(state.FileNameText, "");
    EXPECT_EQ(state.LoopSeries().Count(), 0);
    std::filesystem::remove(path);
}

TEST(ImportCurveFile, RefusedParametersChangeNothing) {
    AnalysisState state;
    const std::string path = WriteFile("keep.csv", "0,0\n1,10\n");
    ASSERT_EQ(ImportCurveFile(state, path, {1, 1}), std::nullopt);
    EXPECT_EQ(ImportCurveFile(state, path, {0, 1}), "First Line must large than 0!");
    EXPECT_EQ(ImportCurveFile(state, path, {1, 0}), "Data Import Step must not be 0!");
    EXPECT_EQ(state.RawDisp, (Values{0, 1}));
    EXPECT_EQ(state.LoopSeries().Count(), 2);
    EXPECT_EQ(state.FileNameText, path);
}

TEST(ImportCurveFile, ReImportWithAnotherStepReadsTheSameFileAgain) {
    AnalysisState state;
    const std::string path = WriteFile("again.csv", "0,0\n1,1\n2,2\n3,3\n4,4\n");
    ASSERT_EQ(ImportCurveFile(state, path, {1, 1}), std::nullopt);
    ASSERT_EQ(ImportCurveFile(state, state.FileNameText, {2, 2}), std::nullopt);
    EXPECT_EQ(state.RawDisp, (Values{1, 3}));
    EXPECT_EQ(state.LoopSeries().XValues(), (Values{1, 3}));
    EXPECT_EQ(state.FileNameText, path);
}

TEST(ImportCurveFile, RealRecordsReadInPlace) {
    // The real records sit beside the checkout; a checkout elsewhere has none to read.
    if (!std::filesystem::exists(QLNX_SHARED_DATA)) GTEST_SKIP() << "no real records beside this checkout";
    const struct {
        const char* file;
        int32_t first;
        size_t rows;
        double disp0;
        double force0;
    } cases[] = {
        {"clt_wall_TS1_shear.csv", 1, 9281, -3.131820000000000003e-03, 7.124894999999999357e+01},
        {"clt_connection_trial2.csv", 3, 11287, 0.017239247, 0.161087265},
        {"friction_damper_1Hz30lb1in.csv", 2, 7169, 0.00017684698104858398, 0.0152167200576514},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        AnalysisState state;
        const std::string path = std::string(QLNX_SHARED_DATA) + "/" + c.file;
        EXPECT_EQ(ImportCurveFile(state, path, {c.first, 1}), std::nullopt);
        ASSERT_EQ(state.RawDisp.size(), c.rows);
        EXPECT_EQ(state.RawForce.size(), c.rows);
        EXPECT_EQ(state.RawDisp[0], c.disp0);
        EXPECT_EQ(state.RawForce[0], c.force0);
    }
    // Read from line 1, the names in the first header line are not numbers.
    AnalysisState state;
    EXPECT_EQ(ImportCurveFile(state, std::string(QLNX_SHARED_DATA) + "/clt_connection_trial2.csv",
                              {1, 1}),
              "'Lead' is not a valid floating point value");
    EXPECT_TRUE(state.RawDisp.empty());
}

}  // namespace
}  // namespace qlnx
