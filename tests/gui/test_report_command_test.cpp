// File > Test Report…: the PDF of the record as the window has it, in the language in force.
#include <QFile>
#include <QProcess>

#include "gui/language/language.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

// The output of a poppler tool on a file.
QString Tool(const char* program, const QString& file) {
    QProcess process;
    QStringList arguments{file};
    if (QByteArray(program) == "pdftotext") arguments << QStringLiteral("-");
    process.start(QString::fromLatin1(program), arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(TForm1Test, TestReportWritesThePdfOfTheAnalysedRecord) {
    // Nothing analysed: a word in the message bar, no dialog.
    Find<QAction>("TestReport1")->trigger();
    EXPECT_TRUE(dialogs.saveRequests.empty());
    EXPECT_EQ(Find<QLabel>("MessageText")->text(),
              "There is no analysed record to report: import and analyse one first.");

    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Click("btn5");
    dialogs.saveAnswers = {SaveFileAnswer{dir.filePath("report"), 1}};
    Find<QAction>("TestReport1")->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].FileName, "worked.pdf");
    const QString pdf = dir.filePath("report.pdf");
    EXPECT_EQ(Find<QLabel>("rzfldsts3")->text(), "Saved the test report to " + pdf + ".");
    const QString text = Tool("pdftotext", pdf);
    for (const char* words : {"Test Report: worked", "Hysteresis loops", "Loops", "Levels",
                              "Skeleton", "EEEP", "Page 1"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(words))) << words;

    // In Chinese the report's words are Chinese, in an embedded CJK font.
    SetLanguage(Language::Chinese);
    dialogs.saveAnswers = {SaveFileAnswer{dir.filePath("report-zh.pdf"), 1}};
    Find<QAction>("TestReport1")->trigger();
    SetLanguage(Language::AsDesigned);
    const QString chinese = Tool("pdftotext", dir.filePath("report-zh.pdf"));
    EXPECT_TRUE(chinese.contains(QStringLiteral("试验报告"))) << chinese.left(200).toStdString();
    const QString fonts = Tool("pdffonts", dir.filePath("report-zh.pdf"));
    EXPECT_TRUE(fonts.contains(QStringLiteral("CJK"))) << fonts.toStdString();
    // Each font's line (after the column names and the rule) says yes in the "emb" column,
    // the fifth field from the end.
    const QStringList lines = fonts.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(fields.size(), 5);
        EXPECT_EQ(fields[fields.size() - 5], "yes") << lines[i].toStdString();
    }
}

}  // namespace
}  // namespace qlnx::test
