#include "gui/main_window/status_link_field.h"

#include <QMouseEvent>

namespace qlnx {

StatusLinkField::StatusLinkField(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setHighlighted(false);
}

void StatusLinkField::setHighlighted(bool on) {
    highlighted_ = on;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, on ? QColor(Qt::blue) : QColor(Qt::black));
    setPalette(p);
}

void StatusLinkField::enterEvent(QEnterEvent* event) {
    setHighlighted(true);
    QLabel::enterEvent(event);
}

void StatusLinkField::leaveEvent(QEvent* event) {
    setHighlighted(false);
    QLabel::leaveEvent(event);
}

void StatusLinkField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace qlnx
