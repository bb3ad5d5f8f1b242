#include "formats/sheet_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/errors.h"
#include "formats/large_pages.h"

namespace qlnx {

namespace {

void AppendText(std::string& out, std::string_view text, bool number) {
    if (number) {
        out += text;
        return;
    }
    const bool quote = text.find_first_of(";\"") != std::string_view::npos;
    if (quote) out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += "\"\"";
        } else if (c == '\t' || c == '\n' || c == '\r') {
            out += ' ';
        } else {
            out += c;
        }
    }
    if (quote) out += '"';
}

// Room for more bytes at the end of text, grown by doubling into a buffer advised to large
// pages before the text is copied over (a copy into small pages would fault them in first).
void MakeRoom(std::string& text, size_t more) {
    const size_t needed = text.size() + more;
    if (needed <= text.capacity()) return;
    std::string grown;
    grown.reserve(std::max(needed, text.capacity() * 2));
    AdviseLargePages(grown.data(), grown.capacity());
    grown += text;
    text.swap(grown);
}

}  // namespace

std::string ShortestNumberText(double value) {
    if (std::isnan(value)) return "NaN";
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

bool ReadsAsNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

SheetText::SheetText(uint64_t limit) : limit_(limit) {}

void SheetText::Charge(uint64_t bytes) {
    used_ += bytes;
    if (used_ > limit_) {
        throw Error("The sheet takes more than " + std::to_string(limit_ >> 20) +
                    " MB of memory as text; it is too large to read.");
    }
}

void SheetText::Cell(int64_t row, int64_t column, std::string_view text, bool number) {
    if (text.empty() || row < 0 || column < 0) return;
    if (row != row_) {
        EndRow();
        row_ = std::max(row, row_ + 1);
    }
    if (!number && ReadsAsNumber(text)) number = true;
    if (number) rowHasNumber_ = true;
    Charge(text.size() + 2);
    // The cell's text goes to the row's buffer (no string of its own: a sheet of a million
    // rows has millions of cells).
    const RowCell cell{column, rowText_.size(), 0};
    AppendText(rowText_, text, number);
    const RowCell written{cell.Column, cell.Begin, rowText_.size() - cell.Begin};
    // Cells come in column order; one out of order is put in its place.
    if (!cells_.empty() && cells_.back().Column >= column) {
        const auto at =
            std::lower_bound(cells_.begin(), cells_.end(), column,
                             [](const RowCell& c, int64_t col) { return c.Column < col; });
        if (at != cells_.end() && at->Column == column) {
            *at = written;
        } else {
            cells_.insert(at, written);
        }
        return;
    }
    cells_.push_back(written);
}

void SheetText::Merge(int64_t row, int64_t first, int64_t last) {
    if (row < 0 || first < 0 || last <= first) return;
    merges_.insert(merges_.end(), {row, first, last});
}

void SheetText::EndRow() {
    if (row_ < 0) return;
    if (bodyRow_ < 0 && !rowHasNumber_ && !startInBody_) {
        head_.resize(static_cast<size_t>(row_) + 1);
        auto& head = head_.back();
        for (const RowCell& cell : cells_) {
            head.push_back({cell.Column, rowText_.substr(cell.Begin, cell.Length)});
        }
    } else {
        if (bodyRow_ < 0) {
            bodyRow_ = row_;
        } else {
            // Blank lines for the rows without cells in between.
            const auto blank = static_cast<size_t>(row_ - bodyRow_) - widths_.size();
            Charge(blank);
            MakeRoom(body_, blank);
            body_.append(blank, '\n');
            widths_.insert(widths_.end(), blank, 0);
        }
        // The cells' texts, the separators up to the last cell and the line break.
        MakeRoom(body_, rowText_.size() +
                            static_cast<size_t>(cells_.empty() ? 0 : cells_.back().Column) + 1);
        int64_t column = 0;
        for (const RowCell& cell : cells_) {
            Charge(static_cast<uint64_t>(cell.Column - column));
            body_.append(static_cast<size_t>(cell.Column - column), ';');
            column = cell.Column;
            body_.append(rowText_, cell.Begin, cell.Length);
        }
        body_ += '\n';
        widths_.push_back(static_cast<uint32_t>(cells_.empty() ? 0 : cells_.back().Column + 1));
        hasNumber_ = true;
    }
    cells_.clear();
    rowText_.clear();
    rowHasNumber_ = false;
}

void SheetText::EndPiece() {
    EndRow();
    row_ = -1;
}

bool SheetText::Takes(const SheetText& later) const {
    return bodyRow_ >= 0 && (later.bodyRow_ < 0 ||
                             later.bodyRow_ >= bodyRow_ + static_cast<int64_t>(widths_.size()));
}

void SheetText::Append(SheetText&& later) {
    merges_.insert(merges_.end(), later.merges_.begin(), later.merges_.end());
    if (later.bodyRow_ < 0) return;
    // Blank lines for the rows without cells between the pieces.
    const auto blank =
        static_cast<size_t>(later.bodyRow_ - bodyRow_ - static_cast<int64_t>(widths_.size()));
    Charge(blank + later.used_);
    // Room for the header lines Finish puts in front as well.
    MakeRoom(body_, blank + later.body_.size() + 4096);
    body_.append(blank, '\n');
    widths_.insert(widths_.end(), blank, 0);
    body_ += later.body_;
    later.body_ = std::string();
    widths_.insert(widths_.end(), later.widths_.begin(), later.widths_.end());
    hasNumber_ = hasNumber_ || later.hasNumber_;
}

std::string SheetText::Finish() {
    EndRow();
    row_ = -1;
    for (size_t m = 0; m + 2 < merges_.size(); m += 3) {
        const auto row = static_cast<size_t>(merges_[m]);
        if (row >= head_.size()) continue;
        auto& cells = head_[row];
        const auto source = std::find_if(cells.begin(), cells.end(), [&](const HeadCell& c) {
            return c.Column == merges_[m + 1];
        });
        if (source == cells.end()) continue;
        const std::string text = source->Text;
        Charge(static_cast<uint64_t>(merges_[m + 2] - merges_[m + 1]) * (text.size() + 1));
        for (int64_t column = merges_[m + 1] + 1; column <= merges_[m + 2]; ++column) {
            const auto at =
                std::lower_bound(cells.begin(), cells.end(), column,
                                 [](const HeadCell& c, int64_t col) { return c.Column < col; });
            if (at == cells.end() || at->Column != column) cells.insert(at, {column, text});
        }
    }
    std::string text;
    for (const auto& cells : head_) {
        int64_t column = 0;
        for (const HeadCell& cell : cells) {
            for (; column < cell.Column; ++column) text += ';';
            text += cell.Text;
        }
        text += '\n';
    }
    if (bodyRow_ > static_cast<int64_t>(head_.size())) {
        text.append(static_cast<size_t>(bodyRow_) - head_.size(), '\n');
    }
    // Data rows reach as far as the widest of them, and at least as far as the name and unit
    // rows (the last two rows with cells above the data): a named column whose cells are all
    // empty, or a remark column, stays a column of gaps, as a CSV export of the sheet writes it,
    // so that the header rows line up with the data.
    uint32_t width = widths_.empty() ? 0 : *std::max_element(widths_.begin(), widths_.end());
    int headerRows = 0;
    for (auto cells = head_.rbegin(); cells != head_.rend() && headerRows < 2; ++cells) {
        if (cells->empty()) continue;
        ++headerRows;
        width = std::max(width, static_cast<uint32_t>(cells->back().Column + 1));
    }
    const bool even = std::all_of(widths_.begin(), widths_.end(),
                                  [&](uint32_t w) { return w == 0 || w == width; });
    if (even) {
        // The header lines go in front of the body where it lies: the body of a large sheet
        // is not copied.
        body_.insert(0, text);
        return std::move(body_);
    }
    // Trailing empty cells of a data row become empty fields up to the widest row's width.
    size_t start = 0;
    for (const uint32_t w : widths_) {
        const size_t end = body_.find('\n', start);
        text.append(body_, start, end - start);
        if (w != 0) {
            Charge(width - w);
            text.append(width - w, ';');
        }
        text += '\n';
        start = end + 1;
    }
    return text;
}

}  // namespace qlnx
