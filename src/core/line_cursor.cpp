#include "core/line_cursor.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace qlnx {

namespace {

static_assert(std::endian::native == std::endian::little, "byte masks assume little-endian words");

// 0x80 in every byte of word (little-endian) that equals c, 0 elsewhere; exact, no carries
// between bytes.
uint64_t ByteMask(uint64_t word, unsigned char c) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * c);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

}  // namespace

LineCursor::LineCursor(std::string_view text) : text_(text) {
    if (!text_.empty()) {
        valid_ = true;
        begin_ = 0;
        end_ = FindLineEnd(0);
    }
}

LineCursor::LineCursor(std::string_view text, size_t begin, int64_t index)
    : text_(text), begin_(begin), end_(begin), index_(index) {
    if (begin_ < text_.size()) {
        valid_ = true;
        end_ = FindLineEnd(begin_);
    }
}

size_t LineCursor::FindLineEnd(size_t from) const {
    const char* p = text_.data() + from;
    const char* end = text_.data() + text_.size();
    while (end - p >= 8) {
        uint64_t word = 0;
        std::memcpy(&word, p, 8);
        const uint64_t breaks = ByteMask(word, '\n') | ByteMask(word, '\r');
        if (breaks != 0) {
            return static_cast<size_t>(p - text_.data()) +
                   static_cast<size_t>(std::countr_zero(breaks) / 8);
        }
        p += 8;
    }
    while (p != end && *p != '\n' && *p != '\r') ++p;
    return static_cast<size_t>(p - text_.data());
}

bool LineCursor::Next() {
    if (!valid_) return false;
    size_t next = end_;
    if (next == text_.size()) {
        valid_ = false;
        return false;
    }
    next += (text_[next] == '\r' && next + 1 < text_.size() && text_[next + 1] == '\n') ? 2 : 1;
    // A break at the very end of the text adds no empty last line.
    if (next == text_.size()) {
        valid_ = false;
        return false;
    }
    begin_ = next;
    end_ = FindLineEnd(next);
    ++index_;
    return true;
}

bool LineCursor::Previous() {
    if (!valid_) return false;
    if (begin_ == 0) {
        valid_ = false;
        return false;
    }
    // The break before this line: CR LF, or a lone LF or CR.
    size_t prevEnd = begin_ - 1;
    if (text_[prevEnd] == '\n' && prevEnd > 0 && text_[prevEnd - 1] == '\r') --prevEnd;
    size_t prevBegin = prevEnd;
    while (prevBegin > 0 && text_[prevBegin - 1] != '\n' && text_[prevBegin - 1] != '\r') {
        --prevBegin;
    }
    begin_ = prevBegin;
    end_ = prevEnd;
    --index_;
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (LineCursor cursor(text); cursor.Valid(); cursor.Next()) lines.push_back(cursor.Line());
    return lines;
}

}  // namespace qlnx
