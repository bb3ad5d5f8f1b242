// Reading a sheet of an OpenDocument spreadsheet (.ods): the tables of content.xml streamed
// from the zip container through expat, repeated rows and cells unrolled.
#pragma once

#include "formats/record_source.h"
#include "formats/zip_archive.h"

namespace qlnx {

// Whether the container is an OpenDocument spreadsheet (its mimetype entry says so).
bool IsOdsWorkbook(const ZipArchive& archive);

RecordText ReadOds(const ZipArchive& archive, const RecordChoice& choice);

}  // namespace qlnx
