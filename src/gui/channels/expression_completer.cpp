#include "gui/channels/expression_completer.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

namespace qlnx {

namespace {

// A character of a channel's expression name.
bool InName(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

}  // namespace

ExpressionCompleter::ExpressionCompleter(QLineEdit* box, const QStringList& names)
    : QObject(box), box_(box), completer_(new QCompleter(this)) {
    completer_->setModel(new QStringListModel(names, completer_));
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setWidget(box);
    connect(box, &QLineEdit::textEdited, this, &ExpressionCompleter::Edited);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &ExpressionCompleter::Insert);
}

void ExpressionCompleter::SetNames(const QStringList& names) {
    static_cast<QStringListModel*>(completer_->model())->setStringList(names);
}

int ExpressionCompleter::WordStart() const {
    const QString text = box_->text();
    int start = box_->cursorPosition();
    while (start > 0 && InName(text[start - 1])) --start;
    return start;
}

void ExpressionCompleter::Edited() {
    const int start = WordStart();
    const QString word = box_->text().mid(start, box_->cursorPosition() - start);
    if (word.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    completer_->setCompletionPrefix(word);
    if (completer_->completionCount() == 0) {
        completer_->popup()->hide();
        return;
    }
    completer_->complete();
}

void ExpressionCompleter::Insert(const QString& name) {
    const int start = WordStart();
    QString text = box_->text();
    int end = box_->cursorPosition();
    while (end < text.size() && InName(text[end])) ++end;
    text.replace(start, end - start, name);
    box_->setText(text);
    box_->setCursorPosition(start + static_cast<int>(name.size()));
}

}  // namespace qlnx
