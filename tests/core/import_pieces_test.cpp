// Reading a record in pieces at the same time gives what reading it line by line gives.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/curve_import.h"

namespace qlnx {
namespace {

std::string WriteFile(const std::string& bytes) {
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_pieces_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "rows.csv").string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

struct Reading {
    std::vector<double> disp;
    std::vector<double> force;
    std::optional<std::string> warning;
    int64_t line = 0;
};

Reading Read(const std::string& path, const ImportParameters& parameters, ImportReading how) {
    SetImportReading(how);
    AnalysisState state;
    const ImportResult result = ImportCurveFile(state, path, parameters);
    SetImportReading({});
    return {state.RawDisp, state.RawForce, result.Warning(), result.Line};
}

// Rows "k*0.37,-k/3" with some lines replaced; breaks of the given kind.
std::string Record(int rows, const std::string& lineBreak,
                   const std::vector<std::pair<int, std::string>>& replaced = {},
                   const std::string& tail = "") {
    std::vector<std::string> lines;
    for (int k = 0; k < rows; ++k) {
        lines.push_back(std::to_string(k * 0.37) + "," + std::to_string(-k / 3.0));
    }
    for (const auto& [at, line] : replaced) lines[static_cast<size_t>(at)] = line;
    std::string text;
    for (const auto& line : lines) text += line + lineBreak;
    return text + tail;
}

// Rows "k*0.37,-k/3,7", the row twoAt without its third field.
std::string ThreeFields(int rows, int twoAt) {
    std::string text;
    for (int k = 0; k < rows; ++k) {
        text += std::to_string(k * 0.37) + "," + std::to_string(-k / 3.0) +
                (k == twoAt ? "" : ",7") + "\n";
    }
    return text;
}

// Every kind of line the plain reader leaves to the full rule, at places that fall inside,
// at the start and at the end of pieces; the rows, the warning and its line must not change
// with the number of pieces.
TEST(ImportPieces, JoinedPiecesReadLikeLineByLine) {
    const struct {
        const char* what;
        std::string text;
        ImportParameters parameters;
    } cases[] = {
        {"plain LF", Record(997, "\n"), {}},
        {"CR LF, no last break", Record(500, "\r\n").substr(0, Record(500, "\r\n").size() - 2), {}},
        {"lone CR", Record(400, "\r"), {}},
        {"blank lines at the end", Record(600, "\r\n", {}, "\r\n  \r\n\t\r\n"), {}},
        {"blank line inside", Record(600, "\n", {{311, ""}}), {}},
        {"not a number", Record(600, "\n", {{433, "1.5,abc"}}), {}},
        {"ragged row", Record(600, "\n", {{250, "1,2,3"}}), {}},
        {"quoted and signed rows", Record(600, "\n", {{100, "\"1.5\",2"}, {101, "+1e3 , 2"}}), {}},
        {"comma at the end", Record(600, "\n", {{599, "4,"}}), {}},
        {"three columns, header",
         "t,d,f\n" + Record(700, "\n", {{350, "1 2 3"}}),
         {2, 1, DecimalMode::Auto, 3, 2}},
        {"three fields, one row of two", ThreeFields(600, 444), {}},
        {"overflow", Record(600, "\n", {{599, "1e999,2"}}), {}},
        {"later first line", Record(800, "\n"), {37, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteFile(c.text);
        const Reading expected = Read(path, c.parameters, {true, 0});
        for (const unsigned pieces : {0u, 1u, 2u, 3u, 7u, 64u}) {
            SCOPED_TRACE(pieces);
            const Reading got = Read(path, c.parameters, {false, pieces});
            EXPECT_TRUE(SameBits(got.disp, expected.disp));
            EXPECT_TRUE(SameBits(got.force, expected.force));
            EXPECT_EQ(got.warning, expected.warning);
            EXPECT_EQ(got.line, expected.line);
        }
    }
}

// Stopping while the pieces are read leaves the state of a file that cannot be read, and the
// fractions still rise.
TEST(ImportPieces, StoppingWhilePiecesAreRead) {
    const std::string path = WriteFile(Record(200000, "\n"));
    for (const unsigned pieces : {2u, 5u}) {
        SCOPED_TRACE(pieces);
        SetImportReading({false, pieces});
        std::vector<double> fractions;
        AnalysisState state;
        const ImportResult result = ImportCurveFile(state, path, {}, [&](double f) {
            fractions.push_back(f);
            return f < 0.5;
        });
        SetImportReading({});
        EXPECT_EQ(result.Warning(), std::nullopt);
        EXPECT_TRUE(state.RawDisp.empty() && state.RawForce.empty());
        EXPECT_EQ(state.FileNameText, "");
        ASSERT_FALSE(fractions.empty());
        EXPECT_GE(fractions.back(), 0.5);
        EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    }
}

}  // namespace
}  // namespace qlnx
