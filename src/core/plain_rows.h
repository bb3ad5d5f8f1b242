// The usual rows of a record, plain numbers separated by commas and/or blanks, read in one
// pass; any other row goes to the full rule of the import.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/plain_number.h"
#include "core/text_chars.h"

namespace qlnx {

// Reads a plain number field at p up to a comma, a code <= 32 or the end of the row: exactly
// the field the delimited-text rule cuts there. Returns the end of the field, or nullptr for
// anything else (quotes, '+', text, overflow).
inline const char* PlainNumber(const char* p, const char* end, double& value) {
    const char* ptr = ReadPlainNumber(p, end, value);
    if (ptr == nullptr || (ptr != end && *ptr != ',' && !IsControlOrBlank(*ptr))) return nullptr;
    return ptr;
}

// The usual row, plain numbers separated by commas and/or blanks, read in one pass without
// splitting it into fields first: the two chosen fields and the number of fields. False
// sends the row to the full rule (a field that is no plain number, a comma that ends the
// row, a chosen field missing).
inline bool ReadPlainRow(std::string_view row, int64_t dispIndex, int64_t forceIndex, double& disp,
                         double& force, int64_t& fields) {
    const char* p = row.data();
    const char* end = p + row.size();
    while (p != end && IsControlOrBlank(*p)) ++p;
    int64_t count = 0;
    while (p != end) {
        double value = 0;
        p = PlainNumber(p, end, value);
        if (p == nullptr) return false;
        if (count == dispIndex) disp = value;
        if (count == forceIndex) force = value;
        ++count;
        while (p != end && IsControlOrBlank(*p)) ++p;
        if (p != end && *p == ',') {
            ++p;
            while (p != end && IsControlOrBlank(*p)) ++p;
            // A comma that ends the row adds an empty field.
            if (p == end) return false;
        }
    }
    fields = count;
    return count > dispIndex && count > forceIndex;
}

// The most common row of all, two plain numbers and nothing after them, read straight
// through; false sends it to ReadPlainRow. Kept apart so that the reading loops inline it.
[[gnu::always_inline]] inline bool ReadTwoPlainNumbers(std::string_view row, double& first,
                                                       double& second) {
    const char* p = row.data();
    const char* end = p + row.size();
    while (p != end && IsControlOrBlank(*p)) ++p;
    p = PlainNumber(p, end, first);
    if (p == nullptr) return false;
    while (p != end && IsControlOrBlank(*p)) ++p;
    if (p != end && *p == ',') {
        ++p;
        while (p != end && IsControlOrBlank(*p)) ++p;
    }
    p = PlainNumber(p, end, second);
    if (p == nullptr) return false;
    while (p != end && IsControlOrBlank(*p)) ++p;
    return p == end;
}

// A record's row of width fields, plain numbers separated by commas and/or blanks, read in
// one pass: the fields marked in read are converted into values[field], the others are only
// passed over, cut where the delimited-text rule cuts them. False sends the row to the full
// rule: a read field that is no plain number (a gap, text, a quote), an unread field that
// opens with a quote, a comma that ends the row, or a row of another width.
inline bool ReadPlainChannelRow(std::string_view row, const bool* read, size_t width,
                                double* values) {
    const char* p = row.data();
    const char* end = p + row.size();
    while (p != end && IsControlOrBlank(*p)) ++p;
    size_t count = 0;
    while (p != end) {
        if (count == width) return false;
        if (read[count]) {
            p = PlainNumber(p, end, values[count]);
            if (p == nullptr) return false;
        } else {
            if (*p == '"') return false;
            while (p != end && *p != ',' && !IsControlOrBlank(*p)) ++p;
        }
        ++count;
        while (p != end && IsControlOrBlank(*p)) ++p;
        if (p != end && *p == ',') {
            ++p;
            while (p != end && IsControlOrBlank(*p)) ++p;
            if (p == end) return false;
        }
    }
    return count == width;
}

}  // namespace qlnx
