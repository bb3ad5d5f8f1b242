// The outcome of reading a curve file: what stopped it, where, and the texts shown for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/import_format.h"

namespace qlnx {

enum class ImportFailure {
    None,
    Refused,          // parameters the boxes refuse; Text holds the box's warning
    CannotOpen,       // the file cannot be opened or read; Text holds the system's message
    OutOfMemory,      // the rows do not fit into memory
    EmptyRow,         // a row read has no field at all (an empty or blank line)
    MissingField,     // a row read lacks the displacement or the force field
    NotANumber,       // the displacement or force field does not convert
    RaggedRow,        // a row has another number of fields than the first row read
    BeforeFirstLine,  // reading upwards ran past line 1
    PastEnd,          // the first line lies past the end of the file
};

struct ImportResult {
    ImportFailure Failure = ImportFailure::None;
    // 1-based file line of the failure; 0 when the failure has none (CannotOpen, Refused).
    int64_t Line = 0;
    // EmptyRow, MissingField: the 0-based position of the missing field. RaggedRow: the
    // row's number of fields. BeforeFirstLine: the 0-based line index that was asked for.
    int64_t Position = 0;
    // NotANumber: the field's text, trimmed, whole.
    std::string Field;
    // RaggedRow: the first row read and its number of fields. PastEnd: the file's lines.
    int64_t ReferenceLine = 0;
    int64_t ReferenceFields = 0;
    int64_t LineCount = 0;
    // Refused, CannotOpen, OutOfMemory: the message as it stands.
    std::string Text;
    // The first line read failed and a later line among the next 50 reads: that line.
    std::optional<int64_t> SuggestedFirstLine;
    // The file changed while it was read (its name is in File); the rows read are kept.
    bool ChangedWhileRead = false;
    std::string File;
    // How the rows were read, once the first line read was seen.
    std::optional<RowFormat> Format;
    // Lines above the first line read that would have read as rows themselves.
    int64_t NumericLinesSkipped = 0;

    bool Ok() const { return Failure == ImportFailure::None && !ChangedWhileRead; }

    // The warning box's text: the failure in the words the window has always used ("List
    // index out of bounds (1)", "'x' is not a valid floating point value") with at most 40
    // characters of a field, the new failures in their own words, or the changed file.
    std::optional<std::string> Warning() const;
    // The failure with its line, for the message bar: "Line 51: 'NaN' is not a number.";
    // nullopt when the failure has no line.
    std::optional<std::string> LineMessage() const;
    // "Line 1 looks like a header: the data start at line 2.", when there is a suggestion.
    std::optional<std::string> HeaderSuggestion() const;
};

// At most 40 characters (not bytes) of a field, with "…" after them when it is longer.
std::string QuoteField(std::string_view field);

}  // namespace qlnx
