// Reading the plain rows of a large record in pieces on every core, joined in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/progress.h"

namespace qlnx {

// Which fields of a plain row are read, and how many it must have.
struct PlainRowLayout {
    int64_t DispIndex = 0;   // 0-based field of the displacement
    int64_t ForceIndex = 1;  // and of the force
    int64_t Fields = 2;      // the number of fields of every row
};

// What ReadPlainRows covered.
struct PlainRowsRead {
    size_t Rows = 0;       // rows appended, one per line from the first one on
    size_t StopAt = 0;     // byte position of the first line not read (the end of the text)
    bool Stopped = false;  // the progress asked to stop: what was appended is to be dropped
};

// Reads the lines of text from byte from (the start of a line) on as plain rows (plain
// numbers separated by commas and/or blanks, with layout.Fields fields), appending the two
// chosen fields to disp and force, up to the first line that is no such row; that line and
// the rest are left to the full rule of the import. The text is cut into pieces at line
// breaks, the pieces are read at the same time, and their rows are joined in file order: the
// result equals a reading of the lines one by one. pieces is the number of pieces: 0 for one
// per core (one only for a short text). progress gets done + the rows read so far, from the
// calling thread only; disp and force hold room for a row per line (reserved by the caller to
// avoid a second allocation).
PlainRowsRead ReadPlainRows(std::string_view text, size_t from, const PlainRowLayout& layout,
                            std::vector<double>& disp, std::vector<double>& force,
                            ProgressStretch& progress, uint64_t done, unsigned pieces = 0);

}  // namespace qlnx
