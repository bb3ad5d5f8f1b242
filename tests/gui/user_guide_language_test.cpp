// The user guide (F1) in the language of the window: in 中文 the Chinese guide, naming every
// control by the caption the Chinese window shows; in English and as designed the English guide.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include "gui/dialogs/help_window.h"
#include "gui/language/language.h"
#include "gui/language/retranslation.h"
#include "tform1_fixture.h"

namespace qlnx {
namespace {

QString ResourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// Every caption the Chinese catalogue shows, accelerator marks taken out.
QSet<QString> ChineseCaptions() {
    QFile file(QStringLiteral(QLNX_TEST_DATA "/../../translations/qlnx_zh_CN.ts"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QSet<QString> captions;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("translation"))
            captions << xml.readElementText().remove(QLatin1Char('&'));
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return captions;
}

// The pictures a guide shows, in their order.
QStringList Pictures(const QString& guide) {
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    QStringList pictures;
    for (auto it = image.globalMatch(guide); it.hasNext();) pictures << it.next().captured(1);
    return pictures;
}

class UserGuideTest : public test::TForm1Test {
protected:
    void TearDown() override {
        Choose("LanguageDesigned1");
        test::TForm1Test::TearDown();
    }
    void Choose(const char* action) { Find<QAction>(action)->trigger(); }
    QTextBrowser* OpenGuide() {
        Find<QAction>("Howtouse1")->trigger();
        auto* help = form->findChild<QWidget*>(QStringLiteral("HelpWindow"));
        return help == nullptr ? nullptr
                               : help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    }
    QString ActionCaption(const char* name) {
        return Find<QAction>(name)->text().remove(QLatin1Char('&'));
    }
};

TEST_F(UserGuideTest, TheGuideShownFollowsTheLanguageAndNamesTheCaptionsOnTheScreen) {
    Choose("LanguageChinese1");
    QTextBrowser* browser = OpenGuide();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/help_zh.html")));
    EXPECT_EQ(browser->window()->windowTitle(), QStringLiteral("QLNX – 使用说明"));
    const QString chinese = browser->toPlainText();
    // Buttons and labels as the window shows them, each the catalogue's caption for it, and
    // named so in the guide.
    const auto bracketed = [](const QString& caption) {
        return QStringLiteral("「") + caption + QStringLiteral("」");
    };
    for (const char* name : {"btn1", "btn2", "btn5", "btn6"}) {
        const QString caption = Find<QPushButton>(name)->text();
        EXPECT_EQ(caption, Translated(DesignedText(Find<QPushButton>(name)))) << name;
        EXPECT_TRUE(chinese.contains(bracketed(caption))) << name << " " << caption.toStdString();
    }
    for (const char* name : {"lbl7", "lbl8", "lblNoiseBand", "lbl12", "lbl13"}) {
        const QString caption = Find<QLabel>(name)->text();
        EXPECT_EQ(caption, Translated(DesignedText(Find<QLabel>(name)))) << name;
        EXPECT_TRUE(chinese.contains(bracketed(caption))) << name << " " << caption.toStdString();
    }
    for (const char* name : {"ImportData1", "ExportResults1", "TestEvaluation1", "ImportOptions1"})
        EXPECT_TRUE(chinese.contains(bracketed(ActionCaption(name)))) << name;
    // Contents leads to the beginning of the Chinese guide.
    auto* home = browser->window()->findChild<QPushButton*>(QStringLiteral("HelpHome"));
    ASSERT_NE(home, nullptr);
    QTest::mouseClick(home, Qt::LeftButton);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/help_zh.html")));

    // The open guide turns to English with the window, Back leading nowhere.
    Choose("LanguageEnglish1");
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/help.html")));
    EXPECT_FALSE(browser->isBackwardAvailable());
    const QString english = browser->toPlainText();
    EXPECT_FALSE(english.contains(QStringLiteral("「")));
    for (const char* name : {"btn1", "btn2", "btn5", "btn6"}) {
        const QString caption = Find<QPushButton>(name)->text();
        EXPECT_TRUE(english.contains(caption)) << name << " " << caption.toStdString();
    }
    for (const char* name : {"lbl7", "lbl8", "lbl12", "lbl13"})
        EXPECT_TRUE(english.contains(Find<QLabel>(name)->text())) << name;
    for (const char* name : {"ImportData1", "ExportResults1", "ExportDraw12Excel1"})
        EXPECT_TRUE(english.contains(ActionCaption(name))) << name;
    // As designed keeps the English guide.
    Choose("LanguageDesigned1");
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/help.html")));

    // The guide beside the program (the web-site command) follows the language as well.
    form->setGuideFolder(dir.path());
    const QString besideChinese = WriteFile("help_zh.html", "<html></html>");
    Choose("LanguageChinese1");
    EXPECT_EQ(form->HelpPageUrl(), QUrl::fromLocalFile(besideChinese));
    Choose("LanguageEnglish1");
    EXPECT_TRUE(form->HelpPageUrl().toLocalFile().endsWith("/share/qlnx/help.html"));
}

TEST_F(UserGuideTest, EveryCaptionTheChineseGuideNamesIsOneOfTheChineseCatalogue) {
    const QString chinese = ResourceText(QStringLiteral(":/help/help_zh.html"));
    const QString english = ResourceText(QStringLiteral(":/help/help.html"));
    ASSERT_FALSE(chinese.isEmpty());
    ASSERT_FALSE(english.isEmpty());
    const QSet<QString> captions = ChineseCaptions();
    ASSERT_FALSE(captions.isEmpty());
    // Each name opens and closes on one line, and the screen shows it as written.
    static const QRegularExpression named(QStringLiteral("「([^」\\n]*)」"));
    QStringList unknown;
    qsizetype names = 0;
    for (auto it = named.globalMatch(chinese); it.hasNext(); ++names) {
        const QString name = it.next().captured(1);
        if (!captions.contains(name)) unknown << name;
    }
    EXPECT_GT(names, 0);
    EXPECT_EQ(names, chinese.count(QStringLiteral("「")));
    EXPECT_EQ(names, chinese.count(QStringLiteral("」")));
    EXPECT_TRUE(unknown.isEmpty()) << unknown.join(QStringLiteral(", ")).toStdString();
    // The pictures of the English guide, each built into the program.
    const QStringList pictures = Pictures(chinese);
    EXPECT_FALSE(pictures.isEmpty());
    for (const QString& picture : pictures) {
        EXPECT_TRUE(Pictures(english).contains(picture)) << picture.toStdString();
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + picture)) << picture.toStdString();
    }
}

}  // namespace
}  // namespace qlnx
