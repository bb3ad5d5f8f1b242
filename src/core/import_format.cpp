#include "core/import_format.h"

#include "core/number_text.h"
#include "core/text_chars.h"

namespace qlnx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A comma with a digit on either side, as in 0,1045.
bool HasCommaBetweenDigits(std::string_view line) {
    for (size_t i = 1; i + 1 < line.size(); ++i) {
        if (line[i] == ',' && IsDigit(line[i - 1]) && IsDigit(line[i + 1])) return true;
    }
    return false;
}

// Blanks or tabs inside the line (its ends trimmed): the fields are separated by them.
char InnerBlank(std::string_view line) {
    line = TrimControl(line);
    char found = 0;
    for (const char c : line) {
        if (c == '\t') return '\t';
        if (IsControlOrBlank(c)) found = ' ';
    }
    return found;
}

}  // namespace

RowFormat DetectRowFormat(std::string_view line, DecimalMode mode, char localeDecimal) {
    RowFormat format;
    const bool semicolons = line.find(';') != std::string_view::npos;
    const char blank = InnerBlank(line);
    const bool commaNumbers =
        line.find('.') == std::string_view::npos && HasCommaBetweenDigits(line);
    bool comma = false;
    switch (mode) {
        case DecimalMode::Point: comma = false; break;
        case DecimalMode::Comma: comma = true; break;
        case DecimalMode::Auto: comma = commaNumbers && (semicolons || blank != 0); break;
    }
    if (semicolons) {
        format.Separator = FieldSeparator::Semicolon;
        format.SeenSeparator = ';';
    } else if (comma) {
        format.Separator = FieldSeparator::Blank;
        format.SeenSeparator = blank != 0 ? blank : ' ';
    } else {
        format.Separator = FieldSeparator::CommaOrBlank;
        format.SeenSeparator = line.find(',') != std::string_view::npos ? ','
                               : blank != 0                             ? blank
                                                                        : ',';
    }
    format.Decimal = comma ? ',' : '.';
    // The usual rule keeps the locale's separator beside the point.
    if (mode == DecimalMode::Auto && !comma && localeDecimal != '.') {
        format.AlsoDecimal = localeDecimal;
    }
    return format;
}

std::optional<double> ParseField(std::string_view text, const RowFormat& format) {
    if (auto value = ParseFloat(text, format.Decimal)) return value;
    if (format.AlsoDecimal != 0) return ParseFloat(text, format.AlsoDecimal);
    return std::nullopt;
}

std::string DescribeRowFormat(const RowFormat& format) {
    std::string text;
    switch (format.SeenSeparator) {
        case ';': text = "semicolon-separated"; break;
        case '\t': text = "tab-separated"; break;
        case ' ': text = "blank-separated"; break;
        default: text = "comma-separated"; break;
    }
    text += format.Decimal == ',' ? ", decimal comma" : ", decimal point";
    if (format.AlsoDecimal != 0) text += " or comma";
    return text;
}

std::string_view DecimalModeName(DecimalMode mode) {
    switch (mode) {
        case DecimalMode::Point: return "point";
        case DecimalMode::Comma: return "comma";
        case DecimalMode::Auto: break;
    }
    return "auto";
}

std::optional<DecimalMode> DecimalModeFromName(std::string_view name) {
    for (const DecimalMode mode : {DecimalMode::Auto, DecimalMode::Point, DecimalMode::Comma}) {
        if (name == DecimalModeName(mode)) return mode;
    }
    return std::nullopt;
}

}  // namespace qlnx
