// Which sheet of a workbook to read: the one named or numbered, or the first with numbers.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "formats/record_source.h"

namespace qlnx {

// Reads the sheet asked for (its name, else its 1-based number), or else each sheet in turn
// until one holds a number. read(i, text) renders sheet i into text and tells whether it holds
// a number. Fills the text, the metadata and the parts of the record; throws qlnx::Error when
// the sheet does not exist or holds no number. A sheet without a name is named "Sheet N" by
// its number.
void ReadChosenSheet(std::vector<std::string> names, const RecordChoice& choice,
                     const std::function<bool(size_t, std::string&)>& read, RecordText& record);

}  // namespace qlnx
