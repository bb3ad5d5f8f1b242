#include "core/safe_write.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "core/errors.h"

namespace qlnx {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowCreateError(const std::string& path, int error) {
    throw FileError(CannotCreateFileText(path, error));
}

// Root passes every permission check, so a file or folder that nobody may write to is
// recognised by its permission bits: none of the three write bits is set.
bool HasNoWriteBit(const struct stat& st) { return (st.st_mode & 0222) == 0; }

// The descriptor number of a name that stands for one of this process's open descriptors
// (/dev/fd/N, /proc/self/fd/N, /proc/<own pid>/fd/N): such a name must be written through
// that very descriptor, as opening it anew would either replace the file it is open on or
// write at an offset of its own.
std::optional<int> DescriptorOfName(const fs::path& name) {
    const std::string text = name.lexically_normal().string();
    const std::string own = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                      std::string("/proc/thread-self/fd/"), own}) {
        if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0) continue;
        int fd = -1;
        const char* first = text.data() + prefix.size();
        const char* last = text.data() + text.size();
        const auto [end, ec] = std::from_chars(first, last, fd);
        if (ec == std::errc() && end == last) return fd;
    }
    return std::nullopt;
}

// The file a write to path lands in: path itself or the end of its chain of symbolic links
// (replacing a link by a plain file would silently detach it from what it points to), or a
// descriptor when the chain passes through a descriptor's name.
struct ResolvedTarget {
    fs::path Path;
    std::optional<int> Descriptor;
};

ResolvedTarget ResolveTarget(const std::string& path) {
    ResolvedTarget resolved{fs::path(path), std::nullopt};
    for (int hop = 0; hop < 40; ++hop) {
        resolved.Descriptor = DescriptorOfName(resolved.Path);
        if (resolved.Descriptor) break;
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(resolved.Path, ec))) break;
        fs::path next = fs::read_symlink(resolved.Path, ec);
        if (ec) break;
        resolved.Path = next.is_absolute() ? next : resolved.Path.parent_path() / next;
    }
    return resolved;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void RefuseTheRecord(const std::string& path, const struct stat& target, const WriteGuard& guard) {
    struct stat record {};
    if (guard.RecordPath.empty() || ::stat(guard.RecordPath.c_str(), &record) != 0) return;
    if (SameFile(target, record)) {
        throw FileError(path + " is the record being analysed; choose another name.");
    }
}

// Writes bytes whole; the error number of a failure, else 0.
int WriteWhole(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {  // standard output set non-blocking
                pollfd ready{fd, POLLOUT, 0};
                ::poll(&ready, 1, -1);
                continue;
            }
            return errno;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

void SyncFolder(const fs::path& target) {
    std::string folder = target.parent_path().string();
    if (folder.empty()) folder = ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

}  // namespace

WriteSignalHold::WriteSignalHold() {
    ::sigemptyset(&signals_);
    ::sigaddset(&signals_, SIGPIPE);
    ::sigaddset(&signals_, SIGXFSZ);
    ::pthread_sigmask(SIG_BLOCK, &signals_, &saved_);
    ::sigpending(&wasPending_);
}

WriteSignalHold::~WriteSignalHold() {
    sigset_t pending;
    ::sigpending(&pending);
    for (const int signal : {SIGPIPE, SIGXFSZ}) {
        if (::sigismember(&wasPending_, signal) != 1 && ::sigismember(&pending, signal) == 1) {
            sigset_t one;
            ::sigemptyset(&one);
            ::sigaddset(&one, signal);
            const timespec now{};
            ::sigtimedwait(&one, nullptr, &now);
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

std::string CannotCreateFileText(const std::string& path, int error) {
    return "Cannot create file \"" + path + "\". " + std::generic_category().message(error);
}

SafeFileWrite::SafeFileWrite(std::string path, const WriteGuard& guard) : path_(std::move(path)) {
    if (guard.DashIsStandardOutput && path_ == "-") {
        struct stat st {};
        if (::fstat(STDOUT_FILENO, &st) != 0) ThrowCreateError(path_, errno);
        RefuseTheRecord(path_, st, guard);
        OpenInPlace(std::string(), STDOUT_FILENO);
        return;
    }
    const ResolvedTarget resolved = ResolveTarget(path_);
    if (resolved.Descriptor) {
        struct stat st {};
        if (::fstat(*resolved.Descriptor, &st) != 0) ThrowCreateError(path_, errno);
        RefuseTheRecord(path_, st, guard);
        OpenInPlace(std::string(), *resolved.Descriptor);
        return;
    }
    const std::string target = resolved.Path.string();
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) ThrowCreateError(path_, EISDIR);
        RefuseTheRecord(path_, st, guard);
        if (HasNoWriteBit(st)) ThrowCreateError(path_, EACCES);
        if (!S_ISREG(st.st_mode)) {
            OpenInPlace(target, -1);
            return;
        }
        // A file the user may not write (someone else's, a read-only file system) is not
        // replaced behind its back even where the folder would allow the rename.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            ThrowCreateError(path_, errno);
        }
    } else if (errno != ENOENT) {
        ThrowCreateError(path_, errno);
    }
    OpenTemporary(target);
}

SafeFileWrite::~SafeFileWrite() { Abandon(); }

void SafeFileWrite::OpenInPlace(const std::string& openPath, int descriptor) {
    inPlace_ = true;
    if (descriptor >= 0) {
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags < 0) ThrowCreateError(path_, errno);
        if ((flags & O_ACCMODE) == O_RDONLY) ThrowCreateError(path_, EBADF);
        fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    } else {
        // A pipe without a reader waits for one, as the shell's redirection does.
        do {
            fd_ = ::open(openPath.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
    }
    if (fd_ < 0) ThrowCreateError(path_, errno);
}

void SafeFileWrite::OpenTemporary(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    target_ = target;
    const fs::path targetPath(target);
    const std::string folder = targetPath.parent_path().string();
    struct stat st {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) ThrowCreateError(path_, errno);
    if (!S_ISDIR(st.st_mode)) ThrowCreateError(path_, ENOTDIR);
    if (HasNoWriteBit(st)) ThrowCreateError(path_, EACCES);

    const std::string prefix = (folder.empty() ? std::string() : folder + "/") + "." +
                               targetPath.filename().string() + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            tempPath_ = std::move(name);
            return;
        }
        if (errno != EEXIST) break;
    }
    ThrowCreateError(path_, errno);
}

bool SafeFileWrite::Write(std::string_view bytes, ProgressStretch* progress) {
    const WriteSignalHold hold;
    constexpr size_t kPiece = size_t{8} << 20;
    size_t done = 0;
    while (done < bytes.size()) {
        if (progress != nullptr && !progress->Tick(done)) return false;
        const size_t piece =
            progress != nullptr ? std::min(bytes.size() - done, kPiece) : bytes.size() - done;
        if (const int error = WriteWhole(fd_, bytes.data() + done, piece)) Fail(error);
        done += piece;
    }
    return true;
}

void SafeFileWrite::CopyFrom(int fd) {
    if (::lseek(fd, 0, SEEK_SET) < 0) Fail(errno);
    std::string buffer(size_t{1} << 20, '\0');
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(errno);
        if (n == 0) return;
        Write(std::string_view(buffer.data(), static_cast<size_t>(n)));
    }
}

void SafeFileWrite::Commit() {
    if (inPlace_) {
        // Devices and pipes have nothing to sync; a file behind a descriptor does.
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && (S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) &&
            ::fsync(fd_) != 0) {
            Fail(errno);
        }
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 && errno != EINTR) Fail(errno);
        committed_ = true;
        return;
    }
    // A replaced file keeps its permissions (and, where allowed, its owner).
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchmod(fd_, old.st_mode & 07777) != 0) Fail(errno);
        if (::geteuid() == 0 && ::fchown(fd_, old.st_uid, old.st_gid) != 0) Fail(errno);
    }
    if (::fsync(fd_) != 0) Fail(errno);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) Fail(errno);
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) Fail(errno);
    committed_ = true;
    tempPath_.clear();
    // Make the rename itself durable; the new file is complete either way.
    SyncFolder(target_);
}

void SafeFileWrite::Fail(int error) {
    Abandon();
    ThrowCreateError(path_, error);
}

void SafeFileWrite::Abandon() noexcept {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

void WriteFileSafely(const std::string& path, std::string_view content, const WriteGuard& guard) {
    SafeFileWrite write(path, guard);
    write.Write(content);
    write.Commit();
}

}  // namespace qlnx
