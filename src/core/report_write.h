// A report written through the safe-write path, never over one of the files it was made from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qlnx {

// Writes content to path as WriteFileSafely does, refusing a target that is one of sources
// (the project file, the records) under whatever name, with the message the record's guard
// gives. dashIsStandardOutput: "-" is standard output.
void WriteReportFile(const std::string& path, std::string_view content,
                     const std::vector<std::string>& sources, bool dashIsStandardOutput);

}  // namespace qlnx
