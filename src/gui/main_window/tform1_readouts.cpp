// The chosen loop's read-outs: the loop analysis words them with 15 digits (as the batch tool's
// loop table does); the boxes show them for reading and keep every digit in their tooltips.
#include <QLineEdit>
#include <QVariant>
#include <optional>

#include "core/loop_columns.h"
#include "core/number_text.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/tform1.h"
#include "gui/reading_number.h"

namespace qlnx {

namespace {

// The property keeping a read-out box's own tooltip (what the box shows), before any value.
constexpr const char* kReadoutToolTip = "qlnxReadoutToolTip";

}  // namespace

void TForm1::ShowReadouts() {
    QLineEdit* const readouts[] = {edt1, edt2, edt3, edt4};
    static_assert(std::size(readouts) <= kLoopColumnCount);
    for (size_t i = 0; i < std::size(readouts); ++i) {
        QLineEdit& box = *readouts[i];
        const std::string& exact = state_.LoopReadouts[i];
        const std::optional<double> value =
            state_.SelectedLoop >= 0 ? LoopColumnValue(kLoopExtremeColumns[i], state_,
                                                       static_cast<size_t>(state_.SelectedLoop))
                                     : std::nullopt;
        QString shown = QString::fromStdString(exact);
        // A value the read-out still words (not one of a loop edited since it was shown).
        if (value && FormatGeneral15(*value) == exact) {
            const int room = TextRoom(box);
            shown = ReadingNumber(*value, kReadoutDigits, [&](const QString& text) {
                return box.fontMetrics().horizontalAdvance(text) <= room;
            });
        }
        if (box.text() != shown) box.setText(shown);
        box.setCursorPosition(0);  // the number's start, should even E-notation not fit

        if (!box.property(kReadoutToolTip).isValid()) {
            box.setProperty(kReadoutToolTip, DesignedToolTip(&box));
        }
        const QString tip = box.property(kReadoutToolTip).toString();
        SetDesignedToolTip(&box, shown == QString::fromStdString(exact)
                                     ? tip
                                     : tip + QLatin1Char('\n') + QString::fromStdString(exact));
    }
}

}  // namespace qlnx
