#include "formats/record_source.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/errors.h"
#include "formats/lvm_reader.h"
#include "formats/mat_reader.h"
#include "formats/ods_reader.h"
#include "formats/xls_reader.h"
#include "formats/xlsx_reader.h"
#include "formats/zip_archive.h"

namespace qlnx {

namespace {

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

RecordText ReadWorkbook(const ZipArchive& archive, const RecordChoice& choice) {
    if (IsXlsxWorkbook(archive)) return ReadXlsx(archive, choice);
    if (IsOdsWorkbook(archive)) return ReadOds(archive, choice);
    throw Error("The zip file is no workbook: it holds neither an .xlsx nor an .ods sheet.");
}

}  // namespace

RecordFormat DetectRecordFormatOfBytes(std::string_view head) {
    if (StartsWith(head, "PK\x03\x04") || StartsWith(head, "PK\x05\x06")) {
        return RecordFormat::Workbook;
    }
    if (StartsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return RecordFormat::Xls;
    // A MAT-file's 128-byte header begins with its description text; a v7.3 file is HDF5
    // behind that header.
    if (StartsWith(head, "MATLAB ") &&
        head.substr(0, 116).find("MAT-file") != std::string_view::npos) {
        return RecordFormat::Mat;
    }
    if (StartsWith(head, "\x89HDF\r\n\x1a\n")) return RecordFormat::Hdf5;
    if (StartsWith(head, "\xEF\xBB\xBF")) head.remove_prefix(3);
    if (StartsWith(head, "LabVIEW Measurement")) return RecordFormat::Lvm;
    return RecordFormat::Text;
}

RecordFormat DetectRecordFormat(const std::string& path) {
    // A pipe or a device is read once only, by the text import.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return RecordFormat::Text;
    std::ifstream file(path, std::ios::binary);
    if (!file) return RecordFormat::Text;
    char head[512];
    file.read(head, sizeof head);
    return DetectRecordFormatOfBytes(std::string_view(head, static_cast<size_t>(file.gcount())));
}

std::string_view RecordFormatName(RecordFormat format) {
    switch (format) {
        case RecordFormat::Text: return "a text record";
        case RecordFormat::Workbook: return "a workbook (.xlsx, .xlsm, .ods)";
        case RecordFormat::Xls: return "a workbook (.xls)";
        case RecordFormat::Mat: return "a MATLAB file (.mat)";
        case RecordFormat::Hdf5: return "an HDF5 file";
        case RecordFormat::Lvm: return "a LabVIEW measurement file (.lvm)";
    }
    return "";
}

RecordText ReadRecordText(const std::string& path, RecordFormat format,
                          const RecordChoice& choice) {
    switch (format) {
        case RecordFormat::Workbook: return ReadWorkbook(ZipArchive::OpenFile(path), choice);
        case RecordFormat::Xls: return ReadXls(path, choice);
        case RecordFormat::Mat: return ReadMat(path, choice);
        case RecordFormat::Hdf5:
            throw Error(
                "The HDF5 file is no MATLAB file: it lacks the header a v7.3 MAT-file "
                "begins with.");
        case RecordFormat::Lvm: {
            std::ifstream file(path, std::ios::binary);
            if (!file) throw FileError("Cannot open file \"" + path + "\".");
            const std::string text{std::istreambuf_iterator<char>(file),
                                   std::istreambuf_iterator<char>()};
            return ReadLvm(text, choice);
        }
        case RecordFormat::Text: break;
    }
    throw Error("The file is a text record.");
}

RecordText ReadWorkbookBytes(std::string_view bytes, const RecordChoice& choice) {
    return ReadWorkbook(ZipArchive::OpenBytes(bytes), choice);
}

}  // namespace qlnx
