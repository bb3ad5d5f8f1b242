// Plain re-statements of how a curve file is read (lines, fields, numbers), written for
// clarity rather than speed, that the import fuzz target holds the fast reader against.
#pragma once

#include <cerrno>
#include <cmath>
#include <cstdio>
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

// The code point as UTF-8.
inline void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The bytes of a file as text: a UTF-8 mark is dropped and every byte that does not begin a
// well-formed sequence becomes U+FFFD; a UTF-16 mark (FF FE little-endian, FE FF big-endian)
// is dropped and the rest read in units of two bytes, a surrogate pair as one code point and
// a lone surrogate or a last odd byte as U+FFFD; without a mark, UTF-8 stays as it is and
// anything else is Latin-1, one character per byte.
inline std::string Decode(std::string_view bytes) {
    const auto b = [&](size_t k) -> unsigned { return static_cast<unsigned char>(bytes[k]); };
    constexpr unsigned kReplacement = 0xFFFD;
    std::string out;
    if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        size_t i = 3;
        while (i < bytes.size()) {
            const unsigned c = b(i);
            const size_t len = c < 0x80             ? 1
                               : (c & 0xE0) == 0xC0 ? 2
                               : (c & 0xF0) == 0xE0 ? 3
                               : (c & 0xF8) == 0xF0 ? 4
                                                    : 0;
            if (len > 0 && i + len <= bytes.size() && IsUtf8(bytes.substr(i, len))) {
                out += bytes.substr(i, len);
                i += len;
            } else {
                AppendUtf8(out, kReplacement);
                ++i;
            }
        }
        return out;
    }
    if (bytes.size() >= 2 && ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF))) {
        const bool big = b(0) == 0xFE;
        const auto unit = [&](size_t k) -> unsigned {
            return big ? (b(k) << 8 | b(k + 1)) : (b(k + 1) << 8 | b(k));
        };
        size_t i = 2;
        while (i < bytes.size()) {
            if (i + 1 == bytes.size()) {
                AppendUtf8(out, kReplacement);
                break;
            }
            const unsigned u = unit(i);
            i += 2;
            const bool high = u >= 0xD800 && u <= 0xDBFF;
            const bool low = u >= 0xDC00 && u <= 0xDFFF;
            if (high && i + 1 < bytes.size() && unit(i) >= 0xDC00 && unit(i) <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i) - 0xDC00));
                i += 2;
            } else {
                AppendUtf8(out, high || low ? kReplacement : u);
            }
        }
        return out;
    }
    if (IsUtf8(bytes)) return std::string(bytes);
    for (size_t i = 0; i < bytes.size(); ++i) AppendUtf8(out, b(i));
    return out;
}

// The general number text of 15 significant digits, from the exact decimal expansion of the
// value (the C library prints every digit of a double when asked for enough of them): 15
// digits rounded half away from zero, trailing zeros dropped; fixed-point for a decimal
// exponent E (value = 0.d1d2... x 10^E) from -3 to 15, else d1.d2...E<exponent>.
inline std::string General15(double value, char separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    std::vector<char> buffer(1200);
    std::snprintf(buffer.data(), buffer.size(), "%.1100e", std::fabs(value));
    const std::string exact = buffer.data();
    std::string digits;
    size_t p = 0;
    for (; exact[p] != 'e'; ++p) {
        if (exact[p] != '.') digits += exact[p];
    }
    int e = std::atoi(exact.c_str() + p + 1) + 1;
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) {
        int k = 14;
        while (k >= 0 && digits[static_cast<size_t>(k)] == '9')
            digits[static_cast<size_t>(k--)] = '0';
        if (k >= 0) {
            ++digits[static_cast<size_t>(k)];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++e;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    const auto n = static_cast<int>(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (e >= -3 && e <= 0) {
        return text + "0" + separator + std::string(static_cast<size_t>(-e), '0') + digits;
    }
    if (e >= 1 && e <= 15) {
        if (n <= e) return text + digits + std::string(static_cast<size_t>(e - n), '0');
        return text + digits.substr(0, static_cast<size_t>(e)) + separator +
               digits.substr(static_cast<size_t>(e));
    }
    text += digits[0];
    if (n > 1) text += separator + digits.substr(1);
    return text + "E" + std::to_string(e - 1);
}

}  // namespace qlnx::reference
