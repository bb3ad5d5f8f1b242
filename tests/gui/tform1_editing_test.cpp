// Editing on the chart through the window: the operation type and object boxes, and real
// mouse presses, moves and double clicks at the pixels of known points.
#include <QAction>
#include <algorithm>

#include "core/node_editing.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class TForm1Editing : public TForm1Test {
protected:
    void SetUp() override {
        TForm1Test::SetUp();
        if (HasFatalFailure()) return;
        // Two loops whose crossings fall on samples; point 7 is (-2, -10).
        Import(WriteFile("two_loops.csv",
                         "0,0\n2,20\n4,35\n2,10\n0,-5\n-2,-20\n-4,-35\n-2,-10\n0,5\n3,30\n6,50\n"
                         "3,15\n0,0\n-3,-30\n-6,-50\n-3,-15\n0,0\n"));
        Click("btn2");
        Click("btn5");  // maximum-force points, direction Positive
        ASSERT_EQ(PointsOf(Positive()), (std::vector<Point>{{0, 0}, {4, 35}, {6, 50}}));
        ASSERT_EQ(PointsOf(Negative()), (std::vector<Point>{{0, 0}, {-4, -35}, {-6, -50}}));
        ASSERT_TRUE(dialogs.boxes.empty());
    }

    const ChartSeries& Loop() { return State().Chart.GetSeries(ChartModel::LoopSeries); }
    const ChartSeries& Positive() {
        return State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    }
    const ChartSeries& Negative() {
        return State().Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    }

    // Presses the left button at from, moves in two steps to to, releases there.
    void Drag(QPoint from, QPoint to) {
        ChartWidget* chart = Chart();
        QTest::mouseMove(chart, from);
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(chart, (from + to) / 2);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to);
    }
    // Moves the mouse to at, then double-clicks there.
    void DoubleClick(QPoint at) {
        QTest::mouseMove(Chart(), at);
        QTest::mouseDClick(Chart(), Qt::LeftButton, Qt::NoModifier, at);
    }
    double XAt(QPoint p) { return Chart()->XScreenToValue(p.x()); }
    double YAt(QPoint p) { return Chart()->YScreenToValue(p.y()); }
};

TEST_F(TForm1Editing, DraggingALoopPointWritesItIntoTheImportedCurve) {
    Choose("cbb3", 1);  // drag
    Choose("cbb2", 3);  // LOOP
    EXPECT_TRUE(Loop().PointerVisible);
    EXPECT_EQ(Chart()->dragSeries(), &Loop());
    EXPECT_TRUE(Chart()->hasOnDrag());

    const QPoint from = PixelOf(ChartModel::LoopSeries, 7);
    const QPoint to = from + QPoint(40, -30);
    Drag(from, to);
    EXPECT_EQ(Loop().GetxValue(7), XAt(to));
    EXPECT_EQ(Loop().GetyValue(7), YAt(to));
    EXPECT_EQ(State().RawDisp[7], XAt(to));
    EXPECT_EQ(State().RawForce[7], YAt(to));
    EXPECT_EQ(State().RawDisp[6], -4);
    EXPECT_EQ(State().RawDisp[8], 0);

    // The next analysis builds the working curve from the moved sample.
    Click("btn2");
    ASSERT_LT(XAt(to), 0);  // still left of the reference: no crossing inserted before it
    EXPECT_EQ(State().LoopDisp[7], XAt(to));
    EXPECT_EQ(State().LoopForce[7], YAt(to));
}

TEST_F(TForm1Editing, DraggingASkeletonNodeChangesOnlyThatCurve) {
    const std::vector<double> rawDisp = State().RawDisp, rawForce = State().RawForce;
    const std::vector<Point> loop = PointsOf(Loop()), negative = PointsOf(Negative());
    Choose("cbb3", 1);
    Choose("cbb2", 1);  // Vorlix Postive
    EXPECT_FALSE(Loop().PointerVisible);
    EXPECT_FALSE(Chart()->hasOnDrag());

    const QPoint to = PixelOf(ChartModel::PositiveSkeletonSeries, 1) + QPoint(25, 35);
    Drag(PixelOf(ChartModel::PositiveSkeletonSeries, 1), to);
    EXPECT_EQ(PointsOf(Positive()), (std::vector<Point>{{0, 0}, {XAt(to), YAt(to)}, {6, 50}}));
    EXPECT_EQ(PointsOf(Negative()), negative);
    EXPECT_EQ(PointsOf(Loop()), loop);
    EXPECT_EQ(State().RawDisp, rawDisp);
    EXPECT_EQ(State().RawForce, rawForce);
}

TEST_F(TForm1Editing, DoubleClickAddsAndDeletesNodes) {
    Choose("cbb3", 2);  // add
    EXPECT_EQ(Items("cbb2"), QStringList({"None", "Vorlix Postive", "Vorlix Negative"}));
    EXPECT_TRUE(Chart()->cursorActive());
    Choose("cbb2", 1);
    Chart()->replot();
    const QPoint at(static_cast<int>(std::lround(Chart()->XValueToScreen(5))),
                    static_cast<int>(std::lround(Chart()->YValueToScreen(40))));
    QTest::mouseMove(Chart(), at);
    EXPECT_TRUE(Chart()->cursorLinesVisible());
    EXPECT_EQ(Chart()->cursorPosition(), at);
    DoubleClick(at);
    EXPECT_EQ(PointsOf(Positive()),
              (std::vector<Point>{{0, 0}, {4, 35}, {XAt(at), YAt(at)}, {6, 50}}));

    // The negative curve takes a node between the nodes that enclose its displacement.
    Choose("cbb2", 2);
    const QPoint negativeAt(static_cast<int>(std::lround(Chart()->XValueToScreen(-5))),
                            static_cast<int>(std::lround(Chart()->YValueToScreen(-40))));
    DoubleClick(negativeAt);
    EXPECT_EQ(Negative().Count(), 4);
    EXPECT_EQ(Negative().GetxValue(2), XAt(negativeAt));

    // Delete mode keeps the chosen object; a double click off every point deletes nothing.
    Choose("cbb3", 3);
    EXPECT_EQ(Find<QComboBox>("cbb2")->currentText(), "Vorlix Negative");
    EXPECT_FALSE(Chart()->cursorActive());
    DoubleClick(PixelOf(ChartModel::NegativeSkeletonSeries, 2) + QPoint(30, 30));
    EXPECT_EQ(Negative().Count(), 4);
    DoubleClick(PixelOf(ChartModel::NegativeSkeletonSeries, 2));
    EXPECT_EQ(PointsOf(Negative()), (std::vector<Point>{{0, 0}, {-4, -35}, {-6, -50}}));

    // Deleting a loop point shortens the loop series only.
    Choose("cbb2", 3);
    EXPECT_TRUE(Loop().PointerVisible);
    DoubleClick(PixelOf(ChartModel::LoopSeries, 10));
    EXPECT_EQ(Loop().Count(), 16);
    EXPECT_EQ(Loop().GetxValue(10), 3);
    EXPECT_EQ(State().RawDisp.size(), 17u);
    Click("btn2");
    EXPECT_EQ(State().LoopDisp.size(), 17u);  // the next analysis still sees the sample
}

TEST_F(TForm1Editing, AddModeWithLoopChosenFallsBackToNone) {
    Choose("cbb3", 1);
    Choose("cbb2", 3);
    Choose("cbb3", 2);
    EXPECT_EQ(Find<QComboBox>("cbb2")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>("cbb2")->currentText(), "None");
    EXPECT_FALSE(Loop().PointerVisible);
    // The drag tool keeps what drag mode gave it.
    EXPECT_EQ(Chart()->dragSeries(), &Loop());
    EXPECT_TRUE(Chart()->hasOnDrag());

    const std::vector<Point> positive = PointsOf(Positive()), negative = PointsOf(Negative());
    DoubleClick(PixelOf(ChartModel::PositiveSkeletonSeries, 1) + QPoint(20, 0));
    EXPECT_EQ(PointsOf(Positive()), positive);
    EXPECT_EQ(PointsOf(Negative()), negative);
    EXPECT_EQ(Loop().Count(), 17);
}

TEST_F(TForm1Editing, AfterLeavingDragModeDragsNoLongerWriteBack) {
    Choose("cbb3", 1);
    Choose("cbb2", 3);
    Drag(PixelOf(ChartModel::LoopSeries, 7), PixelOf(ChartModel::LoopSeries, 7) + QPoint(10, 10));
    const double moved = State().RawDisp[7];
    EXPECT_NE(moved, -2);

    Choose("cbb3", 0);
    EXPECT_FALSE(Chart()->hasOnDrag());
    EXPECT_EQ(Chart()->dragSeries(), &Loop());
    EXPECT_FALSE(Loop().PointerVisible);
    const QPoint to = PixelOf(ChartModel::LoopSeries, 9) + QPoint(-20, 15);
    Drag(PixelOf(ChartModel::LoopSeries, 9), to);
    EXPECT_EQ(Loop().GetxValue(9), XAt(to));  // the chart point moved
    EXPECT_EQ(State().RawDisp[9], 3);         // the record did not
    EXPECT_EQ(State().RawForce[9], 30);
    EXPECT_EQ(State().RawDisp[7], moved);
}

TEST_F(TForm1Editing, DragAfterDeletingAnEarlierPointWritesTheSampleItShows) {
    Choose("cbb3", 3);
    Choose("cbb2", 3);
    DoubleClick(PixelOf(ChartModel::LoopSeries, 3));
    ASSERT_EQ(Loop().Count(), 16);

    Choose("cbb3", 1);  // drag, the object stays LOOP
    EXPECT_EQ(Chart()->dragSeries(), &Loop());
    // Series point 6 now shows sample 7, (-2, -10).
    ASSERT_EQ(Loop().GetxValue(6), -2);
    ASSERT_EQ(Loop().GetyValue(6), -10);
    const QPoint to = PixelOf(ChartModel::LoopSeries, 6) + QPoint(-15, 25);
    Drag(PixelOf(ChartModel::LoopSeries, 6), to);
    EXPECT_EQ(State().RawDisp[7], XAt(to));
    EXPECT_EQ(State().RawForce[7], YAt(to));
    EXPECT_EQ(State().RawDisp[6], -4);
    EXPECT_EQ(State().RawForce[6], -35);
    EXPECT_EQ(State().RawDisp[3], 2);  // the deleted point's sample is untouched
}

// Undo and Redo step through the edits one command at a time: a drag of a skeleton node, a
// drag of a loop point with its write-back, a thinning, an added and a deleted node and a
// deleted loop point; a new analysis starts a new history.
TEST_F(TForm1Editing, UndoAndRedoStepThroughEveryEdit) {
    auto* undo = form->findChild<QAction*>("Undo1");
    auto* redo = form->findChild<QAction*>("Redo1");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    const std::vector<double> rawDisp = State().RawDisp, rawForce = State().RawForce;
    const std::vector<Point> loop0 = PointsOf(Loop()), positive0 = PointsOf(Positive()),
                             negative0 = PointsOf(Negative());

    Choose("cbb3", 1);  // drag
    Choose("cbb2", 1);  // positive skeleton
    Drag(PixelOf(ChartModel::PositiveSkeletonSeries, 1),
         PixelOf(ChartModel::PositiveSkeletonSeries, 1) + QPoint(25, -20));
    const std::vector<Point> positive1 = PointsOf(Positive());
    ASSERT_NE(positive1, positive0);
    EXPECT_EQ(undo->text(), "Undo drag of a node");

    Choose("cbb2", 3);  // LOOP, written back
    Drag(PixelOf(ChartModel::LoopSeries, 7), PixelOf(ChartModel::LoopSeries, 7) + QPoint(30, 20));
    const std::vector<Point> loop2 = PointsOf(Loop());
    const std::vector<double> rawDisp2 = State().RawDisp;
    ASSERT_NE(rawDisp2, rawDisp);

    Choose("cbb3", 0);
    SetText("edt9", "-10");
    SetText("edt10", "10");
    SetText("edt11", "5");
    Click("btn6");
    const std::vector<Point> positive3 = PointsOf(Positive()), negative3 = PointsOf(Negative());
    ASSERT_NE(negative3, negative0);
    EXPECT_EQ(undo->text(), "Undo thinning");

    Choose("cbb3", 3);  // delete
    Choose("cbb2", 3);  // LOOP
    DoubleClick(PixelOf(ChartModel::LoopSeries, 2));
    ASSERT_EQ(Loop().Count(), static_cast<int>(loop2.size()) - 1);
    const std::vector<Point> loop4 = PointsOf(Loop());

    // Back, one step at a time, to the state of the extraction.
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(PointsOf(Loop()), loop2);
    EXPECT_EQ(LoopSampleOfPoint(State(), 3), 3);
    undo->trigger();
    EXPECT_EQ(PointsOf(Positive()), positive1);
    EXPECT_EQ(PointsOf(Negative()), negative0);
    undo->trigger();
    EXPECT_EQ(PointsOf(Loop()), loop0);
    EXPECT_EQ(State().RawDisp, rawDisp);
    EXPECT_EQ(State().RawForce, rawForce);
    undo->trigger();
    EXPECT_EQ(PointsOf(Positive()), positive0);
    EXPECT_FALSE(undo->isEnabled());

    // And forward again to the last edit.
    for (int i = 0; i < 3; ++i) redo->trigger();
    EXPECT_EQ(PointsOf(Loop()), loop2);
    EXPECT_EQ(State().RawDisp, rawDisp2);
    EXPECT_EQ(PointsOf(Positive()), positive3);
    EXPECT_EQ(PointsOf(Negative()), negative3);
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(PointsOf(Loop()), loop4);
    EXPECT_FALSE(redo->isEnabled());

    // An analysis replaces the curves that the history would restore; the edited skeleton
    // it cleared comes back with one Undo, over the new analysis.
    Click("btn2");
    EXPECT_EQ(Positive().Count(), 0);
    EXPECT_EQ(undo->text(), "Undo replacement of the edited skeleton curve");
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(
        StatusText().endsWith("The edited skeleton curve was replaced; Undo brings it back."));
    undo->trigger();
    EXPECT_EQ(PointsOf(Positive()), positive3);
    EXPECT_EQ(PointsOf(Negative()), negative3);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Extraction, a new analysis and an import each replace edited nodes as one undoable step;
// replacing a skeleton nobody edited leaves nothing to undo.
TEST_F(TForm1Editing, ReplacingEditedNodesIsOneUndoableStep) {
    auto* undo = form->findChild<QAction*>("Undo1");
    const std::vector<Point> extracted = PointsOf(Positive());
    Click("btn5");  // the same extraction again: nothing was edited
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(StatusText().contains("replaced"));

    Choose("cbb3", 3);  // delete
    Choose("cbb2", 1);  // positive skeleton
    DoubleClick(PixelOf(ChartModel::PositiveSkeletonSeries, 1));
    const std::vector<Point> edited = PointsOf(Positive());
    ASSERT_EQ(edited.size(), extracted.size() - 1);

    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(PointsOf(Positive()), extracted);
    EXPECT_EQ(StatusText(),
              "Skeleton curve: 3 points on the positive branch, 3 on the negative. "
              "The edited skeleton curve was replaced; Undo brings it back.");
    ASSERT_TRUE(undo->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(PointsOf(Positive()), edited);
    EXPECT_FALSE(undo->isEnabled());

    // The same record imported again (F5) replaces the edited skeleton too.
    Click("btn9");
    EXPECT_EQ(Positive().Count(), 0);
    EXPECT_TRUE(StatusText().endsWith("Undo brings it back."));
    undo->trigger();
    EXPECT_EQ(PointsOf(Positive()), edited);
}

// Thinning may take a branch's peak node (the tolerance reaches past it); the status line
// says so, since the evaluation's peak moves with it.
TEST_F(TForm1Editing, ThinningSaysWhenABranchLostItsPeak) {
    SetText("edt9", "-10");
    SetText("edt10", "5.5");
    SetText("edt11", "6.5");
    Click("btn6");
    EXPECT_EQ(PointsOf(Positive()), (std::vector<Point>{{0, 0}, {6, 50}}));
    EXPECT_EQ(PointsOf(Negative()), (std::vector<Point>{{0, 0}}));
    EXPECT_EQ(StatusText(),
              "Thinning removed 3 points (1 positive, 2 negative), the negative "
              "branch's peak point among them.");
}

TEST_F(TForm1Editing, LegendBoxOfTheChosenLoopHidesItsMarks) {
    ChartWidget* chart = Chart();
    chart->replot();
    auto* loopItem = qobject_cast<QCPPlottableLegendItem*>(chart->legend->item(1));
    ASSERT_NE(loopItem, nullptr);
    ASSERT_EQ(loopItem->plottable()->name(), "Loop_1");
    const QPoint at = loopItem->outerRect().center();
    const auto marks = [this] {
        return std::make_pair(State().Chart.GetSeries(ChartModel::pntsrsSeries1).Active,
                              State().Chart.GetSeries(ChartModel::pntsrsSeries2).Active);
    };

    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_FALSE(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Active);
    EXPECT_EQ(marks(), std::make_pair(false, false));
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Active);
    EXPECT_EQ(marks(), std::make_pair(true, true));

    // Another entry's box leaves the marks as the chosen loop is.
    const QPoint loop = chart->legend->item(0)->outerRect().center();
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, loop);
    EXPECT_FALSE(State().Chart.GetSeries(ChartModel::LoopSeries).Active);
    EXPECT_EQ(marks(), std::make_pair(true, true));
}

}  // namespace
}  // namespace qlnx::test
