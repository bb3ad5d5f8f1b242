// Plain re-statements of how a curve file is read (lines, fields, numbers), written for
// clarity rather than speed, that the import fuzz target holds the fast reader against.
#pragma once

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlnx::reference {

inline bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Lines at CR LF, lone LF and lone CR; a break at the very end adds no empty last line.
inline std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The fields of a row: a quoted field runs to its closing quote ("" stands for one quote;
// without a closing quote it takes the rest of the row), any other field up to a comma or a
// code <= 32; blanks, then one comma with the blanks after it, end a field; a comma that
// ends the row adds one empty field.
inline std::vector<std::string> Fields(std::string_view row) {
    row = Trim(row);
    std::vector<std::string> fields;
    const size_t n = row.size();
    size_t pos = 0;
    while (pos < n) {
        std::string field;
        if (row[pos] == '"') {
            size_t j = pos + 1;
            bool closed = false;
            while (j < n) {
                if (row[j] != '"') {
                    field += row[j++];
                } else if (j + 1 < n && row[j + 1] == '"') {
                    field += '"';
                    j += 2;
                } else {
                    closed = true;
                    break;
                }
            }
            pos = closed ? j + 1 : n;
        } else {
            const size_t start = pos;
            while (pos < n && row[pos] != ',' && !IsControlOrBlank(row[pos])) ++pos;
            field.assign(row.substr(start, pos - start));
        }
        fields.push_back(field);
        while (pos < n && IsControlOrBlank(row[pos])) ++pos;
        if (pos < n && row[pos] == ',') {
            ++pos;
            if (pos == n) fields.emplace_back();
            while (pos < n && IsControlOrBlank(row[pos])) ++pos;
        }
    }
    return fields;
}

// The fields of a row split at semicolons: a quoted field as above; any other field runs up
// to a semicolon, its trailing blanks dropped; a semicolon that ends the row adds an empty
// field.
inline std::vector<std::string> SemicolonFields(std::string_view row) {
    row = Trim(row);
    std::vector<std::string> fields;
    const size_t n = row.size();
    size_t pos = 0;
    while (pos < n) {
        std::string field;
        if (row[pos] == '"') {
            size_t j = pos + 1;
            bool closed = false;
            while (j < n) {
                if (row[j] != '"') {
                    field += row[j++];
                } else if (j + 1 < n && row[j + 1] == '"') {
                    field += '"';
                    j += 2;
                } else {
                    closed = true;
                    break;
                }
            }
            pos = closed ? j + 1 : n;
        } else {
            const size_t start = pos;
            while (pos < n && row[pos] != ';') ++pos;
            field.assign(Trim(row.substr(start, pos - start)));
        }
        fields.push_back(field);
        while (pos < n && IsControlOrBlank(row[pos])) ++pos;
        if (pos < n && row[pos] == ';') {
            ++pos;
            if (pos == n) fields.emplace_back();
            while (pos < n && IsControlOrBlank(row[pos])) ++pos;
        }
    }
    return fields;
}

// The fields of a row split at runs of blanks only (a quoted field as above).
inline std::vector<std::string> BlankFields(std::string_view row) {
    row = Trim(row);
    std::vector<std::string> fields;
    const size_t n = row.size();
    size_t pos = 0;
    while (pos < n) {
        std::string field;
        if (row[pos] == '"') {
            size_t j = pos + 1;
            bool closed = false;
            while (j < n) {
                if (row[j] != '"') {
                    field += row[j++];
                } else if (j + 1 < n && row[j + 1] == '"') {
                    field += '"';
                    j += 2;
                } else {
                    closed = true;
                    break;
                }
            }
            pos = closed ? j + 1 : n;
        } else {
            while (pos < n && !IsControlOrBlank(row[pos])) field += row[pos++];
        }
        fields.push_back(field);
        while (pos < n && IsControlOrBlank(row[pos])) ++pos;
    }
    return fields;
}

// Optional sign, digits with at most one separator (at least one digit), optional exponent
// (E or e, optional sign, at least one digit), nothing else; converted by the C library
// (correctly rounded). Overflow is refused; underflow gives what strtod gives.
inline std::optional<double> Number(std::string_view text, char separator) {
    size_t i = 0;
    const size_t n = text.size();
    std::string c;
    if (i < n && (text[i] == '+' || text[i] == '-')) c += text[i++];
    size_t digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            c += text[i];
            ++digits;
        } else if (text[i] == separator && !point) {
            point = true;
            c += '.';
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        c += text[i++];
        if (i < n && (text[i] == '+' || text[i] == '-')) c += text[i++];
        size_t expDigits = 0;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits) c += text[i];
        if (expDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    errno = 0;
    const double value = std::strtod(c.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    return value;
}

// True for well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
inline bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned c = b(i);
        size_t len = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > text.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((b(i + k) & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b(i + k) & 0x3F);
        }
        const unsigned least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

}  // namespace qlnx::reference
