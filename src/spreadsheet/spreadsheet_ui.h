// What the spreadsheet export needs from the program around it: message boxes and the
// desktop's "open this document", given as callbacks so this library stays free of Qt.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/progress.h"
#include "core/safe_write.h"

namespace qlnx {

struct SpreadsheetUi {
    // Modal box with the information icon and one OK button (caption, text; UTF-8).
    std::function<void(const std::string& caption, const std::string& text)> Information;
    // Modal box with the warning icon and one OK button.
    std::function<void(const std::string& caption, const std::string& text)> Warning;
    // Opens a written document with the desktop's program for it; false when none did.
    std::function<bool(const std::filesystem::path& file)> OpenDocument;
    // Folder for written workbooks; empty means the user's temporary folder.
    std::filesystem::path OutputFolder;
    // When set, the workbook is written to exactly this file and not opened (batch use).
    std::filesystem::path OutputFile;
    // What writing the workbook must never do: the record being analysed is not written over,
    // and whether "-" as OutputFile means standard output.
    WriteGuard Guard;
    // Told the fraction of the work done, now and then; returns false to stop. For the chart
    // export that is the whole export (sending the cells, then writing the file); for an
    // application object, the writing of its workbooks. A stopped export keeps what was
    // done so far, as a failing one does, and reports nothing.
    ProgressCallback Progress;
};

}  // namespace qlnx
