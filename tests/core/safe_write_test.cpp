// The safe-write path itself: what replaces a file, what is written in place, what is refused.
// The writers' own tests run the same cases through the batch tool and the window.
#include "core/safe_write.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "../write_targets.h"
#include "core/errors.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteBytes;

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeTempFolder("qlnx-safe");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override { test::RemoveTempFolder(folder_); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::set<std::string> Entries() const { return test::FolderEntries(folder_); }
    // The message of the write of "new" to path, or "" when it succeeded.
    static std::string MessageOf(const std::string& path, const WriteGuard& guard = {}) {
        try {
            WriteFileSafely(path, "new", guard);
        } catch (const FileError& e) {
            return e.what();
        }
        return {};
    }

    fs::path folder_;
};

TEST_F(SafeWriteTest, RefusalsLeaveTheOldFileAndNoTemporaryFile) {
    WriteBytes(PathOf("record.csv"), "0,0\n");
    fs::create_symlink("record.csv", PathOf("link.csv"));
    WriteBytes(PathOf("read-only.txt"), "old");
    fs::permissions(PathOf("read-only.txt"), fs::perms::owner_read | fs::perms::others_read);
    fs::create_directory(PathOf("folder.txt"));
    WriteGuard guard;
    guard.RecordPath = PathOf("record.csv");
    const std::set<std::string> entries = Entries();
    const struct {
        std::string path;
        std::string message;
        // clang-format off
    } cases[] = {
        {PathOf("record.csv"), PathOf("record.csv") + " is the record being analysed; choose another name."},
        {PathOf("link.csv"), PathOf("link.csv") + " is the record being analysed; choose another name."},
        {PathOf("read-only.txt"), "Cannot create file \"" + PathOf("read-only.txt") + "\". Permission denied"},
        {PathOf("folder.txt"), "Cannot create file \"" + PathOf("folder.txt") + "\". Is a directory"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf(c.path, guard), c.message);
    }
    EXPECT_EQ(ReadAll(PathOf("record.csv")), "0,0\n");
    EXPECT_EQ(ReadAll(PathOf("read-only.txt")), "old");
    EXPECT_EQ(Entries(), entries);

    // A read-only folder, whoever runs this.
    WriteBytes(PathOf("old.txt"), "old");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(MessageOf(PathOf("old.txt")),
              "Cannot create file \"" + PathOf("old.txt") + "\". Permission denied");
    EXPECT_EQ(ReadAll(PathOf("old.txt")), "old");
}

// A library writes the temporary file by its name; an abandoned write leaves the old file.
TEST_F(SafeWriteTest, TemporaryFileReplacesTheTargetOnlyOnCommit) {
    const std::string path = PathOf("book.xlsx");
    WriteBytes(path, "old");
    for (const bool commit : {false, true}) {
        SafeFileWrite write(path);
        ASSERT_FALSE(write.InPlace());
        EXPECT_EQ(fs::path(write.TemporaryPath()).parent_path(), folder_);
        WriteBytes(write.TemporaryPath(), "new");
        if (commit) write.Commit();
    }
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(Entries(), std::set<std::string>{"book.xlsx"});
}

// Names of open descriptors go through the descriptor itself; a socket cannot be opened and
// stays.
TEST_F(SafeWriteTest, DescriptorNamesAndSocketsAreNeverReplaced) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string name = "/dev/fd/" + std::to_string(ends[1]);
    EXPECT_EQ(MessageOf(name), "");
    ::close(ends[1]);
    char got[8] = {};
    EXPECT_EQ(::read(ends[0], got, sizeof got), 3);
    EXPECT_STREQ(got, "new");
    ::close(ends[0]);

    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = PathOf("socket.txt");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(MessageOf(socketPath),
              "Cannot create file \"" + socketPath + "\". No such device or address");
    EXPECT_TRUE(fs::is_socket(socketPath));
    ::close(s);
}

}  // namespace
}  // namespace qlnx
