// The user guide in a window of the program: the guide and its pictures are built into the
// program, so "How to use?" works with or without a web browser.
#pragma once

#include <QWidget>
#include <functional>

class QTextBrowser;
class QUrl;

namespace qlnx {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // openExternal opens a web address or a file outside the guide (the desktop's programs).
    explicit HelpWindow(std::function<bool(const QUrl&)> openExternal, QWidget* parent = nullptr);

    // The address of the built-in guide.
    static QUrl GuideUrl();

private:
    void FollowLink(const QUrl& link);

    QTextBrowser* browser_ = nullptr;
    std::function<bool(const QUrl&)> openExternal_;
};

}  // namespace qlnx
