// Walking the lines of a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qlnx {

// Walks the lines of a text forward or backward without copying them. Line views point
// into the text, without their line break.
class LineCursor {
public:
    // Stands on line 0, or on no line when the text is empty.
    explicit LineCursor(std::string_view text);
    // Stands on the line that starts at byte begin (0 or just after a line break), numbered
    // index; on no line when begin is the end of the text.
    LineCursor(std::string_view text, size_t begin, int64_t index);

    bool Valid() const { return valid_; }
    int64_t Index() const { return index_; }
    // Byte position of the line's start in the text.
    size_t Begin() const { return begin_; }
    std::string_view Line() const { return text_.substr(begin_, end_ - begin_); }

    // Moves to the next line; false (and no longer valid) when there is none.
    bool Next();
    // Moves to the previous line; false (and no longer valid) before line 0.
    bool Previous();

private:
    size_t FindLineEnd(size_t from) const;

    std::string_view text_;
    size_t begin_ = 0;
    size_t end_ = 0;
    int64_t index_ = 0;
    bool valid_ = false;
};

// All lines of a text (views into it).
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace qlnx
