// Fuzz target: arbitrary bytes as a curve file, read with an arbitrary first line, step and
// decimal separator, and held against the plain reading of reference_text.h.
//
// Input: byte 0 holds flags, bytes 1..4 the first line and bytes 5..8 the step (little-endian
// int32), the rest is the file. Flag 1 takes the first line as it is (any int32: 0, negative,
// INT32_MAX), else it is (byte 1 & 31) - 2, so -2..29; flag 2 likewise for the step, else
// (byte 5 & 15) - 8, so -8..7 with 0 among them; flag 4 makes ',' the decimal separator.
// Flag 8 follows the reading with a progress callback, which asks to stop at its call number
// byte 0 >> 4 (never for 0).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "core/analysis_state.h"
#include "core/curve_import.h"
#include "core/number_text.h"
#include "core/progress.h"
#include "core/text_lines.h"
#include "fuzz_check.h"
#include "reference_text.h"

namespace {

constexpr size_t kHeader = 9;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!SameBits(a[i], b[i])) return false;
    }
    return true;
}

int32_t ReadInt32(const uint8_t* p) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | p[k];
    int32_t s = 0;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

// A message with its control and non-ASCII bytes as \xNN, for the report of a finding.
std::string Printable(const std::optional<std::string>& message) {
    if (!message) return "(none)";
    std::string out;
    for (const char c : *message) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return out;
}

struct Rows {
    std::vector<double> Disp;
    std::vector<double> Force;
    std::optional<std::string> Message;
};

// The rows the reading must take from the decoded text, and where it must stop.
Rows ReadByTheRule(std::string_view text, int64_t first, int64_t step, char separator) {
    namespace ref = qlnx::reference;
    const auto lines = ref::Lines(text);
    const auto count = static_cast<int64_t>(lines.size());
    Rows rows;
    const auto convert = [&](const std::string& field, double& value) {
        const std::string_view trimmed = ref::Trim(field);
        const auto v = ref::Number(trimmed, separator);
        if (!v) {
            rows.Message = "'" + std::string(trimmed) + "' is not a valid floating point value";
            return false;
        }
        value = *v;
        return true;
    };
    for (int64_t i = first; i < count; i += step) {
        if (i < 0) {
            rows.Message = "List index out of bounds (" + std::to_string(i) + ")";
            break;
        }
        const auto fields = ref::Fields(lines[static_cast<size_t>(i)]);
        double d = 0;
        double f = 0;
        if (fields.empty()) {
            rows.Message = "List index out of bounds (0)";
            break;
        }
        if (!convert(fields[0], d)) break;
        if (fields.size() < 2) {
            rows.Message = "List index out of bounds (1)";
            break;
        }
        if (!convert(fields[1], f)) break;
        rows.Disp.push_back(d);
        rows.Force.push_back(f);
    }
    return rows;
}

// The line tools agree with the plain splitting: count, forward and backward walks.
void CheckLines(std::string_view text) {
    const auto lines = qlnx::reference::Lines(text);
    FUZZ_CHECK(qlnx::CountLines(text) == lines.size());
    qlnx::LineCursor cursor(text);
    size_t i = 0;
    for (; cursor.Valid(); ++i) {
        FUZZ_CHECK(i < lines.size() && cursor.Line() == lines[i]);
        FUZZ_CHECK(cursor.Index() == static_cast<int64_t>(i));
        if (!cursor.Next()) break;
    }
    FUZZ_CHECK(lines.empty() ? i == 0 : i + 1 == lines.size());
    if (lines.empty()) return;
    qlnx::LineCursor end(text);
    while (end.Next()) {
    }
    FUZZ_CHECK(!end.Valid() && !end.Previous());
    qlnx::LineCursor last(text);
    for (size_t k = 1; k < lines.size(); ++k) FUZZ_CHECK(last.Next());
    for (size_t k = lines.size(); k-- > 0;) {
        FUZZ_CHECK(last.Valid() && last.Line() == lines[k]);
        last.Previous();
    }
    FUZZ_CHECK(!last.Valid());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) return 0;
    const uint8_t flags = data[0];
    qlnx::ImportParameters p;
    p.FirstLine = (flags & 1) ? ReadInt32(data + 1) : (data[1] & 31) - 2;
    p.Step = (flags & 2) ? ReadInt32(data + 5) : (data[5] & 15) - 8;
    const char separator = (flags & 4) ? ',' : '.';
    qlnx::SetDecimalSeparator(separator);
    data += kHeader;
    size -= kHeader;

    static const int fd = memfd_create("curve", 0);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);

    // An earlier import that refused parameters must leave as it was.
    qlnx::AnalysisState state;
    state.RawDisp = {7};
    state.RawForce = {8};
    state.LoopSeries().AddXY(7, 8);
    state.FileNameText = "earlier.csv";
    // The progress callback: fractions from 0 to 1, never decreasing, and no call after it
    // asked to stop.
    const bool follow = (flags & 8) != 0;
    const int stopAt = flags >> 4;
    int calls = 0;
    bool stopped = false;
    double last = 0;
    qlnx::ProgressCallback progress;
    if (follow) {
        progress = [&](double fraction) {
            FUZZ_CHECK(!stopped && fraction >= last && fraction <= 1.0);
            last = fraction;
            stopped = ++calls == stopAt;
            return !stopped;
        };
    }
    const auto warning = qlnx::ImportCurveFile(state, path, p, progress);
    if (p.FirstLine <= 0 || p.Step == 0) {
        FUZZ_CHECK(warning == std::string(p.FirstLine <= 0 ? "First Line must large than 0!"
                                                           : "Data Import Step must not be 0!"));
        FUZZ_CHECK(state.RawDisp.size() == 1 && state.RawForce.size() == 1);
        FUZZ_CHECK(state.LoopSeries().Count() == 1 && state.FileNameText == "earlier.csv");
        return 0;
    }
    // A reading that ran to its end closed with fraction 1.
    if (follow && !stopped && !warning) FUZZ_CHECK(last == 1.0);
    // A stop asked for before the closing report (fraction 1) leaves the state of a file
    // that cannot be read, without a message; at the closing report it comes too late.
    if (stopped && last < 1.0) {
        FUZZ_CHECK(!warning && state.FileNameText.empty());
        FUZZ_CHECK(state.RawDisp.empty() && state.RawForce.empty());
        FUZZ_CHECK(state.LoopSeries().Count() == 0);
        return 0;
    }
    FUZZ_CHECK(state.FileNameText == path);
    FUZZ_CHECK(state.RawDisp.size() == state.RawForce.size());
    FUZZ_CHECK(SameBits(state.LoopSeries().XValues(), state.RawDisp));
    FUZZ_CHECK(SameBits(state.LoopSeries().YValues(), state.RawForce));
    FUZZ_CHECK(state.LoopDisp.empty() && state.LoopStart.empty() && state.LoopCount == 0);

    // The text by the plain decoding rules; the program's decoding gives the same.
    const std::string original(reinterpret_cast<const char*>(data), size);
    const std::string text = qlnx::reference::Decode(original);
    FUZZ_CHECK(qlnx::reference::IsUtf8(text));
    std::string decoded = original;
    qlnx::DecodeText(decoded);
    FUZZ_CHECK(decoded == text);
    CheckLines(text);

    const Rows expected = ReadByTheRule(text, int64_t{p.FirstLine} - 1, int64_t{p.Step}, separator);
    if (warning != expected.Message) {
        std::fprintf(stderr, "read: %s\nrule: %s\n", Printable(warning).c_str(),
                     Printable(expected.Message).c_str());
    }
    FUZZ_CHECK(warning == expected.Message);
    FUZZ_CHECK(SameBits(state.RawDisp, expected.Disp));
    FUZZ_CHECK(SameBits(state.RawForce, expected.Force));

    // The field reader and the number conversion with both separators, on every line.
    for (const auto line : qlnx::reference::Lines(text)) {
        const auto fields = qlnx::SplitFields(line);
        FUZZ_CHECK(fields == qlnx::reference::Fields(line));
        for (const auto& field : fields) {
            const std::string_view trimmed = qlnx::TrimControl(field);
            for (const char sep : {'.', ','}) {
                const auto got = qlnx::ParseFloat(trimmed, sep);
                const auto want = qlnx::reference::Number(trimmed, sep);
                FUZZ_CHECK(got.has_value() == want.has_value() && (!got || SameBits(*got, *want)));
            }
        }
    }
    return 0;
}
