// The first rows of a curve file as the import will read them, for the Import Options
// dialog: the fields of each line and the values taken from the chosen columns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/curve_import.h"

namespace qlnx {

struct PreviewRow {
    int64_t Line = 0;  // 1-based file line
    std::vector<std::string> Fields;
    RowReading Reading;  // the values read, or why the row cannot be read
};

struct ImportPreview {
    std::optional<RowFormat> Format;  // how the rows are read; none past the end
    std::vector<PreviewRow> Rows;
    // The line past the end of the file, as the import would report it.
    std::optional<std::string> Problem;
};

// The lines FirstLine, FirstLine + Step, ... of text (at most maxRows of them, and at most
// the lines a negative step reaches), split and read as the import reads them.
ImportPreview PreviewImport(std::string_view text, const ImportParameters& parameters,
                            size_t maxRows = 20);

}  // namespace qlnx
