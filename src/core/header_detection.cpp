#include "core/header_detection.h"

#include <cctype>

#include "core/number_text.h"
#include "core/text_lines.h"
#include "core/units.h"

namespace qlnx {

namespace {

// The line's fields as the data rows are read: all numbers or gaps, one number at least.
// Returns the number of fields, or 0 when the line is no data row.
int64_t DataFields(std::string_view line, const RowFormat& format) {
    FieldReader reader(line, format.Separator);
    std::string_view field;
    int64_t count = 0;
    bool number = false;
    while (reader.Next(field)) {
        ++count;
        const std::string_view text = TrimControl(field);
        if (IsGapField(text)) continue;
        if (!ParseField(text, format)) return 0;
        number = true;
    }
    return number ? count : 0;
}

// A unit field: empty or "-" (no unit), or a unit the unit system reads.
bool IsUnitField(std::string_view field, bool& real) {
    const std::string_view bare = BareUnit(field);
    if (bare.empty() || bare == "-") return true;
    const auto unit = ReadUnit(bare);
    if (!unit) return false;
    real = true;
    return true;
}

bool IsUnitRow(const std::vector<std::string>& fields) {
    bool real = false;
    for (const std::string& field : fields) {
        if (!IsUnitField(field, real)) return false;
    }
    return real;
}

// Splits "Load [kN]" into "Load" and "kN"; a bracket that holds no unit stays in the name.
void SplitNameAndUnit(std::string_view field, std::string& name, std::string& unit) {
    name = std::string(field);
    unit.clear();
    if (field.size() < 3) return;
    const char close = field.back();
    const char open = close == ']' ? '[' : close == ')' ? '(' : 0;
    if (open == 0) return;
    const size_t at = field.rfind(open);
    if (at == std::string_view::npos || at == 0) return;
    const std::string_view inner = BareUnit(field.substr(at));
    if (inner.empty() || !ReadUnit(inner)) return;
    name = std::string(TrimControl(field.substr(0, at)));
    unit = std::string(inner);
}

// A key and a value from a metadata line: split at the first ':' or '=', else by the
// header's separators; nullopt when the line holds no two non-empty parts.
std::optional<std::pair<std::string, std::string>> KeyValue(std::string_view line,
                                                            const RowFormat& format,
                                                            std::string_view dataLine) {
    line = TrimControl(line);
    for (const char mark : {':', '='}) {
        const size_t at = line.find(mark);
        if (at != std::string_view::npos) {
            const std::string_view key = TrimControl(line.substr(0, at));
            const std::string_view value = TrimControl(line.substr(at + 1));
            if (!key.empty() && !value.empty()) {
                return std::make_pair(std::string(key), std::string(value));
            }
        }
    }
    std::vector<std::string> fields;
    for (std::string& field : SplitHeaderLine(line, format, dataLine)) {
        if (!field.empty()) fields.push_back(std::move(field));
    }
    if (fields.size() < 2) {
        // A tab or a semicolon separates a key from a value whatever the data rows use.
        for (const char mark : {'\t', ';', ','}) {
            const size_t at = line.find(mark);
            if (at == std::string_view::npos) continue;
            const std::string_view key = TrimControl(line.substr(0, at));
            const std::string_view value = TrimControl(line.substr(at + 1));
            if (!key.empty() && !value.empty()) {
                return std::make_pair(std::string(key), std::string(value));
            }
        }
        return std::nullopt;
    }
    std::string value = fields[1];
    for (size_t i = 2; i < fields.size(); ++i) value += " " + fields[i];
    return std::make_pair(fields[0], value);
}

bool IsBlankLine(std::string_view line) { return TrimControl(line).empty(); }

}  // namespace

bool IsGapField(std::string_view trimmed) {
    if (trimmed.empty()) return true;
    if (trimmed.front() == '-' || trimmed.front() == '+') trimmed.remove_prefix(1);
    return trimmed.size() == 3 && (trimmed[0] == 'n' || trimmed[0] == 'N') &&
           (trimmed[1] == 'a' || trimmed[1] == 'A') && (trimmed[2] == 'n' || trimmed[2] == 'N');
}

std::vector<std::string> SplitHeaderLine(std::string_view line, const RowFormat& format,
                                         std::string_view dataLine) {
    char separator = ' ';
    if (format.Separator == FieldSeparator::Semicolon) {
        separator = ';';
    } else if (dataLine.find('\t') != std::string_view::npos) {
        separator = '\t';
    } else if (format.Separator == FieldSeparator::CommaOrBlank &&
               dataLine.find(',') != std::string_view::npos) {
        separator = ',';
    }
    std::vector<std::string> fields;
    line = TrimControl(line);
    if (separator == ' ') {
        size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
            const size_t start = i;
            while (i < line.size() && static_cast<unsigned char>(line[i]) > 32) ++i;
            if (i > start) fields.emplace_back(line.substr(start, i - start));
        }
        return fields;
    }
    size_t start = 0;
    while (true) {
        const size_t at = line.find(separator, start);
        std::string_view field = TrimControl(line.substr(start, at - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            field = field.substr(1, field.size() - 2);
        }
        fields.emplace_back(field);
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

std::optional<ChannelLayout> DetectChannelLayout(std::string_view text, int64_t firstLine,
                                                 DecimalMode mode, int64_t searchLines) {
    std::vector<std::string_view> above;  // lines from firstLine up to the data
    LineCursor cursor(text);
    for (int64_t i = 1; i < firstLine && cursor.Valid(); ++i) cursor.Next();
    ChannelLayout layout;
    int64_t fields = 0;
    for (int64_t k = 0; cursor.Valid() && k < searchLines; ++k, cursor.Next()) {
        const std::string_view line = cursor.Line();
        if (!IsBlankLine(line)) {
            const RowFormat format = DetectRowFormat(line, mode, DecimalSeparator());
            fields = DataFields(line, format);
            if (fields > 0) {
                layout.Format = format;
                layout.DataLine = cursor.Index() + 1;
                break;
            }
        }
        above.push_back(line);
    }
    if (layout.DataLine == 0) return std::nullopt;
    const std::string_view dataLine = cursor.Line();

    // The header rows: the last non-blank lines above the data.
    auto lineNumber = [&](size_t i) { return layout.DataLine - int64_t(above.size() - i); };
    std::vector<size_t> rows;  // indices into above, nearest first
    for (size_t i = above.size(); i-- > 0 && rows.size() < 2;) {
        if (!IsBlankLine(above[i])) rows.push_back(i);
    }
    std::vector<std::string> names;
    std::vector<std::string> units;
    auto fitsData = [&](const std::vector<std::string>& row) {
        const auto count = static_cast<int64_t>(row.size());
        return count == fields || (count >= 2 && count <= fields);
    };
    size_t metadataEnd = above.size();
    if (!rows.empty()) {
        std::vector<std::string> nearest = SplitHeaderLine(above[rows[0]], layout.Format, dataLine);
        if (rows.size() == 2 && fitsData(nearest) && IsUnitRow(nearest)) {
            std::vector<std::string> upper =
                SplitHeaderLine(above[rows[1]], layout.Format, dataLine);
            if (fitsData(upper)) {
                units = std::move(nearest);
                names = std::move(upper);
                layout.UnitLine = lineNumber(rows[0]);
                layout.NameLine = lineNumber(rows[1]);
                metadataEnd = rows[1];
            }
        }
        if (layout.NameLine == 0 && fitsData(nearest)) {
            names = std::move(nearest);
            layout.NameLine = lineNumber(rows[0]);
            metadataEnd = rows[0];
        }
    }
    for (size_t i = 0; i < metadataEnd; ++i) {
        if (IsBlankLine(above[i])) continue;
        if (auto pair = KeyValue(above[i], layout.Format, dataLine)) {
            layout.Metadata.push_back(std::move(*pair));
        }
    }
    for (int64_t c = 0; c < fields; ++c) {
        Channel channel;
        channel.Column = static_cast<int32_t>(c + 1);
        const auto index = static_cast<size_t>(c);
        if (index < names.size()) SplitNameAndUnit(names[index], channel.Name, channel.Unit);
        if (index < units.size()) {
            const std::string_view bare = BareUnit(units[index]);
            if (!bare.empty() && bare != "-") channel.Unit = std::string(bare);
        }
        if (channel.Name.empty()) channel.Name = "c" + std::to_string(c + 1);
        channel.Symbol = ChannelSymbol(channel.Name);
        // Two channels of one name: the later ones are told apart by their column.
        for (int64_t other = 0; other < c; ++other) {
            if (layout.Channels[static_cast<size_t>(other)].Symbol == channel.Symbol) {
                channel.Symbol += "_" + std::to_string(c + 1);
                break;
            }
        }
        layout.Channels.push_back(std::move(channel));
    }
    return layout;
}

}  // namespace qlnx
