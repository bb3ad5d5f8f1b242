#include "core/import_preview.h"

#include "core/number_text.h"
#include "core/text_lines.h"

namespace qlnx {

ImportPreview PreviewImport(std::string_view text, const ImportParameters& parameters,
                            size_t maxRows) {
    ImportPreview preview;
    if (parameters.FirstLine <= 0 || parameters.Step == 0) return preview;
    const int64_t first = int64_t{parameters.FirstLine} - 1;
    LineCursor cursor(text);
    for (int64_t i = 0; i < first && cursor.Valid(); ++i) cursor.Next();
    if (!cursor.Valid()) {
        ImportResult past;
        past.Failure = ImportFailure::PastEnd;
        past.Line = parameters.FirstLine;
        past.LineCount = static_cast<int64_t>(CountLines(text));
        preview.Problem = past.LineMessage();
        return preview;
    }
    const RowFormat format = DetectRowFormat(cursor.Line(), parameters.Decimal, DecimalSeparator());
    preview.Format = format;
    while (cursor.Valid() && preview.Rows.size() < maxRows) {
        PreviewRow row;
        row.Line = cursor.Index() + 1;
        row.Fields = SplitFields(cursor.Line(), format.Separator);
        row.Reading = ReadRow(cursor.Line(), format, parameters);
        preview.Rows.push_back(std::move(row));
        for (int64_t k = 0; k < (parameters.Step > 0 ? parameters.Step : -parameters.Step); ++k) {
            if (!(parameters.Step > 0 ? cursor.Next() : cursor.Previous())) break;
        }
    }
    return preview;
}

}  // namespace qlnx
