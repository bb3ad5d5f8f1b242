#include "gui/language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "gui/language/retranslation.h"

namespace qlnx {

namespace {

const QString kLanguageKey = QStringLiteral("View/Language");

Language& LanguageInForce() {
    static Language language = Language::AsDesigned;
    return language;
}

QString SettingOf(Language language) {
    switch (language) {
        case Language::English: return QStringLiteral("en");
        case Language::Chinese: return QStringLiteral("zh_CN");
        case Language::AsDesigned: break;
    }
    return QStringLiteral("designed");
}

// Qt's own texts (the buttons of its standard dialogs) in Chinese, where the system has them.
void InstallToolkitTexts(Language language) {
    static std::unique_ptr<QTranslator> toolkit;
    if (toolkit) {
        QCoreApplication::removeTranslator(toolkit.get());
        toolkit.reset();
    }
    if (language != Language::Chinese) return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        toolkit = std::move(translator);
    }
}

}  // namespace

const QTranslator* Catalogue(Language language) {
    static std::unique_ptr<QTranslator> english;
    static std::unique_ptr<QTranslator> chinese;
    std::unique_ptr<QTranslator>* slot = nullptr;
    QString file;
    switch (language) {
        case Language::English:
            slot = &english;
            file = QStringLiteral(":/i18n/qlnx_en.qm");
            break;
        case Language::Chinese:
            slot = &chinese;
            file = QStringLiteral(":/i18n/qlnx_zh_CN.qm");
            break;
        case Language::AsDesigned: return nullptr;
    }
    if (!*slot) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(file)) return nullptr;
        *slot = std::move(translator);
    }
    return slot->get();
}

Language CurrentLanguage() { return LanguageInForce(); }

void SetLanguage(Language language) {
    const bool changed = LanguageInForce() != language;
    LanguageInForce() = language;
    if (!changed) return;
    InstallToolkitTexts(language);
    RetranslateAllWindows();
}

Language StoredLanguage() {
    const QString value = QSettings().value(kLanguageKey).toString();
    for (Language language : {Language::English, Language::Chinese}) {
        if (value == SettingOf(language)) return language;
    }
    return Language::AsDesigned;
}

void StoreLanguage(Language language) { QSettings().setValue(kLanguageKey, SettingOf(language)); }

}  // namespace qlnx
