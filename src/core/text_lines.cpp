#include "core/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <optional>

#include "core/errors.h"

namespace qlnx {

namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

static_assert(std::endian::native == std::endian::little, "byte masks assume little-endian words");

// 0x80 in every byte of word (little-endian) that equals c, 0 elsewhere; exact, no carries
// between bytes.
uint64_t ByteMask(uint64_t word, unsigned char c) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * c);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Length of the valid UTF-8 sequence at p (1..4), or 0 when it is malformed: a stray
// continuation byte, a truncated sequence, an overlong form, a surrogate or a code point
// above U+10FFFF.
size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = p[0];
    if (c < 0x80) return 1;
    const auto left = static_cast<size_t>(end - p);
    const auto cont = [&](size_t i) { return i < left && (p[i] & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if (c == 0xE0 && p[1] < 0xA0) return 0;  // overlong
        if (c == 0xED && p[1] >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if (c == 0xF0 && p[1] < 0x90) return 0;  // overlong
        if (c == 0xF4 && p[1] >= 0x90) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p != end) {
        // Runs of ASCII go eight bytes at a time.
        while (end - p >= 32) {
            uint64_t w[4];
            std::memcpy(w, p, 32);
            if ((w[0] | w[1] | w[2] | w[3]) & 0x8080808080808080ull) break;
            p += 32;
        }
        while (end - p >= 8) {
            uint64_t word = 0;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            p += 8;
        }
        if (p == end) break;
        const size_t n = Utf8SequenceLength(p, end);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

size_t Utf8Length(uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

char* AppendUtf8(char* out, uint32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

constexpr uint32_t kReplacement = 0xFFFD;

// UTF-8 after a mark: valid sequences are kept, each malformed byte becomes U+FFFD.
void RepairUtf8(std::string& text, size_t from) {
    std::string_view rest(text.data() + from, text.size() - from);
    if (IsValidUtf8(rest)) {
        text.erase(0, from);
        return;
    }
    std::string out;
    out.reserve(rest.size() + rest.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(rest.data());
    const auto* end = p + rest.size();
    char buf[4];
    while (p != end) {
        const size_t n = Utf8SequenceLength(p, end);
        if (n == 0) {
            out.append(buf, static_cast<size_t>(AppendUtf8(buf, kReplacement) - buf));
            ++p;
        } else {
            out.append(reinterpret_cast<const char*>(p), n);
            p += n;
        }
    }
    text.swap(out);
}

// Latin-1 to UTF-8 in place: the buffer grows by one byte per byte >= 0x80 and is filled
// from the back, so no second buffer is needed.
void Latin1ToUtf8(std::string& text) {
    size_t high = 0;
    for (const char c : text) high += static_cast<unsigned char>(c) >> 7;
    const size_t n = text.size();
    text.resize(n + high);
    size_t out = n + high;
    for (size_t in = n; in-- > 0;) {
        const auto c = static_cast<unsigned char>(text[in]);
        if (c < 0x80) {
            text[--out] = static_cast<char>(c);
        } else {
            text[--out] = static_cast<char>(0x80 | (c & 0x3F));
            text[--out] = static_cast<char>(0xC0 | (c >> 6));
        }
    }
}

// Reads the code point of the UTF-16 text at byte position in (after the mark); unpaired
// surrogates and a trailing odd byte give U+FFFD. Advances in.
uint32_t ReadUtf16(const std::string& text, size_t& in, bool bigEndian) {
    const size_t n = text.size();
    const auto unit = [&](size_t at) -> uint32_t {
        const auto a = static_cast<unsigned char>(text[at]);
        const auto b = static_cast<unsigned char>(text[at + 1]);
        return bigEndian ? (uint32_t{a} << 8 | b) : (uint32_t{b} << 8 | a);
    };
    if (in + 1 >= n) {
        in = n;
        return kReplacement;
    }
    const uint32_t u = unit(in);
    in += 2;
    if (u >= 0xD800 && u <= 0xDBFF && in + 1 < n) {
        const uint32_t low = unit(in);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            in += 2;
            return 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if (u >= 0xD800 && u <= 0xDFFF) return kReplacement;
    return u;
}

// UTF-16 from byte start on (after the mark, if any) to UTF-8. The conversion runs in place
// when the output never overtakes the input (always so for text that is mostly ASCII, which
// shrinks to half); otherwise into a new buffer that replaces the old one.
void Utf16ToUtf8(std::string& text, bool bigEndian, size_t start) {
    size_t in = start;
    size_t total = 0;
    bool inPlace = true;
    while (in < text.size()) {
        total += Utf8Length(ReadUtf16(text, in, bigEndian));
        if (total > in) inPlace = false;
    }
    if (inPlace) {
        in = start;
        char* out = text.data();
        while (in < text.size()) out = AppendUtf8(out, ReadUtf16(text, in, bigEndian));
        text.resize(total);
        return;
    }
    std::string result(total, '\0');
    in = start;
    char* out = result.data();
    while (in < text.size()) out = AppendUtf8(out, ReadUtf16(text, in, bigEndian));
    text.swap(result);
}

// UTF-16 without a mark: in the first kilobyte, zero bytes stand in alternate positions (the
// high bytes of ASCII characters) and hardly ever in the others. Text in an 8-bit code page
// or UTF-8 has no zero bytes at all.
std::optional<bool> Utf16ByteOrder(std::string_view bytes) {
    const size_t n = std::min<size_t>(bytes.size(), 1024) & ~size_t{1};
    if (n < 2) return std::nullopt;
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i < n; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const size_t units = n / 2;
    // At least half of the characters are ASCII, and the other position holds almost no zero.
    if (oddZeros * 2 >= units && evenZeros * 8 <= oddZeros) return false;  // little-endian
    if (evenZeros * 2 >= units && oddZeros * 8 <= evenZeros) return true;   // big-endian
    return std::nullopt;
}

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

TextEncoding DecodeText(std::string& bytes) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const size_t n = bytes.size();
    if (n >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        RepairUtf8(bytes, 3);
        return TextEncoding::Utf8Bom;
    }
    if (n >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        Utf16ToUtf8(bytes, false, 2);
        return TextEncoding::Utf16LE;
    }
    if (n >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        Utf16ToUtf8(bytes, true, 2);
        return TextEncoding::Utf16BE;
    }
    if (const auto bigEndian = Utf16ByteOrder(bytes)) {
        Utf16ToUtf8(bytes, *bigEndian, 0);
        return *bigEndian ? TextEncoding::Utf16BENoMark : TextEncoding::Utf16LENoMark;
    }
    if (IsValidUtf8(bytes)) return TextEncoding::Utf8;
    Latin1ToUtf8(bytes);
    return TextEncoding::Latin1;
}

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
            if (piece != SIZE_MAX && filled <= known && !progress(static_cast<double>(filled) /
                                                                  static_cast<double>(known))) {
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
            report->Changed = after.st_size != info.st_size ||
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

size_t CountLines(std::string_view text) {
    const size_t n = text.size();
    if (n == 0) return 0;
    const char* p = text.data();
    // Breaks = LF + CR - (CR LF pairs). Sixteen bytes at a time in byte-wide counters (a
    // comparison gives -1 per matching byte), emptied into the totals before they overflow.
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const auto load = [](const char* at) {
        Bytes v;
        std::memcpy(&v, at, sizeof v);
        return v;
    };
    const auto sum = [](Bytes v) {
        size_t total = 0;
        for (int k = 0; k < 16; ++k) total += v[k];
        return total;
    };
    size_t lf = 0;
    size_t cr = 0;
    size_t crlf = 0;
    size_t i = 0;
    // The pair test reads one byte ahead, so the blocks stop one byte before the end.
    while (i + 17 <= n) {
        Bytes lfCount{};
        Bytes crCount{};
        Bytes pairCount{};
        for (int block = 0; block < 255 && i + 17 <= n; ++block, i += 16) {
            const Bytes here = load(p + i);
            const Bytes next = load(p + i + 1);
            const Bytes isCr = reinterpret_cast<Bytes>(here == '\r');
            lfCount -= reinterpret_cast<Bytes>(here == '\n');
            crCount -= isCr;
            pairCount -= isCr & reinterpret_cast<Bytes>(next == '\n');
        }
        lf += sum(lfCount);
        cr += sum(crCount);
        crlf += sum(pairCount);
    }
    for (; i < n; ++i) {
        lf += p[i] == '\n';
        cr += p[i] == '\r';
        crlf += p[i] == '\r' && i + 1 < n && p[i + 1] == '\n';
    }
    size_t lines = lf + cr - crlf;
    // A last line without a break of its own.
    if (p[n - 1] != '\n' && p[n - 1] != '\r') ++lines;
    return lines;
}

LineCursor::LineCursor(std::string_view text) : text_(text) {
    if (!text_.empty()) {
        valid_ = true;
        begin_ = 0;
        end_ = FindLineEnd(0);
    }
}

size_t LineCursor::FindLineEnd(size_t from) const {
    const char* p = text_.data() + from;
    const char* end = text_.data() + text_.size();
    while (end - p >= 8) {
        uint64_t word = 0;
        std::memcpy(&word, p, 8);
        const uint64_t breaks = ByteMask(word, '\n') | ByteMask(word, '\r');
        if (breaks != 0) {
            return static_cast<size_t>(p - text_.data()) +
                   static_cast<size_t>(std::countr_zero(breaks) / 8);
        }
        p += 8;
    }
    while (p != end && *p != '\n' && *p != '\r') ++p;
    return static_cast<size_t>(p - text_.data());
}

bool LineCursor::Next() {
    if (!valid_) return false;
    size_t next = end_;
    if (next == text_.size()) {
        valid_ = false;
        return false;
    }
    next += (text_[next] == '\r' && next + 1 < text_.size() && text_[next + 1] == '\n') ? 2 : 1;
    // A break at the very end of the text adds no empty last line.
    if (next == text_.size()) {
        valid_ = false;
        return false;
    }
    begin_ = next;
    end_ = FindLineEnd(next);
    ++index_;
    return true;
}

bool LineCursor::Previous() {
    if (!valid_) return false;
    if (begin_ == 0) {
        valid_ = false;
        return false;
    }
    // The break before this line: CR LF, or a lone LF or CR.
    size_t prevEnd = begin_ - 1;
    if (text_[prevEnd] == '\n' && prevEnd > 0 && text_[prevEnd - 1] == '\r') --prevEnd;
    size_t prevBegin = prevEnd;
    while (prevBegin > 0 && text_[prevBegin - 1] != '\n' && text_[prevBegin - 1] != '\r') {
        --prevBegin;
    }
    begin_ = prevBegin;
    end_ = prevEnd;
    --index_;
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (LineCursor cursor(text); cursor.Valid(); cursor.Next()) lines.push_back(cursor.Line());
    return lines;
}

FieldReader::FieldReader(std::string_view row, FieldSeparator separator)
    : separator_(separator) {
    size_t first = 0;
    size_t last = row.size();
    while (first < last && IsControlOrBlank(row[first])) ++first;
    while (last > first && IsControlOrBlank(row[last - 1])) --last;
    row_ = row.substr(first, last - first);
}

bool FieldReader::Next(std::string_view& field) {
    if (trailingEmpty_) {
        trailingEmpty_ = false;
        field = {};
        return true;
    }
    const size_t n = row_.size();
    if (pos_ >= n) return false;
    if (row_[pos_] == '"') {
        const size_t start = pos_ + 1;
        size_t close = row_.find('"', start);
        // A quote followed by another quote stands for one quote inside the field.
        bool doubled = false;
        while (close != std::string_view::npos && close + 1 < n && row_[close + 1] == '"') {
            doubled = true;
            close = row_.find('"', close + 2);
        }
        // Without a closing quote the field is the rest of the row.
        const size_t stop = close == std::string_view::npos ? n : close;
        field = row_.substr(start, stop - start);
        if (doubled) {
            unescaped_.clear();
            for (size_t i = 0; i < field.size(); ++i) {
                unescaped_ += field[i];
                if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
            }
            field = unescaped_;
        }
        pos_ = close == std::string_view::npos ? n : close + 1;
    } else if (separator_ == FieldSeparator::CommaOrBlank) {
        const size_t start = pos_;
        while (pos_ < n && row_[pos_] != ',' && !IsControlOrBlank(row_[pos_])) ++pos_;
        field = row_.substr(start, pos_ - start);
    } else if (separator_ == FieldSeparator::Semicolon) {
        const size_t start = pos_;
        while (pos_ < n && row_[pos_] != ';') ++pos_;
        // The blanks before the semicolon are skipped below, not part of the field.
        size_t stop = pos_;
        while (stop > start && IsControlOrBlank(row_[stop - 1])) --stop;
        field = row_.substr(start, stop - start);
    } else {
        const size_t start = pos_;
        while (pos_ < n && !IsControlOrBlank(row_[pos_])) ++pos_;
        field = row_.substr(start, pos_ - start);
    }
    while (pos_ < n && IsControlOrBlank(row_[pos_])) ++pos_;
    const char comma = separator_ == FieldSeparator::Semicolon ? ';' : ',';
    if (separator_ != FieldSeparator::Blank && pos_ < n && row_[pos_] == comma) {
        if (pos_ + 1 == n) trailingEmpty_ = true;
        ++pos_;
        while (pos_ < n && IsControlOrBlank(row_[pos_])) ++pos_;
    }
    return true;
}

std::vector<std::string> SplitFields(std::string_view row, FieldSeparator separator) {
    std::vector<std::string> fields;
    FieldReader reader(row, separator);
    std::string_view field;
    while (reader.Next(field)) fields.emplace_back(field);
    return fields;
}

}  // namespace qlnx
