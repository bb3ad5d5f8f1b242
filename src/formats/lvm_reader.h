// Reading a LabVIEW measurement file (.lvm): the file header (date, operator, separators),
// each segment's header (channel count, units, X dimension) and rows, every segment after the
// first joined to the first.
#pragma once

#include <string>
#include <string_view>

#include "formats/record_source.h"

namespace qlnx {

RecordText ReadLvm(std::string_view text, const RecordChoice& choice);

}  // namespace qlnx
