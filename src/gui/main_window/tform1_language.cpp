// View > Language: the designed captions, plain English or all Chinese, switched at once and
// remembered for the next start.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "gui/dialogs/help_window.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

void TForm1::BuildViewMenu() {
    View1 = mm1->addMenu(QStringLiteral("View"));
    View1->setObjectName(QStringLiteral("View1"));
    Language1 = View1->addMenu(QStringLiteral("Language"));
    Language1->setObjectName(QStringLiteral("Language1"));
    Language1->menuAction()->setObjectName(QStringLiteral("Language1"));
    auto* group = new QActionGroup(this);
    const auto add = [&](const char* name, const QString& caption, Language language) {
        QAction* action = Language1->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { ChooseLanguage(language); });
        return action;
    };
    LanguageDesigned1 =
        add("LanguageDesigned1", QStringLiteral("As designed"), Language::AsDesigned);
    LanguageEnglish1 = add("LanguageEnglish1", QStringLiteral("English"), Language::English);
    LanguageChinese1 = add("LanguageChinese1", QStringLiteral("\u4e2d\u6587"), Language::Chinese);
    LanguageDesigned1->setChecked(true);
}

void TForm1::ChooseLanguage(Language language) {
    StoreLanguage(language);
    SetLanguage(language);
    RetranslateTree(this);
    LanguageDesigned1->setChecked(language == Language::AsDesigned);
    LanguageEnglish1->setChecked(language == Language::English);
    LanguageChinese1->setChecked(language == Language::Chinese);
    // An open guide turns to the guide of the language chosen.
    if (helpWindow_ != nullptr) helpWindow_->FollowLanguage();
}

}  // namespace qlnx
