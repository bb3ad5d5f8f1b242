// Reading the delimited fields of a row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qlnx {

// What separates the fields of a row.
enum class FieldSeparator {
    CommaOrBlank,  // a comma, a run of blanks or tabs, or both (the usual rule)
    Semicolon,     // a semicolon; blanks belong to the field
    Blank,         // a run of blanks or tabs; commas belong to the field (decimal commas)
};

// Reads the fields of one row, one at a time. The usual rule accepts comma-, blank- and
// tab-separated columns alike: the row is trimmed of codes <= 32 at both ends; a field that
// begins with a double quote runs to the closing quote ("" inside stands for one quote; an
// unclosed quote takes the rest of the row); any other field runs up to a comma or a code
// <= 32; blanks after a field are skipped, then one comma with the blanks after it; a comma
// that ends the row adds one empty field. Semicolons separate nothing. With Semicolon the
// semicolon takes the comma's part and a field runs up to it, blanks included; with Blank
// only runs of codes <= 32 separate fields.
class FieldReader {
public:
    explicit FieldReader(std::string_view row,
                         FieldSeparator separator = FieldSeparator::CommaOrBlank);

    // Reads the next field into field; false when the row has no more. The view points into
    // the row, or into the reader for a quoted field with doubled quotes, and stays valid
    // until the next call.
    bool Next(std::string_view& field);

private:
    std::string_view row_;
    FieldSeparator separator_;
    size_t pos_ = 0;
    bool trailingEmpty_ = false;
    std::string unescaped_;
};

// All fields of a row, by the rule of FieldReader.
std::vector<std::string> SplitFields(std::string_view row,
                                     FieldSeparator separator = FieldSeparator::CommaOrBlank);

}  // namespace qlnx
