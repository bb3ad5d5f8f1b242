// The settings a record is read and analysed with, remembered per record in the program's
// settings: opening the record again brings them back, a record never opened gets the defaults.
#pragma once

#include <QString>
#include <optional>

#include "core/skeleton.h"
#include "gui/dialogs/import_option_form.h"

namespace qlnx {

struct RecordSettings {
    QString FirstLine = QStringLiteral("1");
    QString Step = QStringLiteral("1");
    QString NoiseBand = QStringLiteral("0");
    LoopDirection Direction = LoopDirection::Positive;
    // Columns and decimal; the channels stay remembered per file layout.
    ImportOptions Import;
    // The range of lines chosen in the loading history: the last line read (0: to the end) and
    // the first line before the range was chosen (empty: no range).
    int32_t LastLine = 0;
    QString WholeFirstLine;
};

// The settings stored for the record at path (made absolute), or nullopt for a record never
// opened.
std::optional<RecordSettings> StoredRecordSettings(const QString& path);
void StoreRecordSettings(const QString& path, const RecordSettings& settings);

}  // namespace qlnx
