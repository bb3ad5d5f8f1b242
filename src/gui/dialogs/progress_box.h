// The progress box of a long operation: a window-modal QProgressDialog with a Cancel button
// that appears only when the operation runs longer than about half a second.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <memory>

#include "gui/dialogs/user_dialogs.h"

namespace qlnx {

class ProgressBox final : public ProgressReport {
public:
    ProgressBox(QWidget* parent, const QString& title, const QString& label);
    ~ProgressBox() override;

    bool Update(double fraction) override;

private:
    QPointer<QWidget> parent_;
    QString title_;
    QString label_;
    // Made at the first report and dropped at the last step or a cancel, so that it can
    // neither cover a message shown before the work begins nor one shown after it ends.
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceEvents_;
    bool cancelled_ = false;
    bool finished_ = false;
};

}  // namespace qlnx
