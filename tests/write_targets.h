// Awkward targets for the tests of the file writers: a device node, a pipe with a reader, a
// small file system filled to the last byte.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>

#include "file_bytes.h"

namespace qlnx::test {

// A character device node at path that works as the null device, writable by everyone; false
// where the user may not make device nodes.
inline bool MakeNullDevice(const std::string& path) {
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) return false;
    return ::chmod(path.c_str(), 0666) == 0;
}

// A named pipe at path and a reader that takes everything written into it until the writer
// closes it; Take() waits for that and gives the bytes.
class PipeReader {
public:
    explicit PipeReader(const std::string& path) : path_(path) {
        ok_ = ::mkfifo(path.c_str(), 0666) == 0;
        if (ok_) {
            bytes_ = std::async(std::launch::async, [p = path_] { return ReadAll(p); });
        }
    }
    bool ok() const { return ok_; }
    // What was written; when nothing opened the pipe within a few seconds, opening it for
    // a moment frees the reader and the bytes are what it got so far (none).
    std::string Take() {
        if (bytes_.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }
        return bytes_.get();
    }

private:
    std::string path_;
    bool ok_ = false;
    std::future<std::string> bytes_;
};

// A small file system of its own (tmpfs, which needs the privilege to mount), at folder; Fill()
// takes its last free byte with a filler file. Unmounted when it goes.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::filesystem::path& folder) : folder_(folder) {
        std::filesystem::create_directories(folder);
        ok_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=512k") == 0;
    }
    ~SmallFileSystem() {
        if (ok_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool ok() const { return ok_; }
    void Fill() {
        const int fd = ::open((folder_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string block(4096, 'f');
        for (std::string piece = block; !piece.empty(); piece.resize(piece.size() / 2)) {
            while (::write(fd, piece.data(), piece.size()) == static_cast<ssize_t>(piece.size())) {
            }
        }
        ::close(fd);
    }

private:
    std::filesystem::path folder_;
    bool ok_ = false;
};

}  // namespace qlnx::test
