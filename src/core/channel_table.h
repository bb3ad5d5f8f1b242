// The channels of a record: each column's name, unit and place, the record's metadata, and
// what the import read from a multi-channel file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qlnx {

struct Channel {
    std::string Name;    // as the file writes it, without its unit; c1, c2, ... when none
    std::string Symbol;  // the name an expression writes: blanks and signs become '_'
    std::string Unit;    // as the file or the user gives it, without brackets; "" for none
    int32_t Column = 0;  // 1-based
};

// The key/value lines above the header, in file order.
using Metadata = std::vector<std::pair<std::string, std::string>>;

// The channel of a reference: its name as written, its expression name, or cN. Returns the
// 0-based index or -1.
int FindChannel(const std::vector<Channel>& channels, std::string_view reference);

// "time, displacement, friction_force": the expression names, for messages.
std::string ChannelList(const std::vector<Channel>& channels);

// The name an expression writes for a channel's name: every character that is not a letter,
// a digit or '_' becomes '_' (bytes of other scripts are kept), and a leading digit gets a
// '_' before it.
std::string ChannelSymbol(std::string_view name);

// The time channel: the first named time, t, zeit or 时间 (any case, unit aside), else the
// first whose unit is a time; -1 when none.
int FindTimeChannel(const std::vector<Channel>& channels);

// What the import of a multi-channel record adds to the curve. Empty (Active false) after a
// two-column import.
struct ChannelRecord {
    bool Active = false;
    std::vector<Channel> Channels;
    qlnx::Metadata Metadata;
    std::string DisplacementExpression;
    std::string ForceExpression;
    // Units of RawDisp and RawForce: "" when unknown; "%" for a drift.
    std::string DisplacementUnit;
    std::string ForceUnit;
    // The time channel's samples beside each row of the curve, and its unit.
    std::vector<double> Time;
    std::string TimeUnit;
    // Rows left out for a gap in a channel the expressions use: how many, and the first one's
    // 1-based line (0 when none).
    int64_t SkippedRows = 0;
    int64_t FirstSkippedLine = 0;
    // The 1-based line of the first row read and the lines left out (in file order): with the
    // step they give each row's line, so that a range of rows can be read again as lines.
    int64_t DataLine = 0;
    std::vector<int64_t> SkippedLines;
};

}  // namespace qlnx

namespace qlnx {

// "12 rows with a gap were left out, the first at line 5." for the status line.
std::string SkippedRowsText(const ChannelRecord& record);

// "Displacement (mm)", "Displacement (%)" or "Displacement" for an unknown unit: an axis
// title or a column header with the unit of the record.
std::string WithUnit(std::string_view title, std::string_view unit);

// The curve's axis titles with the record's units: "Displacement (mm)" or "Drift (%)",
// "Force (kN)"; designed where the unit is not known.
std::string DisplacementAxisTitle(const std::string& unit, const std::string& designed);
std::string ForceAxisTitle(const std::string& unit, const std::string& designed);

}  // namespace qlnx
