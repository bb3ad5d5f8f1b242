#include "cli/channel_json.h"

#include "cli/json_output.h"

namespace qlnx {

namespace {

void AppendUnit(std::string& out, const std::string& unit) {
    if (unit.empty()) {
        out += "null";
    } else {
        AppendJsonString(out, unit);
    }
}

}  // namespace

void AppendChannelJson(std::ostream& stream, std::string& out, const ChannelRecord& record) {
    out += ",\n  \"Channels\": [";
    for (size_t i = 0; i < record.Channels.size(); ++i) {
        const Channel& channel = record.Channels[i];
        out += i == 0 ? "" : ", ";
        out += "{\"Name\": ";
        AppendJsonString(out, channel.Name);
        out += ", \"Unit\": ";
        AppendUnit(out, channel.Unit);
        out += ", \"Column\": " + std::to_string(channel.Column) + "}";
    }
    out += "],\n  \"Metadata\": {";
    for (size_t i = 0; i < record.Metadata.size(); ++i) {
        out += i == 0 ? "" : ", ";
        AppendJsonString(out, record.Metadata[i].first);
        out += ": ";
        AppendJsonString(out, record.Metadata[i].second);
    }
    out += "},\n  \"Units\": {\"Displacement\": ";
    AppendUnit(out, record.DisplacementUnit);
    out += ", \"Force\": ";
    AppendUnit(out, record.ForceUnit);
    out += "}";
    if (!record.Time.empty()) {
        out += ",\n  \"Time\": [";
        for (size_t i = 0; i < record.Time.size(); ++i) {
            if (i != 0) out += ", ";
            AppendJsonNumber(out, record.Time[i]);
            if (out.size() >= (size_t{1} << 20)) {
                stream.write(out.data(), static_cast<std::streamsize>(out.size()));
                out.clear();
            }
        }
        out += "]";
    }
    out += ",\n  \"SkippedRows\": {\"Count\": " + std::to_string(record.SkippedRows) +
           ", \"FirstLine\": ";
    out += record.FirstSkippedLine > 0 ? std::to_string(record.FirstSkippedLine) : "null";
    out += "}";
}

}  // namespace qlnx
