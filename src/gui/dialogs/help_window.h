// The user guide in a window of the program: the guide and its pictures are built into the
// program, so "How to use?" works with or without a web browser. The guide is shown in the
// language in force: in Chinese it names the controls as the Chinese window shows them.
#pragma once

#include <QWidget>
#include <functional>

#include "gui/language/language.h"

class QTextBrowser;
class QUrl;

namespace qlnx {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // openExternal opens a web address or a file outside the guide (the desktop's programs).
    explicit HelpWindow(std::function<bool(const QUrl&)> openExternal, QWidget* parent = nullptr);

    // The guide's file for a language (the Chinese guide in Chinese, else the English one), in
    // the program's resources and beside the program alike.
    static QString GuideFile(Language language);
    // The address of the built-in guide in the language in force.
    static QUrl GuideUrl();
    // Shows the guide of the language in force from its beginning, unless it is shown already.
    void FollowLanguage();

private:
    void FollowLink(const QUrl& link);

    QTextBrowser* browser_ = nullptr;
    std::function<bool(const QUrl&)> openExternal_;
};

}  // namespace qlnx
