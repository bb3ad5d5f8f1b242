#include "gui/channels/unit_titles.h"

#include "core/channel_table.h"

namespace qlnx {

QString DisplacementTitle(const std::string& unit, const QString& designed) {
    if (unit.empty()) return designed;
    const char* quantity = unit == "%" ? "Drift" : "Displacement";
    return QString::fromStdString(WithUnit(quantity, unit));
}

QString ForceTitle(const std::string& unit, const QString& designed) {
    if (unit.empty()) return designed;
    return QString::fromStdString(WithUnit("Force", unit));
}

bool HasUnits(const ChannelRecord& record) {
    return record.Active && (!record.DisplacementUnit.empty() || !record.ForceUnit.empty());
}

}  // namespace qlnx
