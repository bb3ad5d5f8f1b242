// View > Language: every caption, menu item, list item and tooltip of the main window, the
// evaluation window and the two option dialogs shown in plain English or in Chinese from the
// catalogue, at once and back again; the designed texts stay what they have always been.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTranslator>
#include <functional>

#include "core/evaluation_tables.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/donation_box.h"
#include "gui/dialogs/export_option_form.h"
#include "gui/dialogs/import_option_form.h"
#include "gui/evaluation/evaluation_models.h"
#include "gui/evaluation/evaluation_window.h"
#include "gui/language/language.h"
#include "gui/series/series_window.h"
#include "tform1_fixture.h"

namespace qlnx {
namespace {

// One text on the screen: where it is and what it says.
struct Shown {
    QString where;
    QString text;
};

// Every text of root in a fixed order: window titles, captions, group titles, the items of
// fixed lists, tabs, menu items and tooltips. Boxes holding values (edit boxes, editable
// lists) are left out.
std::vector<Shown> TextsOf(const QWidget& root) {
    std::vector<Shown> texts;
    const auto add = [&](const QObject* o, const char* kind, const QString& text) {
        if (!text.isEmpty())
            texts.push_back({o->objectName() + QLatin1Char(':') + QLatin1String(kind), text});
    };
    QList<const QWidget*> widgets{&root};
    for (const QWidget* w : root.findChildren<QWidget*>()) widgets << w;
    for (const QWidget* w : widgets) {
        if (w->isWindow()) add(w, "title", w->windowTitle());
        add(w, "tooltip", w->toolTip());
        if (auto* label = qobject_cast<const QLabel*>(w)) add(w, "text", label->text());
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) add(w, "text", button->text());
        if (auto* group = qobject_cast<const QGroupBox*>(w)) add(w, "title", group->title());
        if (auto* box = qobject_cast<const QComboBox*>(w); box && !box->isEditable()) {
            for (int i = 0; i < box->count(); ++i) add(w, "item", box->itemText(i));
        }
        if (auto* tabs = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) add(w, "tab", tabs->tabText(i));
        }
    }
    for (const QAction* a : root.findChildren<QAction*>()) {
        if (a->isSeparator()) continue;
        add(a, "text", a->text());
        if (a->toolTip() != QString(a->text()).remove(QLatin1Char('&')))
            add(a, "tooltip", a->toolTip());
    }
    return texts;
}

// Words of Latin letters that a Chinese text may keep: names, file types, axis letters.
bool ChineseKeeps(const QString& word) {
    static const QStringList kept =
        QStringLiteral(
            "QLNX EXCEL Excel SB CSV PNG PDF GNU GPL or later English X Y XY C n x "
            "Point he EEEP Fmax JGJ T EN ASTM E Park Steel Menegotto Pinto Bouc Wen BWBN SAWS "
            "OpenSees OpenSeesPy Tcl F Fy y H")
            .split(QLatin1Char(' '));
    return kept.contains(word);
}

// What is wrong with a text shown in language for the designed text: not in the catalogue,
// or not in the language.
QString Fault(Language language, const QString& designed, const QString& shown) {
    const QTranslator* catalogue = Catalogue(language);
    if (catalogue == nullptr) return QStringLiteral("no catalogue");
    if (!InCatalogue(*catalogue, designed)) return QStringLiteral("not in the catalogue");
    if (shown != Translated(designed)) return QStringLiteral("not translated");
    static const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    static const QRegularExpression oddity(
        QStringLiteral("Vorlix|Postive|Lengend|Maker|Serie |Draw1|LOOP"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    if (language == Language::English) {
        // The language's own name is shown in its own language.
        if (shown.contains(chinese) && shown != QStringLiteral("\u4e2d\u6587"))
            return QStringLiteral("Chinese left");
        if (shown.contains(oddity)) return QStringLiteral("oddity left");
    } else {
        for (auto it = word.globalMatch(shown); it.hasNext();) {
            const QString w = it.next().captured(0);
            if (!ChineseKeeps(w)) return QStringLiteral("English word ") + w;
        }
    }
    return {};
}

// The texts of the window as designed and in language, side by side: every one translated.
void ExpectTranslated(Language language, const std::vector<Shown>& designed,
                      const std::vector<Shown>& shown) {
    ASSERT_EQ(designed.size(), shown.size());
    QStringList faults;
    for (size_t i = 0; i < designed.size(); ++i) {
        ASSERT_EQ(designed[i].where, shown[i].where);
        const QString fault = Fault(language, designed[i].text, shown[i].text);
        if (!fault.isEmpty()) {
            faults << designed[i].where + QStringLiteral(" \"") + designed[i].text +
                          QStringLiteral("\" -> \"") + shown[i].text + QStringLiteral("\": ") +
                          fault;
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

class LanguageTest : public test::TForm1Test {
protected:
    void TearDown() override {
        Choose("LanguageDesigned1");
        test::TForm1Test::TearDown();
    }
    void Choose(const char* action) { Find<QAction>(action)->trigger(); }
};

TEST_F(LanguageTest, EveryTextOfTheWindowSwitchesAtOnceAndBack) {
    Find<QAction>("TestEvaluation1")->trigger();  // the evaluation window switches with it
    ASSERT_NE(form->Evaluation(), nullptr);
    Find<QAction>("CalibrateModel1")->trigger();  // and the calibration window
    ASSERT_NE(form->Calibration(), nullptr);
    Find<QAction>("LoadingHistory1")->trigger();  // and the loading history
    ASSERT_NE(form->History(), nullptr);
    // So does a series window (of no specimens: no group names of the user's).
    auto* series = new SeriesWindow(dialogs, form.get());
    series->SetSpecimens({});
    series->Open();
    const std::vector<Shown> designed = TextsOf(*form);
    // The designed captions, oddities included, are what the window shows by default.
    EXPECT_EQ(Find<QGroupBox>("grp2")->title(), QStringLiteral("Vorlix Curve"));
    EXPECT_EQ(Items("cbb2"),
              (QStringList{QStringLiteral("None"), QStringLiteral("Vorlix Postive"),
                           QStringLiteral("Vorlix Negative"), QStringLiteral("LOOP")}));
    EXPECT_TRUE(Find<QAction>("LanguageDesigned1")->isChecked());

    const struct {
        const char* action;
        Language language;
        const char* skeletonGroup;
        const char* extract;
    } cases[] = {
        {"LanguageEnglish1", Language::English, "Skeleton Curve", "Extract Skeleton Curve"},
        {"LanguageChinese1", Language::Chinese, "\u9aa8\u67b6\u66f2\u7ebf",
         "\u63d0\u53d6\u9aa8\u67b6\u66f2\u7ebf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Choose(c.action);
        EXPECT_EQ(CurrentLanguage(), c.language);
        EXPECT_TRUE(Find<QAction>(c.action)->isChecked());
        EXPECT_EQ(Find<QGroupBox>("grp2")->title(), QString::fromUtf8(c.skeletonGroup));
        EXPECT_EQ(Find<QPushButton>("btn5")->text(), QString::fromUtf8(c.extract));
        ExpectTranslated(c.language, designed, TextsOf(*form));
    }
    // Remembered for the next start.
    EXPECT_EQ(StoredLanguage(), Language::Chinese);
    Choose("LanguageDesigned1");
    const std::vector<Shown> back = TextsOf(*form);
    ASSERT_EQ(back.size(), designed.size());
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].text, designed[i].text) << back[i].where.toStdString();
    }
}

TEST_F(LanguageTest, TheDialogsOpenInTheLanguage) {
    TExcelExportOptions options;
    InitExcelExportOptions(options);
    // The texts of each dialog as it opens.
    const std::function<std::vector<Shown>()> opened[] = {
        [&] {
            TExportOptionForm dialog(options, nullptr, form.get());
            dialog.LoadOptions();
            return TextsOf(dialog);
        },
        [&] {
            TImportOptionForm dialog(ImportOptions{}, "1.5,2\n2.5,3\n", ImportParameters{},
                                     form.get());
            return TextsOf(dialog);
        },
        [&] { return TextsOf(TAboutBox(form.get())); },
        [&] { return TextsOf(TDonationBox(form.get())); },
    };
    std::vector<std::vector<Shown>> designed;
    for (const auto& texts : opened) designed.push_back(texts());
    for (const auto& [action, language] : {std::pair{"LanguageEnglish1", Language::English},
                                           std::pair{"LanguageChinese1", Language::Chinese}}) {
        SCOPED_TRACE(action);
        Choose(action);
        for (size_t i = 0; i < designed.size(); ++i) {
            ExpectTranslated(language, designed[i], opened[i]());
        }
    }
}

TEST_F(LanguageTest, MessagesAndStatusTextsFollowTheLanguage) {
    // Texts built with values: the pattern is translated, the program's own words among the
    // values too, while fields of the record and file names stay as they are even where they
    // read like a caption.
    Choose("LanguageChinese1");
    const struct {
        const char* designed;
        const char* chinese;
    } cases[] = {
        {"Undone: drag of a node.", "\u5df2\u64a4\u9500\uff1a\u62d6\u52a8\u8282\u70b9\u3002"},
        {"Saved the loop extremes to /tmp/Force.",
         "\u5df2\u5c06\u5404\u5708\u6781\u503c\u4fdd\u5b58\u5230 /tmp/Force\u3002"},
        {"Line 7: 'Disp' is not a number.",
         "\u7b2c 7 \u884c\uff1a\u201cDisp\u201d\u4e0d\u662f\u6570\u5b57\u3002"},
        {"12 rows; comma-separated, decimal point",
         "12 \u884c\uff1b\u9017\u53f7\u5206\u9694\uff0c\u5c0f\u6570\u70b9"},
        {"no text the catalogue knows", "no text the catalogue knows"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Translated(QString::fromUtf8(c.designed)).toStdString(), c.chinese) << c.designed;
    }
    // The status bar and the message bar show the window's messages in the language, and go
    // back to the designed texts with it.
    const QString path = dir.filePath(QStringLiteral("record.csv"));
    {
        std::ofstream out(path.toStdString());
        out << "Disp,Force\n0,0\n1,2\n";
    }
    dialogs.openAnswers.push_back(path);
    Click("btn1");
    auto* status = Find<QLabel>("rzfldsts3");
    auto* message = Find<QLabel>("MessageText");
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("0 \u884c")))
        << status->text().toStdString();
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("\u7b2c 1 \u884c")))
        << message->text().toStdString();
    Choose("LanguageDesigned1");
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("0 rows")))
        << status->text().toStdString();
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("Line 1 looks like a header")))
        << message->text().toStdString();
}

TEST_F(LanguageTest, TheEvaluationTablesExplainTheirMarksInTheLanguage) {
    // Every mark of the evaluation tables has its reason in both catalogues.
    const QTranslator* chinese = Catalogue(Language::Chinese);
    ASSERT_NE(chinese, nullptr);
    for (int w = 0; w <= static_cast<int>(EvaluationWarning::DroppedPoints); ++w) {
        const std::string_view text = WarningText(static_cast<EvaluationWarning>(w));
        const QString designed =
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        EXPECT_TRUE(InCatalogue(*Catalogue(Language::English), designed)) << text;
        EXPECT_TRUE(InCatalogue(*chinese, designed)) << text;
    }
    // The tables' headers are shown in the language (the files keep the batch tool's names).
    Find<QAction>("TestEvaluation1")->trigger();
    Choose("LanguageChinese1");
    for (const EvaluationTableModel* model :
         {form->Evaluation()->LoopModel(), form->Evaluation()->LevelModel(),
          form->Evaluation()->SkeletonModel()}) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString shown = model->headerData(c, Qt::Horizontal).toString();
            const std::string& designed = model->Table().Header[static_cast<size_t>(c)];
            EXPECT_NE(shown.toStdString(), designed) << designed;
        }
    }
}

TEST_F(LanguageTest, TheFilesWrittenAreTheSameInEveryLanguage) {
    // The result files, the skeleton file and the evaluation file (which names the extraction
    // method) of one record, written in each language.
    const auto filesIn = [&](const char* action, const QString& tag) {
        Choose(action);
        Import(WriteFile("worked.csv", kWorkedExample));
        Click("btn2");
        Find<QRadioButton>("rb4")->setChecked(true);
        Click("btn5");
        Find<QAction>("TestEvaluation1")->trigger();
        auto* save = form->Evaluation()->findChild<QPushButton*>(QStringLiteral("btnSave"));
        const QStringList names{QStringLiteral("results"), QStringLiteral("loop"),
                                QStringLiteral("skeleton"), QStringLiteral("evaluation")};
        // CSV each time: the second file type of the result files, the first of the evaluation.
        for (const QString& name : names) {
            dialogs.saveAnswers.push_back(
                SaveFileAnswer{dir.filePath(tag + name), name == names.back() ? 1 : 2});
        }
        Click("btn7");
        Find<QAction>("ExportModifiedLoop1")->trigger();
        Find<QAction>("ExportSkeleton1")->trigger();
        save->click();
        std::vector<QByteArray> contents;
        for (const QString& name : names) {
            QFile file(dir.filePath(tag + name + QStringLiteral(".csv")));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << (tag + name).toStdString();
            contents.push_back(file.readAll());
        }
        return contents;
    };
    const std::vector<QByteArray> designed =
        filesIn("LanguageDesigned1", QStringLiteral("designed-"));
    // The evaluation names the method as the batch tool does.
    EXPECT_TRUE(designed[3].contains(",SkeletonMethod,envelope-force positive,"))
        << designed[3].left(300).toStdString();
    EXPECT_EQ(filesIn("LanguageEnglish1", QStringLiteral("english-")), designed);
    EXPECT_EQ(filesIn("LanguageChinese1", QStringLiteral("chinese-")), designed);
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace qlnx
