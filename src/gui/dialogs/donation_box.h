// The donation box: a short thank-you to the people who support the program.
#pragma once

#include <QDialog>

namespace qlnx {

class TDonationBox : public QDialog {
    Q_OBJECT
public:
    explicit TDonationBox(QWidget* parent = nullptr);
};

}  // namespace qlnx
