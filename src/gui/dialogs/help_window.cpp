#include "gui/dialogs/help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "gui/language/retranslation.h"

namespace qlnx {

HelpWindow::HelpWindow(std::function<bool(const QUrl&)> openExternal, QWidget* parent)
    : QWidget(parent, Qt::Window), openExternal_(std::move(openExternal)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("QLNX \u2013 How to use"));
    resize(820, 760);
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("HelpBack"));
    auto* home = new QPushButton(QStringLiteral("Contents"), this);
    home->setObjectName(QStringLiteral("HelpHome"));
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch(1);
    column->addLayout(buttons);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Links inside the guide are followed here; the others go to the desktop's programs.
    browser_->setOpenLinks(false);
    column->addWidget(browser_, 1);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    back->setEnabled(false);
    browser_->setSource(GuideUrl());
    RetranslateTree(this);
}

QUrl HelpWindow::GuideUrl() { return QUrl(QStringLiteral("qrc:/help/help.html")); }

void HelpWindow::FollowLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.scheme() == QLatin1String("qrc")) {
        browser_->setSource(target);
    } else if (openExternal_) {
        openExternal_(target);
    }
}

}  // namespace qlnx
