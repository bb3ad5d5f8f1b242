// The text of a file as the import reads it: mapped where it lies, or read into memory.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/curve_import.h"
#include "core/errors.h"
#include "core/file_bytes.h"

namespace qlnx {
namespace {

using namespace std::string_literals;

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const auto dir = std::filesystem::path(testing::TempDir()) /
                     ("qlnx_file_text_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Whatever the encoding, the text and the encoding found are those of ReadTextFile, whether
// the file is read where it lies (UTF-8, with or without a mark) or decoded into memory.
TEST(OpenTextFile, GivesTheTextOfReadTextFile) {
    std::string large;
    for (int k = 0; k < 300000; ++k) large += std::to_string(k) + "," + std::to_string(-k) + "\n";
    const std::string cases[] = {
        "0,0\n1,10\n2,1",
        "\xEF\xBB\xBF"
        "1,2\n3,4\n",
        "\xEF\xBB\xBF"
        "a\xFF"
        "b\n",            // a mark before bytes that are no UTF-8
        "\xB5m,1\xE9\n",  // Latin-1
        "\xFF\xFE"
        "1\0,\0"
        "2\0\r\0\n\0"s,
        "1\0,\0"
        "2\0"s,  // UTF-16 without a mark
        "",
        large,
    };
    int n = 0;
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(n);
        const std::string path = WriteFile("case" + std::to_string(n++) + ".txt", bytes);
        TextEncoding expected = TextEncoding::Latin1;
        const std::string text = ReadTextFile(path, {}, nullptr, &expected);
        TextEncoding found = TextEncoding::Latin1;
        const FileText file = OpenTextFile(path, {}, &found);
        EXPECT_EQ(file.Text(), text);
        EXPECT_EQ(found, expected);
        EXPECT_FALSE(file.Changed());
    }
    // A file with no size of its own (as under /proc) is read, not mapped.
    if (std::filesystem::exists("/proc/self/cmdline")) {
        EXPECT_FALSE(OpenTextFile("/proc/self/cmdline").Text().empty());
    }
    EXPECT_THROW(OpenTextFile(WriteFile("x", "") + ".missing"), FileError);
}

// A pipe is read as before: the rows a program writes into it are imported.
TEST(OpenTextFile, ReadsAPipe) {
    const auto fifo =
        std::filesystem::path(testing::TempDir()) / ("qlnx_fifo_" + std::to_string(::getpid()));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << "0,0\n1,10\n2,15\n"; });
    AnalysisState state;
    const ImportResult result = ImportCurveFile(state, fifo.string(), {1, 1});
    writer.join();
    std::filesystem::remove(fifo);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(state.RawForce, (std::vector<double>{0, 10, 15}));
}

// A file cut short by another program while it is mapped does not end the program: the lost
// part reads as zero bytes and the file counts as changed.
TEST(OpenTextFile, FileCutShortWhileMappedReadsZerosAndIsChanged) {
    const std::string path = WriteFile("cut.txt", std::string(3 * 4096 + 100, 'x'));
    const FileText file = OpenTextFile(path);
    ASSERT_EQ(file.Text().size(), 3 * 4096 + 100u);
    std::filesystem::resize_file(path, 100);
    size_t zeros = 0;
    for (const char c : file.Text()) zeros += c == '\0';
    EXPECT_GE(zeros, 2 * 4096u);
    EXPECT_EQ(file.Text().substr(0, 100), std::string(100, 'x'));
    EXPECT_TRUE(file.Changed());
}

// The same while the rows are read: the rows before the cut are kept and the import says
// that the file changed.
TEST(ImportCurveFile, FileCutShortWhileReadIsToldAndItsRowsKept) {
    std::string bytes;
    for (int k = 0; k < 20000; ++k) bytes += std::to_string(k) + ",1\n";
    const std::string path = WriteFile("cut.csv", bytes);
    AnalysisState state;
    bool cut = false;
    const ImportResult result = ImportCurveFile(state, path, {1, 1}, [&](double) {
        if (!cut) std::filesystem::resize_file(path, 1000);
        cut = true;
        return true;
    });
    EXPECT_TRUE(result.ChangedWhileRead);
    EXPECT_EQ(result.Warning(),
              path + " changed while it was read; import it again when it is complete.");
    ASSERT_GE(state.RawDisp.size(), 100u);
    ASSERT_LT(state.RawDisp.size(), 20000u);
    for (size_t k = 0; k < 100; ++k) EXPECT_EQ(state.RawDisp[k], static_cast<double>(k));
}

}  // namespace
}  // namespace qlnx
