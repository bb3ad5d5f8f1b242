// What the window says of a record read by its channels: its units in the status line, the
// rows left out for a gap.
#pragma once

#include <QString>

namespace qlnx {

struct ChannelRecord;

// "; Displacement (mm), Force (kN)" and "; 2 rows with a gap were left out, the first at line
// 7." after the status line's format; empty for a record of two columns.
QString RecordUnitsText(const ChannelRecord& record);

}  // namespace qlnx
