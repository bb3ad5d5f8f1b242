// The main window on a laptop's 1366 x 768 screen: no caption, list choice or read-out is cut
// in any language, and the loop read-outs show their values in fixed notation wherever that
// fits the box (E-notation only beyond), with every digit in the tooltip.
#include <gtest/gtest.h>

#include <QAction>
#include <QScrollArea>

#include "core/number_text.h"
#include "cut_texts.h"
#include "gui/language/language.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class ReadoutFitTest : public TForm1Test {
protected:
    void TearDown() override {
        Find<QAction>("LanguageDesigned1")->trigger();
        TForm1Test::TearDown();
    }
    // The controls of the left column and of the row above the chart.
    QList<QWidget*> Controls() {
        QList<QWidget*> widgets = Find<QScrollArea>("ControlColumn")->findChildren<QWidget*>();
        for (const char* name : {"lbl12", "cbb3", "lbl13", "cbb2"}) widgets << Find<QWidget>(name);
        return widgets;
    }
    QStringList Readouts() { return {Text("edt1"), Text("edt2"), Text("edt3"), Text("edt4")}; }
};

TEST_F(ReadoutFitTest, NothingIsCutOnALaptopScreenInAnyLanguage) {
    form->resize(1366, 768);
    // Displacements in metres of a small specimen, forces in newtons: the general format
    // words both in E-notation ("1.23456789E-5") or with 15 digits.
    Import(WriteFile("small.csv", "0,0\n1.23456789e-5,1234567.891\n-2.5e-5,-987654.321\n0,0\n"));
    Click("btn2");
    ASSERT_EQ(State().LoopCount, 1);
    const QStringList fixed{"0.0000123457", "-0.000025", "1234570", "-987654"};
    // Every choice of the Target list shown whole, the longest last.
    for (const char* language : {"LanguageDesigned1", "LanguageEnglish1", "LanguageChinese1"}) {
        SCOPED_TRACE(language);
        Find<QAction>(language)->trigger();
        for (int i = 0; i < Find<QComboBox>("cbb2")->count(); ++i) {
            Choose("cbb2", i);
            QCoreApplication::processEvents();
            const QStringList cut = CutTexts(Controls());
            EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
        }
        EXPECT_EQ(Readouts(), fixed);
        // Every digit the analysis found, in the tooltip.
        EXPECT_TRUE(Find<QLineEdit>("edt1")->toolTip().endsWith(
            "\n" + QString::fromStdString(FormatGeneral15(1.23456789e-5))));
        EXPECT_TRUE(Find<QLineEdit>("edt2")->toolTip().contains("\n-2.5E-5"));
    }
    // A value whose fixed text would not fit stays in E-notation, shown from its start.
    Import(WriteFile("tiny.csv", "0,0\n1.5e-30,2\n-1.25e-30,-2\n0,0\n"));
    Click("btn2");
    EXPECT_EQ(Readouts(), (QStringList{"1.5E-30", "-1.25E-30", "2", "-2"}));
    // A box narrowed until the fixed text no longer fits switches to E-notation, whole.
    Import(WriteFile("small.csv", "0,0\n1.23456789e-5,1234567.891\n-2.5e-5,-987654.321\n0,0\n"));
    Click("btn2");
    auto* column = Find<QScrollArea>("ControlColumn");
    auto* edt1 = Find<QLineEdit>("edt1");
    const int fixedWidth = edt1->fontMetrics().horizontalAdvance("0.0000123457");
    const int eWidth = edt1->fontMetrics().horizontalAdvance("1.23457E-5");
    for (int width = column->widget()->width(); width > 120; width -= 2) {
        column->widget()->setFixedWidth(width);
        QCoreApplication::processEvents();
        if (TextRoom(*edt1) < fixedWidth) break;
    }
    ASSERT_GE(TextRoom(*edt1), eWidth);
    EXPECT_EQ(Text("edt1"), "1.23457E-5");
    for (const char* box : {"edt1", "edt2", "edt3", "edt4"}) {
        EXPECT_TRUE(ShowsWholeText(*Find<QLineEdit>(box))) << box << " " << Text(box).toStdString();
    }
}

}  // namespace
}  // namespace qlnx::test
