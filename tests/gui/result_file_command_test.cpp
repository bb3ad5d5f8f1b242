// The result-file commands through scripted dialogs: what the save dialog is offered, which
// file is written in which form, the question before replacing a file, and write failures.
#include "gui/main_window/result_file_command.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

#include "../file_bytes.h"
#include "../file_size_limit.h"
#include "../write_targets.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/result_files.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/error_guard.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;

// Answers the save dialog and the question from a script and records what was shown.
class ResultDialogScript : public UserDialogs {
public:
    std::optional<SaveFileAnswer> saveAnswer;
    bool questionAnswer = false;

    std::vector<SaveFileRequest> saveRequests;
    std::vector<std::pair<QString, QString>> questions;
    std::vector<std::pair<QString, QString>> errors;

    std::optional<QString> openFile(QWidget*, const OpenFileRequest&) override {
        ADD_FAILURE() << "open dialog shown";
        return std::nullopt;
    }
    std::optional<SaveFileAnswer> saveFile(QWidget*, const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    void warning(QWidget*, const QString&, const QString& text) override {
        ADD_FAILURE() << "warning: " << text.toStdString();
    }
    void error(QWidget*, const QString& title, const QString& text) override {
        errors.emplace_back(title, text);
    }
    void information(QWidget*, const QString&, const QString& text) override {
        ADD_FAILURE() << "information: " << text.toStdString();
    }
    bool question(QWidget*, const QString& title, const QString& text) override {
        questions.emplace_back(title, text);
        return questionAnswer;
    }
};

using test::FolderEntries;
using test::ReadAll;
using test::WriteBytes;

// An analysed two-point curve of one loop, imported from a file named spec1.txt.
AnalysisState AnalysedState() {
    AnalysisState state;
    state.FileNameText = "/home/eng/tests/spec1.txt";
    state.LoopDisp = {0.0, 0.5};
    state.LoopForce = {0.0, -12.25};
    state.LoopCount = 1;
    state.MaxDisp1 = {12.5};
    state.MaxDispForce1 = {300};
    state.MaxDisp2 = {-11.75};
    state.MaxDispForce2 = {-290};
    state.PositiveSkeletonSeries().AddXY(0, 0);
    state.PositiveSkeletonSeries().AddXY(12.5, 300);
    state.NegativeSkeletonSeries().AddXY(-11.75, -290.125);
    return state;
}

class ResultFileCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeTempFolder("qlnx-save");
        ASSERT_FALSE(folder_.empty());
        SetDecimalSeparator('.');
    }
    void TearDown() override { test::RemoveTempFolder(folder_); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    // The dialog confirms name in the test folder with file type filterIndex.
    void Choose(const std::string& name, int filterIndex) {
        dialogs_.saveAnswer = SaveFileAnswer{QString::fromStdString(PathOf(name)), filterIndex};
    }

    fs::path folder_;
    ResultDialogScript dialogs_;
    const AnalysisState state_ = AnalysedState();
};

TEST_F(ResultFileCommandTest, EveryKindInBothFormsFromTheOfferedName) {
    const struct {
        ResultFileKind kind;
        const char* offered;
        int filterIndex;
        const char* typed;
        const char* written;
        const char* bytes;
    } cases[] = {
        {ResultFileKind::ModifiedLoop, "spec1_ModifiedLoops", 1, "spec1_ModifiedLoops",
         "spec1_ModifiedLoops.txt", "X Y\r\n0 0\r\n0.5 -12.25\r\n"},
        {ResultFileKind::ModifiedLoop, "spec1_ModifiedLoops", 2, "loop.txt", "loop.txt.csv",
         "X,Y\r\n0,0\r\n0.5,-12.25\r\n"},
        {ResultFileKind::AnalysisResults, "spec1_VorlixCurveAnalysisResults", 1, "out.csv",
         "out.csv.txt",
         "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce\r\n"
         "1  12.5  300  -11.75  -290  \r\n"},
        {ResultFileKind::AnalysisResults, "spec1_VorlixCurveAnalysisResults", 2, "out", "out.csv",
         "LoopNo.,1stMaxDisp,1stMaxDispForce,2ndMaxDisp,2ndMaxDispForce\r\n"
         "1,12.5,300,-11.75,-290,\r\n"},
        {ResultFileKind::Skeleton, "spec1_Skeleton", 1, "spec1_Skeleton", "spec1_Skeleton.txt",
         "Branch Disp Force\r\nPositive 0 0\r\nPositive 12.5 300\r\nNegative -11.75 -290.125\r\n"},
        {ResultFileKind::Skeleton, "spec1_Skeleton", 2, "branches", "branches.csv",
         "Branch,Disp,Force\r\nPositive,0,0\r\nPositive,12.5,300\r\nNegative,-11.75,-290.125\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        dialogs_.saveRequests.clear();
        Choose(c.typed, c.filterIndex);
        SaveResultFile(nullptr, dialogs_, state_, c.kind, QStringLiteral("/opt/qlnx/bin"));
        ASSERT_EQ(dialogs_.saveRequests.size(), 1u);
        const SaveFileRequest& request = dialogs_.saveRequests.front();
        EXPECT_EQ(request.Filter, QStringLiteral("Text files (*.txt);; CSV files (*.csv)"));
        EXPECT_EQ(request.FilterIndex, 1);
        EXPECT_EQ(request.InitialFolder, QStringLiteral("/opt/qlnx/bin"));
        EXPECT_EQ(request.FileName.toStdString(), c.offered);
        EXPECT_EQ(ReadAll(PathOf(c.written)), c.bytes);
    }
    EXPECT_TRUE(dialogs_.questions.empty());
    EXPECT_EQ(FolderEntries(folder_),
              (std::set<std::string>{"spec1_ModifiedLoops.txt", "loop.txt.csv", "out.csv.txt",
                                     "out.csv", "spec1_Skeleton.txt", "branches.csv"}));
}

TEST_F(ResultFileCommandTest, DialogSelectsTheFileTypeChosenLast) {
    ResultSaveDialog dialog{QStringLiteral("/opt/qlnx/bin"), 1};
    Choose("first", 2);
    SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::AnalysisResults, dialog);
    dialogs_.saveAnswer.reset();
    SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::ModifiedLoop, dialog);
    ASSERT_EQ(dialogs_.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs_.saveRequests[0].FilterIndex, 1);
    EXPECT_EQ(dialogs_.saveRequests[1].FilterIndex, 2);
    EXPECT_EQ(dialogs_.saveRequests[1].FileName, QStringLiteral("spec1_ModifiedLoops"));
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(ResultFileCommandTest, CancelledDialogWritesNothing) {
    dialogs_.saveAnswer.reset();
    SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::ModifiedLoop, QString());
    SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::AnalysisResults, QString());
    EXPECT_EQ(dialogs_.saveRequests.size(), 2u);
    EXPECT_TRUE(dialogs_.questions.empty());
    EXPECT_TRUE(FolderEntries(folder_).empty());
}

TEST_F(ResultFileCommandTest, AsksBeforeReplacingTheFileWithTheAppendedExtension) {
    const std::string oldBytes = "earlier results\r\n";
    const std::string newBytes =
        "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce\r\n"
        "1  12.5  300  -11.75  -290  \r\n";
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        WriteBytes(PathOf("results.txt"), oldBytes);
        dialogs_.questions.clear();
        dialogs_.questionAnswer = yes;
        Choose("results", 1);
        SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::AnalysisResults, QString());
        ASSERT_EQ(dialogs_.questions.size(), 1u);
        EXPECT_EQ(dialogs_.questions[0].first, QStringLiteral("Confirm Save As"));
        EXPECT_EQ(dialogs_.questions[0].second,
                  QStringLiteral("results.txt already exists.\nDo you want to replace it?"));
        EXPECT_EQ(ReadAll(PathOf("results.txt")), yes ? newBytes : oldBytes);
        EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"results.txt"});
    }
}

TEST_F(ResultFileCommandTest, NoSecondQuestionForTheFileTheDialogAskedAbout) {
    // The name the dialog returned is a link to the very file that gets written: the
    // dialog's own overwrite question already covered it.
    WriteBytes(PathOf("results.txt"), "old\r\n");
    fs::create_symlink(PathOf("results.txt"), PathOf("results"));
    Choose("results", 1);
    SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::ModifiedLoop, QString());
    EXPECT_TRUE(dialogs_.questions.empty());
    EXPECT_EQ(ReadAll(PathOf("results.txt")), "X Y\r\n0 0\r\n0.5 -12.25\r\n");
}

TEST_F(ResultFileCommandTest, FailedWriteReachesTheErrorBoxAndKeepsTheOldFile) {
    AnalysisState big = state_;
    for (int k = 0; k < 20000; ++k) {
        big.LoopDisp.push_back(k * 0.375);
        big.LoopForce.push_back(k * -2.5);
    }
    const std::string oldBytes = "X,Y\r\n1,2\r\n";
    WriteBytes(PathOf("loop.csv"), oldBytes);
    dialogs_.questionAnswer = true;
    Choose("loop", 2);
    {
        test::FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.ok());
        RunGuarded(dialogs_, nullptr, [&] {
            SaveResultFile(nullptr, dialogs_, big, ResultFileKind::ModifiedLoop, QString());
        });
    }
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_EQ(dialogs_.errors[0].first, QStringLiteral("QLNX"));
    EXPECT_EQ(dialogs_.errors[0].second.toStdString(),
              "Cannot create file \"" + PathOf("loop.csv") + "\". File too large.");
    EXPECT_EQ(ReadAll(PathOf("loop.csv")), oldBytes);
    EXPECT_EQ(FolderEntries(folder_), std::set<std::string>{"loop.csv"});
}

// Both result files on targets that must not lose data, as the window runs the command: the
// error box with the message, the old bytes in place and nothing left in the folder.
TEST_F(ResultFileCommandTest, RefusedAndFailedWritesKeepTheOldFile) {
    const std::string oldBytes = "old\r\n";
    AnalysisState state = state_;
    state.FileNameText = PathOf("record.txt");
    WriteBytes(state.FileNameText, "0,0\n2,10\n");
    dialogs_.questionAnswer = true;
    const struct {
        const char* what;
        const char* name;  // chosen in the dialog; the file written is name + ".txt"
        std::function<void()> setUp;
        std::string reason;
    } cases[] = {
        {"read-only file", "out",
         [&] {
             WriteBytes(PathOf("out.txt"), oldBytes);
             fs::permissions(PathOf("out.txt"), fs::perms::owner_read);
         },
         "Permission denied"},
        {"read-only folder", "out",
         [&] {
             WriteBytes(PathOf("out.txt"), oldBytes);
             fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
         },
         "Permission denied"},
        {"folder", "out", [&] { fs::create_directory(PathOf("out.txt")); }, "Is a directory"},
        {"full disk", "out", [&] { WriteBytes(PathOf("out.txt"), oldBytes); }, "File too large"},
        {"the record", "record", [] {}, ""},
    };
    for (const ResultFileKind kind :
         {ResultFileKind::ModifiedLoop, ResultFileKind::AnalysisResults}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            c.setUp();
            const std::string target = PathOf(std::string(c.name) + ".txt");
            const std::string before = fs::is_directory(target) ? "" : ReadAll(target);
            const std::set<std::string> entries = FolderEntries(folder_);
            dialogs_.errors.clear();
            Choose(c.name, 1);
            {
                test::FileSizeLimit limit(std::string(c.what) == "full disk" ? 16 : RLIM_INFINITY);
                RunGuarded(dialogs_, nullptr,
                           [&] { SaveResultFile(nullptr, dialogs_, state, kind, QString()); });
            }
            ASSERT_EQ(dialogs_.errors.size(), 1u);
            EXPECT_EQ(dialogs_.errors[0].second.toStdString(),
                      c.reason.empty()
                          ? target + " is the record being analysed; choose another name."
                          : "Cannot create file \"" + target + "\". " + c.reason + ".");
            if (!fs::is_directory(target)) {
                EXPECT_EQ(ReadAll(target), before);
            }
            EXPECT_EQ(FolderEntries(folder_), entries);
            fs::permissions(folder_, fs::perms::owner_all);
            std::error_code ec;
            fs::remove_all(PathOf("out.txt"), ec);
        }
    }
}

// A device node or a pipe chosen in the dialog is written in place and stays what it is.
TEST_F(ResultFileCommandTest, DevicesAndPipesAreWrittenInPlace) {
    dialogs_.questionAnswer = true;
    if (test::MakeNullDevice(PathOf("device.txt"))) {
        Choose("device", 1);
        SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::AnalysisResults, QString());
        EXPECT_TRUE(fs::is_character_file(PathOf("device.txt")));
    }
    for (const ResultFileKind kind :
         {ResultFileKind::ModifiedLoop, ResultFileKind::AnalysisResults}) {
        test::PipeReader reader(PathOf("pipe.txt"));
        ASSERT_TRUE(reader.ok());
        Choose("pipe", 1);
        SaveResultFile(nullptr, dialogs_, state_, kind, QString());
        EXPECT_EQ(reader.Take(), kind == ResultFileKind::ModifiedLoop
                                     ? ModifiedLoopFileText(state_, ResultForm::Text)
                                     : AnalysisResultFileText(state_, ResultForm::Text));
        EXPECT_TRUE(fs::is_fifo(PathOf("pipe.txt")));
        fs::remove(PathOf("pipe.txt"));
    }
    EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(ResultFileCommandTest, MissingFolderThrowsFileErrorNamingTheFile) {
    Choose("gone/results", 1);
    try {
        SaveResultFile(nullptr, dialogs_, state_, ResultFileKind::AnalysisResults, QString());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + PathOf("gone/results.txt") +
                                             "\". No such file or directory");
    }
    EXPECT_TRUE(FolderEntries(folder_).empty());
}

}  // namespace
}  // namespace qlnx
