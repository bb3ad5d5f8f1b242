// Fuzz target: arbitrary bytes as a curve file, read with an arbitrary first line, step and
// decimal separator, and held against the plain reading of reference_text.h.
//
// Input: byte 0 holds flags, bytes 1..4 the first line and bytes 5..8 the step (little-endian
// int32), byte 9 the import options, the rest is the file. Flag 1 takes the first line as it
// is (any int32: 0, negative, INT32_MAX), else it is (byte 1 & 31) - 2, so -2..29; flag 2
// likewise for the step, else (byte 5 & 15) - 8, so -8..7 with 0 among them; flag 4 makes ','
// the locale's decimal separator. Flag 8 follows the reading with a progress callback, which
// asks to stop at its call number byte 0 >> 4 (never for 0). Byte 9: bits 0-1 the decimal
// mode (0 and 3 auto, 1 point, 2 comma), bits 2-3 the displacement column - 1, bits 4-5 the
// force column - 1 (equal columns are refused), bits 6-7 the pieces the rows are read in.
//
// The same text is then read by its channels (header rows, expressions, units): a last line
// "=DISP|FORCE|LENGTH|FORCEUNIT|ZERO|DRIFT" gives the expressions (empty: the two columns),
// the output units, a channel zeroed by its first sample and a drift height, and is left out
// of the text read.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis_state.h"
#include "core/channel_import.h"
#include "core/curve_import.h"
#include "core/number_text.h"
#include "core/progress.h"
#include "core/text_lines.h"
#include "formats/record_source.h"
#include "fuzz_check.h"
#include "reference_text.h"

namespace {

constexpr size_t kHeader = 10;

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

// The format of a file, decided from its first line read: 0 the usual fields, 1 semicolons,
// 2 blanks only; the decimal separator and a second one the numbers may use.
struct Format {
    int Fields = 0;
    char Decimal = '.';
    char Also = 0;
};

Format FormatOf(std::string_view line, qlnx::DecimalMode mode, char locale) {
    namespace ref = qlnx::reference;
    const bool semicolons = line.find(';') != std::string_view::npos;
    bool commaNumbers = line.find('.') == std::string_view::npos;
    bool between = false;
    for (size_t i = 1; i + 1 < line.size(); ++i) {
        const auto digit = [](char c) { return c >= '0' && c <= '9'; };
        between = between || (line[i] == ',' && digit(line[i - 1]) && digit(line[i + 1]));
    }
    commaNumbers = commaNumbers && between;
    bool blanks = false;
    for (const char c : ref::Trim(line)) blanks = blanks || ref::IsControlOrBlank(c);
    const bool comma = mode == qlnx::DecimalMode::Comma ||
                       (mode == qlnx::DecimalMode::Auto && commaNumbers && (semicolons || blanks));
    Format format;
    format.Fields = semicolons ? 1 : comma ? 2 : 0;
    format.Decimal = comma ? ',' : '.';
    if (mode == qlnx::DecimalMode::Auto && !comma && locale != '.') format.Also = locale;
    return format;
}

// At most 40 UTF-8 characters of a field, then an ellipsis.
std::string Quote(std::string_view field) {
    size_t characters = 0;
    for (size_t i = 0; i < field.size(); ++i) {
        if ((static_cast<unsigned char>(field[i]) & 0xC0) == 0x80) continue;
        if (++characters == 41) return std::string(field.substr(0, i)) + "\u2026";
    }
    return std::string(field);
}

std::string Count(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The rows the reading must take from the decoded text, and where it must stop.
Rows ReadByTheRule(std::string_view text, int64_t first, int64_t step, char locale,
                   const qlnx::ImportParameters& p) {
    namespace ref = qlnx::reference;
    const auto lines = ref::Lines(text);
    const auto count = static_cast<int64_t>(lines.size());
    Rows rows;
    if (first >= count) {
        rows.Message = "The file has " + Count(lines.size(), "line", "lines") + "; line " +
                       std::to_string(first + 1) + " is past its end.";
        return rows;
    }
    const Format format = FormatOf(lines[static_cast<size_t>(first)], p.Decimal, locale);
    const auto dispIndex = static_cast<size_t>(p.DisplacementColumn - 1);
    const auto forceIndex = static_cast<size_t>(p.ForceColumn - 1);
    size_t reference = 0;
    for (int64_t i = first; i < count; i += step) {
        if (i < 0) {
            rows.Message = "List index out of bounds (" + std::to_string(i) + ")";
            break;
        }
        const std::string_view line = lines[static_cast<size_t>(i)];
        const auto fields = format.Fields == 1   ? ref::SemicolonFields(line)
                            : format.Fields == 2 ? ref::BlankFields(line)
                                                 : ref::Fields(line);
        if (fields.empty() && !rows.Disp.empty() && step > 0) {
            bool blank = true;
            for (int64_t k = i; k < count; ++k)
                blank = blank && ref::Trim(lines[static_cast<size_t>(k)]).empty();
            if (blank) break;
        }
        double values[2] = {0, 0};
        const size_t indices[2] = {dispIndex, forceIndex};
        bool ok = true;
        for (int k = 0; k < 2 && ok; ++k) {
            if (fields.size() <= indices[k]) {
                rows.Message = "List index out of bounds (" + std::to_string(indices[k]) + ")";
                ok = false;
                break;
            }
            const std::string_view trimmed = ref::Trim(fields[indices[k]]);
            auto v = ref::Number(trimmed, format.Decimal);
            if (!v && format.Also != 0) v = ref::Number(trimmed, format.Also);
            if (!v) {
                rows.Message = "'" + Quote(trimmed) + "' is not a valid floating point value";
                ok = false;
                break;
            }
            values[k] = *v;
        }
        if (!ok) break;
        if (rows.Disp.empty()) reference = fields.size();
        if (fields.size() != reference) {
            rows.Message = "Line " + std::to_string(i + 1) + " has " +
                           Count(fields.size(), "field", "fields") + "; line " +
                           std::to_string(first + 1) + " has " + std::to_string(reference) + ".";
            break;
        }
        rows.Disp.push_back(values[0]);
        rows.Force.push_back(values[1]);
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

// Reads text by its channels with the settings of its last line, and holds the outcome
// against the two-column reading (designed) of the same rows where both read them.
void CheckChannelReading(std::string_view text, const qlnx::ImportParameters& p,
                         const qlnx::AnalysisState& designed, bool designedOk) {
    qlnx::ChannelSettings settings;
    std::string_view body = text;
    const size_t cut = text.rfind("\n=");
    if (cut != std::string_view::npos) {
        body = text.substr(0, cut + 1);
        std::string_view line = text.substr(cut + 2);
        if (const size_t end = line.find_first_of("\r\n"); end != line.npos) {
            line = line.substr(0, end);
        }
        std::string fields[6];
        for (size_t k = 0, from = 0; k < 6 && from <= line.size(); ++k) {
            const size_t bar = std::min(line.find('|', from), line.size());
            fields[k] = std::string(line.substr(from, bar - from));
            from = bar + 1;
        }
        settings.Displacement = fields[0];
        settings.Force = fields[1];
        settings.LengthUnit = fields[2];
        settings.ForceUnit = fields[3];
        if (!fields[4].empty()) settings.Zero.push_back({fields[4], 1});
        if (const auto drift = qlnx::ParseFloat(fields[5], '.')) settings.DriftHeight = *drift;
    }
    qlnx::ImportParameters channels = p;
    channels.Channels = &settings;
    qlnx::AnalysisState state;
    const qlnx::ImportResult result = qlnx::ReadChannelText(state, body, channels, settings);
    const qlnx::ChannelRecord& record = state.Channels;
    FUZZ_CHECK(state.RawDisp.size() == state.RawForce.size());
    if (!result.Ok()) {
        // Every refusal says why.
        FUZZ_CHECK(result.Warning().has_value() && !result.Warning()->empty());
        return;
    }
    FUZZ_CHECK(record.Active && record.SkippedRows >= 0);
    FUZZ_CHECK(record.Time.empty() || record.Time.size() == state.RawDisp.size());
    for (size_t i = 0; i < state.RawDisp.size(); ++i) {
        FUZZ_CHECK(std::isfinite(state.RawDisp[i]) && std::isfinite(state.RawForce[i]));
    }
    // Bare columns read by their default expressions are the rows the designed import reads.
    if (designedOk && cut == std::string_view::npos && record.SkippedRows == 0 &&
        record.DisplacementUnit.empty() && record.ForceUnit.empty()) {
        const auto layout = qlnx::DetectChannelLayout(body, p.FirstLine, p.Decimal);
        if (layout && layout->DataLine == p.FirstLine && layout->NameLine == 0 &&
            layout->UnitLine == 0 && layout->Metadata.empty()) {
            FUZZ_CHECK(SameBits(state.RawDisp, designed.RawDisp));
            FUZZ_CHECK(SameBits(state.RawForce, designed.RawForce));
        }
    }
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
    const uint8_t options = data[9];
    constexpr qlnx::DecimalMode kModes[] = {qlnx::DecimalMode::Auto, qlnx::DecimalMode::Point,
                                            qlnx::DecimalMode::Comma, qlnx::DecimalMode::Auto};
    p.Decimal = kModes[options & 3];
    p.DisplacementColumn = 1 + ((options >> 2) & 3);
    p.ForceColumn = 1 + ((options >> 4) & 3);
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
    // The rows are read in one per core, 1, 4 or 7 pieces at the same time (the top two bits
    // of the options); the reading line by line must give the same below.
    const unsigned pieces = (options >> 6) == 0 ? 0u : (options >> 6) * 3u - 2u;
    qlnx::SetImportReading({false, pieces});
    const qlnx::ImportResult result = qlnx::ImportCurveFile(state, path, p, progress);
    qlnx::SetImportReading({});
    const auto warning = result.Warning();
    FUZZ_CHECK(!result.ChangedWhileRead);
    if (p.FirstLine <= 0 || p.Step == 0 || p.DisplacementColumn == p.ForceColumn) {
        FUZZ_CHECK(warning == std::string(p.FirstLine <= 0 ? "First Line must large than 0!"
                                          : p.Step == 0
                                              ? "Data Import Step must not be 0!"
                                              : "The displacement and force columns must be two "
                                                "different numbers from 1 on!"));
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
    // A file that is a workbook, a MAT-file or a LabVIEW file by its first bytes goes to its
    // own reader (fuzz_workbook checks the workbooks); the text rules below are not its rules.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (qlnx::DetectRecordFormatOfBytes(bytes) != qlnx::RecordFormat::Text) {
        FUZZ_CHECK(state.RawDisp.size() == state.RawForce.size());
        return 0;
    }
    FUZZ_CHECK(state.FileNameText == path);
    FUZZ_CHECK(state.RawDisp.size() == state.RawForce.size());
    FUZZ_CHECK(SameBits(state.LoopSeries().XValues(), state.RawDisp));
    FUZZ_CHECK(SameBits(state.LoopSeries().YValues(), state.RawForce));
    FUZZ_CHECK(state.LoopDisp.empty() && state.LoopStart.empty() && state.LoopCount == 0);

    // The text by the plain decoding rules; the program's decoding gives the same, apart from
    // UTF-16 without a byte-order mark, which it finds by the zero bytes of the first kilobyte.
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::string text = original;
    const qlnx::TextEncoding encoding = qlnx::DecodeText(text);
    FUZZ_CHECK(qlnx::reference::IsUtf8(text));
    const bool utf16 = encoding == qlnx::TextEncoding::Utf16LENoMark ||
                       encoding == qlnx::TextEncoding::Utf16BENoMark;
    if (!utf16) FUZZ_CHECK(text == qlnx::reference::Decode(original));
    CheckLines(text);

    const Rows expected =
        ReadByTheRule(text, int64_t{p.FirstLine} - 1, int64_t{p.Step}, separator, p);
    if (warning != expected.Message) {
        std::fprintf(stderr, "read: %s\nrule: %s\n", Printable(warning).c_str(),
                     Printable(expected.Message).c_str());
    }
    FUZZ_CHECK(warning == expected.Message);
    FUZZ_CHECK(SameBits(state.RawDisp, expected.Disp));
    FUZZ_CHECK(SameBits(state.RawForce, expected.Force));
    if (p.Step > 0 && p.FirstLine <= 1000) CheckChannelReading(text, p, state, !warning);
    {
        qlnx::SetImportReading({true, 0});
        qlnx::AnalysisState byLine;
        const qlnx::ImportResult lineResult = qlnx::ImportCurveFile(byLine, path, p);
        qlnx::SetImportReading({});
        FUZZ_CHECK(lineResult.Warning() == warning && lineResult.Line == result.Line);
        FUZZ_CHECK(SameBits(byLine.RawDisp, state.RawDisp));
        FUZZ_CHECK(SameBits(byLine.RawForce, state.RawForce));
    }

    // A suggested first line lies among the 50 lines after the failing first line, and
    // reading from it takes at least one row.
    if (result.SuggestedFirstLine) {
        const int64_t suggested = *result.SuggestedFirstLine;
        FUZZ_CHECK(state.RawDisp.empty() && result.Line == p.FirstLine);
        FUZZ_CHECK(suggested > result.Line && suggested <= result.Line + 50);
        qlnx::AnalysisState again;
        qlnx::ImportParameters from = p;
        from.FirstLine = static_cast<int32_t>(suggested);
        (void)qlnx::ImportCurveFile(again, path, from);
        FUZZ_CHECK(!again.RawDisp.empty());
    }

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
