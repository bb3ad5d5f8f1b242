// Finding the header of a multi-channel record: where the data start, the name row and the
// unit row above them, and the key/value lines above those.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_table.h"
#include "core/import_format.h"

namespace qlnx {

struct ChannelLayout {
    std::vector<Channel> Channels;  // one a field of the first data row
    qlnx::Metadata Metadata;
    int64_t DataLine = 0;  // 1-based line of the first data row
    int64_t NameLine = 0;  // 1-based line of the name row; 0 when none
    int64_t UnitLine = 0;  // 1-based line of the unit row; 0 when none
    RowFormat Format;      // how the data rows are read
};

// A field that holds no sample: empty, or NaN in any case and sign.
bool IsGapField(std::string_view trimmed);

// Splits a header line by the separator of the data rows (semicolons, tabs, commas, or runs
// of blanks), each field trimmed; trailing empty fields dropped.
std::vector<std::string> SplitHeaderLine(std::string_view line, const RowFormat& format,
                                         std::string_view dataLine);

// Reads the layout of the text from the 1-based line firstLine on: the first line within the
// next searchLines whose fields are all numbers or gaps (one number at least) starts the data;
// the last non-blank line above it is a unit row when every field of it is a unit (then the
// line above that is the name row), else the name row; a name may carry its unit in brackets
// or parentheses ("Load [kN]", "Disp (in)"); lines above the name row that hold a key and a
// value ("Specimen: W1", "Test unit,RS1,", "Operator<TAB>lab") are the metadata. nullopt when
// no line there reads as data.
std::optional<ChannelLayout> DetectChannelLayout(std::string_view text, int64_t firstLine,
                                                 DecimalMode mode, int64_t searchLines = 200);

}  // namespace qlnx
