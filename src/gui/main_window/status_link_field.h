// A status-bar field that works as a link: blue and underlined under the mouse, black again
// when the mouse leaves, and a click signal.
#pragma once

#include <QLabel>

namespace qlnx {

class StatusLinkField : public QLabel {
    Q_OBJECT
public:
    explicit StatusLinkField(const QString& text, QWidget* parent = nullptr);
    bool highlighted() const { return highlighted_; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHighlighted(bool on);
    bool highlighted_ = false;
};

}  // namespace qlnx
