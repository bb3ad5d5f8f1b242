#include "spreadsheet/range_formula.h"

#include <cstdint>

namespace qlnx {

namespace {

struct Cursor {
    std::string_view text;
    size_t pos = 0;
    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos;
        return true;
    }
};

bool ReadSheetName(Cursor& in, std::string& name) {
    if (in.Take('\'')) {
        while (!in.AtEnd()) {
            const char c = in.text[in.pos++];
            if (c == '\'') {
                if (!in.Take('\'')) return !name.empty();
            }
            name.push_back(c);
        }
        return false;
    }
    while (!in.AtEnd() && in.Peek() != '!') name.push_back(in.text[in.pos++]);
    return !name.empty();
}

// [$]letters[$]digits, letters case-insensitive.
bool ReadCell(Cursor& in, int32_t& row, int32_t& column) {
    in.Take('$');
    int64_t col = 0;
    int letters = 0;
    while (!in.AtEnd()) {
        char c = in.Peek();
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') break;
        col = col * 26 + (c - 'A' + 1);
        ++in.pos;
        if (++letters > 3) return false;
    }
    if (letters == 0) return false;
    in.Take('$');
    int64_t r = 0;
    int digits = 0;
    while (!in.AtEnd() && in.Peek() >= '0' && in.Peek() <= '9') {
        r = r * 10 + (in.Peek() - '0');
        ++in.pos;
        if (++digits > 8) return false;
    }
    if (digits == 0 || r < 1 || col > kWorksheetColumns) return false;
    row = static_cast<int32_t>(r);
    column = static_cast<int32_t>(col);
    return true;
}

}  // namespace

std::optional<CellRange> ParseRangeFormula(std::string_view formula) {
    Cursor in{formula};
    if (!in.Take('=')) return std::nullopt;
    CellRange range;
    if (!ReadSheetName(in, range.sheet) || !in.Take('!')) return std::nullopt;
    if (!ReadCell(in, range.firstRow, range.firstColumn)) return std::nullopt;
    range.lastRow = range.firstRow;
    range.lastColumn = range.firstColumn;
    if (in.Take(':') && !ReadCell(in, range.lastRow, range.lastColumn)) return std::nullopt;
    if (!in.AtEnd()) return std::nullopt;
    if (range.lastRow < range.firstRow || range.lastColumn < range.firstColumn) return std::nullopt;
    if (range.firstRow > kWorksheetRows || range.lastRow > kWorksheetRows + 1) return std::nullopt;
    if (range.lastRow > kWorksheetRows) range.lastRow = kWorksheetRows;
    return range;
}

}  // namespace qlnx
