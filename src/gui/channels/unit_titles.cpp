#include "gui/channels/unit_titles.h"

#include "core/channel_table.h"

namespace qlnx {

QString DisplacementTitle(const std::string& unit, const QString& designed) {
    return QString::fromStdString(DisplacementAxisTitle(unit, designed.toStdString()));
}

QString ForceTitle(const std::string& unit, const QString& designed) {
    return QString::fromStdString(ForceAxisTitle(unit, designed.toStdString()));
}

bool HasUnits(const ChannelRecord& record) {
    return record.Active && (!record.DisplacementUnit.empty() || !record.ForceUnit.empty());
}

}  // namespace qlnx
