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
    connect(home, &QPushButton::clicked, this, [this] { browser_->setSource(GuideUrl()); });
    back->setEnabled(false);
    browser_->setSource(GuideUrl());
    RetranslateTree(this);
}

QString HelpWindow::GuideFile(Language language) {
    return language == Language::Chinese ? QStringLiteral("help_zh.html")
                                         : QStringLiteral("help.html");
}

QUrl HelpWindow::GuideUrl() {
    return QUrl(QStringLiteral("qrc:/help/") + GuideFile(CurrentLanguage()));
}

void HelpWindow::FollowLanguage() {
    const QUrl guide = GuideUrl();
    const QUrl shown = browser_->source().adjusted(QUrl::RemoveFragment);
    if (shown == guide) return;
    browser_->setSource(guide);
    // Back does not lead into the guide of the other language.
    browser_->clearHistory();
}

void HelpWindow::FollowLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.scheme() == QLatin1String("qrc")) {
        browser_->setSource(target);
    } else if (openExternal_) {
        openExternal_(target);
    }
}

}  // namespace qlnx
