#include "core/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <new>
#include <system_error>

#include "core/errors.h"
#include "core/file_map.h"

namespace qlnx {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int error) {
    throw FileError("Cannot open file \"" + path + "\". " + std::strerror(error));
}

// Memory the system can still hand out, from /proc/meminfo (0 when unknown).
uint64_t AvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:") return kib * 1024;
    }
    return 0;
}

// Closes the descriptor on every path out of ReadFileBytes.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::string ReadFileBytes(const std::string& path, const ProgressCallback& progress,
                          FileReadReport* report, uint64_t memoryLimit) {
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) ThrowOpenError(path, errno);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) ThrowOpenError(path, errno);
    // The rows read from a file take about as much memory again as its text.
    const uint64_t limit = memoryLimit != 0 ? memoryLimit : AvailableMemory() / 2;
    const auto tooLarge = [&](uint64_t size) {
        return size > std::string().max_size() || (limit != 0 && size > limit);
    };
    std::string bytes;
    try {
        if (S_ISREG(info.st_mode)) {
            const auto size = static_cast<uint64_t>(info.st_size);
            if (tooLarge(size)) ThrowOpenError(path, EFBIG);
            bytes.resize(static_cast<size_t>(size));
        }
        size_t filled = 0;
        char probe[4096];
        // With someone to tell, a known size is read in pieces, so the reading can report
        // and stop between them.
        const size_t known = bytes.size();
        const size_t piece = progress && known > 0 ? size_t{8} << 20 : SIZE_MAX;
        for (;;) {
            if (piece != SIZE_MAX && filled <= known &&
                !progress(static_cast<double>(filled) / static_cast<double>(known))) {
                break;
            }
            // A full buffer is not grown until a read shows that more follows: a regular
            // file whose size was known is read without a second allocation.
            const bool full = filled == bytes.size();
            char* into = full ? probe : bytes.data() + filled;
            const size_t room = full ? sizeof probe : std::min(bytes.size() - filled, piece);
            const ssize_t got = ::read(file.fd, into, room);
            if (got < 0) {
                if (errno == EINTR) continue;
                ThrowOpenError(path, errno);
            }
            if (got == 0) break;
            // A pipe or device may never end (/dev/zero): it stops at the limit.
            if (tooLarge(filled + static_cast<uint64_t>(got))) ThrowOpenError(path, EFBIG);
            if (full) {
                bytes.append(probe, static_cast<size_t>(got));
            }
            filled += static_cast<size_t>(got);
        }
        bytes.resize(filled);
        // A regular file that grew, shrank or was written to while it was read.
        struct stat after {};
        if (report != nullptr && S_ISREG(info.st_mode) && ::fstat(file.fd, &after) == 0) {
            report->Changed =
                after.st_size != info.st_size ||
                static_cast<uint64_t>(filled) != static_cast<uint64_t>(info.st_size) ||
                after.st_mtim.tv_sec != info.st_mtim.tv_sec ||
                after.st_mtim.tv_nsec != info.st_mtim.tv_nsec;
        }
    } catch (const std::bad_alloc&) {
        ThrowOpenError(path, ENOMEM);
    } catch (const std::length_error&) {
        ThrowOpenError(path, EFBIG);
    }
    return bytes;
}

std::string ReadTextFile(const std::string& path, const ProgressCallback& progress,
                         FileReadReport* report, TextEncoding* encoding) {
    std::string text = ReadFileBytes(path, progress, report);
    try {
        const TextEncoding found = DecodeText(text);
        if (encoding != nullptr) *encoding = found;
    } catch (const std::bad_alloc&) {
        ThrowOpenError(path, ENOMEM);
    }
    return text;
}

FileText::FileText() = default;
FileText::FileText(FileText&&) noexcept = default;
FileText& FileText::operator=(FileText&&) noexcept = default;
FileText::~FileText() = default;

std::string_view FileText::Text() const {
    if (map_) return map_->Bytes().substr(start_);
    return read_;
}

bool FileText::Changed() const { return map_ ? map_->Changed() : readChanged_; }

FileText OpenTextFile(const std::string& path, const ProgressCallback& progress,
                      TextEncoding* encoding, uint64_t memoryLimit) {
    // A pipe or a device is opened once only, by the reading below: a pipe opened, closed and
    // opened again loses what its writer wrote and waits for a writer that has gone.
    struct stat named {};
    if (::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode) && !S_ISDIR(named.st_mode)) {
        FileText text;
        FileReadReport report;
        text.read_ = ReadTextFile(path, progress, &report, encoding);
        text.readChanged_ = report.Changed;
        return text;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowOpenError(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowOpenError(path, error);
    }
    FileText text;
    // A regular file is mapped; an empty one may still have text (as files under /proc),
    // which only reading finds.
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<uint64_t>(info.st_size);
        const uint64_t limit = memoryLimit != 0 ? memoryLimit : AvailableMemory() / 2;
        if (limit != 0 && size > limit) {
            ::close(fd);
            ThrowOpenError(path, EFBIG);
        }
        try {
            // With someone to tell, the pages are brought in piece by piece below.
            text.map_ = std::make_unique<FileMap>(fd, info, !progress);
        } catch (const std::system_error&) {
            // Not mapped (the descriptor is closed): read as any other file below.
        } catch (const std::bad_alloc&) {
            ThrowOpenError(path, ENOMEM);
        }
        if (text.map_) {
            if (progress) {
                const auto bytes = static_cast<size_t>(size);
                constexpr size_t kPiece = size_t{8} << 20;
                for (size_t loaded = 0;; loaded = std::min(bytes, loaded + kPiece)) {
                    if (!progress(static_cast<double>(loaded) / static_cast<double>(bytes))) {
                        return text;
                    }
                    if (loaded == bytes) break;
                    text.map_->Load(loaded, std::min(bytes, loaded + kPiece));
                }
            }
            TextEncoding found = TextEncoding::Utf8;
            if (const auto start = TextInPlace(text.map_->Bytes(), found)) {
                text.start_ = *start;
                if (encoding != nullptr) *encoding = found;
                return text;
            }
            // Another encoding: decoded into memory, as a file that is read.
            try {
                text.read_.assign(text.map_->Bytes());
                found = DecodeText(text.read_);
            } catch (const std::bad_alloc&) {
                ThrowOpenError(path, ENOMEM);
            }
            if (encoding != nullptr) *encoding = found;
            text.readChanged_ = text.map_->Changed();
            text.map_.reset();
            return text;
        }
    } else {
        ::close(fd);
    }
    FileReadReport report;
    text.read_ = ReadTextFile(path, progress, &report, encoding);
    text.readChanged_ = report.Changed;
    return text;
}

}  // namespace qlnx
