#include "core/curve_import.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/channel_import.h"
#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/import_range.h"
#include "core/number_text.h"
#include "core/parallel_rows.h"
#include "core/plain_rows.h"
#include "core/sample_memory.h"
#include "core/text_lines.h"
#include "formats/record_source.h"

namespace qlnx {

namespace {

constexpr const char* kFirstLineWarning = "First Line must large than 0!";
constexpr const char* kStepWarning = "Data Import Step must not be 0!";
constexpr const char* kColumnsWarning =
    "The displacement and force columns must be two different numbers from 1 on!";
// How the rows are read (see SetImportReading).
std::atomic<bool> g_lineByLine{false};
std::atomic<unsigned> g_importPieces{0};
// Lines after a first line that fails which are tried as the start of the data.
constexpr int64_t kHeaderSearch = 50;

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
ImportResult DropStoppedReading(AnalysisState& state) {
    std::vector<double>().swap(state.RawDisp);
    std::vector<double>().swap(state.RawForce);
    state.FileNameText.clear();
    return ImportResult{};
}

std::optional<std::string> RefuseParameters(const ImportParameters& parameters) {
    if (parameters.FirstLine <= 0) return kFirstLineWarning;
    if (parameters.Step == 0) return kStepWarning;
    if (const char* range = LastLineRefusal(parameters)) return range;
    if (parameters.DisplacementColumn < 1 || parameters.ForceColumn < 1 ||
        parameters.DisplacementColumn == parameters.ForceColumn) {
        return kColumnsWarning;
    }
    return std::nullopt;
}

ImportResult Failed(ImportFailure failure, std::string text) {
    ImportResult result;
    result.Failure = failure;
    result.Text = std::move(text);
    return result;
}

// Every line from the cursor's on holds only blanks and control characters.
bool RestIsBlank(LineCursor cursor) {
    for (; cursor.Valid(); cursor.Next()) {
        if (!TrimControl(cursor.Line()).empty()) return false;
    }
    return true;
}

// The first of the kHeaderSearch lines after the cursor's that reads as a row, each taken
// as the first line read would be (its own format); 1-based, or nullopt.
std::optional<int64_t> FindDataStart(LineCursor cursor, const ImportParameters& parameters) {
    for (int64_t k = 0; k < kHeaderSearch && cursor.Next(); ++k) {
        const RowFormat format =
            DetectRowFormat(cursor.Line(), parameters.Decimal, DecimalSeparator());
        if (ReadRow(cursor.Line(), format, parameters).Failure == ImportFailure::None) {
            return cursor.Index() + 1;
        }
    }
    return std::nullopt;
}

// Reads the rows of the text into RawDisp and RawForce by the rule of ReadCurveFile; stopped
// is set when progress asks to stop (the result is then to be dropped).
ImportResult ReadRows(AnalysisState& state, std::string_view text,
                      const ImportParameters& parameters, const ProgressCallback& progress,
                      bool& stopped) {
    const auto stop = [](bool& flag) {
        flag = true;
        return ImportResult{};
    };
    ImportResult result;
    const int64_t first = int64_t{parameters.FirstLine} - 1;
    const int64_t step = parameters.Step;
    auto& disp = state.RawDisp;
    auto& force = state.RawForce;
    try {
        const size_t lines = CountLines(text);
        if (first >= static_cast<int64_t>(lines)) {
            result.Failure = ImportFailure::PastEnd;
            result.Line = parameters.FirstLine;
            result.LineCount = static_cast<int64_t>(lines);
            return result;
        }
        const size_t rows = RowsToRead(lines, first, step);
        ReserveSamples(disp, disp.size() + rows);
        ReserveSamples(force, force.size() + rows);
        ProgressStretch reading(progress, kLoadShare, 1.0, rows);
        uint64_t done = 0;

        LineCursor cursor(text);
        // Lines before the first one read are skipped whatever they hold; those that would
        // read as rows are counted, so that a first line past the data's start is told.
        for (int64_t i = 0; i < first && cursor.Valid(); ++i) {
            const RowFormat own =
                DetectRowFormat(cursor.Line(), parameters.Decimal, DecimalSeparator());
            if (ReadRow(cursor.Line(), own, parameters).Failure == ImportFailure::None)
                ++result.NumericLinesSkipped;
            cursor.Next();
        }
        const RowFormat format =
            DetectRowFormat(cursor.Line(), parameters.Decimal, DecimalSeparator());
        result.Format = format;
        int64_t referenceFields = -1;
        const bool plain =
            format.Separator == FieldSeparator::CommaOrBlank && format.Decimal == '.';
        const int64_t dispIndex = int64_t{parameters.DisplacementColumn} - 1;
        const int64_t forceIndex = int64_t{parameters.ForceColumn} - 1;
        const bool twoColumns = plain && dispIndex == 0 && forceIndex == 1;
        for (int64_t index = first; cursor.Valid(); index += step) {
            if (!reading.Tick(done++)) return stop(stopped);
            double d = 0;
            double f = 0;
            int64_t fields = 0;
            // The usual row is read in one pass; anything else by the full rule.
            if (twoColumns && ReadTwoPlainNumbers(cursor.Line(), d, f)) {
                fields = 2;
            } else if (!(plain &&
                         ReadPlainRow(cursor.Line(), dispIndex, forceIndex, d, f, fields))) {
                RowReading row = ReadRow(cursor.Line(), format, parameters);
                if (row.Failure != ImportFailure::None) {
                    // Blank lines after the last row end the reading quietly.
                    if (row.Failure == ImportFailure::EmptyRow && !disp.empty() && step > 0 &&
                        RestIsBlank(cursor)) {
                        break;
                    }
                    result.Failure = row.Failure;
                    result.Line = index + 1;
                    result.Position = row.Position;
                    result.Field = std::move(row.Field);
                    if (index == first) {
                        result.SuggestedFirstLine = FindDataStart(cursor, parameters);
                    }
                    return result;
                }
                d = row.Displacement;
                f = row.Force;
                fields = row.Fields;
            }
            // Every row has as many fields as the first row read.
            if (fields != referenceFields) {
                if (referenceFields >= 0) {
                    result.Failure = ImportFailure::RaggedRow;
                    result.Line = index + 1;
                    result.Position = fields;
                    result.ReferenceLine = first + 1;
                    result.ReferenceFields = referenceFields;
                    return result;
                }
                referenceFields = fields;
            }
            disp.push_back(d);
            force.push_back(f);
            if (step > 0) {
                for (int64_t k = 0; k < step && cursor.Next(); ++k) {
                }
                // Once the first row has set the number of fields, the plain rows of a file
                // read line by line are read in pieces on every core, up to the first line
                // that is not one; the reading goes on from there by the rule above.
                if (step == 1 && plain && index == first && cursor.Valid() &&
                    !g_lineByLine.load()) {
                    const PlainRowLayout layout{dispIndex, forceIndex, referenceFields};
                    const PlainRowsRead bulk =
                        ReadPlainRows(text, cursor.Begin(), layout, disp, force, reading, done,
                                      g_importPieces.load());
                    if (bulk.Stopped) return stop(stopped);
                    const auto rowsRead = static_cast<int64_t>(bulk.Rows);
                    done += bulk.Rows;
                    index += rowsRead;
                    cursor = LineCursor(text, bulk.StopAt, cursor.Index() + rowsRead);
                }
            } else {
                // Reading upwards ends with the access before line 1, which is an error.
                for (int64_t k = 0; k < -step; ++k) {
                    if (!cursor.Previous()) {
                        result.Failure = ImportFailure::BeforeFirstLine;
                        result.Position = index + step;
                        return result;
                    }
                }
            }
        }
        // The work is done: a request to stop that comes with the last report is too late.
        reading.Finish();
    } catch (const std::bad_alloc&) {
        return Failed(ImportFailure::OutOfMemory, "Out of memory");
    }
    return result;
}

}  // namespace

RowReading ReadRow(std::string_view row, const RowFormat& format,
                   const ImportParameters& parameters) {
    RowReading reading;
    const int64_t dispIndex = int64_t{parameters.DisplacementColumn} - 1;
    const int64_t forceIndex = int64_t{parameters.ForceColumn} - 1;
    if (format.Separator == FieldSeparator::CommaOrBlank && format.Decimal == '.' &&
        ReadPlainRow(row, dispIndex, forceIndex, reading.Displacement, reading.Force,
                     reading.Fields)) {
        return reading;
    }
    // Each chosen field is converted where it is met; the failures are told in the order
    // displacement missing, displacement no number, force missing, force no number.
    FieldReader reader(row, format.Separator);
    std::string_view field;
    int64_t count = 0;
    bool dispOk = false;
    bool forceOk = false;
    std::string dispText;
    std::string forceText;
    while (reader.Next(field)) {
        if (count == dispIndex || count == forceIndex) {
            const std::string_view text = TrimControl(field);
            const auto value = ParseField(text, format);
            if (count == dispIndex) {
                dispOk = value.has_value();
                if (value)
                    reading.Displacement = *value;
                else
                    dispText = text;
            } else {
                forceOk = value.has_value();
                if (value)
                    reading.Force = *value;
                else
                    forceText = text;
            }
        }
        ++count;
    }
    reading.Fields = count;
    if (count <= dispIndex) {
        reading.Failure = count == 0 ? ImportFailure::EmptyRow : ImportFailure::MissingField;
        reading.Position = dispIndex;
    } else if (!dispOk) {
        reading.Failure = ImportFailure::NotANumber;
        reading.Field = std::move(dispText);
    } else if (count <= forceIndex) {
        reading.Failure = ImportFailure::MissingField;
        reading.Position = forceIndex;
    } else if (!forceOk) {
        reading.Failure = ImportFailure::NotANumber;
        reading.Field = std::move(forceText);
    }
    return reading;
}

void SetImportReading(const ImportReading& reading) {
    g_lineByLine.store(reading.LineByLine);
    g_importPieces.store(reading.Pieces);
}

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

ImportResult ReadCurveFile(AnalysisState& state, const std::string& path,
                           const ImportParameters& parameters, const ProgressCallback& progress) {
    if (auto refusal = RefuseParameters(parameters)) {
        return Failed(ImportFailure::Refused, *refusal);
    }
    FileText file;
    bool stopped = false;
    try {
        ProgressCallback loading;
        if (progress) {
            loading = [&](double fraction) {
                stopped = !progress(kLoadShare * fraction);
                return !stopped;
            };
        }
        file = OpenTextFile(path, loading);
    } catch (const FileError& e) {
        return Failed(ImportFailure::CannotOpen, e.what());
    }
    if (stopped) return DropStoppedReading(state);
    state.FileNameText = path;
    ImportResult result = ReadRows(state, file.Text(), parameters, progress, stopped);
    if (stopped) return DropStoppedReading(state);
    // A mapped file is read as the rows are: whether it changed is known only now.
    if (file.Changed()) {
        result.ChangedWhileRead = true;
        result.File = path;
    }
    return result;
}

ImportResult ImportCurveFile(AnalysisState& state, const std::string& path,
                             const ImportParameters& parameters, const ProgressCallback& progress) {
    if (auto refusal = RefuseParameters(parameters)) {
        return Failed(ImportFailure::Refused, *refusal);
    }
    // The name may be the file-name box itself, which the clearing empties.
    const std::string name = path;
    state.ClearImportedCurve();
    state.ClearAnalysis();
    state.ClearLoopReadouts();
    // A workbook, a MATLAB or a LabVIEW file is read by its channels even without channel
    // settings: the two column boxes pick its columns.
    static const ChannelSettings kColumns;
    const ChannelSettings* channels = parameters.Channels;
    if (channels == nullptr && DetectRecordFormat(name) != RecordFormat::Text) channels = &kColumns;
    ImportResult result = channels != nullptr
                              ? ReadChannelFile(state, name, parameters, *channels, progress)
                              : ReadCurveFile(state, name, parameters, progress);
    KeepRowsThroughLastLine(state, parameters);
    // The rows read before a failure are drawn as well.
    state.LoopSeries().Assign(CopySamples(state.RawDisp), CopySamples(state.RawForce));
    return result;
}

void ImportCurveValues(AnalysisState& state, std::vector<double> disp, std::vector<double> force,
                       const std::string& name) {
    if (disp.size() != force.size()) {
        throw Error("The record has " + std::to_string(disp.size()) + " displacements and " +
                    std::to_string(force.size()) + " forces");
    }
    for (size_t i = 0; i < disp.size(); ++i) {
        const char* what = !std::isfinite(disp[i])    ? "displacement"
                           : !std::isfinite(force[i]) ? "force"
                                                      : nullptr;
        if (what != nullptr) {
            throw Error("Sample " + std::to_string(i + 1) + ": the " + what + " " +
                        FormatGeneral15(what[0] == 'd' ? disp[i] : force[i]) +
                        " is not a finite number");
        }
    }
    const std::string shown = name;
    state.ClearImportedCurve();
    state.ClearAnalysis();
    state.ClearLoopReadouts();
    state.RawDisp = std::move(disp);
    state.RawForce = std::move(force);
    state.FileNameText = shown;
    state.LoopSeries().Assign(state.RawDisp, state.RawForce);
}

}  // namespace qlnx
