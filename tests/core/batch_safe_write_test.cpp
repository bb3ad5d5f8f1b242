// Every file qlnx-batch writes, on the targets that must never lose data: a full disk, a file
// or folder without write permission, a device node, a pipe, the record itself, a folder, and
// "-" for standard output. Each case checks what the old file holds afterwards.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../file_size_limit.h"
#include "../write_targets.h"

namespace {

namespace fs = std::filesystem;
using qlnx::test::FolderEntries;
using qlnx::test::ReadAll;
using qlnx::test::WriteBytes;

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

class BatchSafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qlnx::test::MakeTempFolder("qlnx-batch-write");
        ASSERT_FALSE(folder_.empty());
        // A record of 3000 loops: every file written from it is larger than the size limit.
        std::string record = "0,0\n";
        for (int k = 1; k <= 3000; ++k) {
            record += std::to_string(k) + "," + std::to_string(10 * k) + "\n" + std::to_string(-k) +
                      "," + std::to_string(-10 * k) + "\n";
        }
        record_ = (folder_ / "record.csv").string();
        WriteBytes(record_, record);
    }
    void TearDown() override { qlnx::test::RemoveTempFolder(folder_); }

    // Runs the program on the record with option writing to target.
    BatchRun Run(const std::string& option, const std::string& target) const {
        const std::string program = std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch";
        const fs::path out = folder_ / "stdout.bin";
        const fs::path err = folder_ / "stderr.txt";
        const std::string command = "'" + program + "' --method max-disp " + option + " '" +
                                    target + "' '" + record_ + "' >'" + out.string() + "' 2>'" +
                                    err.string() + "'";
        const int raw = std::system(command.c_str());
        BatchRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadAll(out);
        run.err = ReadAll(err);
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    fs::path folder_;
    std::string record_;
};

struct Writer {
    const char* option;
    const char* name;
};
constexpr Writer kWriters[] = {
    {"--modified-loop", "loop.csv"},
    {"--results", "results.txt"},
    {"--skeleton", "skeleton.csv"},
    {"--xlsx", "chart.xlsx"},
};

bool IsWorkbook(const std::string& bytes) {
    return bytes.rfind("PK", 0) == 0 && bytes.find("xl/charts/chart1.xml") != std::string::npos;
}

// A refused or failed write: the message alone on standard error, the old bytes in place and
// nothing else in the folder.
TEST_F(BatchSafeWriteTest, FailedWritesKeepTheOldFile) {
    const std::string oldBytes = "old bytes\r\n";
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.option);
        struct Case {
            const char* what;
            // Prepares the folder; gives the target, or "" to skip the case here.
            std::function<std::string(const fs::path& folder)> setUp;
            const char* reason;
        };
        std::unique_ptr<qlnx::test::SmallFileSystem> small;
        // clang-format off
        const Case cases[] = {
            {"read-only file",
             [&](const fs::path& f) {
                 WriteBytes(f / w.name, oldBytes);
                 fs::permissions(f / w.name, fs::perms::owner_read | fs::perms::group_read);
                 return (f / w.name).string();
             },
             "Permission denied"},
            {"read-only folder",
             [&](const fs::path& f) {
                 WriteBytes(f / w.name, oldBytes);
                 fs::permissions(f, fs::perms::owner_read | fs::perms::owner_exec);
                 return (f / w.name).string();
             },
             "Permission denied"},
            {"folder", [&](const fs::path& f) {
                 fs::create_directory(f / w.name);
                 return (f / w.name).string();
             },
             "Is a directory"},
            {"full disk", [&](const fs::path& f) {
                 WriteBytes(f / w.name, oldBytes);
                 return (f / w.name).string();
             },
             "File too large"},
            {"full file system", [&](const fs::path& f) {
                 small = std::make_unique<qlnx::test::SmallFileSystem>(f);
                 if (!small->ok()) return std::string();
                 WriteBytes(f / w.name, oldBytes);
                 small->Fill();
                 return (f / w.name).string();
             },
             "No space left on device"},
        };
        // clang-format on
        int n = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const fs::path sub = folder_ / (std::string("case") + std::to_string(n++));
            fs::create_directory(sub);
            const std::string target = c.setUp(sub);
            if (target.empty()) continue;
            const std::set<std::string> before = FolderEntries(sub);
            BatchRun run;
            if (std::string(c.what) == "full disk") {
                qlnx::test::FileSizeLimit limit(64 * 1024);
                ASSERT_TRUE(limit.ok());
                run = Run(w.option, target);
            } else {
                run = Run(w.option, target);
            }
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, "Cannot create file \"" + target + "\". " + c.reason + ".\n");
            if (!fs::is_directory(target)) {
                EXPECT_EQ(ReadAll(target), oldBytes);
            }
            EXPECT_EQ(FolderEntries(sub), before);
            fs::permissions(sub, fs::perms::owner_all, fs::perm_options::add);
            small.reset();
        }

        // The record itself, under its own name or another one (a hard link): refused.
        const std::string recordBytes = ReadAll(record_);
        const std::string link = (folder_ / "same-record.csv").string();
        fs::create_hard_link(record_, link);
        for (const std::string& target : {record_, link}) {
            const BatchRun run = Run(w.option, target);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, target + " is the record being analysed; choose another name.\n");
            EXPECT_EQ(ReadAll(record_), recordBytes);
        }
        fs::remove(link);
    }
}

// A device node or a pipe gets the bytes in place and stays what it is; "-" is standard
// output.
TEST_F(BatchSafeWriteTest, DevicesPipesAndStandardOutputAreWrittenInPlace) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.option);
        const fs::path file = folder_ / w.name;
        ASSERT_EQ(Run(w.option, file.string()).status, 0);
        const std::string expected = ReadAll(file);
        const bool workbook = std::string(w.option) == "--xlsx";
        ASSERT_TRUE(!workbook || IsWorkbook(expected));

        const std::string device = (folder_ / "device").string();
        if (qlnx::test::MakeNullDevice(device)) {
            const BatchRun run = Run(w.option, device);
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(run.err, "");
            EXPECT_TRUE(fs::is_character_file(device));
            fs::remove(device);
        }

        // The form of a result file follows its name: the pipe's name ends as the file's.
        const std::string pipe = (folder_ / (std::string("pipe-") + w.name)).string();
        qlnx::test::PipeReader reader(pipe);
        ASSERT_TRUE(reader.ok());
        const BatchRun run = Run(w.option, pipe);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::string piped = reader.Take();
        if (workbook) {
            EXPECT_TRUE(IsWorkbook(piped));
        } else {
            EXPECT_EQ(piped, expected);
        }
        EXPECT_TRUE(fs::is_fifo(pipe));
        fs::remove(pipe);

        // "-" has no ending: the form of a name without one.
        ASSERT_EQ(Run(w.option, (folder_ / "plain").string()).status, 0);
        const std::string plain = ReadAll(folder_ / "plain");
        const BatchRun toOutput = Run(w.option, "-");
        EXPECT_EQ(toOutput.status, 0);
        EXPECT_EQ(toOutput.err, "");
        if (workbook) {
            EXPECT_TRUE(IsWorkbook(toOutput.out));
        } else {
            EXPECT_EQ(toOutput.out.substr(0, plain.size()), plain);
        }
        EXPECT_FALSE(fs::exists("-"));
    }
}

}  // namespace
