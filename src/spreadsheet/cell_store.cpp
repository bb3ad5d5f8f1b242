#include "spreadsheet/cell_store.h"

#include <algorithm>

namespace qlnx {

CellValue& CellStore::Slot(int32_t row, int32_t column) {
    const auto c = static_cast<size_t>(column - 1);
    const auto r = static_cast<size_t>(row - 1);
    if (c >= columns_.size()) columns_.resize(c + 1);
    std::vector<CellValue>& cells = columns_[c];
    if (r >= cells.size()) {
        // Grow geometrically: cells arrive row after row.
        if (r >= cells.capacity()) cells.reserve(std::max<size_t>(r + 1, cells.capacity() * 2));
        cells.resize(r + 1);
        lastRow_ = std::max(lastRow_, r + 1);
    }
    return cells[r];
}

void CellStore::SetNumber(int32_t row, int32_t column, double value) {
    CellValue& cell = Slot(row, column);
    cell.kind = CellValue::Number;
    cell.number = value;
}

void CellStore::SetText(int32_t row, int32_t column, std::string_view text) {
    CellValue& cell = Slot(row, column);
    cell.kind = CellValue::Text;
    cell.text = static_cast<uint32_t>(texts_.size());
    texts_.emplace_back(text);
}

void CellStore::SetBoolean(int32_t row, int32_t column, bool value) {
    CellValue& cell = Slot(row, column);
    cell.kind = CellValue::Boolean;
    cell.number = value ? 1 : 0;
}

void CellStore::SetBlank(int32_t row, int32_t column) {
    const auto c = static_cast<size_t>(column - 1);
    const auto r = static_cast<size_t>(row - 1);
    if (c < columns_.size() && r < columns_[c].size()) columns_[c][r] = CellValue{};
}

CellValue CellStore::Get(int32_t row, int32_t column) const {
    const auto c = static_cast<size_t>(column - 1);
    const auto r = static_cast<size_t>(row - 1);
    if (c < columns_.size() && r < columns_[c].size()) return columns_[c][r];
    return CellValue{};
}

void CellStore::Release() {
    std::vector<std::vector<CellValue>>().swap(columns_);
    std::vector<std::string>().swap(texts_);
    lastRow_ = 0;
}

}  // namespace qlnx
