// The noise band box and the message bar's suggestions: a band for a record that dithers
// around its first displacement, the loop direction for a record that loads negative first.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "gui/main_window/message_bar.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class SuggestionsTest : public TForm1Test {
protected:
    MessageBar* Bar() { return Find<MessageBar>("MessageBar"); }
    QString BarText() {
        return Bar()->isHidden() ? QString() : Find<QLabel>("MessageText")->text();
    }
    void Apply() {
        auto* apply = Find<QPushButton>("MessageApply");
        ASSERT_FALSE(apply->isHidden());
        QTest::mouseClick(apply, Qt::LeftButton);
    }
};

// Twenty samples of dither by 0.001 around 0, then two and a half cycles of amplitude 1
// towards negative displacements first: 12 loops plain, 3 with a band of 0.02.
std::string DitherThenNegativeFirst() {
    std::string text = "0,0\n";
    for (int k = 1; k <= 20; ++k) text += k % 2 ? "0.001,1\n" : "-0.001,-1\n";
    return text + "-1,-5\n1,5\n-1,-5\n1,5\n-1,-5\n0,0\n";
}

TEST_F(SuggestionsTest, NoiseBandBoxRefusesWhatDoesNotConvertAndKeepsTheAnalysis) {
    EXPECT_EQ(Text("edtNoiseBand"), "0");
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    ASSERT_EQ(Text("edt6"), "2");
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "warning Warning: 'abc' is not a valid floating point value"},
        {"-0.5", "warning Warning: Noise Band must not be negative!"},
    };
    for (const auto& [text, shown] : cases) {
        SCOPED_TRACE(text);
        dialogs.boxes.clear();
        Find<QPushButton>("btn2")->setFocus();
        SetText("edtNoiseBand", QString::fromLatin1(text));
        Click("btn2");
        EXPECT_EQ(dialogs.Shown(), std::vector<std::string>{shown});
        EXPECT_TRUE(Find<QLineEdit>("edtNoiseBand")->hasFocus());
        EXPECT_EQ(Text("edt6"), "2");
        EXPECT_EQ(State().LoopStart.size(), 4u);
    }
}

TEST_F(SuggestionsTest, NoiseBarAppliesTheBandThenTheDirectionBarTheNegativeSide) {
    Import(WriteFile("dither.csv", DitherThenNegativeFirst()));
    EXPECT_EQ(BarText(), QString());
    Find<QRadioButton>("rb2")->setChecked(true);
    Click("btn2");
    EXPECT_EQ(Text("edt6"), "12");
    EXPECT_EQ(BarText(),
              "9 of 12 loops are smaller than 1 % of the displacement range (noise "
              "around the first displacement?). A noise band of 0.02 merges them.");
    EXPECT_TRUE(dialogs.boxes.empty());

    Apply();
    EXPECT_EQ(Text("edtNoiseBand"), "0.02");
    EXPECT_EQ(Text("edt6"), "3");
    EXPECT_EQ(BarText(),
              "This record loads towards negative displacements first; Loop Direction "
              "Negative fits it.");

    // Extracting with the wrong direction keeps the suggestion; Apply extracts again.
    Click("btn5");
    const std::vector<Point> wrongPositive =
        PointsOf(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries));
    EXPECT_FALSE(BarText().isEmpty());
    Apply();
    EXPECT_EQ(Find<QComboBox>("cbb4")->currentText(), "Negative");
    EXPECT_EQ(BarText(), QString());
    const std::vector<Point> positive =
        PointsOf(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries));
    const std::vector<Point> negative =
        PointsOf(State().Chart.GetSeries(ChartModel::NegativeSkeletonSeries));
    EXPECT_NE(positive, wrongPositive);
    // The maximum-displacement points of each loop on their own sides.
    ASSERT_FALSE(positive.empty());
    ASSERT_FALSE(negative.empty());
    for (const Point& p : positive) EXPECT_GE(p.x, 0) << p;
    for (const Point& p : negative) EXPECT_LE(p.x, 0) << p;
    EXPECT_EQ(positive.back().x, 1);
    EXPECT_EQ(negative.back().x, -1);
    EXPECT_TRUE(dialogs.boxes.empty());

    // A new import clears the bar; the close button dismisses it.
    Find<QComboBox>("cbb4")->setCurrentIndex(0);
    Click("btn2");
    EXPECT_FALSE(BarText().isEmpty());
    QTest::mouseClick(Find<QWidget>("MessageClose"), Qt::LeftButton);
    EXPECT_EQ(BarText(), QString());
    Click("btn2");
    EXPECT_FALSE(BarText().isEmpty());
    Import(WriteFile("worked.csv", kWorkedExample));
    EXPECT_EQ(BarText(), QString());
}

TEST_F(SuggestionsTest, CleanPositiveRecordGetsNoBar) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Click("btn5");
    EXPECT_EQ(BarText(), QString());
}

TEST_F(SuggestionsTest, OffsetStartBarZeroesTheRecordAtItsFirstSample) {
    // The worked example moved to start at (3, 1).
    Import(WriteFile("offset.csv", "3,1\n5,11\n2,-4\n6,13\n6,13\n1,-7\n"));
    Click("btn2");
    EXPECT_EQ(BarText(),
              "This record does not start at rest: its first sample is at displacement 3, force "
              "1. Zeroing both at the first sample measures the skeleton's origin and the "
              "residual deformations from where the test started.");
    EXPECT_TRUE(dialogs.boxes.empty());
    Apply();
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 2, -1, 3, 3, -2}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 10, -5, 12, 12, -8}));
    EXPECT_EQ(State().LoopSeries().XValues(), State().RawDisp);
    // Analysed again: the worked example's two loops, and nothing more to suggest.
    EXPECT_EQ(Text("edt6"), "2");
    EXPECT_EQ(State().LoopStart.size(), 4u);
    EXPECT_EQ(BarText(), QString());
}

}  // namespace
}  // namespace qlnx::test
