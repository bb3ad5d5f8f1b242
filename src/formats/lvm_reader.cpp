#include "formats/lvm_reader.h"

#include <charconv>
#include <cstdint>
#include <vector>

#include "core/errors.h"

namespace qlnx {

namespace {

constexpr std::string_view kEndOfHeader = "***End_of_Header***";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const size_t end = text_.find('\n', pos_);
        const size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(pos_, stop - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = stop + 1;
        ++number_;
        return true;
    }
    void Back(std::string_view line) {
        pos_ = static_cast<size_t>(line.data() - text_.data());
        --number_;
    }
    int64_t Number() const { return number_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int64_t number_ = 0;
};

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t end = line.find(separator, start);
        fields.push_back(
            Trim(line.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

// A header line's key: the text before the first tab or comma.
std::string_view Key(std::string_view line) {
    return Trim(line.substr(0, line.find_first_of("\t,")));
}

bool IsNumber(std::string_view field, char decimal) {
    std::string text(field);
    if (decimal == ',') {
        for (char& c : text) {
            if (c == ',') c = '.';
        }
    }
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

struct Segment {
    int64_t Channels = 0;
    std::vector<std::string> Units;
    std::string XDimension;
};

}  // namespace

RecordText ReadLvm(std::string_view text, const RecordChoice& choice) {
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line) || Trim(line).rfind("LabVIEW Measurement", 0) != 0) {
        throw Error("The file is no LabVIEW measurement file.");
    }
    char separator = '\t';
    char decimal = '.';
    std::string xColumns = "One";
    RecordText record;
    bool ended = false;
    while (lines.Next(line)) {
        const std::string_view key = Key(line);
        if (key == kEndOfHeader) {
            ended = true;
            break;
        }
        const std::string_view rest = Trim(line.substr(std::min(line.size(), key.size() + 1)));
        const std::string_view value = Trim(rest.substr(0, rest.find(separator)));
        if (key == "Separator") {
            separator = value == "Comma" ? ',' : '\t';
        } else if (key == "Decimal_Separator") {
            decimal = rest.substr(0, 1) == "," ? ',' : '.';
        } else if (key == "X_Columns") {
            xColumns = std::string(value);
        } else if ((key == "Date" || key == "Time" || key == "Operator" || key == "Description" ||
                    key == "Project") &&
                   !rest.empty()) {
            record.Metadata.emplace_back(std::string(key), std::string(value));
        }
    }
    if (!ended) {
        throw Error("The LabVIEW file is cut in the middle of its header (line " +
                    std::to_string(lines.Number()) + ").");
    }
    const bool hasX = xColumns != "No";
    const bool multiX = xColumns == "Multi";

    int64_t segments = 0;
    size_t width = 0;  // channels of the table, X included
    while (true) {
        // A segment: its header, a name row, its rows.
        bool any = false;
        while (lines.Next(line)) {
            if (!Trim(line).empty()) {
                any = true;
                break;
            }
        }
        if (!any) break;
        ++segments;
        Segment segment;
        bool closed = false;
        do {
            const std::string_view key = Key(line);
            if (key == kEndOfHeader) {
                closed = true;
                break;
            }
            std::vector<std::string_view> fields = Split(line, separator);
            if (key == "Channels" && fields.size() > 1) {
                std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(),
                                segment.Channels);
            } else if (key == "Y_Unit_Label") {
                for (size_t i = 1; i < fields.size(); ++i) segment.Units.emplace_back(fields[i]);
            } else if (key == "X_Dimension" && fields.size() > 1) {
                segment.XDimension = std::string(fields[1]);
            }
        } while (lines.Next(line));
        if (!closed) {
            throw Error("The LabVIEW file is cut in the middle of the header of segment " +
                        std::to_string(segments) + " (line " + std::to_string(lines.Number()) +
                        ").");
        }
        if (segment.Channels < 1 || segment.Channels > 100000) {
            throw Error("The header of segment " + std::to_string(segments) +
                        " of the LabVIEW file gives no channel count.");
        }
        const auto channels = static_cast<size_t>(segment.Channels);
        std::vector<std::string> names;
        if (lines.Next(line)) {
            const std::vector<std::string_view> fields = Split(line, separator);
            if (!fields.empty() && !IsNumber(fields[0], decimal)) {
                for (size_t i = 0; i < fields.size(); ++i) {
                    if (multiX && i % 2 == 0) continue;
                    if (hasX && !multiX && i == 0) continue;
                    names.emplace_back(fields[i]);
                }
            } else {
                lines.Back(line);
            }
        }
        names.resize(channels);
        for (size_t i = 0; i < channels; ++i) {
            if (names[i].empty()) names[i] = "Channel " + std::to_string(i + 1);
        }
        const size_t segmentWidth = channels + (hasX ? 1 : 0);
        if (segments == 1) {
            width = segmentWidth;
            if (hasX) {
                const bool time = segment.XDimension == "Time";
                record.Names.push_back(time ? "Time" : "X_Value");
                record.Units.emplace_back(time ? "s" : "");
            }
            for (size_t i = 0; i < channels; ++i) {
                record.Names.push_back(names[i]);
                record.Units.push_back(i < segment.Units.size() ? segment.Units[i] : "");
            }
            // The first segment's rows keep their line numbers.
            record.Text.append(static_cast<size_t>(lines.Number()), '\n');
            record.DataLine = lines.Number() + 1;
        } else if (segmentWidth != width) {
            throw Error("Segment " + std::to_string(segments) + " of the LabVIEW file has " +
                        std::to_string(channels) + " channels where segment 1 has " +
                        std::to_string(width - (hasX ? 1 : 0)) + ".");
        }
        while (lines.Next(line)) {
            const std::vector<std::string_view> fields = Split(line, separator);
            if (fields.empty() || !IsNumber(fields[0], decimal)) {
                lines.Back(line);
                break;
            }
            // X, then the Y columns (each after its own X when every channel has one).
            size_t written = 0;
            for (size_t i = 0; i < fields.size() && written < width; ++i) {
                if (multiX && i % 2 == 0 && i != 0) continue;
                if (written != 0) record.Text += ';';
                for (const char c : fields[i]) record.Text += decimal == ',' && c == ',' ? '.' : c;
                ++written;
            }
            record.Text += '\n';
            if (record.Text.size() > choice.MemoryLimit) {
                throw Error("The LabVIEW file is too large to read.");
            }
        }
    }
    if (segments == 0) throw Error("The LabVIEW file holds no segment of data.");
    if (segments > 1) record.Metadata.emplace_back("Segments", std::to_string(segments));
    return record;
}

}  // namespace qlnx
