// qlnx-batch reading records by their channels: the options, the JSON members, the channel
// list, and the same evaluation whatever units the record was written in.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../file_bytes.h"

namespace {

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::filesystem::path TempFolder() {
    const auto dir = std::filesystem::path(testing::TempDir()) /
                     ("qlnx_batch_channels_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (TempFolder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

BatchRun RunBatch(const std::vector<std::string>& arguments) {
    const std::string program = std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch";
    std::string command = "'" + program + "'";
    for (const auto& a : arguments) command += " '" + a + "'";
    const auto out = TempFolder() / "stdout.txt";
    const auto err = TempFolder() / "stderr.txt";
    command += " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    BatchRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = qlnx::test::ReadAll(out);
    run.err = qlnx::test::ReadAll(err);
    return run;
}

// The text of the JSON object from the member key to the member end (exclusive), or to
// the end of the object.
std::string Members(const std::string& json, const std::string& key, const std::string& end) {
    const size_t from = json.find("\"" + key + "\"");
    if (from == std::string::npos) return {};
    const size_t to = end.empty() ? json.size() : json.find("\"" + end + "\"", from);
    return json.substr(from, to - from);
}

// Compares two JSON texts token by token: every number within rel of the other's, all else
// equal.
void ExpectSameJson(const std::string& a, const std::string& b, double rel) {
    size_t i = 0;
    size_t j = 0;
    size_t numbers = 0;
    auto isNumberStart = [](char c) { return (c >= '0' && c <= '9') || c == '-'; };
    while (i < a.size() && j < b.size()) {
        if (isNumberStart(a[i]) && isNumberStart(b[j])) {
            char* endA = nullptr;
            char* endB = nullptr;
            const double x = std::strtod(a.c_str() + i, &endA);
            const double y = std::strtod(b.c_str() + j, &endB);
            ASSERT_LE(std::abs(x - y), rel * std::max({std::abs(x), std::abs(y), 1e-3}))
                << "at " << a.substr(i < 60 ? 0 : i - 60, 80);
            i = static_cast<size_t>(endA - a.c_str());
            j = static_cast<size_t>(endB - b.c_str());
            ++numbers;
            continue;
        }
        ASSERT_EQ(a[i], b[j]) << "at " << a.substr(i < 60 ? 0 : i - 60, 80);
        ++i;
        ++j;
    }
    EXPECT_EQ(i, a.size());
    EXPECT_EQ(j, b.size());
    EXPECT_GT(numbers, 100u);
}

TEST(BatchChannels, JsonMembersAndOptions) {
    const std::string file =
        WriteFile("channels.csv",
                  "Specimen: W1\nTime [s],LVDT1 [mm],LVDT2 [in],LC1 [kN],LC2 [kN]\n0,NaN,0,1,2\n"
                  "0.5,1,0,2,2\n1,27.4,0.1,3,2\n1.5,0,0,1,1\n");
    const BatchRun run =
        RunBatch({"--json", "--displacement", "LVDT1 - LVDT2", "--force", "LC1 + LC2", "--scale",
                  "LC2=2,1", "--zero", "LC1", "--output-units", "mm,N", file});
    EXPECT_EQ(run.status, 1) << run.err;  // three points are too few to analyse
    EXPECT_EQ(run.out.rfind("{\n  \"message\": \"Imported Loop is less than 3 points!\",\n"
                            "  \"RawDisp\": [1, 24.86, 0],\n  \"RawForce\": [5000, 6000, 2000],\n",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find(
                  "  \"Channels\": [{\"Name\": \"Time\", \"Unit\": \"s\", \"Column\": 1}, "
                  "{\"Name\": \"LVDT1\", \"Unit\": \"mm\", \"Column\": 2}, {\"Name\": \"LVDT2\", "
                  "\"Unit\": \"in\", \"Column\": 3}, {\"Name\": \"LC1\", \"Unit\": \"kN\", "
                  "\"Column\": 4}, {\"Name\": \"LC2\", \"Unit\": \"kN\", \"Column\": 5}],\n"
                  "  \"Metadata\": {\"Specimen\": \"W1\"},\n"
                  "  \"Units\": {\"Displacement\": \"mm\", \"Force\": \"N\"},\n"
                  "  \"Time\": [0.5, 1, 1.5],\n"
                  "  \"SkippedRows\": {\"Count\": 1, \"FirstLine\": 3}"),
              std::string::npos)
        << run.out;

    const BatchRun drift = RunBatch({"--json", "--drift", "10", "--columns", "2,4", file});
    EXPECT_NE(drift.out.find("\"RawDisp\": [10, 274, 0]"), std::string::npos) << drift.out;
    EXPECT_NE(drift.out.find("\"Units\": {\"Displacement\": \"%\", \"Force\": \"kN\"}"),
              std::string::npos);

    const BatchRun list = RunBatch({"--list-channels", file});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out,
              "Column\tName\tExpression name\tUnit\n1\tTime\tTime\ts\n2\tLVDT1\tLVDT1\tmm\n"
              "3\tLVDT2\tLVDT2\tin\n4\tLC1\tLC1\tkN\n5\tLC2\tLC2\tkN\nData from line 3\n\n"
              "Metadata\nSpecimen\tW1\n");

    const BatchRun unknown = RunBatch({"--force", "LC3", file});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err.substr(0, unknown.err.find('\n')),
              "The force expression 'LC3': no channel is named 'LC3'; the channels are Time, "
              "LVDT1, LVDT2, LC1, LC2.");
    for (const auto& [arguments, error] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--output-units", "kN,mm"}, "--output-units: 'kN' is not a length unit"},
             {{"--scale", "LC1"},
              "--scale takes NAME=FACTOR or NAME=FACTOR,OFFSET, as Load=4.448,0.1; not LC1"},
             {{"--zero", "LC1=0"}, "--zero takes NAME or NAME=N with N from 1 on; not LC1=0"},
             {{"--drift", "-3"}, "--drift takes a height above 0; not -3"},
         }) {
        std::vector<std::string> all = arguments;
        all.push_back(file);
        const BatchRun bad = RunBatch(all);
        EXPECT_EQ(bad.status, 2);
        EXPECT_NE(bad.err.find(error), std::string::npos) << bad.err;
    }
}

// A cyclic record with growing amplitude and a softening force, at n samples.
std::string CyclicRecord(const char* header, double lengthScale, double forceScale) {
    std::string text = header;
    char line[96];
    const int n = 4000;
    for (int i = 0; i <= n; ++i) {
        const double t = 12 * M_PI * i / n;
        const double d = (1 + 4 * i / double(n)) * std::sin(t);
        const double f = 80 * std::tanh(d / 2) + 6 * std::cos(t);
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", d * lengthScale, f * forceScale);
        text += line;
    }
    return text;
}

TEST(BatchChannels, EvaluationDoesNotDependOnTheRecordsUnits) {
    const std::string metric =
        WriteFile("metric.csv", CyclicRecord("Disp [mm],Force [kN]\n", 1, 1));
    const std::string imperial = WriteFile(
        "imperial.csv", CyclicRecord("Disp [in],Force [kip]\n", 1 / 25.4, 1 / 4.4482216152605));
    const std::vector<std::string> options = {"--json",   "--output-units", "mm,kN",
                                              "--method", "envelope-force", "--evaluate"};
    std::vector<std::string> a = options;
    a.push_back(metric);
    std::vector<std::string> b = options;
    b.push_back(imperial);
    const BatchRun runA = RunBatch(a);
    const BatchRun runB = RunBatch(b);
    ASSERT_EQ(runA.status, runB.status);
    ASSERT_NE(runA.out.find("\"Evaluation\""), std::string::npos) << runA.out.substr(0, 300);
    ExpectSameJson(Members(runA.out, "RawDisp", "Channels"),
                   Members(runB.out, "RawDisp", "Channels"), 1e-9);
    ExpectSameJson(Members(runA.out, "Units", ""), Members(runB.out, "Units", ""), 1e-9);
}

}  // namespace
