// The cells of one sheet written as rows of text the channel import reads: a line a row,
// fields separated by ';', empty cells as empty fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qlnx {

class SheetText {
public:
    // limit: the most bytes the text may take.
    explicit SheetText(uint64_t limit);

    // A cell, rows in order (0-based row and column); a number's text is written as given,
    // another text has its tabs and line breaks made blanks and is quoted when it holds ';'
    // or '"'. Empty texts are left out.
    void Cell(int64_t row, int64_t column, std::string_view text, bool number);
    // A header cell merged over columns first..last of row: its text fills them all, so that
    // every column under it gets the name.
    void Merge(int64_t row, int64_t first, int64_t last);

    // For a piece of a sheet that starts below its header: every row is a data row.
    void StartInBody() { startInBody_ = true; }
    // Ends the last row of a piece read apart.
    void EndPiece();
    // Whether the rows of a piece read apart (ended) follow this piece's (ended): below them,
    // and this piece has a data row to add them to.
    bool Takes(const SheetText& later) const;
    // Adds the rows of a piece that Takes.
    void Append(SheetText&& later);

    // Whether a cell holds a number (or a text that reads as one).
    bool HasNumber() const { return hasNumber_; }
    // The rows; data rows are given the width of the widest one, so that a trailing empty
    // cell reads as a gap.
    std::string Finish();

private:
    struct HeadCell {
        int64_t Column;
        std::string Text;
    };
    // A cell of the row being filled: its text in rowText_.
    struct RowCell {
        int64_t Column;
        size_t Begin;
        size_t Length;
    };
    void EndRow();
    void Charge(uint64_t bytes);

    uint64_t limit_;
    uint64_t used_ = 0;
    bool hasNumber_ = false;
    int64_t row_ = -1;            // the row being filled
    std::vector<RowCell> cells_;  // its cells
    std::string rowText_;         // their texts
    bool rowHasNumber_ = false;
    bool startInBody_ = false;
    // Rows above the first with a number, kept as cells for the merges.
    std::vector<std::vector<HeadCell>> head_;
    std::vector<int64_t> merges_;  // row, first, last, ...
    // Rows from the first with a number on, as text, and each line's field count.
    std::string body_;
    std::vector<uint32_t> widths_;
    int64_t bodyRow_ = -1;  // sheet row of the first body line
};

// The shortest text that reads back as the same double.
std::string ShortestNumberText(double value);

// Whether the whole text reads as a number (a numeric cell written as text).
bool ReadsAsNumber(std::string_view text);

}  // namespace qlnx
