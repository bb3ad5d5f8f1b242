// A strip above the chart for the program's suggestions: a text, an optional "Apply" button
// that carries the suggestion out, and a close button. Never modal; the window stays usable.
#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

namespace qlnx {

class MessageBar : public QFrame {
    Q_OBJECT
public:
    explicit MessageBar(QWidget* parent = nullptr);

    // Shows text; with apply, an "Apply" button that hides the bar and then calls it.
    void ShowMessage(const QString& text, std::function<void()> apply = {});
    // Shows text with a button of its own caption in place of "Apply".
    void ShowMessage(const QString& text, const QString& caption, std::function<void()> action);
    // Hides the bar and forgets its suggestion.
    void Dismiss();
    // The text shown, or an empty text while the bar is hidden.
    QString Text() const;

private:
    void SettleLayout();

    QLabel* text_ = nullptr;
    QPushButton* apply_ = nullptr;
    QToolButton* close_ = nullptr;
    std::function<void()> onApply_;
};

}  // namespace qlnx
