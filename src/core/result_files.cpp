#include "core/result_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Collects lines as separate strings.
class LineList {
public:
    explicit LineList(size_t lineCount) { lines_.reserve(lineCount); }
    std::string& line() { return current_; }
    void endLine() {
        lines_.push_back(std::move(current_));
        current_.clear();
    }
    std::vector<std::string> take() { return std::move(lines_); }

private:
    std::vector<std::string> lines_;
    std::string current_;
};

// Collects lines into one text, each followed by CR LF.
class LineText {
public:
    explicit LineText(size_t bytes) { text_.reserve(bytes); }
    std::string& line() { return text_; }
    void endLine() { text_ += kLineEnd; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// A generous guess of a number's text length, to size the buffer once.
constexpr size_t kNumberTextGuess = 20;

// Builds the lines into sink; false when progress (if any) asked to stop.
template <class Sink>
bool BuildModifiedLoop(const AnalysisState& state, ResultForm form, Sink& sink,
                       ProgressStretch* progress = nullptr) {
    const char separator = ResultDecimalSeparator(form);
    const char delimiter = form == ResultForm::Csv ? ',' : ' ';
    sink.line() += form == ResultForm::Csv ? "X,Y" : "X Y";
    sink.endLine();
    // The two vectors always have equal length; the shorter one bounds the loop regardless.
    const size_t count = std::min(state.LoopDisp.size(), state.LoopForce.size());
    for (size_t k = 0; k < count; ++k) {
        if (progress != nullptr && !progress->Tick(k)) return false;
        std::string& out = sink.line();
        AppendGeneral15(out, state.LoopDisp[k], separator);
        out += delimiter;
        AppendGeneral15(out, state.LoopForce[k], separator);
        sink.endLine();
    }
    return true;
}

template <class Sink>
void BuildAnalysisResults(const AnalysisState& state, ResultForm form, Sink& sink) {
    const char separator = ResultDecimalSeparator(form);
    const std::string_view fieldEnd = form == ResultForm::Csv ? "," : "  ";
    sink.line() += form == ResultForm::Csv
                       ? "LoopNo.,1stMaxDisp,1stMaxDispForce,2ndMaxDisp,2ndMaxDispForce"
                       : "LoopNo. 1stMaxDisp 1stMaxDispForce 2ndMaxDisp 2ndMaxDispForce";
    sink.endLine();

    // A value of a per-loop vector, or "--" past its end; the force of a pair is written only
    // where its displacement has an entry.
    auto appendField = [&](std::string& out, const std::vector<double>& values, size_t i,
                           bool present) {
        if (present && i < values.size()) {
            AppendGeneral15(out, values[i], separator);
        } else {
            out += "--";
        }
        out += fieldEnd;
    };
    const size_t loops = state.LoopCount > 0 ? static_cast<size_t>(state.LoopCount) : 0;
    for (size_t i = 0; i < loops; ++i) {
        std::string& out = sink.line();
        char number[16];
        const auto written = std::to_chars(number, number + sizeof number, i + 1);
        out.append(number, written.ptr);
        out += fieldEnd;
        const bool has1 = i < state.MaxDisp1.size();
        const bool has2 = i < state.MaxDisp2.size();
        appendField(out, state.MaxDisp1, i, has1);
        appendField(out, state.MaxDispForce1, i, has1);
        appendField(out, state.MaxDisp2, i, has2);
        appendField(out, state.MaxDispForce2, i, has2);
        sink.endLine();
    }
}

[[noreturn]] void ThrowCreateError(const std::string& path, int error) {
    throw FileError("Cannot create file \"" + path + "\". " +
                    std::generic_category().message(error));
}

// The file a write to path lands in: path itself, or the end of its chain of symbolic links
// (replacing a link by a plain file would silently detach it from what it points to).
std::filesystem::path ResolveTarget(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path target(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) break;
        fs::path next = fs::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// Opens a new, empty temporary file beside target; returns the descriptor or -1 with errno.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = target.parent_path().string();
    const std::string prefix = (folder.empty() ? std::string() : folder + "/") + "." +
                               target.filename().string() + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes content whole; false with errno on a failure. With progress, the content goes in
// pieces of a few megabytes with a report between two; stopped is set when it asked to stop.
bool WriteAll(int fd, std::string_view content, ProgressStretch* progress, bool& stopped) {
    constexpr size_t kPiece = size_t{8} << 20;
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        if (progress != nullptr && !progress->Tick(content.size() - left)) {
            stopped = true;
            return true;
        }
        const ssize_t n = ::write(fd, p, progress != nullptr ? std::min(left, kPiece) : left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string ProposedResultName(std::string_view importedPath, std::string_view suffix) {
    std::string_view name = importedPath;
    const size_t folderEnd = name.find_last_of("\\/:");
    if (folderEnd != std::string_view::npos) name.remove_prefix(folderEnd + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    std::string result(name);
    result += suffix;
    return result;
}

char ResultDecimalSeparator(ResultForm form) {
    const char separator = DecimalSeparator();
    return form == ResultForm::Csv && separator == ',' ? '.' : separator;
}

ResultFileTarget ResultTargetOf(std::string_view dialogFileName, int filterIndex) {
    ResultFileTarget target;
    target.Form = filterIndex == 2 ? ResultForm::Csv : ResultForm::Text;
    target.Path = dialogFileName;
    target.Path += target.Form == ResultForm::Csv ? ".csv" : ".txt";
    return target;
}

std::vector<std::string> ModifiedLoopLines(const AnalysisState& state, ResultForm form) {
    LineList sink(state.LoopDisp.size() + 1);
    BuildModifiedLoop(state, form, sink);
    return sink.take();
}

std::vector<std::string> AnalysisResultLines(const AnalysisState& state, ResultForm form) {
    LineList sink(static_cast<size_t>(std::max(state.LoopCount, 0)) + 1);
    BuildAnalysisResults(state, form, sink);
    return sink.take();
}

std::string ModifiedLoopFileText(const AnalysisState& state, ResultForm form) {
    LineText sink(8 + state.LoopDisp.size() * (2 * kNumberTextGuess + 3));
    BuildModifiedLoop(state, form, sink);
    return sink.take();
}

std::string AnalysisResultFileText(const AnalysisState& state, ResultForm form) {
    const size_t loops = static_cast<size_t>(std::max(state.LoopCount, 0));
    LineText sink(70 + loops * (5 * kNumberTextGuess + 12));
    BuildAnalysisResults(state, form, sink);
    return sink.take();
}

namespace {

// WriteTextFile with progress over the bytes written; false when it asked to stop, in which
// case the temporary file is gone and the old file untouched.
bool WriteReplacing(const std::string& path, std::string_view content, ProgressStretch* progress) {
    const std::filesystem::path target = ResolveTarget(path);
    std::string tempPath;
    const int fd = CreateTemporaryBeside(target, tempPath);
    if (fd < 0) ThrowCreateError(path, errno);

    auto fail = [&](int error, bool open) {
        if (open) ::close(fd);
        ::unlink(tempPath.c_str());
        ThrowCreateError(path, error);
    };

    // A replaced file keeps its permissions (and, where allowed, its owner).
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchmod(fd, old.st_mode & 07777) != 0) fail(errno, true);
        if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0) fail(errno, true);
    }
    bool stopped = false;
    if (!WriteAll(fd, content, progress, stopped)) fail(errno, true);
    if (stopped) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return false;
    }
    if (::fsync(fd) != 0) fail(errno, true);
    if (::close(fd) != 0) fail(errno, false);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) fail(errno, false);

    // Make the rename itself durable; the new file is complete either way.
    std::string folder = target.parent_path().string();
    if (folder.empty()) folder = ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace

void WriteTextFile(const std::string& path, std::string_view content) {
    WriteReplacing(path, content, nullptr);
}

bool SaveModifiedLoopFile(const AnalysisState& state, ResultForm form, const std::string& path,
                          const ProgressCallback& progress) {
    // Building the text takes most of the time: the numbers' texts.
    constexpr double kBuildShare = 0.8;
    const size_t count = std::min(state.LoopDisp.size(), state.LoopForce.size());
    std::string content;
    {
        ProgressStretch building(progress, 0.0, kBuildShare, count);
        LineText sink(8 + count * (2 * kNumberTextGuess + 3));
        if (!BuildModifiedLoop(state, form, sink, &building)) return false;
        content = sink.take();
    }
    ProgressStretch writing(progress, kBuildShare, 1.0, content.size(), size_t{8} << 20);
    if (!WriteReplacing(path, content, &writing)) return false;
    if (progress) progress(1.0);
    return true;
}

void WriteLinesFile(const std::string& path, const std::vector<std::string>& lines) {
    size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + kLineEnd.size();
    std::string content;
    content.reserve(bytes);
    for (const std::string& line : lines) {
        content += line;
        content += kLineEnd;
    }
    WriteTextFile(path, content);
}

}  // namespace qlnx
