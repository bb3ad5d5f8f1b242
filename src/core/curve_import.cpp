#include "core/curve_import.h"

#include <charconv>
#include <cstdint>
#include <new>
#include <vector>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_lines.h"

namespace qlnx {

namespace {

constexpr const char* kFirstLineWarning = "First Line must large than 0!";
constexpr const char* kStepWarning = "Data Import Step must not be 0!";

std::string ListIndexMessage(int64_t index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

// Trims and converts one field; on failure fills message with the conversion's own text.
bool ConvertField(std::string_view field, char separator, double& value, std::string& message) {
    const std::string_view text = TrimControl(field);
    if (const auto v = ParseFloat(text, separator)) {
        value = *v;
        return true;
    }
    // Built whole, not taken from what(), which ends at a NUL byte of the field.
    message = FloatConversionMessage(text);
    return false;
}

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Reads a plain number field at p: an optional '-', then a digit or the point, converted by
// from_chars up to a comma, a code <= 32 or the end of the row. That is exactly the field the
// delimited-text rule cuts there, and from_chars' grammar equals ours on it. Returns the end
// of the field, or nullptr for anything else (quotes, '+', text, overflow).
const char* PlainNumber(const char* p, const char* end, double& value) {
    const char* digits = p != end && *p == '-' ? p + 1 : p;
    if (digits == end || !((*digits >= '0' && *digits <= '9') || *digits == '.')) return nullptr;
    const auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || (ptr != end && *ptr != ',' && !IsControlOrBlank(*ptr))) {
        return nullptr;
    }
    return ptr;
}

// The usual row, two plain numbers separated by a comma and/or blanks, read in one pass
// without splitting it into fields first. False sends the row to the full rule.
bool ReadPlainRow(std::string_view row, double& disp, double& force) {
    const char* p = row.data();
    const char* end = p + row.size();
    while (p != end && IsControlOrBlank(*p)) ++p;
    p = PlainNumber(p, end, disp);
    if (p == nullptr) return false;
    while (p != end && IsControlOrBlank(*p)) ++p;
    if (p != end && *p == ',') {
        ++p;
        while (p != end && IsControlOrBlank(*p)) ++p;
    }
    return PlainNumber(p, end, force) != nullptr;
}

// Converts fields 1 and 2 of a row, failing in the order the window meets the failures:
// field 1 missing, field 1 not a number, field 2 missing, field 2 not a number.
bool ReadRow(std::string_view row, char separator, double& disp, double& force,
             std::string& message) {
    if (separator == '.' && ReadPlainRow(row, disp, force)) return true;
    FieldReader reader(row);
    std::string_view field;
    if (!reader.Next(field)) {
        message = ListIndexMessage(0);
        return false;
    }
    if (!ConvertField(field, separator, disp, message)) return false;
    if (!reader.Next(field)) {
        message = ListIndexMessage(1);
        return false;
    }
    return ConvertField(field, separator, force, message);
}

// Number of rows the reading can take at most, for one reservation of both vectors.
size_t RowsToRead(size_t lines, int64_t first, int64_t step) {
    const auto count = static_cast<int64_t>(lines);
    if (first >= count) return 0;
    if (step > 0) return static_cast<size_t>((count - first + step - 1) / step);
    return static_cast<size_t>(first / -step + 1);
}

// Share of the progress range that loading the file takes; the rows take the rest. Loading
// a cached file runs at several GB/s, so the rows dominate unless the disk is slow.
constexpr double kLoadShare = 0.1;

// A stopped reading leaves what an unreadable file leaves; the memory of the rows read so
// far goes back at once.
std::optional<std::string> DropStoppedReading(AnalysisState& state) {
    std::vector<double>().swap(state.RawDisp);
    std::vector<double>().swap(state.RawForce);
    state.FileNameText.clear();
    return std::nullopt;
}

std::optional<std::string> RefuseParameters(const ImportParameters& parameters) {
    if (parameters.FirstLine <= 0) return kFirstLineWarning;
    if (parameters.Step == 0) return kStepWarning;
    return std::nullopt;
}

}  // namespace

ImportCheck CheckImportParameters(std::string_view firstLineText, std::string_view stepText) {
    ImportCheck check;
    int32_t firstLine = 0;
    try {
        firstLine = StrToInt(firstLineText);
    } catch (const ConversionError& e) {
        check.Warning = e.what();
        return check;
    }
    if (firstLine <= 0) {
        check.Warning = kFirstLineWarning;
        check.FocusTo = ImportCheck::Focus::FirstLine;
        return check;
    }
    // A bad step is not the import's own warning: the error goes to the error report.
    const int32_t step = StrToInt(stepText);
    if (step == 0) {
        // A step of 0 would never leave the first line.
        check.Warning = kStepWarning;
        check.FocusTo = ImportCheck::Focus::Step;
        return check;
    }
    check.Parameters = ImportParameters{firstLine, step};
    return check;
}

std::optional<std::string> ReadCurveFile(AnalysisState& state, const std::string& path,
                                         const ImportParameters& parameters,
                                         const ProgressCallback& progress) {
    if (auto refusal = RefuseParameters(parameters)) return refusal;
    std::string text;
    bool stopped = false;
    try {
        ProgressCallback loading;
        if (progress) {
            loading = [&](double fraction) {
                stopped = !progress(kLoadShare * fraction);
                return !stopped;
            };
        }
        text = ReadTextFile(path, loading);
    } catch (const FileError& e) {
        return e.what();
    }
    if (stopped) return DropStoppedReading(state);
    state.FileNameText = path;

    const int64_t first = int64_t{parameters.FirstLine} - 1;
    const int64_t step = parameters.Step;
    const char separator = DecimalSeparator();
    auto& disp = state.RawDisp;
    auto& force = state.RawForce;
    std::string message;
    try {
        const size_t rows = RowsToRead(CountLines(text), first, step);
        disp.reserve(disp.size() + rows);
        force.reserve(force.size() + rows);
        ProgressStretch reading(progress, kLoadShare, 1.0, rows);
        uint64_t done = 0;

        LineCursor cursor(text);
        for (int64_t i = 0; i < first && cursor.Valid(); ++i) cursor.Next();
        // Lines before the first one read are skipped whatever they hold.
        for (int64_t index = first; cursor.Valid(); index += step) {
            if (!reading.Tick(done++)) return DropStoppedReading(state);
            double d = 0;
            double f = 0;
            if (!ReadRow(cursor.Line(), separator, d, f, message)) return message;
            disp.push_back(d);
            force.push_back(f);
            if (step > 0) {
                for (int64_t k = 0; k < step && cursor.Next(); ++k) {
                }
            } else {
                // Reading upwards ends with the access before line 1, which is an error.
                for (int64_t k = 0; k < -step; ++k) {
                    if (!cursor.Previous()) return ListIndexMessage(index + step);
                }
            }
        }
        // The work is done: a request to stop that comes with the last report is too late.
        reading.Finish();
    } catch (const std::bad_alloc&) {
        return std::string("Out of memory");
    }
    return std::nullopt;
}

std::optional<std::string> ImportCurveFile(AnalysisState& state, const std::string& path,
                                           const ImportParameters& parameters,
                                           const ProgressCallback& progress) {
    if (auto refusal = RefuseParameters(parameters)) return refusal;
    // The name may be the file-name box itself, which the clearing empties.
    const std::string name = path;
    state.ClearImportedCurve();
    state.ClearAnalysis();
    state.ClearLoopReadouts();
    auto warning = ReadCurveFile(state, name, parameters, progress);
    // The rows read before a failure are drawn as well.
    state.LoopSeries().Assign(state.RawDisp, state.RawForce);
    return warning;
}

}  // namespace qlnx
