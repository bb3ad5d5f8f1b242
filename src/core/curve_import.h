// Curve import: the first-line and step boxes, and reading a curve file into the raw curve.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis_state.h"
#include "core/progress.h"

namespace qlnx {

struct ImportParameters {
    int32_t FirstLine = 1;  // 1-based number of the first line read
    int32_t Step = 1;       // read lines FirstLine, FirstLine + Step, ...
};

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
// is loaded. Field 1 of a row is the displacement, field 2 the force; a row is converted
// whole before it is appended. Returns the message that stopped the reading ("Cannot open
// file ...", "List index out of bounds (%d)", "'%s' is not a valid floating point value");
// the rows before it stay. A negative step reads upwards until it runs before line 1.
// progress, when given, follows the loading of the file and then the rows; when it asks to
// stop, the reading ends as if the file could not be read (no rows, no file name) and
// returns no message, since the user asked for it.
std::optional<std::string> ReadCurveFile(AnalysisState& state, const std::string& path,
                                         const ImportParameters& parameters,
                                         const ProgressCallback& progress = {});

// Clears the imported curve, the analysis and the loop read-outs, reads the file and draws
// the rows read as the loop series. Returns the warning to show, if reading stopped early.
// Parameters the boxes would refuse (first line <= 0, step 0) get the box's warning and
// change nothing. progress is ReadCurveFile's: a stopped import leaves the cleared state of a
// file that cannot be read.
std::optional<std::string> ImportCurveFile(AnalysisState& state, const std::string& path,
                                           const ImportParameters& parameters,
                                           const ProgressCallback& progress = {});

}  // namespace qlnx
