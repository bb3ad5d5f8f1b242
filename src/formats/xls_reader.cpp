#include "formats/xls_reader.h"

#include <freexl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/errors.h"
#include "formats/sheet_choice.h"
#include "formats/sheet_text.h"

namespace qlnx {

namespace {

class XlsHandle {
public:
    ~XlsHandle() {
        if (handle_ != nullptr) freexl_close(handle_);
    }
    const void** Out() { return &handle_; }
    const void* Get() const { return handle_; }

private:
    const void* handle_ = nullptr;
};

// An OLE2 container holding "EncryptedPackage" is an Office workbook saved with a password:
// the stream's name is stored in UTF-16 in the container's directory.
bool HoldsEncryptedPackage(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::vector<char> bytes(size_t{1} << 20);
    const size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    static const char kName[] = "E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0";
    const std::string_view haystack(bytes.data(), n);
    return haystack.find(std::string_view(kName, sizeof kName - 1)) != std::string_view::npos;
}

bool ReadSheet(const XlsHandle& xls, size_t index, const RecordChoice& choice, std::string& out) {
    if (freexl_select_active_worksheet(xls.Get(), static_cast<unsigned short>(index)) !=
        FREEXL_OK) {
        throw Error("The workbook is damaged: sheet " + std::to_string(index + 1) +
                    " cannot be read.");
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.Get(), &rows, &columns) != FREEXL_OK) {
        throw Error("The workbook is damaged: sheet " + std::to_string(index + 1) +
                    " has no size.");
    }
    SheetText sheet(choice.MemoryLimit);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(xls.Get(), r, c, &cell) != FREEXL_OK) continue;
            switch (cell.type) {
                case FREEXL_CELL_INT:
                    sheet.Cell(r, c, std::to_string(cell.value.int_value), true);
                    break;
                case FREEXL_CELL_DOUBLE:
                    sheet.Cell(r, c, ShortestNumberText(cell.value.double_value), true);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (cell.value.text_value != nullptr) {
                        sheet.Cell(r, c, cell.value.text_value, false);
                    }
                    break;
                default: break;
            }
        }
    }
    out = sheet.Finish();
    return sheet.HasNumber();
}

}  // namespace

RecordText ReadXls(const std::string& path, const RecordChoice& choice) {
    if (HoldsEncryptedPackage(path)) {
        throw Error("The workbook is encrypted; save it without a password to read it.");
    }
    XlsHandle xls;
    const int opened = freexl_open(path.c_str(), xls.Out());
    if (opened != FREEXL_OK) {
        throw Error("The workbook is damaged: it is no BIFF workbook FreeXL can read (error " +
                    std::to_string(opened) + ").");
    }
    unsigned int password = 0;
    if (freexl_get_info(xls.Get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        throw Error("The workbook is encrypted; save it without a password to read it.");
    }
    unsigned int count = 0;
    if (freexl_get_info(xls.Get(), FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) count = 0;
    std::vector<std::string> names;
    for (unsigned int i = 0; i < count && i < 65535; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.Get(), static_cast<unsigned short>(i), &name) ==
                FREEXL_OK &&
            name != nullptr) {
            names.emplace_back(name);
        } else {
            names.push_back("Sheet" + std::to_string(i + 1));
        }
    }
    RecordText record;
    ReadChosenSheet(
        names, choice,
        [&](size_t index, std::string& text) { return ReadSheet(xls, index, choice, text); },
        record);
    return record;
}

}  // namespace qlnx
