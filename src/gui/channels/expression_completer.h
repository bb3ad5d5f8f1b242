// Completion of channel names inside an expression box: the word at the cursor is completed,
// the rest of the expression stays.
#pragma once

#include <QObject>
#include <QStringList>

class QCompleter;
class QLineEdit;

namespace qlnx {

class ExpressionCompleter : public QObject {
    Q_OBJECT
public:
    // Offers names for the word being typed in box (owned by box).
    ExpressionCompleter(QLineEdit* box, const QStringList& names);
    void SetNames(const QStringList& names);
    QCompleter* Completer() const { return completer_; }

private:
    void Edited();
    void Insert(const QString& name);
    // The start of the word that ends at the cursor.
    int WordStart() const;

    QLineEdit* box_;
    QCompleter* completer_;
};

}  // namespace qlnx
