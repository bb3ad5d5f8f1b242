// qlnx-batch: the loading protocol in the JSON and the evaluation file, the first-cycle
// envelope by name, and the last line the import keeps.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../file_bytes.h"

namespace {

std::filesystem::path TempFolder() {
    const auto dir = std::filesystem::path(testing::TempDir()) /
                     ("qlnx_batch_protocol_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

BatchRun RunBatch(const std::vector<std::string>& arguments) {
    std::string command = "'" + std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch'";
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

// EN 12512 at a yield slip of 2 (amplitudes 0.5, 1, three cycles each at 1.5, 2 and 4), each
// cycle 0, a, 0, -a with the force 10 times the displacement; then `tail` idle lines at 0.
std::string EnRecord(int tail) {
    std::ostringstream text;
    for (const auto& [a, cycles] :
         std::vector<std::pair<double, int>>{{0.5, 1}, {1, 1}, {1.5, 3}, {2, 3}, {4, 3}}) {
        for (int c = 0; c < cycles; ++c) {
            text << "0,0\n" << a << ',' << 10 * a << "\n0,0\n" << -a << ',' << -10 * a << '\n';
        }
    }
    text << "0,0\n";
    for (int i = 0; i < tail; ++i) text << "0.01,0.1\n0,0\n";
    return text.str();
}

std::string WriteRecord(const std::string& name, const std::string& text) {
    const std::string path = (TempFolder() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(BatchProtocol, RecognisedProtocolInTheJson) {
    const std::string file = WriteRecord("en.csv", EnRecord(0));
    for (const char* ask : {"--protocol", "--evaluate"}) {
        SCOPED_TRACE(ask);
        const BatchRun run = RunBatch({"--json", ask, file});
        EXPECT_EQ(run.status, 0);
        const std::string& out = run.out;
        ASSERT_NE(out.find("\"Protocol\": {\"Name\": \"EN 12512\", \"ReferenceDisplacement\": "),
                  std::string::npos)
            << out.substr(out.find("\"Protocol\""));
        EXPECT_NE(out.find("\"Score\": 1,"), std::string::npos);
        EXPECT_NE(out.find("\"Candidates\": [\n      {\"Name\": \"ISO 16670\""), std::string::npos);
        // The fifth level: three of three cycles at 4, from loop 9 on.
        EXPECT_NE(out.find("\"AppliedPositive\": 4, \"AppliedNegative\": 4, \"PlannedCycles\": 3, "
                           "\"AppliedCycles\": 3, \"FirstLoop\": 9}]"),
                  std::string::npos);
        EXPECT_NE(out.find("\"Unassigned\": []}"), std::string::npos);
    }
    // Without either option the JSON has no protocol.
    EXPECT_EQ(RunBatch({"--json", file}).out.find("\"Protocol\""), std::string::npos);
}

TEST(BatchProtocol, EvaluationFileHasTheProtocolTables) {
    const std::string file = WriteRecord("en.csv", EnRecord(0));
    const std::string csv = (TempFolder() / "evaluation.csv").string();
    const BatchRun run = RunBatch({"--evaluation", csv, file});
    EXPECT_EQ(run.status, 0);
    const std::string text = qlnx::test::ReadAll(csv);
    EXPECT_NE(text.find("\r\nProtocol\r\nProtocol,ReferenceDisplacement,Score,"
                        "LargestLevelReached,Asymmetry,Unassigned\r\nEN 12512,"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nProtocol levels\r\nLevel,PlannedAmplitude,AppliedPositive,"
                        "AppliedNegative,DifferencePercent,PlannedCycles,AppliedCycles,"
                        "FirstLoop\r\n1,"),
              std::string::npos);
}

TEST(BatchProtocol, FirstCycleEnvelopeAndLastLine) {
    // 11 cycles of 4 lines, the closing zero on line 45, then 50 lines of idle dither.
    const std::string file = WriteRecord("tail.csv", EnRecord(25));
    const BatchRun whole = RunBatch({"--json", "--method", "first-cycle", file});
    const BatchRun cut =
        RunBatch({"--json", "--method", "7", "--envelope-cycle", "2", "--last-line", "45", file});
    EXPECT_EQ(cut.status, 0);
    EXPECT_NE(whole.out.find("\"PositiveSkeleton\": [[0, 0], [0.5, 5], [1, 10], [1.5, 15], "
                             "[2, 20], [4, 40]"),
              std::string::npos);
    EXPECT_NE(cut.out.find("\"PositiveSkeleton\": [[0, 0], [1.5, 15], [2, 20], [4, 40]]"),
              std::string::npos);
    EXPECT_NE(cut.out.find("\"LoopCount\": 11,"), std::string::npos);
    const BatchRun bad = RunBatch({"--first-line", "5", "--last-line", "4", file});
    EXPECT_NE(bad.err.find("Last Line must not come before First Line!"), std::string::npos);
    EXPECT_NE(RunBatch({"--envelope-cycle", "0", file}).err.find("--envelope-cycle takes"),
              std::string::npos);
}

}  // namespace
