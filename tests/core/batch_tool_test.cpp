// qlnx-batch as a user runs it: the built program, its output, messages and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::filesystem::path TempFolder() {
    const auto dir = std::filesystem::path(testing::TempDir()) /
                     ("qlnx_batch_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (TempFolder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the program with the arguments (each quoted for the shell).
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
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
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
              "  \"MaxDispForce2\": [-5, -8]\n"
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

TEST(BatchTool, UsageErrors) {
    const std::string file = WriteFile("usage.csv", kWorkedExample);
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{}, "no FILE given"},
        {{"--json"}, "no FILE given"},
        {{"--bogus", file}, "unknown option --bogus"},
        {{file, "--step"}, "--step needs N"},
        {{file, file}, "more than one FILE given"},
    };
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

}  // namespace
