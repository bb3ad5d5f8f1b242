// Writing a file so that a failure never destroys what was there.
//
// A regular file (or a name that does not exist yet) is replaced only by renaming a complete,
// synced temporary file from the same folder over it; on any failure the old file keeps its
// bytes and no temporary file is left. A name that already holds something else (a device, a
// pipe, a socket) or names one of the program's open descriptors (/dev/stdout, /dev/fd/N) is
// written in place and never replaced. Symbolic links are followed, not replaced.
#pragma once

#include <signal.h>

#include <string>
#include <string_view>

#include "core/progress.h"

namespace qlnx {

// What a write must never do, besides failing safely.
struct WriteGuard {
    // The record being analysed: a target that is this very file (same device and inode,
    // under whatever name) is refused. Empty: nothing to protect.
    std::string RecordPath;
    // The name "-" means standard output (the batch tool's convention).
    bool DashIsStandardOutput = false;
};

// While it lives, the signals a failed write raises in this thread (SIGPIPE for a pipe whose
// reader has gone, SIGXFSZ past the file size limit) are held back, so that the write fails
// with its error number and is reported instead of ending the program; a signal raised
// meanwhile is taken out of the queue. Threads started meanwhile inherit the hold.
class WriteSignalHold {
public:
    WriteSignalHold();
    ~WriteSignalHold();
    WriteSignalHold(const WriteSignalHold&) = delete;
    WriteSignalHold& operator=(const WriteSignalHold&) = delete;

private:
    sigset_t signals_{};
    sigset_t saved_{};
    sigset_t wasPending_{};
};

// "Cannot create file "<path>". <the system's reason for error>".
std::string CannotCreateFileText(const std::string& path, int error);

// One file being written. The constructor checks the target and opens either a temporary file
// beside it or, for a target written in place, the target itself; Commit() makes the written
// bytes the file's content. A write destroyed before Commit() removes its temporary file and
// leaves the old file as it was. Every failure throws FileError with the text of
// CannotCreateFileText, or "<path> is the record being analysed; choose another name." The
// checks refuse, whoever runs the program: a folder as target ("Is a directory"), a target
// without any write permission bit or in a folder without one ("Permission denied").
class SafeFileWrite {
public:
    explicit SafeFileWrite(std::string path, const WriteGuard& guard = {});
    ~SafeFileWrite();
    SafeFileWrite(const SafeFileWrite&) = delete;
    SafeFileWrite& operator=(const SafeFileWrite&) = delete;

    // The name as given, the one every message shows.
    const std::string& Path() const { return path_; }
    // True when the target is written in place: nothing can be undone or read back.
    bool InPlace() const { return inPlace_; }
    // The temporary file that replaces the target on Commit (empty when in place), for a
    // library that writes a file by its name.
    const std::string& TemporaryPath() const { return tempPath_; }

    // Appends bytes. With progress, the bytes go in pieces of a few megabytes with a report
    // before each; returns false when it asked to stop (the write is then to be abandoned).
    bool Write(std::string_view bytes, ProgressStretch* progress = nullptr);
    // Appends the whole content of the open file fd, read from its start.
    void CopyFrom(int fd);
    // Syncs the new bytes and puts them in place; the write is finished.
    void Commit();
    // Abandons the write and throws the message for the system's error.
    [[noreturn]] void Fail(int error);

private:
    void OpenInPlace(const std::string& openPath, int descriptor);
    void OpenTemporary(const std::string& target);
    void Abandon() noexcept;

    std::string path_;
    std::string target_;    // the file the temporary one replaces
    std::string tempPath_;  // empty when in place
    int fd_ = -1;
    bool inPlace_ = false;
    bool committed_ = false;
};

// The whole write of content to path in one call, as SafeFileWrite does it.
void WriteFileSafely(const std::string& path, std::string_view content,
                     const WriteGuard& guard = {});

}  // namespace qlnx
