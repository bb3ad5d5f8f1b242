// Reading a written workbook package back, to know that it is whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qlnx {

// libxlsxwriter builds every part of the package in temporary files whose failed writes it
// does not notice: on a full disk it may zip a truncated sheet and report success. This reads
// the package in the open file fd back and checks it: a readable zip directory, every part
// inflating to its recorded size and checksum, every XML part ending with the close of its
// root element, and sheet i (xl/worksheets/sheet<i+1>.xml) holding sheetRows[i] rows.
// Returns what is wrong, or an empty text when the package is whole.
std::string PackageFault(int fd, const std::vector<uint64_t>& sheetRows);

}  // namespace qlnx
