// Reading a sheet of an old Excel workbook (.xls, BIFF) through FreeXL.
#pragma once

#include <string>

#include "formats/record_source.h"

namespace qlnx {

RecordText ReadXls(const std::string& path, const RecordChoice& choice);

}  // namespace qlnx
