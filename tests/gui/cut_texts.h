// The texts of a window that do not fit their widget: a caption, a list's choice or a read-out
// drawn cut off. Shared by the tests that look at the window in its languages and sizes.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include "gui/reading_number.h"

namespace qlnx::test {

// The width a list's edit field has for its current text.
inline int ComboTextRoom(const QComboBox& box) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = box.isEditable();
    option.frame = box.hasFrame();
    option.subControls = QStyle::SC_All;
    return box.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box)
        .width();
}

// The width a button has for its caption (beside its check mark or circle, if any).
inline int ButtonTextRoom(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(&button) != nullptr) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (qobject_cast<const QCheckBox*>(&button) != nullptr) {
        contents = QStyle::SE_CheckBoxContents;
    }
    return button.style()->subElementRect(contents, &option, &button).width();
}

// 'name "text" needs N px, has M' of each visible widget among widgets whose text is cut. Labels
// that wrap are never cut; read-only edit boxes are read-outs and must show their whole value.
inline QStringList CutTexts(const QList<QWidget*>& widgets) {
    QStringList cut;
    for (const QWidget* w : widgets) {
        if (!w->isVisible()) continue;
        QString text;
        int needed = 0, room = 0;
        if (auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap()) {
            text = label->text();
            needed = label->minimumSizeHint().width();
            room = label->width();
        } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
            needed =
                button->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
            room = ButtonTextRoom(*button);
        } else if (auto* box = qobject_cast<const QComboBox*>(w)) {
            text = box->currentText();
            needed = box->fontMetrics().horizontalAdvance(text);
            room = ComboTextRoom(*box);
        } else if (auto* edit = qobject_cast<const QLineEdit*>(w); edit && edit->isReadOnly()) {
            text = edit->text();
            needed = edit->fontMetrics().horizontalAdvance(text);
            room = TextRoom(*edit);
        }
        if (needed > room) {
            cut << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                       .arg(w->objectName(), text)
                       .arg(needed)
                       .arg(room);
        }
    }
    return cut;
}

}  // namespace qlnx::test
