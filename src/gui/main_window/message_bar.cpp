#include "gui/main_window/message_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "gui/language/retranslation.h"

namespace qlnx {

MessageBar::MessageBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("MessageBar"));
    setFrameShape(QFrame::StyledPanel);
    // A pale yellow strip, as desktop programs show a note that asks for nothing.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xFF, 0xF6, 0xD5));
    colours.setColor(QPalette::WindowText, QColor(0x3A, 0x30, 0x00));
    setPalette(colours);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 3, 3, 3);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("MessageText"));
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    apply_->setObjectName(QStringLiteral("MessageApply"));
    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("MessageClose"));
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip(QStringLiteral("Close"));
    row->addWidget(text_, 1);
    row->addWidget(apply_);
    row->addWidget(close_);

    connect(close_, &QToolButton::clicked, this, &MessageBar::Dismiss);
    connect(apply_, &QPushButton::clicked, this, [this] {
        // The suggestion may show a new message; it is taken before the bar forgets it.
        const std::function<void()> apply = std::move(onApply_);
        Dismiss();
        if (apply) apply();
    });
    hide();
}

void MessageBar::ShowMessage(const QString& text, std::function<void()> apply) {
    ShowMessage(text, QStringLiteral("Apply"), std::move(apply));
}

void MessageBar::ShowMessage(const QString& text, const QString& caption,
                             std::function<void()> apply) {
    SetDesignedText(apply_, caption);
    SetDesignedText(text_, text);
    onApply_ = std::move(apply);
    apply_->setVisible(static_cast<bool>(onApply_));
    show();
    SettleLayout();
}

void MessageBar::Dismiss() {
    onApply_ = nullptr;
    text_->clear();
    hide();
    SettleLayout();
}

void MessageBar::SettleLayout() {
    // The chart below moves when the bar comes or goes: lay it out now, so that the chart's
    // pixels and values agree before the next mouse event arrives.
    if (QWidget* parent = parentWidget(); parent && parent->layout()) parent->layout()->activate();
}

QString MessageBar::Text() const { return isHidden() ? QString() : text_->text(); }

}  // namespace qlnx
