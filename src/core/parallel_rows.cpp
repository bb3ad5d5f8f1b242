#include "core/parallel_rows.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <system_error>
#include <thread>

#include "core/line_count.h"
#include "core/plain_rows.h"

namespace qlnx {

namespace {

// A piece is worth a thread of its own from this many bytes on (about 50 000 rows).
constexpr size_t kMinPieceBytes = size_t{1} << 20;
// Rows between two looks at the request to stop and two additions to the shared count.
constexpr size_t kReportRows = 4096;

struct Piece {
    size_t Begin = 0;
    size_t End = 0;
    size_t Lines = 0;
    size_t Offset = 0;  // index of the piece's first row in disp and force
    size_t Rows = 0;
    size_t StopAt = 0;
};

// The start of the first line that begins after byte at (a CR LF pair stays whole).
size_t NextLineStart(std::string_view text, size_t at) {
    const size_t n = text.size();
    for (size_t i = at; i < n; ++i) {
        if (text[i] == '\n') return i + 1;
        if (text[i] == '\r') return i + 1 < n && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return n;
}

bool IsBreak(char c) { return c == '\n' || c == '\r'; }

// A blank or control character inside a line.
bool IsInnerBlank(char c) { return IsControlOrBlank(c) && !IsBreak(c); }

// The end of the line that starts at p: its break, or the end.
const char* LineEnd(const char* p, const char* end) {
    while (p != end && !IsBreak(*p)) ++p;
    return p;
}

// Past the break at p (CR LF is one break); p when it is the end.
const char* PastBreak(const char* p, const char* end) {
    if (p == end) return p;
    return *p == '\r' && p + 1 != end && p[1] == '\n' ? p + 2 : p + 1;
}

// ReadTwoPlainNumbers on the line that starts at p, without cutting it out first: a break
// ends a number as the end of the line does, and blanks are skipped up to a break, never
// across one. Returns the line's end (its break or the end), or nullptr where
// ReadTwoPlainNumbers returns false.
const char* ReadTwoPlainNumbersToBreak(const char* p, const char* end, double& first,
                                       double& second) {
    while (p != end && IsInnerBlank(*p)) ++p;
    p = PlainNumber(p, end, first);
    if (p == nullptr) return nullptr;
    while (p != end && IsInnerBlank(*p)) ++p;
    if (p != end && *p == ',') {
        ++p;
        while (p != end && IsInnerBlank(*p)) ++p;
    }
    p = PlainNumber(p, end, second);
    if (p == nullptr) return nullptr;
    while (p != end && IsInnerBlank(*p)) ++p;
    return p == end || IsBreak(*p) ? p : nullptr;
}

// Runs work(k) for every piece, piece 0 on the calling thread, the others on threads of their
// own (or on the calling thread when no thread can be had); while it waits for them, the
// calling thread calls wait() now and then.
template <typename Work, typename Wait>
void RunPieces(size_t count, const Work& work, const Wait& wait) {
    std::vector<std::future<void>> others;
    std::vector<size_t> left;
    for (size_t k = 1; k < count; ++k) {
        try {
            others.push_back(std::async(std::launch::async, [&work, k] { work(k); }));
        } catch (const std::system_error&) {
            left.push_back(k);
        }
    }
    work(0);
    for (const size_t k : left) work(k);
    for (auto& other : others) {
        while (other.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) wait();
        other.get();
    }
}

}  // namespace

PlainRowsRead ReadPlainRows(std::string_view text, size_t from, const PlainRowLayout& layout,
                            std::vector<double>& disp, std::vector<double>& force,
                            ProgressStretch& progress, uint64_t done, unsigned pieces) {
    const size_t n = text.size();
    from = std::min(from, n);
    size_t count = pieces;
    if (count == 0) {
        const size_t cores = std::max(1u, std::thread::hardware_concurrency());
        count = std::clamp<size_t>((n - from) / kMinPieceBytes, 1, cores);
    }
    std::vector<Piece> parts(count);
    size_t begin = from;
    for (size_t k = 0; k < count; ++k) {
        parts[k].Begin = begin;
        const size_t nominal = from + (n - from) / count * (k + 1);
        parts[k].End = k + 1 == count ? n : std::max(begin, NextLineStart(text, nominal));
        begin = parts[k].End;
    }
    // Where each piece's rows go: after the lines of the pieces before it.
    RunPieces(
        count,
        [&](size_t k) {
            parts[k].Lines = CountLines(text.substr(parts[k].Begin, parts[k].End - parts[k].Begin));
        },
        [] {});
    const size_t before = disp.size();
    size_t lines = 0;
    for (Piece& part : parts) {
        part.Offset = before + lines;
        lines += part.Lines;
    }
    disp.resize(before + lines);
    force.resize(before + lines);

    std::atomic<uint64_t> read{0};
    std::atomic<bool> stop{false};
    // The rows read so far, short of the last one: the end of the reading is reported by the
    // caller once the rows are joined, and a stop asked for there comes too late.
    const auto tick = [&] {
        const uint64_t rows = std::min<uint64_t>(read.load(std::memory_order_relaxed), lines);
        if (rows > 0 && !progress.Tick(done + rows - 1)) {
            stop.store(true, std::memory_order_relaxed);
        }
    };
    // Rows of exactly the two chosen fields go the fastest way.
    const bool twoColumns = layout.DispIndex == 0 && layout.ForceIndex == 1 && layout.Fields == 2;
    RunPieces(
        count,
        [&](size_t k) {
            Piece& part = parts[k];
            double* d = disp.data() + part.Offset;
            double* f = force.data() + part.Offset;
            const char* p = text.data() + part.Begin;
            const char* const end = text.data() + part.End;
            size_t rows = 0;
            size_t unreported = 0;
            while (p != end) {
                const char* const line = p;
                int64_t fields = 2;
                // The usual row is read up to its break in the same pass; any other is cut
                // out as a line first.
                p = twoColumns ? ReadTwoPlainNumbersToBreak(p, end, d[rows], f[rows]) : nullptr;
                if (p == nullptr) {
                    p = LineEnd(line, end);
                    const std::string_view row(line, static_cast<size_t>(p - line));
                    if (!ReadPlainRow(row, layout.DispIndex, layout.ForceIndex, d[rows], f[rows],
                                      fields) ||
                        fields != layout.Fields) {
                        p = line;
                        break;
                    }
                }
                p = PastBreak(p, end);
                ++rows;
                if (++unreported == kReportRows) {
                    read.fetch_add(unreported, std::memory_order_relaxed);
                    unreported = 0;
                    if (k == 0) tick();
                    if (stop.load(std::memory_order_relaxed)) break;
                }
            }
            part.Rows = rows;
            part.StopAt = static_cast<size_t>(p - text.data());
            read.fetch_add(unreported, std::memory_order_relaxed);
        },
        tick);
    // The last look at a request to stop before the rows are joined.
    tick();

    PlainRowsRead result;
    result.StopAt = n;
    if (stop.load() || progress.Stopped()) {
        result.Stopped = true;
        return result;
    }
    // The pieces join in file order up to the first one that met a line it could not read.
    for (const Piece& part : parts) {
        result.Rows += part.Rows;
        if (part.Rows != part.Lines) {
            result.StopAt = part.StopAt;
            break;
        }
    }
    disp.resize(before + result.Rows);
    force.resize(before + result.Rows);
    return result;
}

}  // namespace qlnx
