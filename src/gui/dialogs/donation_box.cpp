#include "gui/dialogs/donation_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/language/retranslation.h"

namespace qlnx {

TDonationBox::TDonationBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DonationBox"));
    setWindowTitle(QStringLiteral("Donation (\u6350\u52a9)"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Thank you for using QLNX!\n\n"
                       "QLNX is free software, written by engineers for engineers. If it saves "
                       "you time in the laboratory, the best support is to tell colleagues "
                       "about it, report what could work better, and share improvements.\n\n"
                       "\u611f\u8c22\u60a8\u7684\u652f\u6301\uff01"),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    RetranslateTree(this);
}

}  // namespace qlnx
