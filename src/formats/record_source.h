// Reading a record that is not plain text (a workbook sheet, MATLAB variables, a LabVIEW
// measurement file) into the rows of text the channel import reads: one line a row, fields
// separated by semicolons, numbers with a decimal point and every digit they hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qlnx {

// What a file holds, told by its first bytes rather than its name.
enum class RecordFormat {
    Text,      // anything else: read as a text record
    Workbook,  // a zip container: .xlsx, .xlsm (Office Open XML) or .ods (OpenDocument)
    Xls,       // an OLE2 compound file: .xls (BIFF), or an encrypted Office workbook
    Mat,       // a MATLAB MAT-file, v5, v7 or v7.3 (HDF5 after a MATLAB header)
    Hdf5,      // an HDF5 file without the MATLAB header
    Lvm,       // a LabVIEW measurement text file
};

// The format of the file at path by its content; Text when it cannot be opened (the text
// import then reports why).
RecordFormat DetectRecordFormat(const std::string& path);
RecordFormat DetectRecordFormatOfBytes(std::string_view head);

// Which part of the file to read, and how much memory a part may take.
struct RecordChoice {
    std::string Sheet;     // a sheet's name or 1-based number; empty: the first with numbers
    std::string Variable;  // a MATLAB variable (or struct) name; empty: every numeric one
    // The most bytes one part of a workbook may inflate to, and the most the rows of text
    // may take.
    uint64_t MemoryLimit = uint64_t{2} << 30;
    // A worksheet this large (inflated) or larger is read in pieces on every core.
    uint64_t PiecesFrom = uint64_t{8} << 20;
};

struct RecordText {
    // One line a row, fields separated by ';', text fields holding ';' or '"' quoted.
    std::string Text;
    // Set when the reader knows the columns (MATLAB variables, a LabVIEW header): a name and
    // a unit ("" for none) a column, and the 1-based line of the first row of numbers. Empty
    // for a sheet, whose header is found as a text file's is.
    std::vector<std::string> Names;
    std::vector<std::string> Units;
    int64_t DataLine = 0;
    // What the file tells beside its columns: the sheet read, the variables, a header's
    // date and operator.
    std::vector<std::pair<std::string, std::string>> Metadata;
    // The sheets or variables of the file, for a listing: "Sheets" or "Variables".
    std::string PartsTitle;
    std::vector<std::string> Parts;
    std::string Chosen;  // the part read
};

// Reads the file by its format (not Text). Throws qlnx::Error with the reason when the file
// is damaged, encrypted, too large or holds no numbers to read.
RecordText ReadRecordText(const std::string& path, RecordFormat format, const RecordChoice& choice);

// A workbook held in memory (a zip container).
RecordText ReadWorkbookBytes(std::string_view bytes, const RecordChoice& choice);

// "a workbook (.xlsx, .xlsm, .ods)", ...: for messages.
std::string_view RecordFormatName(RecordFormat format);

}  // namespace qlnx
