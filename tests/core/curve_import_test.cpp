// Curve import: the two boxes, reading rows from a file, the bad inputs and their messages.
#include "core/curve_import.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
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
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_import_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Outcome {
    Values disp;
    Values force;
    std::optional<std::string> message;
    ImportResult result;
};

// The rows each case reads (displacement and force) and the warning, if any.
Outcome Import(const std::string& bytes, const ImportParameters& parameters) {
    AnalysisState state;
    const std::string path = WriteFile("rows.csv", bytes);
    ImportResult result = ImportCurveFile(state, path, parameters);
    // The loop series shows exactly the rows read, and the name only after a load.
    EXPECT_EQ(state.LoopSeries().XValues(), state.RawDisp);
    EXPECT_EQ(state.LoopSeries().YValues(), state.RawForce);
    EXPECT_EQ(state.FileNameText, path);
    EXPECT_FALSE(result.ChangedWhileRead);
    return {state.RawDisp, state.RawForce, result.Warning(), result};
}

Outcome Import(const std::string& bytes, int32_t firstLine = 1, int32_t step = 1) {
    return Import(bytes, ImportParameters{firstLine, step});
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
        // clang-format off
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
        {"UTF-16 LE without mark", "0\0,\0" "0\0\r\0\n\0" "1\0,\0" "1\0" "0\0\r\0\n\0"s, 1, 1,
         {0, 1}, {0, 10}},
        {"UTF-16 BE without mark", "\0" "2\0" "5\0;\0" "1\0,\0" "5\0\n"s, 1, 1, {25}, {1.5}},
        {"semicolons", "0;0\n1;10\n", 1, 1, {0, 1}, {0, 10}},
        {"quoted decimal commas, semicolon-separated", "\"0,5\";\"1,5\"\n", 1, 1, {0.5}, {1.5}},
        {"blank line at the end", "0,0\n1,10\n \t \n", 1, 1, {0, 1}, {0, 10}},
    };
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {"0-byte file", "", 1, 1, {}, {}, "The file has 0 lines; line 1 is past its end."},
        {"mark only", "\xEF\xBB\xBF", 1, 1, {}, {}, "The file has 0 lines; line 1 is past its end."},
        {"first line beyond the end", "0,0\n1,10\n", 3, 1, {}, {},
         "The file has 2 lines; line 3 is past its end."},
        {"huge first line and step", "0,0\n1,10\n", INT32_MAX, INT32_MAX, {}, {},
         "The file has 2 lines; line 2147483647 is past its end."},
        {"empty file of one line break", "\n", 1, 1, {}, {}, "List index out of bounds (0)"},
        {"blank line inside the range", "0,0\n1,10\n\n2,15\n", 1, 1, {0, 1}, {0, 10},
         "List index out of bounds (0)"},
        {"line of blanks before a row", "0,0\n \t \n1,1\n", 1, 1, {0}, {0},
         "List index out of bounds (0)"},
        {"one-field row", "0,0\n1.5\n2,15\n", 1, 1, {0}, {0}, "List index out of bounds (1)"},
        {"one field then a comma", "0,0\n1.5,\n", 1, 1, {0}, {0},
         "'' is not a valid floating point value"},
        {"header without skipping", "Disp,Force\n0,0\n", 1, 1, {}, {},
         "'Disp' is not a valid floating point value"},
        {"bad force adds nothing", "0,0\n1,abc\n", 1, 1, {0}, {0},
         "'abc' is not a valid floating point value"},
        {"bad displacement checked first", "x\n", 1, 1, {}, {},
         "'x' is not a valid floating point value"},
        {"semicolon after the first line", "0,0\n1;10\n", 1, 1, {0}, {0},
         "'1;10' is not a valid floating point value"},
        {"decimal comma in a comma-separated file", "\"0,5\",\"1,5\"\n", 1, 1, {}, {},
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
        // A negative step reads upwards and fails on the access before line 1.
        {"negative step", "1,1\n2,2\n3,3\n4,4\n5,5\n", 5, -2, {5, 3, 1}, {5, 3, 1},
         "List index out of bounds (-2)"},
        {"step -3 from line 7", "1,1\n2,2\n3,3\n4,4\n5,5\n6,6\n7,7\n", 7, -3, {7, 4, 1},
         {7, 4, 1}, "List index out of bounds (-3)"},
        {"step -1 from line 2", "1,1\n2,2\n", 2, -1, {2, 1}, {2, 1},
         "List index out of bounds (-1)"},
        {"negative step past the end", "1,1\n2,2\n", 3, -1, {}, {},
         "The file has 2 lines; line 3 is past its end."},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = Import(c.bytes, c.first, c.step);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.disp, c.disp);
        EXPECT_EQ(o.force, c.force);
    }
}

// Random rows of numbers, signs, quotes, blanks, commas, semicolons and text, read by the
// import and by the field rule applied by hand (the format of the first line, SplitFields,
// then the conversion of the trimmed field, the count of fields, blank lines at the end):
// the same rows and the same message.
TEST(ImportCurveFile, AgreesWithTheFieldRuleOnRandomRows) {
    const char* tokens[] = {"1",     "-2.5",
                            "1e3",   ".5",
                            "5.",    "+1",
                            "-",     "1e",
                            "1e309", "0x1",
                            "\"3\"", "\"4",
                            "x",     "1,5",
                            " ",     "\t",
                            ",",     ", ",
                            "  ",    "-.5e-2",
                            "1;2",   "\"\"",
                            "7",     "\x01",
                            "-0",    "12345678901234567890"};
    uint64_t seed = 99;
    const auto next = [&seed](uint64_t range) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return (seed >> 33) % range;
    };
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        const size_t rows = 1 + next(8);
        const bool thirdColumn = next(4) == 0;
        for (size_t r = 0; r < rows; ++r) {
            // Mostly good rows, so that the reading goes on long enough to meet a bad one.
            if (next(3) != 0) {
                bytes += std::to_string(next(100)) + (next(2) ? "," : "  ") + "-" +
                         std::to_string(next(100)) + "." + std::to_string(next(10));
                if (thirdColumn) bytes += ",7";
            } else {
                const size_t count = next(5);
                for (size_t t = 0; t < count; ++t) bytes += tokens[next(std::size(tokens))];
            }
            bytes += next(2) ? "\n" : "\r\n";
        }
        const ImportParameters parameters{1, 1, DecimalMode::Auto,
                                          1 + static_cast<int32_t>(next(2)),
                                          3 - static_cast<int32_t>(next(2))};
        const int64_t dispIndex = parameters.DisplacementColumn - 1;
        const int64_t forceIndex = parameters.ForceColumn - 1;
        if (dispIndex == forceIndex) continue;
        Values disp;
        Values force;
        std::optional<std::string> message;
        const auto lines = SplitLines(bytes);
        const RowFormat format = DetectRowFormat(lines[0], DecimalMode::Auto, '.');
        size_t reference = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const auto fields = SplitFields(lines[i], format.Separator);
            const auto convert = [&](int64_t index) {
                if (static_cast<int64_t>(fields.size()) <= index) {
                    throw Error("List index out of bounds (" + std::to_string(index) + ")");
                }
                const std::string_view text = TrimControl(fields[static_cast<size_t>(index)]);
                if (const auto v = ParseField(text, format)) return *v;
                throw Error(FloatConversionMessage(text));
            };
            try {
                if (fields.empty() && !disp.empty()) {
                    bool rest = true;
                    for (size_t k = i; k < lines.size(); ++k)
                        rest = rest && TrimControl(lines[k]).empty();
                    if (rest) break;
                }
                const double d = convert(dispIndex);
                const double f = convert(forceIndex);
                if (i == 0) reference = fields.size();
                if (fields.size() != reference) {
                    throw Error("Line " + std::to_string(i + 1) + " has " +
                                std::to_string(fields.size()) +
                                (fields.size() == 1 ? " field" : " fields") + "; line 1 has " +
                                std::to_string(reference) + ".");
                }
                disp.push_back(d);
                force.push_back(f);
            } catch (const Error& e) {
                message = e.what();
                break;
            }
        }
        SCOPED_TRACE(testing::PrintToString(bytes));
        const Outcome o = Import(bytes, parameters);
        ASSERT_EQ(o.message, message);
        ASSERT_EQ(testing::PrintToString(o.disp), testing::PrintToString(disp));
        ASSERT_EQ(testing::PrintToString(o.force), testing::PrintToString(force));
    }
}

// The files real labs write: what is read, the warning, the line message of the message bar,
// the header suggestion and how the rows were read.
TEST(ImportCurveFile, AwkwardFilesOfRealLabs) {
    std::string rows50;
    Values disp50;
    Values force50;
    for (int k = 0; k < 50; ++k) {
        rows50 += std::to_string(k) + ".5," + std::to_string(k) + "\n";
        disp50.push_back(k + 0.5);
        force50.push_back(k);
    }
    const std::string longField(1000, '7');
    const struct {
        const char* what;
        std::string bytes;
        ImportParameters parameters;
        Values disp;
        Values force;
        std::optional<std::string> warning;
        std::optional<std::string> lineMessage;
        std::optional<std::string> suggestion;
        std::string format;  // empty: not looked at
        // clang-format off
    } cases[] = {
        {"tabs and decimal commas", "0,1045\t1,6420\n-0,2090\t-3,2840\n", {}, {0.1045, -0.209},
         {1.642, -3.284}, std::nullopt, std::nullopt, std::nullopt, "tab-separated, decimal comma"},
        {"semicolons and decimal commas", "0,1045;1,6420\r\n2;3\r\n", {}, {0.1045, 2}, {1.642, 3},
         std::nullopt, std::nullopt, std::nullopt, "semicolon-separated, decimal comma"},
        {"semicolons and decimal points", "0.5 ; 1.5;x\n", {}, {0.5}, {1.5}, std::nullopt,
         std::nullopt, std::nullopt, "semicolon-separated, decimal point"},
        {"blanks and decimal commas", "1,5  2,5\n", {}, {1.5}, {2.5}, std::nullopt, std::nullopt,
         std::nullopt, "blank-separated, decimal comma"},
        {"plain CSV stays comma-separated", "0,0\n1,10\n", {}, {0, 1}, {0, 10}, std::nullopt,
         std::nullopt, std::nullopt, "comma-separated, decimal point"},
        {"a point anywhere keeps the usual rule", "1,5\t2.5\n", {}, {1}, {5}, std::nullopt,
         std::nullopt, std::nullopt, "comma-separated, decimal point"},
        {"thousands commas make a row of three fields", "0.0,0.0\n104.5,1,642.0\n", {}, {0}, {0},
         "Line 2 has 3 fields; line 1 has 2.", "Line 2 has 3 fields; line 1 has 2.", std::nullopt,
         ""},
        {"thousands blanks in a tab-separated file", "0.0\t0.0\n104.5\t1 642.0\n", {}, {0}, {0},
         "Line 2 has 3 fields; line 1 has 2.", "Line 2 has 3 fields; line 1 has 2.", std::nullopt,
         "tab-separated, decimal point"},
        {"a row with fewer fields", "0,0,0\n1,1\n", {}, {0}, {0}, "Line 2 has 2 fields; line 1 has 3.",
         "Line 2 has 2 fields; line 1 has 3.", std::nullopt, ""},
        {"two empty lines at the end", "0,0\n1,10\n\n\n", {}, {0, 1}, {0, 10}, std::nullopt,
         std::nullopt, std::nullopt, ""},
        {"blank lines at the end, CR LF", "0,0\r\n1,10\r\n  \r\n\t\r\n", {}, {0, 1}, {0, 10},
         std::nullopt, std::nullopt, std::nullopt, ""},
        {"time, displacement, force", "0.00,0.1,5\n0.01,0.2,6\n", {1, 1, DecimalMode::Auto, 2, 3},
         {0.1, 0.2}, {5, 6}, std::nullopt, std::nullopt, std::nullopt, ""},
        {"force before displacement", "5,0.1\n6,0.2\n", {1, 1, DecimalMode::Auto, 2, 1}, {0.1, 0.2},
         {5, 6}, std::nullopt, std::nullopt, std::nullopt, ""},
        {"chosen column missing", "0,1,2\n0,1\n", {1, 1, DecimalMode::Auto, 1, 3}, {0}, {2},
         "List index out of bounds (2)", "Line 2 has no field 3.", std::nullopt, ""},
        {"NaN at line 51", rows50 + "NaN,1\n", {}, disp50, force50, "'NaN' is not a valid floating point value",
         "Line 51: 'NaN' is not a number.", std::nullopt, ""},
        {"a field of 1000 characters is quoted by its first 40", "0,0\n" + longField + "x,1\n", {},
         {0}, {0}, "'" + std::string(40, '7') + "\u2026' is not a valid floating point value",
         "Line 2: '" + std::string(40, '7') + "\u2026' is not a number.", std::nullopt, ""},
        {"40 characters are quoted whole, characters not bytes",
         "0,0\n" + std::string(39, 'a') + "\u00b5,1\n", {}, {0}, {0},
         "'" + std::string(39, 'a') + "\u00b5' is not a valid floating point value",
         "Line 2: '" + std::string(39, 'a') + "\u00b5' is not a number.", std::nullopt, ""},
        {"header line", "Displacement (mm),Force (kN)\n0,0\n1,10\n", {}, {}, {},
         "'Displacement' is not a valid floating point value", "Line 1: 'Displacement' is not a number.",
         "Line 1 looks like a header: the data start at line 2.", ""},
        {"names and units", "Lead Disp,Lead Force\nmm,kN\n0,0\n", {}, {}, {},
         "'Lead' is not a valid floating point value", "Line 1: 'Lead' is not a number.",
         "Line 1 looks like a header: the data start at line 3.", ""},
        {"header of a decimal-comma file", "Weg;Kraft\n0,5;1,5\n", {}, {}, {},
         "'Weg' is not a valid floating point value", "Line 1: 'Weg' is not a number.",
         "Line 1 looks like a header: the data start at line 2.", ""},
        {"header from the first line read", "x\nDisp,Force\n0,0\n", {2, 1}, {}, {},
         "'Disp' is not a valid floating point value", "Line 2: 'Disp' is not a number.",
         "Line 2 looks like a header: the data start at line 3.", ""},
        {"no data in the next 50 lines", "a,b\n" + std::string(50, '\n') + "1,2\n", {}, {}, {},
         "'a' is not a valid floating point value", "Line 1: 'a' is not a number.", std::nullopt, ""},
        {"first line past the end", "0,0\n1,1\n2,2\n", {500, 1}, {}, {},
         "The file has 3 lines; line 500 is past its end.",
         "The file has 3 lines; line 500 is past its end.", std::nullopt, ""},
        {"point chosen", "0,5;1,5\n", {1, 1, DecimalMode::Point}, {}, {},
         "'0,5' is not a valid floating point value", "Line 1: '0,5' is not a number.", std::nullopt,
         "semicolon-separated, decimal point"},
        {"comma chosen", "0,5 1,5\n2 3\n", {1, 1, DecimalMode::Comma}, {0.5, 2}, {1.5, 3},
         std::nullopt, std::nullopt, std::nullopt, "blank-separated, decimal comma"},
        {"comma chosen refuses points", "0.5;1.5\n", {1, 1, DecimalMode::Comma}, {}, {},
         "'0.5' is not a valid floating point value", "Line 1: '0.5' is not a number.", std::nullopt,
         "semicolon-separated, decimal comma"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = Import(c.bytes, c.parameters);
        EXPECT_EQ(o.disp, c.disp);
        EXPECT_EQ(o.force, c.force);
        EXPECT_EQ(o.message, c.warning);
        EXPECT_EQ(o.result.LineMessage(), c.lineMessage);
        EXPECT_EQ(o.result.HeaderSuggestion(), c.suggestion);
        if (!c.format.empty()) {
            ASSERT_TRUE(o.result.Format.has_value());
            EXPECT_EQ(DescribeRowFormat(*o.result.Format), c.format);
        }
    }
}

// The window under a locale with a decimal comma reads points as well, and the comma of
// a quoted field as before.
TEST(ImportCurveFile, CommaLocaleReadsPointsToo) {
    SetDecimalSeparator(',');
    const Outcome points = Import("0.0,0.6\n1.5,2\n");
    const Outcome quoted = Import("\"0,5\",\"1,5\"\n");
    SetDecimalSeparator('.');
    EXPECT_EQ(points.message, std::nullopt);
    EXPECT_EQ(points.disp, (Values{0, 1.5}));
    EXPECT_EQ(points.force, (Values{0.6, 2}));
    EXPECT_EQ(DescribeRowFormat(*points.result.Format), "comma-separated, decimal point or comma");
    EXPECT_EQ(quoted.message, std::nullopt);
    EXPECT_EQ(quoted.disp, (Values{0.5}));
}

// A record the test software is still writing: the rows read are kept and the warning says so.
TEST(ImportCurveFile, FileChangedWhileReadIsToldAndItsRowsKept) {
    const std::string path = WriteFile("growing.csv", "0,0\n1,10\n2,1");
    AnalysisState state;
    bool appended = false;
    const ImportResult result = ImportCurveFile(state, path, {1, 1}, [&](double) {
        if (!appended) std::ofstream(path, std::ios::app) << "5\n3,20\n";
        appended = true;
        return true;
    });
    EXPECT_TRUE(result.ChangedWhileRead);
    EXPECT_EQ(result.Warning(),
              path + " changed while it was read; import it again when it is complete.");
    EXPECT_FALSE(state.RawDisp.empty());
    EXPECT_EQ(state.RawDisp.size(), state.LoopSeries().Count());
    // Read again once complete, it is read whole without a word.
    AnalysisState again;
    EXPECT_TRUE(ImportCurveFile(again, path, {1, 1}).Ok());
    EXPECT_EQ(again.RawForce, (Values{0, 10, 15, 20}));
}

// A pipe or device that never ends stops at the memory limit.
TEST(ReadFileBytes, EndlessDeviceStopsAtTheMemoryLimit) {
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
    try {
        ReadFileBytes("/dev/zero", {}, nullptr, uint64_t{4} << 20);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file \"/dev/zero\". File too large");
    }
}

TEST(ImportCurveFile, FileThatCannotBeOpenedClearsEverything) {
    // An earlier import, analysis and skeleton curve that the failed import discards.
    AnalysisState state;
    const std::string good = WriteFile("good.csv", "0,0\n2,10\n-1,-5\n3,12\n-2,-8\n");
    ASSERT_EQ(ImportCurveFile(state, good, {1, 1}).Warning(), std::nullopt);
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    state.PositiveSkeletonSeries().AddXY(1, 1);
    ASSERT_FALSE(state.LoopReadouts[0].empty());
    state.LoopCountText = "2";

    const std::string missing = testing::TempDir() + "/no_such_folder/curve.csv";
    EXPECT_EQ(ImportCurveFile(state, missing, {1, 1}).Warning(),
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
    for (int i = 0; i < state.Chart.SeriesCount(); ++i)
        EXPECT_EQ(state.Chart.GetSeries(i).Count(), 0);

    const std::string folder = std::filesystem::path(good).parent_path().string();
    EXPECT_EQ(ImportCurveFile(state, folder, {1, 1}).Warning(),
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
    EXPECT_EQ(ImportCurveFile(state, path, {1, 1}).Warning(),
              "Cannot open file \"" + path + "\". File too large");
    EXPECT_EQ(state.FileNameText, "");
    EXPECT_EQ(state.LoopSeries().Count(), 0);
    std::filesystem::remove(path);
}

TEST(ImportCurveFile, RefusedParametersChangeNothing) {
    AnalysisState state;
    const std::string path = WriteFile("keep.csv", "0,0\n1,10\n");
    ASSERT_EQ(ImportCurveFile(state, path, {1, 1}).Warning(), std::nullopt);
    EXPECT_EQ(ImportCurveFile(state, path, {0, 1}).Warning(), "First Line must large than 0!");
    EXPECT_EQ(ImportCurveFile(state, path, {1, 0}).Warning(), "Data Import Step must not be 0!");
    for (const auto& [disp, force] : {std::pair{2, 2}, std::pair{0, 1}, std::pair{1, -1}}) {
        EXPECT_EQ(ImportCurveFile(state, path, {1, 1, DecimalMode::Auto, disp, force}).Warning(),
                  "The displacement and force columns must be two different numbers from 1 on!");
    }
    EXPECT_EQ(state.RawDisp, (Values{0, 1}));
    EXPECT_EQ(state.LoopSeries().Count(), 2);
    EXPECT_EQ(state.FileNameText, path);
}

// A record in memory reaches the state a file of the same rows does; a bad one changes nothing.
TEST(ImportCurveValues, SameStateAsTheFileAndBadValuesRefused) {
    AnalysisState fromFile;
    const std::string path = WriteFile("values.csv", "0,0\n2,10\n-1,-5\n3,12\n-2,-8\n");
    ASSERT_EQ(ImportCurveFile(fromFile, path, {1, 1}).Warning(), std::nullopt);
    AnalysisState state;
    ImportCurveValues(state, {0, 2, -1, 3, -2}, {0, 10, -5, 12, -8}, path);
    EXPECT_EQ(state.RawDisp, fromFile.RawDisp);
    EXPECT_EQ(state.RawForce, fromFile.RawForce);
    EXPECT_EQ(state.FileNameText, fromFile.FileNameText);
    EXPECT_EQ(state.LoopSeries().YValues(), fromFile.LoopSeries().YValues());
    ASSERT_EQ(AnalyzeLoops(state), std::nullopt);
    ASSERT_EQ(AnalyzeLoops(fromFile), std::nullopt);
    EXPECT_EQ(state.LoopDisp, fromFile.LoopDisp);

    const struct {
        Values disp, force;
        const char* message;
    } bad[] = {
        {{0, 1}, {0}, "The record has 2 displacements and 1 forces"},
        {{0, 1, std::nan("")}, {0, 1, 2}, "Sample 3: the displacement NAN is not a finite number"},
        {{0, 1}, {0, -HUGE_VAL}, "Sample 2: the force -INF is not a finite number"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.message);
        try {
            ImportCurveValues(state, b.disp, b.force, "other");
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), b.message);
        }
        EXPECT_EQ(state.RawDisp, fromFile.RawDisp);
        EXPECT_EQ(state.LoopCount, fromFile.LoopCount);
    }
}

TEST(ImportCurveFile, ReImportWithAnotherStepReadsTheSameFileAgain) {
    AnalysisState state;
    const std::string path = WriteFile("again.csv", "0,0\n1,1\n2,2\n3,3\n4,4\n");
    ASSERT_EQ(ImportCurveFile(state, path, {1, 1}).Warning(), std::nullopt);
    ASSERT_EQ(ImportCurveFile(state, state.FileNameText, {2, 2}).Warning(), std::nullopt);
    EXPECT_EQ(state.RawDisp, (Values{1, 3}));
    EXPECT_EQ(state.LoopSeries().XValues(), (Values{1, 3}));
    EXPECT_EQ(state.FileNameText, path);
}

TEST(ImportCurveFile, RealRecordsReadInPlace) {
    // The real records sit beside the checkout; a checkout elsewhere has none to read.
    if (!std::filesystem::exists(QLNX_SHARED_DATA))
        GTEST_SKIP() << "no real records beside this checkout";
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
        EXPECT_EQ(ImportCurveFile(state, path, {c.first, 1}).Warning(), std::nullopt);
        ASSERT_EQ(state.RawDisp.size(), c.rows);
        EXPECT_EQ(state.RawForce.size(), c.rows);
        EXPECT_EQ(state.RawDisp[0], c.disp0);
        EXPECT_EQ(state.RawForce[0], c.force0);
    }
    // Read from line 1, the names in the first header line are not numbers.
    AnalysisState state;
    EXPECT_EQ(
        ImportCurveFile(state, std::string(QLNX_SHARED_DATA) + "/clt_connection_trial2.csv", {1, 1})
            .Warning(),
        "'Lead' is not a valid floating point value");
    EXPECT_TRUE(state.RawDisp.empty());
}

}  // namespace
}  // namespace qlnx
