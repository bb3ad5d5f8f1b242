// Reading a sheet of an Office Open XML workbook (.xlsx, .xlsm): its cells streamed from the
// zip container through expat, with the shared strings, inline strings and merged headers.
#pragma once

#include "formats/record_source.h"
#include "formats/zip_archive.h"

namespace qlnx {

// Whether the container is an Office Open XML workbook (its content types name one).
bool IsXlsxWorkbook(const ZipArchive& archive);

RecordText ReadXlsx(const ZipArchive& archive, const RecordChoice& choice);

}  // namespace qlnx
