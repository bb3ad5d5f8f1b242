#include "core/channel_table.h"

#include <algorithm>
#include <cctype>

#include "core/units.h"

namespace qlnx {

namespace {

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalnum(u) != 0 || c == '_';
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string ChannelSymbol(std::string_view name) {
    std::string symbol;
    symbol.reserve(name.size() + 1);
    if (!name.empty() && std::isdigit(static_cast<unsigned char>(name.front())) != 0) {
        symbol += '_';
    }
    for (const char c : name) symbol += IsNameChar(c) ? c : '_';
    return symbol;
}

int FindChannel(const std::vector<Channel>& channels, std::string_view reference) {
    for (size_t i = 0; i < channels.size(); ++i) {
        if (channels[i].Symbol == reference || channels[i].Name == reference) {
            return static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < channels.size(); ++i) {
        if ("c" + std::to_string(channels[i].Column) == reference) return static_cast<int>(i);
    }
    return -1;
}

std::string ChannelList(const std::vector<Channel>& channels) {
    std::string list;
    for (const Channel& channel : channels) {
        if (!list.empty()) list += ", ";
        list += channel.Symbol;
    }
    return list;
}

int FindTimeChannel(const std::vector<Channel>& channels) {
    for (size_t i = 0; i < channels.size(); ++i) {
        const std::string name = Lower(channels[i].Name);
        if (name == "time" || name == "t" || name == "zeit" || name == "\u65f6\u95f4") {
            return static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < channels.size(); ++i) {
        const auto unit = ReadUnit(channels[i].Unit);
        if (unit && unit->Kind == UnitKind::Time) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace qlnx

namespace qlnx {

std::string SkippedRowsText(const ChannelRecord& record) {
    const std::string count = std::to_string(record.SkippedRows);
    return (record.SkippedRows == 1 ? "1 row with a gap was" : count + " rows with a gap were") +
           std::string(" left out, the first at line ") + std::to_string(record.FirstSkippedLine) +
           ".";
}

std::string WithUnit(std::string_view title, std::string_view unit) {
    std::string text(title);
    if (!unit.empty()) text += " (" + std::string(unit) + ")";
    return text;
}

std::string DisplacementAxisTitle(const std::string& unit, const std::string& designed) {
    if (unit.empty()) return designed;
    return WithUnit(unit == "%" ? "Drift" : "Displacement", unit);
}

std::string ForceAxisTitle(const std::string& unit, const std::string& designed) {
    if (unit.empty()) return designed;
    return WithUnit("Force", unit);
}

}  // namespace qlnx
