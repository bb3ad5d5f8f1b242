// How the rows of a curve file are read: the decimal separator and what separates the fields,
// decided once per file from the first line read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/text_lines.h"

namespace qlnx {

// The decimal separator the user chose for the import.
enum class DecimalMode {
    Auto,   // decided from the first line read (the default)
    Point,  // a decimal point
    Comma,  // a decimal comma; commas then separate no fields
};

// The way every row of one file is read.
struct RowFormat {
    FieldSeparator Separator = FieldSeparator::CommaOrBlank;
    char Decimal = '.';
    // A second decimal separator the numbers may use instead (the locale's comma, for files
    // read by the usual rule), or 0.
    char AlsoDecimal = 0;
    // What separates the fields of the first line read, for the description: ',', ';', '\t'
    // or ' '.
    char SeenSeparator = ',';
};

// The row format for a file whose first line read is line. Semicolons in it make it
// semicolon-separated. With Auto, decimal commas are taken when the line has no point and a
// comma between two digits, and its fields are separated by semicolons, tabs or blanks;
// otherwise the usual rule holds, with the point and the locale's separator (localeDecimal)
// both accepted. Point and Comma fix the decimal separator whatever the line holds.
RowFormat DetectRowFormat(std::string_view line, DecimalMode mode, char localeDecimal);

// Converts a trimmed field by the format's decimal separators; nullopt when it is no number.
std::optional<double> ParseField(std::string_view text, const RowFormat& format);

// How the file was read, for the status area: "semicolon-separated, decimal comma".
std::string DescribeRowFormat(const RowFormat& format);

// Names of the modes, as the batch tool and the settings spell them: auto, point, comma.
std::string_view DecimalModeName(DecimalMode mode);
std::optional<DecimalMode> DecimalModeFromName(std::string_view name);

}  // namespace qlnx
