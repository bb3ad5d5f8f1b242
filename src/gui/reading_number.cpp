#include "gui/reading_number.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "core/number_text.h"

namespace qlnx {

namespace {

// The blank QLineEdit keeps on each side of its text inside the contents rectangle, and the
// cursor's width after it.
constexpr int kLineEditSideMargin = 2;
constexpr int kCursorWidth = 1;

// The style option the edit paints its frame with, as QLineEdit fills it.
QStyleOptionFrame FrameOptionOf(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.contentsRect();
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (edit.isReadOnly()) option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

}  // namespace

QString ReadingNumber(double value, int digits, const std::function<bool(const QString&)>& fits) {
    const QString fixed = QString::fromStdString(FormatSignificantFixed(value, digits));
    if (fits(fixed)) return fixed;
    return QString::fromStdString(FormatSignificant(value, digits));
}

int TextRoom(const QLineEdit& edit) {
    const QStyleOptionFrame option = FrameOptionOf(edit);
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditSideMargin -
           kCursorWidth;
}

bool ShowsWholeText(const QLineEdit& edit) {
    return edit.fontMetrics().horizontalAdvance(edit.text()) <= TextRoom(edit);
}

}  // namespace qlnx
