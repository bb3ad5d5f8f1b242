// The modified-loop and analysis-results files: offered names, line layouts, bytes on disk
// and the safe replacement of an existing file.
#include "core/result_files.h"

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "../file_bytes.h"
#include "../file_size_limit.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "result_lines.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;

using test::FolderEntries;
using test::ReadAll;
using test::WriteBytes;

// A fresh folder for one test, removed afterwards; pins the decimal separator to ".".
class ResultFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeTempFolder("qlnx-results");
        ASSERT_FALSE(folder_.empty());
        SetDecimalSeparator('.');
    }
    void TearDown() override {
        SetDecimalSeparator('.');
        test::RemoveTempFolder(folder_);
    }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST(ProposedResultName, FileNamePartWithoutExtensionPlusSuffix) {
    const struct {
        const char* imported;
        const char* modifiedLoop;
        const char* results;
    } cases[] = {
        {"D:\\tests\\spec1.txt", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
        {"D:\\tests\\cyclic.test.csv", "cyclic.test_ModifiedLoops",
         "cyclic.test_VorlixCurveAnalysisResults"},
        {"D:\\tests\\spec1", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
        {"", "_ModifiedLoops", "_VorlixCurveAnalysisResults"},
        {"/home/eng/tests/spec1.txt", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
        {"/home/eng/cyclic.test.csv", "cyclic.test_ModifiedLoops",
         "cyclic.test_VorlixCurveAnalysisResults"},
        // A point in a folder name is not an extension of the file name.
        {"/data/run.2/spec1", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
        {"D:spec1.txt", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
        {"spec1.txt", "spec1_ModifiedLoops", "spec1_VorlixCurveAnalysisResults"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.imported);
        EXPECT_EQ(ProposedResultName(c.imported, kModifiedLoopSuffix), c.modifiedLoop);
        EXPECT_EQ(ProposedResultName(c.imported, kAnalysisResultSuffix), c.results);
    }
}

TEST(ResultTargetOf, FormByFileTypeAloneAndExtensionAlwaysAppended) {
    const struct {
        const char* dialogName;
        int filterIndex;
        const char* written;
        ResultForm form;
    } cases[] = {
        {"out", 2, "out.csv", ResultForm::Csv},
        {"out.csv", 1, "out.csv.txt", ResultForm::Text},
        {"out.txt", 1, "out.txt.txt", ResultForm::Text},
        {"out.txt", 2, "out.txt.csv", ResultForm::Csv},
        {"/home/eng/out", 1, "/home/eng/out.txt", ResultForm::Text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialogName);
        const ResultFileTarget target = ResultTargetOf(c.dialogName, c.filterIndex);
        EXPECT_EQ(target.Path, c.written);
        EXPECT_EQ(target.Form, c.form);
    }
}

AnalysisState TwoPointCurve() {
    AnalysisState state;
    state.LoopDisp = {0.0, 0.5};
    state.LoopForce = {0.0, -12.25};
    return state;
}

TEST_F(ResultFilesTest, TwoPointCurveByteForByteInBothForms) {
    const AnalysisState state = TwoPointCurve();
    const struct {
        ResultForm form;
        const char* name;
        const char* bytes;
    } cases[] = {
        {ResultForm::Text, "loop.txt", "X Y\r\n0 0\r\n0.5 -12.25\r\n"},
        {ResultForm::Csv, "loop.csv", "X,Y\r\n0,0\r\n0.5,-12.25\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ModifiedLoopFileText(state, c.form), c.bytes);
        WriteLinesFile(PathOf(c.name), ModifiedLoopLines(state, c.form));
        EXPECT_EQ(ReadAll(PathOf(c.name)), c.bytes);
    }
    EXPECT_EQ(FolderEntries(folder_), (std::set<std::string>{"loop.txt", "loop.csv"}));
}

TEST(ModifiedLoopLines, NumberTextsInBothForms) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {100, "100"},     {-2.5, "-2.5"},     {1.0 / 3.0, "0.333333333333333"},
        {1e-4, "0.0001"}, {1e-5, "1E-5"},     {123456789012345, "123456789012345"},
        {1e15, "1E15"},   {1.5e20, "1.5E20"},
    };
    SetDecimalSeparator('.');
    AnalysisState state;
    for (const auto& c : cases) {
        state.LoopDisp.push_back(c.value);
        state.LoopForce.push_back(c.value);
    }
    const auto text = ModifiedLoopLines(state, ResultForm::Text);
    const auto csv = ModifiedLoopLines(state, ResultForm::Csv);
    ASSERT_EQ(text.size(), std::size(cases) + 1);
    ASSERT_EQ(csv.size(), std::size(cases) + 1);
    for (size_t k = 0; k < std::size(cases); ++k) {
        const std::string t = cases[k].text;
        EXPECT_EQ(text[k + 1], t + " " + t);
        EXPECT_EQ(csv[k + 1], t + "," + t);
    }
}

TEST(ModifiedLoopLines, CommaSeparatorInTextFormPointInCsv) {
    const AnalysisState state = TwoPointCurve();
    SetDecimalSeparator(',');
    const auto text = ModifiedLoopLines(state, ResultForm::Text);
    const auto csv = ModifiedLoopLines(state, ResultForm::Csv);
    const auto results = [] {
        AnalysisState s;
        s.LoopCount = 1;
        s.MaxDisp1 = {1.5};
        s.MaxDispForce1 = {-0.25};
        return AnalysisResultLines(s, ResultForm::Csv);
    }();
    SetDecimalSeparator('.');
    EXPECT_EQ(text, (std::vector<std::string>{"X Y", "0 0", "0,5 -12,25"}));
    EXPECT_EQ(csv, (std::vector<std::string>{"X,Y", "0,0", "0.5,-12.25"}));
    EXPECT_EQ(results[1], "1,1.5,-0.25,--,--,");
}

TEST(AnalysisResultLines, ThreeLoopsCsvWithMissingSecondExtremes) {
    SetDecimalSeparator('.');
    AnalysisState state;
    state.LoopCount = 3;
    state.MaxDisp1 = {1.5, 3, 4.75};
    state.MaxDispForce1 = {10, 20.5, 31};
    state.MaxDisp2 = {-1.5, -2.25};
    state.MaxDispForce2 = {-9, -19.5};
    const std::vector<std::string> expected = {
        "LoopNo.,1stMaxDisp,1stMaxDispForce,2ndMaxDisp,2ndMaxDispForce",
        "1,1.5,10,-1.5,-9,",
        "2,3,20.5,-2.25,-19.5,",
        "3,4.75,31,--,--,",
    };
    EXPECT_EQ(AnalysisResultLines(state, ResultForm::Csv), expected);
    std::string bytes;
    for (const auto& line : expected) bytes += line + "\r\n";
    EXPECT_EQ(AnalysisResultFileText(state, ResultForm::Csv), bytes);
}

TEST(AnalysisResultLines, TextFormHasTwoSpacesAfterEveryField) {
    SetDecimalSeparator('.');
    AnalysisState state;
    state.LoopCount = 2;
    state.MaxDisp1 = {12.5};
    state.MaxDispForce1 = {300};
    state.MaxDisp2 = {-11.75};
    state.MaxDispForce2 = {-290};
    EXPECT_EQ(AnalysisResultLines(state, ResultForm::Text),
              (std::vector<std::string>{
                  "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce",
                  "1  12.5  300  -11.75  -290  ",
                  "2  --  --  --  --  ",
              }));
}

TEST_F(ResultFilesTest, EmptyStateGivesHeaderOnlyFiles) {
    const AnalysisState empty;
    const struct {
        const char* name;
        std::vector<std::string> lines;
        const char* bytes;
    } cases[] = {
        {"loop.txt", ModifiedLoopLines(empty, ResultForm::Text), "X Y\r\n"},
        {"loop.csv", ModifiedLoopLines(empty, ResultForm::Csv), "X,Y\r\n"},
        {"results.txt", AnalysisResultLines(empty, ResultForm::Text),
         "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce\r\n"},
        {"results.csv", AnalysisResultLines(empty, ResultForm::Csv),
         "LoopNo.,1stMaxDisp,1stMaxDispForce,2ndMaxDisp,2ndMaxDispForce\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLinesFile(PathOf(c.name), c.lines);
        EXPECT_EQ(ReadAll(PathOf(c.name)), c.bytes);
    }
    EXPECT_EQ(ModifiedLoopFileText(empty, ResultForm::Text), "X Y\r\n");
    EXPECT_EQ(AnalysisResultFileText(empty, ResultForm::Csv), cases[3].bytes);
}

TEST_F(ResultFilesTest, ReplacesExistingFileKeepingItsPermissions) {
    const std::string path = PathOf("results.txt");
    WriteBytes(path, std::string(5000, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteLinesFile(path, {"a", "b"});
    EXPECT_EQ(ReadAll(path), "a\r\nb\r\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"results.txt"});
}

TEST_F(ResultFilesTest, SymbolicLinkStaysAndItsFileIsReplaced) {
    WriteBytes(PathOf("real.txt"), "old");
    fs::create_symlink("real.txt", PathOf("link.txt"));
    WriteLinesFile(PathOf("link.txt"), {"new"});
    EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
    EXPECT_EQ(ReadAll(PathOf("real.txt")), "new\r\n");
    EXPECT_EQ(FolderEntries(folder_), (std::set<std::string>{"link.txt", "real.txt"}));
}

TEST_F(ResultFilesTest, UnwritableTargetNamesTheFileAndTheReason) {
    fs::create_directory(PathOf("results.txt"));
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {PathOf("no-such-folder/results.txt"), "No such file or directory"},
        // Fails only at the final rename, after the temporary file was written.
        {PathOf("results.txt"), "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            WriteLinesFile(c.path, {"X Y"});
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + c.path + "\". " + c.reason);
        }
        EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"results.txt"});
    }
    EXPECT_TRUE(fs::is_empty(PathOf("results.txt")));
}

constexpr const char* kCannotDropPrivileges = "cannot run as an unprivileged user";

// The message of the FileError that writing path throws ("no error" without one). Root
// writes into read-only folders, so a suite running as root makes the attempt in a child
// process as the unprivileged user nobody (uid and gid 65534), to whom the folder and the
// file are given first.
std::string WriteErrorAsUnprivilegedUser(const std::string& path, const fs::path& folder) {
    const auto attempt = [&]() -> std::string {
        try {
            WriteLinesFile(path, {"X Y"});
            return "no error";
        } catch (const FileError& e) {
            return e.what();
        }
    };
    if (::geteuid() != 0) return attempt();
    constexpr uid_t kNobody = 65534;
    int channel[2];
    if (::chown(folder.c_str(), kNobody, kNobody) != 0 ||
        ::chown(path.c_str(), kNobody, kNobody) != 0 || ::pipe(channel) != 0) {
        return kCannotDropPrivileges;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string message =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0
                ? attempt()
                : kCannotDropPrivileges;
        const ssize_t written = ::write(channel[1], message.data(), message.size());
        ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string message;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        message.append(buffer, static_cast<size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return "the child process failed: " + message;
    }
    return message;
}

TEST_F(ResultFilesTest, ReadOnlyFolderKeepsTheOldFile) {
    const std::string path = PathOf("results.txt");
    WriteBytes(path, "old bytes\r\n");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    // As the user running the suite (root on CI: the permission bits still hold) ...
    try {
        WriteLinesFile(path, {"X Y"});
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + path + "\". Permission denied").c_str());
    }
    // ... and as an unprivileged user, for whom the system itself refuses.
    const std::string message = WriteErrorAsUnprivilegedUser(path, folder_);
    if (message == kCannotDropPrivileges) GTEST_SKIP() << message;
    EXPECT_EQ(message, "Cannot create file \"" + path + "\". Permission denied");
    EXPECT_EQ(ReadAll(path), "old bytes\r\n");
    EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"results.txt"});
}

TEST_F(ResultFilesTest, WriteFailingHalfWayKeepsOldBytesAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("loop.csv");
    const std::string oldBytes = "X,Y\r\n1,2\r\n";
    WriteBytes(path, oldBytes);
    AnalysisState state;
    for (int k = 0; k < 20000; ++k) {
        state.LoopDisp.push_back(k * 0.125);
        state.LoopForce.push_back(-k * 1.5);
    }
    const std::vector<std::string> lines = ModifiedLoopLines(state, ResultForm::Csv);
    std::string message;
    {
        test::FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.ok());
        try {
            WriteLinesFile(path, lines);
        } catch (const FileError& e) {
            message = e.what();
        }
    }
    EXPECT_EQ(message, "Cannot create file \"" + path + "\". File too large");
    EXPECT_EQ(ReadAll(path), oldBytes);
    EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"loop.csv"});
}

// Saving with progress writes the same bytes and reports up to the end; a stop while the
// texts are built or while the bytes go out writes nothing and keeps the old file.
TEST_F(ResultFilesTest, SaveWithProgressStopsWithoutTouchingTheOldFile) {
    AnalysisState state;
    for (int k = 0; k < 700000; ++k) {  // about 13 MB of text: two pieces to write
        state.LoopDisp.push_back(k * 0.125);
        state.LoopForce.push_back(-k * 1.5);
    }
    const std::string path = PathOf("loop.csv");
    std::vector<double> fractions;
    double stopAt = 2;
    const ProgressCallback progress = [&](double f) {
        fractions.push_back(f);
        return f < stopAt;
    };
    EXPECT_TRUE(SaveModifiedLoopFile(state, ResultForm::Csv, path, progress));
    EXPECT_EQ(ReadAll(path), ModifiedLoopFileText(state, ResultForm::Csv));
    ASSERT_GT(fractions.size(), 10u);
    EXPECT_EQ(fractions.front(), 0.0);
    EXPECT_EQ(fractions.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));

    const std::string oldBytes = "X,Y\r\n1,2\r\n";
    for (const double at : {0.3, 0.85}) {  // building the texts, then writing
        SCOPED_TRACE(at);
        WriteBytes(path, oldBytes);
        fractions.clear();
        stopAt = at;
        EXPECT_FALSE(SaveModifiedLoopFile(state, ResultForm::Csv, path, progress));
        EXPECT_GE(fractions.back(), at);
        EXPECT_LT(fractions.back(), 1.0);
        EXPECT_EQ(ReadAll(path), oldBytes);
        EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"loop.csv"});
    }
}

}  // namespace
}  // namespace qlnx
