// View > Loading History driven by object names: the history of an EN 12512 record after
// idle samples, its levels and planned steps, a click that chooses a loop, a drag that reads
// the record again in a range of lines, and Whole Record.
#include <qcustomplot.h>

#include <QAction>
#include <QDockWidget>
#include <sstream>

#include "gui/protocol/loading_history_view.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

// 20 idle samples at rest, then EN 12512 cycles with a reference displacement of 4: one
// cycle each at 1 and 2, three each at 3, 4 and 8; each cycle eight samples.
std::string IdleThenProtocol() {
    std::ostringstream out;
    for (int i = 0; i < 20; ++i) out << "0,0\n";
    const std::pair<double, int> levels[] = {{1, 1}, {2, 1}, {3, 3}, {4, 3}, {8, 3}};
    for (const auto& [a, cycles] : levels) {
        for (int c = 0; c < cycles; ++c) {
            const double d[] = {a / 2, a, a / 2, 0, -a / 2, -a, -a / 2, 0};
            for (const double x : d) out << x << ',' << 10 * x << '\n';
        }
    }
    return out.str();
}

class LoadingHistoryTest : public TForm1Test {
protected:
    // The pixel of abscissa x, halfway up the plot.
    QPoint PixelAt(QCustomPlot* plot, double x) {
        plot->replot();
        const QRect r = plot->axisRect()->rect();
        return QPoint(static_cast<int>(std::lround(plot->xAxis->coordToPixel(x))), r.center().y());
    }
};

TEST_F(LoadingHistoryTest, LevelsClickDragAndWholeRecord) {
    Import(WriteFile("en.csv", IdleThenProtocol()));
    Click("btn2");
    const std::vector<double> whole = State().RawDisp;
    ASSERT_EQ(whole.size(), 20u + 11 * 8);
    Find<QAction>("LoadingHistory1")->trigger();
    auto* dock = Find<QDockWidget>("dckLoadingHistory");
    ASSERT_TRUE(dock->isVisible());
    auto* view = form->History();
    ASSERT_NE(view, nullptr);
    auto* plot = Find<QCustomPlot>("pltHistory");
    dock->resize(900, 300);
    QCoreApplication::processEvents();

    // The displacement against sample number, the five levels shaded and the planned steps.
    EXPECT_EQ(plot->graph(LoadingHistoryView::Displacement)->dataCount(),
              static_cast<int>(whole.size()));
    EXPECT_EQ(Find<QLabel>("lblProtocol")->text(), QStringLiteral("EN 12512"));
    ASSERT_EQ(view->History().Levels.size(), 5u);
    for (int level = 1; level <= 5; ++level) {
        EXPECT_NE(form->findChild<QCPItemRect*>(QStringLiteral("Level%1").arg(level)), nullptr);
    }
    QCPGraph* planned = plot->graph(LoadingHistoryView::PlannedPositive);
    ASSERT_GE(planned->dataCount(), 5);
    EXPECT_NEAR(planned->data()->at(0)->value, 1, 0.05);
    EXPECT_NEAR(plot->graph(LoadingHistoryView::PlannedNegative)->data()->at(0)->value, -1, 0.05);
    EXPECT_FALSE(Find<QPushButton>("btnWholeRecord")->isEnabled());

    // A click on the fourth cycle chooses Loop_4 and highlights it.
    const HistorySpan fourth = view->History().Loops[3];
    QTest::mouseClick(plot, Qt::LeftButton, {}, PixelAt(plot, (fourth.First + fourth.Last) / 2));
    EXPECT_EQ(Find<QComboBox>("cbb1")->currentIndex(), 3);
    EXPECT_EQ(State().SelectedLoop, 3);
    EXPECT_GT(plot->graph(LoadingHistoryView::ChosenLoop)->dataCount(), 8);

    // A drag from the test's first sample (sample number 21) past the end of the tenth cycle
    // reads lines 21 to 101 again and analyses them: the idle start is left out.
    const QPoint from = PixelAt(plot, 20.6);
    const QPoint to = PixelAt(plot, 101.4);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    EXPECT_EQ(Text("edt7"), QStringLiteral("21"));
    ASSERT_EQ(State().RawDisp.size(), 81u);
    EXPECT_EQ(State().RawDisp.front(), whole[20]);
    EXPECT_EQ(State().RawDisp.back(), whole[100]);
    EXPECT_EQ(State().LoopCount, 11);
    EXPECT_TRUE(Find<QPushButton>("btnWholeRecord")->isEnabled());
    EXPECT_EQ(Find<QLabel>("lblRange")->text(), QStringLiteral("Lines 21 to 101"));
    EXPECT_EQ(plot->graph(LoadingHistoryView::Displacement)->dataCount(), 81);

    // ReImport keeps the range; Whole Record reads every line from the first line again.
    Click("btn9");
    EXPECT_EQ(State().RawDisp.size(), 81u);
    Click("btn2");
    Click("btnWholeRecord");
    EXPECT_EQ(Text("edt7"), QStringLiteral("1"));
    EXPECT_EQ(State().RawDisp, whole);
    EXPECT_GT(State().LoopCount, 0);
    EXPECT_FALSE(Find<QPushButton>("btnWholeRecord")->isEnabled());

    // The range belongs to the record it was chosen on: another record is read with its own
    // settings (a record never opened: from line 1 to its end), and opening the first record
    // again brings back its range.
    QTest::mousePress(plot, Qt::LeftButton, {}, PixelAt(plot, 20.6));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, PixelAt(plot, 101.4));
    ASSERT_EQ(State().RawDisp.size(), 81u);
    Import(WriteFile("again.csv", IdleThenProtocol()));
    EXPECT_EQ(Text("edt7"), QStringLiteral("1"));
    EXPECT_EQ(State().RawDisp, whole);
    EXPECT_FALSE(Find<QPushButton>("btnWholeRecord")->isEnabled());
    Import(dir.filePath(QStringLiteral("en.csv")));
    EXPECT_EQ(Text("edt7"), QStringLiteral("21"));
    EXPECT_EQ(State().RawDisp.size(), 81u);
    EXPECT_TRUE(Find<QPushButton>("btnWholeRecord")->isEnabled());
    Click("btnWholeRecord");
    EXPECT_EQ(Text("edt7"), QStringLiteral("1"));
    EXPECT_EQ(State().RawDisp, whole);
}

}  // namespace
}  // namespace qlnx::test
