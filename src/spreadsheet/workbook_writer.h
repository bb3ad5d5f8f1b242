// Writes a workbook of the in-process application as an .xlsx file.
#pragma once

#include <filesystem>

#include "core/progress.h"
#include "core/safe_write.h"
#include "spreadsheet/workbook_data.h"

namespace qlnx {

// Writes every sheet's cells and every chart whose series have their values set (a chart
// left half-built by a failed export keeps the series it completed). Rows stream out in
// ascending order, so memory stays small at a million cells. The file is written as
// SafeFileWrite does it (an old file is replaced only by the complete new one; a device or
// pipe is written in place), and the library's own log lines are kept off standard error.
// Throws FileError "Cannot create file \"<file>\". <system's reason>" when the file cannot be
// written, "Cannot write the workbook \"<file>\": <reason>" when the library refuses the
// data; the old file is untouched either way. progress, when given, follows the rows and the
// compression of the file (which runs on a helper thread meanwhile); when it asks to stop
// during the rows, the rows after the current block are left out and the file is finished
// with what was written, charts included.
void WriteWorkbookFile(const WorkbookData& book, const std::filesystem::path& file,
                       const ProgressCallback& progress = {}, const WriteGuard& guard = {});

}  // namespace qlnx
