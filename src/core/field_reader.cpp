#include "core/field_reader.h"

#include "core/text_chars.h"

namespace qlnx {

FieldReader::FieldReader(std::string_view row, FieldSeparator separator) : separator_(separator) {
    size_t first = 0;
    size_t last = row.size();
    while (first < last && IsControlOrBlank(row[first])) ++first;
    while (last > first && IsControlOrBlank(row[last - 1])) --last;
    row_ = row.substr(first, last - first);
}

bool FieldReader::Next(std::string_view& field) {
    if (trailingEmpty_) {
        trailingEmpty_ = false;
        field = {};
        return true;
    }
    const size_t n = row_.size();
    if (pos_ >= n) return false;
    if (row_[pos_] == '"') {
        const size_t start = pos_ + 1;
        size_t close = row_.find('"', start);
        // A quote followed by another quote stands for one quote inside the field.
        bool doubled = false;
        while (close != std::string_view::npos && close + 1 < n && row_[close + 1] == '"') {
            doubled = true;
            close = row_.find('"', close + 2);
        }
        // Without a closing quote the field is the rest of the row.
        const size_t stop = close == std::string_view::npos ? n : close;
        field = row_.substr(start, stop - start);
        if (doubled) {
            unescaped_.clear();
            for (size_t i = 0; i < field.size(); ++i) {
                unescaped_ += field[i];
                if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
            }
            field = unescaped_;
        }
        pos_ = close == std::string_view::npos ? n : close + 1;
    } else if (separator_ == FieldSeparator::CommaOrBlank) {
        const size_t start = pos_;
        while (pos_ < n && row_[pos_] != ',' && !IsControlOrBlank(row_[pos_])) ++pos_;
        field = row_.substr(start, pos_ - start);
    } else if (separator_ == FieldSeparator::Semicolon) {
        const size_t start = pos_;
        while (pos_ < n && row_[pos_] != ';') ++pos_;
        // The blanks before the semicolon are skipped below, not part of the field.
        size_t stop = pos_;
        while (stop > start && IsControlOrBlank(row_[stop - 1])) --stop;
        field = row_.substr(start, stop - start);
    } else {
        const size_t start = pos_;
        while (pos_ < n && !IsControlOrBlank(row_[pos_])) ++pos_;
        field = row_.substr(start, pos_ - start);
    }
    while (pos_ < n && IsControlOrBlank(row_[pos_])) ++pos_;
    const char comma = separator_ == FieldSeparator::Semicolon ? ';' : ',';
    if (separator_ != FieldSeparator::Blank && pos_ < n && row_[pos_] == comma) {
        if (pos_ + 1 == n) trailingEmpty_ = true;
        ++pos_;
        while (pos_ < n && IsControlOrBlank(row_[pos_])) ++pos_;
    }
    return true;
}

std::vector<std::string> SplitFields(std::string_view row, FieldSeparator separator) {
    std::vector<std::string> fields;
    FieldReader reader(row, separator);
    std::string_view field;
    while (reader.Next(field)) fields.emplace_back(field);
    return fields;
}

}  // namespace qlnx
