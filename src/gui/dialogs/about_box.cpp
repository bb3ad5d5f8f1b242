#include "gui/dialogs/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/language/retranslation.h"

#ifndef QLNX_VERSION
#define QLNX_VERSION "0"
#endif

namespace qlnx {

QString ProgramVersion() { return QStringLiteral(QLNX_VERSION); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About QLNX"));
    auto* layout = new QVBoxLayout(this);

    auto* name = new QLabel(QStringLiteral("QLNX"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);

    layout->addWidget(new QLabel(QStringLiteral("Version ") + ProgramVersion(), this));
    auto* description = new QLabel(
        QStringLiteral("Hysteresis loops and skeleton curves of cyclic loading tests: import a "
                       "force\u2013displacement record, split it into loops, extract, thin and "
                       "edit the skeleton curve, and export the results."),
        this);
    description->setWordWrap(true);
    layout->addWidget(description);
    auto* licence = new QLabel(
        QStringLiteral("Licence: GNU General Public License, version 3 or later "
                       "(GPL-3.0-or-later). This program comes with ABSOLUTELY NO WARRANTY."),
        this);
    licence->setWordWrap(true);
    layout->addWidget(licence);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    RetranslateTree(this);
}

}  // namespace qlnx
