#include "gui/channels/record_units.h"

#include "core/channel_table.h"
#include "gui/channels/unit_titles.h"

namespace qlnx {

QString RecordUnitsText(const ChannelRecord& record) {
    QString text;
    if (HasUnits(record)) {
        text += QStringLiteral("; ") +
                DisplacementTitle(record.DisplacementUnit, QStringLiteral("Displacement")) +
                QStringLiteral(", ") + ForceTitle(record.ForceUnit, QStringLiteral("Force"));
    }
    if (record.Active && record.SkippedRows > 0)
        text += QStringLiteral("; ") + QString::fromStdString(SkippedRowsText(record));
    return text;
}

}  // namespace qlnx
