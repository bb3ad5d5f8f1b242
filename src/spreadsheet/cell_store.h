// The cells of one worksheet: numbers, texts and booleans by row and column.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qlnx {

// Largest row and column of a worksheet (1-based).
inline constexpr int32_t kWorksheetRows = 1048576;
inline constexpr int32_t kWorksheetColumns = 16384;

struct CellValue {
    enum Kind : uint8_t { Blank, Number, Text, Boolean };
    double number = 0;  // Number; Boolean as 1 or 0
    uint32_t text = 0;  // Text: index into the store's texts
    Kind kind = Blank;
};

// Column by column, each a dense vector from row 1 to its last written row, so a million
// numbers take 16 MB and the rows can be read back in ascending order for streaming.
class CellStore {
public:
    // row and column are 1-based and within the worksheet (the caller checks).
    void SetNumber(int32_t row, int32_t column, double value);
    void SetText(int32_t row, int32_t column, std::string_view text);
    void SetBoolean(int32_t row, int32_t column, bool value);
    void SetBlank(int32_t row, int32_t column);

    // The cell, or a blank one.
    CellValue Get(int32_t row, int32_t column) const;
    std::string_view TextOf(const CellValue& cell) const { return texts_[cell.text]; }

    // Calls f(row, column, cell) for every non-blank cell, rows ascending, then columns.
    template <class F>
    void ForEachInRowOrder(F&& f) const {
        ForEachInRows(1, RowCount(), f);
    }
    // The same for the rows firstRow to lastRow (1-based, both included).
    template <class F>
    void ForEachInRows(int32_t firstRow, int32_t lastRow, F&& f) const;
    // The highest row written in any column (0 when nothing was written).
    int32_t RowCount() const { return static_cast<int32_t>(lastRow_); }

    // Frees everything (the cells were written out).
    void Release();

private:
    CellValue& Slot(int32_t row, int32_t column);

    std::vector<std::vector<CellValue>> columns_;
    std::vector<std::string> texts_;
    size_t lastRow_ = 0;  // highest row count of any column
};

template <class F>
void CellStore::ForEachInRows(int32_t firstRow, int32_t lastRow, F&& f) const {
    const size_t end = std::min(lastRow_, static_cast<size_t>(std::max(lastRow, 0)));
    for (size_t r = static_cast<size_t>(std::max(firstRow, 1) - 1); r < end; ++r) {
        for (size_t c = 0; c < columns_.size(); ++c) {
            const std::vector<CellValue>& column = columns_[c];
            if (r < column.size() && column[r].kind != CellValue::Blank) {
                f(static_cast<int32_t>(r + 1), static_cast<int32_t>(c + 1), column[r]);
            }
        }
    }
}

}  // namespace qlnx
