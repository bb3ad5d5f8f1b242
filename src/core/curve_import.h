// Curve import: the first-line and step boxes, and reading a curve file into the raw curve.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "core/import_format.h"
#include "core/import_result.h"
#include "core/progress.h"

namespace qlnx {

struct ChannelSettings;

struct ImportParameters {
    int32_t FirstLine = 1;  // 1-based number of the first line read
    int32_t Step = 1;       // read lines FirstLine, FirstLine + Step, ...
    DecimalMode Decimal = DecimalMode::Auto;
    int32_t DisplacementColumn = 1;  // 1-based field numbers of the two values
    int32_t ForceColumn = 2;
    // The last line kept (an idle tail or the record after rupture left out); 0 for all.
    int32_t LastLine = 0;
    // When set, the record is read by its channels (ReadChannelFile): header, expressions,
    // units. Unset, the two columns are read as they always were. The caller keeps the
    // settings for the import's time.
    const ChannelSettings* Channels = nullptr;
    // A workbook's sheet (name or 1-based number; empty: the first with numbers) and a
    // MATLAB file's variable (empty: every numeric one).
    std::string Sheet{};
    std::string Variable{};
};

// One row read by the import's rule: its values, or why it cannot be read.
struct RowReading {
    ImportFailure Failure = ImportFailure::None;  // None, EmptyRow, MissingField, NotANumber
    int64_t Position = 0;                         // the missing field's 0-based position
    std::string Field;                            // the field that does not convert, trimmed
    double Displacement = 0;
    double Force = 0;
    int64_t Fields = 0;  // the row's number of fields
};

// Reads one row by the format: the displacement field, then the force field, each missing
// or not a number in that order; the fields are counted to the end of the row.
RowReading ReadRow(std::string_view row, const RowFormat& format,
                   const ImportParameters& parameters);

// The outcome of checking the two boxes before the open dialog is shown.
struct ImportCheck {
    enum class Focus { None, FirstLine, Step };
    std::optional<ImportParameters> Parameters;  // set when the import may go on
    std::string Warning;                         // else the warning to show
    Focus FocusTo = Focus::None;                 // and the box that takes the keyboard focus
};

// Checks the texts of the first-line box (edt7) and the step box (edt8) in the order the
// window does: first line (warning on a bad integer or a value <= 0), then step (a bad
// integer throws ConversionError for the error report; 0 gets a warning
// "Data Import Step must not be 0!").
ImportCheck CheckImportParameters(std::string_view firstLineText, std::string_view stepText);

// Reads the rows of the file, lines FirstLine, FirstLine + Step, ..., into RawDisp and
// RawForce (which the caller has emptied) and puts the path into FileNameText once the file
// is loaded. The row format is decided from the first line read (DetectRowFormat); the
// chosen columns hold the displacement and the force; a row is converted whole before it is
// appended, and every row must have as many fields as the first row read. Empty or blank
// lines after the last row end the reading quietly. Returns what stopped the reading (the
// rows before it stay), with the line that would start the data when the first line read
// fails and one of the next 50 lines reads. A negative step reads upwards until it runs
// before line 1. progress, when given, follows the loading of the file and then the rows;
// when it asks to stop, the reading ends as if the file could not be read (no rows, no file
// name) and reports nothing, since the user asked for it.
ImportResult ReadCurveFile(AnalysisState& state, const std::string& path,
                           const ImportParameters& parameters,
                           const ProgressCallback& progress = {});

// How ReadCurveFile reads the rows of a file line by line from the first one (step 1): the
// plain rows in pieces at the same time, joined in file order, or one line after the other.
// Both give the same rows and the same failure; tests and fuzzing compare them.
struct ImportReading {
    bool LineByLine = false;  // one line after the other
    unsigned Pieces = 0;      // else the number of pieces: 0 one per core (one for a short file)
};
void SetImportReading(const ImportReading& reading);

// Clears the imported curve, the analysis and the loop read-outs, reads the file and draws
// the rows read as the loop series. Returns ReadCurveFile's result. Parameters the boxes
// would refuse (first line <= 0, step 0, columns) are Refused with the box's warning and
// change nothing. progress is ReadCurveFile's: a stopped import leaves the cleared state of a
// file that cannot be read.
ImportResult ImportCurveFile(AnalysisState& state, const std::string& path,
                             const ImportParameters& parameters,
                             const ProgressCallback& progress = {});

// The import of a record held in memory: checks the two sequences (as many displacements as
// forces, every value a finite number; throws Error naming the first sample that is not,
// changing nothing), then clears the imported curve, the analysis and the loop read-outs,
// takes them as RawDisp and RawForce, shows name in the file-name box and draws the loop
// series, as the import of a file holding these rows does.
void ImportCurveValues(AnalysisState& state, std::vector<double> disp, std::vector<double> force,
                       const std::string& name);

}  // namespace qlnx
