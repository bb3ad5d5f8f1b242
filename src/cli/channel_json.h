// The channels of a record read by its channels, as members of the batch tool's JSON object.
#pragma once

#include <ostream>
#include <string>

#include "core/channel_table.h"

namespace qlnx {

// Appends ,"Channels": [{"Name", "Unit", "Column"}], "Metadata": {key: value}, "Units":
// {"Displacement", "Force"} (null for an unknown unit), "Time": [...] when there is a time
// channel, and "SkippedRows": {"Count", "FirstLine"} (FirstLine null when none was skipped).
void AppendChannelJson(std::ostream& stream, std::string& out, const ChannelRecord& record);

}  // namespace qlnx
