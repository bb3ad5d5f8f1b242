// Titles and headers that carry the record's units when they are known: "Displacement (mm)",
// "Drift (%)", "Force (kN)"; the designed title when they are not.
#pragma once

#include <QString>
#include <string>

namespace qlnx {

struct ChannelRecord;

// The designed texts (the language in force is put in by RetranslateTree).
QString DisplacementTitle(const std::string& unit, const QString& designed);
QString ForceTitle(const std::string& unit, const QString& designed);

// Whether the record read carries a unit for the displacement or the force.
bool HasUnits(const ChannelRecord& record);

}  // namespace qlnx
