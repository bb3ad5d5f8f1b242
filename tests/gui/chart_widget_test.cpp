// The chart widget driven by real mouse events at the pixels of known points: hit-testing,
// the drag-point tool, legend check boxes, zoom, the cursor tool, and what the series look like.
#include "gui/chart/chart_widget.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "gui/chart/legend_check_item.h"
#include "gui/chart/series_curve.h"
#include "test_application.h"

namespace qlnx {
namespace {

class ChartWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApplication();
        chart = std::make_unique<ChartWidget>(model);
        chart->resize(800, 600);
        chart->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        // A small zig-zag loop curve, its points well apart on screen.
        for (int i = 0; i < 20; ++i) Loop().AddXY(i, (i % 2 ? 50 : -50) + 3 * i);
        chart->rescaleToData();
        chart->replot();
    }

    ChartSeries& Loop() { return model.GetSeries(ChartModel::LoopSeries); }
    ChartSeries& Positive() { return model.GetSeries(ChartModel::PositiveSkeletonSeries); }
    QPoint PixelOf(const ChartSeries& s, int i) const {
        return QPoint(static_cast<int>(std::lround(chart->XValueToScreen(s.GetxValue(i)))),
                      static_cast<int>(std::lround(chart->YValueToScreen(s.GetyValue(i)))));
    }
    QCPRange XRange() const { return chart->xAxis->range(); }
    QCPRange YRange() const { return chart->yAxis->range(); }
    LegendCheckItem* LegendItem(const QString& title) const {
        for (int i = 0; i < chart->legend->itemCount(); ++i) {
            auto* item = qobject_cast<LegendCheckItem*>(chart->legend->item(i));
            if (item && item->plottable()->name() == title) return item;
        }
        return nullptr;
    }
    // A mouse move with no button held, as the mouse hovering over the chart sends it.
    void Hover(QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, chart->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(chart.get(), &move);
    }
    QColor PixelColor(QPoint pos) {
        chart->replot();
        return chart->grab().toImage().pixelColor(pos);
    }

    ChartModel model;  // outlives the widget that draws it
    std::unique_ptr<ChartWidget> chart;
};

TEST_F(ChartWidgetTest, HitTestFindsTheNearestPointWithinFivePixels) {
    const QPoint p7 = PixelOf(Loop(), 7);
    struct Case {
        QPoint offset;
        int index;
    };
    // The point's exact pixel lies within half a pixel of p7.
    const Case cases[] = {{{0, 0}, 7}, {{3, 0}, 7},  {{0, -4}, 7}, {{3, 3}, 7},
                          {{4, 0}, 7}, {{6, 0}, -1}, {{5, 5}, -1}, {{0, 12}, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(chart->GetCursorValueIndex(Loop(), p7 + c.offset), c.index)
            << c.offset.x() << "," << c.offset.y();
    }
    // Of two points a pixel or two apart, the nearer one.
    Positive().AddXY(5, 0);
    Positive().AddXY(5.05, 0);
    EXPECT_EQ(chart->GetCursorValueIndex(Positive(), PixelOf(Positive(), 1)), 1);
    EXPECT_EQ(chart->GetCursorValueIndex(Positive(), PixelOf(Positive(), 0)), 0);
    // A hidden series has nothing under the mouse.
    Loop().Active = false;
    chart->refresh();
    EXPECT_EQ(chart->GetCursorValueIndex(Loop(), p7), -1);
    // Without a position: where the mouse last was.
    Loop().Active = true;
    Hover(PixelOf(Loop(), 3) + QPoint(1, -2));
    EXPECT_EQ(chart->GetCursorValueIndex(Loop()), 3);
}

TEST_F(ChartWidgetTest, HitTestUsesEveryPointOfADecimatedCurve) {
    // A long dense scribble, and at its start a vertical stroke whose middle point the
    // decimated drawing leaves out.
    std::vector<double> xs = {0.5, 0.5, 0.5}, ys = {0, 50, 100};
    for (int i = 0; i < 200000; ++i) {
        xs.push_back(2 + i * 0.000005);
        ys.push_back((i % 7) * 10.0);
    }
    Loop().Assign(xs, ys);
    chart->rescaleToData();
    chart->replot();
    EXPECT_LT(chart->drawnPointCount(ChartModel::LoopSeries), 50000);
    EXPECT_EQ(chart->GetCursorValueIndex(Loop(), PixelOf(Loop(), 1)), 1);
}

TEST_F(ChartWidgetTest, DragMovesExactlyThePointUnderTheMouseAndReportsIt) {
    const std::vector<double> xs = Loop().XValues(), ys = Loop().YValues();
    std::vector<int> dragged;
    std::vector<std::pair<double, double>> placeWhenReported;
    chart->setDragSeries(&Loop());
    chart->setOnDrag([&](int index) {
        dragged.push_back(index);
        placeWhenReported.emplace_back(Loop().GetxValue(index), Loop().GetyValue(index));
    });
    const QCPRange xr = XRange(), yr = YRange();

    const QPoint from = PixelOf(Loop(), 7) + QPoint(2, 1);
    const QPoint mid(from.x() + 40, from.y() - 30), to(from.x() + 90, from.y() - 120);
    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(chart.get(), mid);
    QTest::mouseMove(chart.get(), to);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, to);
    Hover(to + QPoint(50, 50));  // after the release the point stays put

    EXPECT_EQ(dragged, (std::vector<int>{7, 7}));
    // Each step puts the point at the value under the mouse before the handler runs.
    const std::vector<std::pair<double, double>> steps = {
        {chart->XScreenToValue(mid.x()), chart->YScreenToValue(mid.y())},
        {chart->XScreenToValue(to.x()), chart->YScreenToValue(to.y())}};
    EXPECT_EQ(placeWhenReported, steps);
    EXPECT_EQ(Loop().GetxValue(7), chart->XScreenToValue(to.x()));
    EXPECT_EQ(Loop().GetyValue(7), chart->YScreenToValue(to.y()));
    for (int i = 0; i < Loop().Count(); ++i) {
        if (i == 7) continue;
        EXPECT_EQ(Loop().GetxValue(i), xs[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(Loop().GetyValue(i), ys[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(XRange(), xr) << "a drag must not zoom";
    EXPECT_EQ(YRange(), yr);
}

TEST_F(ChartWidgetTest, DragWithoutHandlerStillMovesAndWithoutSeriesDoesNothing) {
    chart->setDragSeries(&Loop());
    EXPECT_FALSE(chart->hasOnDrag());
    const QPoint from = PixelOf(Loop(), 4), to = from + QPoint(30, 40);
    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(chart.get(), to);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(Loop().GetxValue(4), chart->XScreenToValue(to.x()));

    chart->setDragSeries(nullptr);
    const QPoint at = PixelOf(Loop(), 9);
    const double x9 = Loop().GetxValue(9), y9 = Loop().GetyValue(9);
    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseMove(chart.get(), at + QPoint(-30, 30));
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, at + QPoint(-30, 30));
    EXPECT_EQ(Loop().GetxValue(9), x9);
    EXPECT_EQ(Loop().GetyValue(9), y9);
}

TEST_F(ChartWidgetTest, RubberBandZoomsRightButtonPansAndADragToTheLeftRefits) {
    const QCPRange fullX = XRange(), fullY = YRange();
    const QPoint a(300, 200), b(500, 350);
    const double x0 = chart->XScreenToValue(a.x()), x1 = chart->XScreenToValue(b.x());
    const double y0 = chart->YScreenToValue(b.y()), y1 = chart->YScreenToValue(a.y());
    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(chart.get(), (a + b) / 2);
    QTest::mouseMove(chart.get(), b);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, b);
    EXPECT_EQ(XRange().lower, x0);
    EXPECT_EQ(XRange().upper, x1);
    EXPECT_EQ(YRange().lower, y0);
    EXPECT_EQ(YRange().upper, y1);

    // A plain click and a double click leave the zoom alone.
    const QCPRange zoomedX = XRange();
    QSignalSpy doubleClicks(chart.get(), &ChartWidget::chartDoubleClicked);
    QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseDClick(chart.get(), Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, a);
    EXPECT_EQ(XRange(), zoomedX);
    EXPECT_EQ(doubleClicks.count(), 1);

    // The right button pans by the distance dragged.
    const double dx = chart->XScreenToValue(a.x() + 40) - chart->XScreenToValue(a.x());
    const double dy = chart->YScreenToValue(a.y() + 30) - chart->YScreenToValue(a.y());
    QTest::mousePress(chart.get(), Qt::RightButton, Qt::NoModifier, a);
    QTest::mouseMove(chart.get(), a + QPoint(40, 30));
    QTest::mouseRelease(chart.get(), Qt::RightButton, Qt::NoModifier, a + QPoint(40, 30));
    EXPECT_NEAR(XRange().lower, x0 - dx, 1e-9);
    EXPECT_NEAR(YRange().lower, y0 - dy, 1e-9);

    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, b);
    QTest::mouseMove(chart.get(), a);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, a);
    EXPECT_EQ(XRange(), fullX);
    EXPECT_EQ(YRange(), fullY);
}

TEST_F(ChartWidgetTest, LegendCheckBoxTogglesTheSeriesBeforeReportingTheClick) {
    QStringList titles;
    for (int i = 0; i < chart->legend->itemCount(); ++i) {
        titles
            << qobject_cast<QCPPlottableLegendItem*>(chart->legend->item(i))->plottable()->name();
    }
    EXPECT_EQ(titles, QStringList({"Loop", "Loop_", "Vorlix_Positive", "Vorlix_Negative"}));

    LegendCheckItem* item = LegendItem("Vorlix_Positive");
    ASSERT_NE(item, nullptr);
    std::vector<bool> activeWhenReported;
    QObject::connect(chart.get(), &ChartWidget::legendClicked,
                     [&] { activeWhenReported.push_back(Positive().Active); });
    QSignalSpy doubleClicks(chart.get(), &ChartWidget::chartDoubleClicked);
    const QCPRange xr = XRange();
    const QPoint box = item->checkBoxRect().center();

    QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_FALSE(Positive().Active);
    EXPECT_FALSE(item->plottable()->visible());
    QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_TRUE(Positive().Active);
    EXPECT_EQ(activeWhenReported, (std::vector<bool>{false, true}));
    EXPECT_TRUE(Loop().Active) << "only the clicked entry toggles";

    // A double click on a check box is two clicks on it, not a chart double click.
    QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::NoModifier, box);
    QTest::mouseDClick(chart.get(), Qt::LeftButton, Qt::NoModifier, box);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_TRUE(Positive().Active);
    EXPECT_EQ(activeWhenReported.size(), 4u);
    EXPECT_EQ(doubleClicks.count(), 0);
    EXPECT_EQ(XRange(), xr) << "the legend's clicks never zoom";
}

TEST_F(ChartWidgetTest, CursorLinesFollowTheMouseOverThePlotWhileActive) {
    QSignalSpy moves(chart.get(), &ChartWidget::chartMouseMoved);
    const QPoint inside(400, 300);
    Hover(inside);
    EXPECT_FALSE(chart->cursorLinesVisible()) << "inactive at start";

    chart->setCursorActive(true);
    EXPECT_TRUE(chart->cursorActive());
    Hover(inside + QPoint(15, -20));
    EXPECT_TRUE(chart->cursorLinesVisible());
    EXPECT_EQ(chart->cursorPosition(), inside + QPoint(15, -20));
    Hover(QPoint(2, 2));  // outside the plot area
    EXPECT_FALSE(chart->cursorLinesVisible());
    Hover(inside);
    chart->setCursorActive(false);
    EXPECT_FALSE(chart->cursorLinesVisible());

    ASSERT_EQ(moves.count(), 4);
    EXPECT_EQ(moves.at(1), (QList<QVariant>{415, 280}));
}

TEST_F(ChartWidgetTest, SeriesAreDrawnInChartOrderWithTheirStyles) {
    EXPECT_EQ(chart->xAxis->label(), "Disp");
    EXPECT_EQ(chart->yAxis->label(), "Force");
    struct Style {
        QString name;
        QColor color;
        double width;
        QCPScatterStyle::ScatterShape shape;
        double size;
        bool line;
    };
    const Style styles[] = {
        {"Point1", QColor(255, 255, 0), 1, QCPScatterStyle::ssCircle, 10, false},
        {"Point2", QColor(255, 255, 0), 1, QCPScatterStyle::ssDiamond, 10, false},
        {"Loop", QColor(0, 0, 0), 1, QCPScatterStyle::ssNone, 0, true},
        {"Loop_", QColor(255, 0, 255), 2, QCPScatterStyle::ssNone, 0, true},
        {"Vorlix_Positive", QColor(255, 0, 0), 2, QCPScatterStyle::ssCircle, 8, true},
        {"Vorlix_Negative", QColor(0, 0, 255), 2, QCPScatterStyle::ssCircle, 8, true},
    };
    ASSERT_EQ(chart->plottableCount(), 6);
    for (int i = 0; i < 6; ++i) {
        auto* curve = qobject_cast<QCPCurve*>(chart->plottable(i));
        ASSERT_NE(curve, nullptr);
        const Style& s = styles[i];
        EXPECT_EQ(curve->name(), s.name);
        EXPECT_EQ(curve->pen().color(), s.color) << s.name.toStdString();
        EXPECT_EQ(curve->pen().widthF(), s.width) << s.name.toStdString();
        EXPECT_EQ(curve->scatterStyle().shape(), s.shape) << s.name.toStdString();
        if (s.shape != QCPScatterStyle::ssNone) {
            EXPECT_EQ(curve->scatterStyle().size(), s.size);
        }
        EXPECT_EQ(curve->lineStyle() != QCPCurve::lsNone, s.line) << s.name.toStdString();
    }

    // Markers shown, title and shown flag take effect on refresh.
    Loop().PointerVisible = true;
    model.GetSeries(ChartModel::SelectedLoopSeries).Title = "Loop_3";
    model.GetSeries(ChartModel::NegativeSkeletonSeries).Active = false;
    chart->refresh();
    EXPECT_EQ(qobject_cast<QCPCurve*>(chart->plottable(2))->scatterStyle().shape(),
              QCPScatterStyle::ssCircle);
    EXPECT_EQ(chart->plottable(3)->name(), "Loop_3");
    EXPECT_FALSE(chart->plottable(5)->visible());
    // New points reach the drawing with the next refresh.
    Loop().AddXY(20, 0);
    chart->refresh();
    EXPECT_EQ(chart->drawnPointCount(ChartModel::LoopSeries), 21);
}

TEST_F(ChartWidgetTest, MarkersTakeTheirPointsColoursAndTheLegendCoversThem) {
    // One mark in its own colour under the opaque legend, one in the series' colour.
    const QPoint onLegend = chart->legend->outerRect().center();
    ChartSeries& point1 = model.GetSeries(ChartModel::pntsrsSeries1);
    point1.AddXY(chart->XScreenToValue(onLegend.x()), chart->YScreenToValue(onLegend.y()), clLime);
    model.GetSeries(ChartModel::pntsrsSeries2).AddXY(10, 0);
    chart->refresh();
    EXPECT_NE(PixelColor(PixelOf(point1, 0)), QColor(0, 255, 0))
        << "a curve runs through the legend";
    EXPECT_EQ(PixelColor(PixelOf(model.GetSeries(ChartModel::pntsrsSeries2), 0)),
              QColor(255, 255, 0));
    point1.Clear();
    point1.AddXY(10, 20, clLime);
    chart->refresh();
    EXPECT_EQ(PixelColor(PixelOf(point1, 0)), QColor(0, 255, 0));
}

// A saved image is for a report: its legend has no check boxes, while the screen keeps them.
TEST_F(ChartWidgetTest, SavedImageDrawsTheLegendWithoutCheckBoxes) {
    chart->replot();
    auto* item = qobject_cast<LegendCheckItem*>(chart->legend->item(0));
    ASSERT_NE(item, nullptr);
    const QRect box = item->checkBoxRect();
    const QPoint edge(box.left(), box.center().y());  // on the box's left border
    EXPECT_EQ(PixelColor(edge), QColor(80, 80, 80));
    const QTemporaryDir dir;
    const QString file = dir.filePath("chart.png");
    ASSERT_TRUE(chart->saveImage(file, false));
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    // The image is drawn at twice the screen's scale.
    const double scale = static_cast<double>(image.width()) / chart->width();
    const QPoint atEdge(static_cast<int>(std::lround(edge.x() * scale)),
                        static_cast<int>(std::lround(edge.y() * scale)));
    EXPECT_EQ(QColor(image.pixel(atEdge)), QColor(Qt::white));
    chart->replot();
    EXPECT_EQ(PixelColor(edge), QColor(80, 80, 80)) << "the screen's legend keeps its boxes";
}

TEST_F(ChartWidgetTest, ChangesOfTheSmallSeriesLeaveTheLoopsPictureAsItIs) {
    auto* loopCurve = qobject_cast<SeriesCurve*>(chart->plottable(ChartModel::LoopSeries));
    auto* positiveCurve =
        qobject_cast<SeriesCurve*>(chart->plottable(ChartModel::PositiveSkeletonSeries));
    ASSERT_NE(loopCurve, nullptr);
    ASSERT_NE(positiveCurve, nullptr);
    for (int i = 0; i < 3; ++i) Positive().AddXY(4 + 6 * i, -20 + 30 * i);
    chart->refresh();
    const int loopDraws = loopCurve->drawCount();
    const int positiveDraws = positiveCurve->drawCount();

    // A skeleton node dragged in steps, then a new selected loop with its marks.
    chart->setDragSeries(&Positive());
    const QPoint from = PixelOf(Positive(), 1), to = from + QPoint(30, -40);
    QTest::mousePress(chart.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(chart.get(), from + QPoint(10, -10));
    QTest::mouseMove(chart.get(), to);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_EQ(Positive().GetxValue(1), chart->XScreenToValue(to.x()));
    ChartSeries& selected = model.GetSeries(ChartModel::SelectedLoopSeries);
    for (int i = 3; i < 8; ++i) selected.AddXY(Loop().GetxValue(i), Loop().GetyValue(i));
    model.GetSeries(ChartModel::pntsrsSeries1).AddXY(Loop().GetxValue(3), Loop().GetyValue(3));
    chart->refresh();
    chart->refresh();  // nothing changed: nothing drawn
    EXPECT_EQ(loopCurve->drawCount(), loopDraws);
    EXPECT_EQ(positiveCurve->drawCount(), positiveDraws + 3);
    EXPECT_EQ(chart->drawnPointCount(ChartModel::SelectedLoopSeries), 5);

    // The layers drawn one by one show what a full redraw shows, also after an export drew
    // the changed points before the refresh did.
    const QImage layered = chart->grab().toImage();
    chart->replot();
    EXPECT_EQ(chart->grab().toImage(), layered);
    Positive().SetXY(2, 10, 60);
    const QTemporaryDir dir;
    ASSERT_TRUE(chart->saveImage(dir.filePath("chart.png"), false));
    chart->refresh();
    const QImage afterExport = chart->grab().toImage();
    chart->replot();
    EXPECT_EQ(chart->grab().toImage(), afterExport);

    // What the loop's picture depends on draws it again.
    const std::pair<const char*, std::function<void()>> loopChanges[] = {
        {"a loop point", [&] { Loop().SetXY(5, 6, 0); }},
        {"the zoom", [&] { chart->xAxis->setRange(2, 12); }},
        {"a style", [&] { model.GetSeries(ChartModel::SelectedLoopSeries).Title = "Loop_2"; }},
        {"the size", [&] { chart->resize(700, 500); }},
    };
    for (const auto& [what, change] : loopChanges) {
        const int before = loopCurve->drawCount();
        change();
        Positive().SetXY(0, 4, -25);
        chart->refresh();
        EXPECT_GT(loopCurve->drawCount(), before) << what;
    }
}

// Growing loops with a little noise, too dense to draw point by point: the decimation would
// keep most of their points.
void DenseLoops(std::vector<double>& xs, std::vector<double>& ys, int n = 1200000,
                int loops = 600) {
    xs.resize(static_cast<size_t>(n));
    ys.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * loops * i / n, amp = 1 + 9.0 * i / n;
        xs[static_cast<size_t>(i)] = amp * std::sin(t);
        ys[static_cast<size_t>(i)] = 100 * amp * std::sin(t + 0.3) + 0.5 * std::sin(i * 12.9898);
    }
}

// A record too dense to draw point by point (1.2M points) is drawn as the pixels it covers:
// the picture stays while the small series change, is made again for a new view, keeps its
// legend entry, hides with it and reaches the saved image.
TEST_F(ChartWidgetTest, ADenseLongRecordIsDrawnAsItsPixels) {
    const int n = 1200000, loops = 600;
    std::vector<double> xs, ys;
    DenseLoops(xs, ys, n, loops);
    Loop().Assign(xs, ys);
    chart->rescaleToData();
    chart->replot();
    auto* loopCurve = qobject_cast<SeriesCurve*>(chart->plottable(ChartModel::LoopSeries));
    ASSERT_TRUE(loopCurve->rastered());
    EXPECT_EQ(chart->drawnPointCount(ChartModel::LoopSeries), 0);
    const QRect plot = chart->axisRect()->rect();
    auto inkIn = [&](const QImage& image, QRect area) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) ink += qGray(image.pixel(x, y)) < 64;
        }
        return ink;
    };
    // Around the first loop's far left point the line is drawn; inside the smallest loop, nothing.
    const size_t left = n / loops * 3 / 4;
    const QPoint onLine(static_cast<int>(std::floor(chart->XValueToScreen(xs[left]))),
                        static_cast<int>(std::floor(chart->YValueToScreen(ys[left]))));
    const QRect aroundLine(onLine - QPoint(1, 1), QSize(3, 3));
    const QPoint centre(static_cast<int>(chart->XValueToScreen(0)),
                        static_cast<int>(chart->YValueToScreen(0)));
    const QRect hole(centre - QPoint(2, 2), QSize(5, 5));
    QImage shot = chart->grab().toImage();
    EXPECT_GT(inkIn(shot, aroundLine), 0);
    EXPECT_EQ(inkIn(shot, hole), 0);
    EXPECT_GT(inkIn(shot, plot), plot.width() * plot.height() / 10);
    ASSERT_NE(LegendItem("Loop"), nullptr);

    // The small series change and are drawn over the kept picture.
    const int builds = loopCurve->rasterBuilds();
    for (int i = 0; i < 3; ++i) Positive().AddXY(2.5 * i, 250.0 * i);
    chart->refresh();
    chart->replot();
    EXPECT_EQ(loopCurve->rasterBuilds(), builds);
    EXPECT_EQ(inkIn(chart->grab().toImage(), aroundLine), inkIn(shot, aroundLine));

    // The saved image holds the line at its size.
    const QTemporaryDir dir;
    ASSERT_TRUE(chart->saveImage(dir.filePath("chart.png"), false));
    const QImage saved(dir.filePath("chart.png"));
    ASSERT_FALSE(saved.isNull());
    const double scale = static_cast<double>(saved.width()) / chart->width();
    const QRectF savedLine(QPointF(aroundLine.topLeft()) * scale,
                           QSizeF(aroundLine.size()) * scale);
    EXPECT_GT(inkIn(saved, savedLine.toRect()), 0);

    // A zoom makes it again; the legend's check box hides it.
    Positive().Clear();
    chart->xAxis->setRange(chart->xAxis->range().lower, chart->xAxis->range().center());
    chart->replot();
    EXPECT_TRUE(QTest::qWaitFor([&] { return loopCurve->rasterBuilds() == builds + 1; }, 10000));
    QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::NoModifier,
                      LegendItem("Loop")->checkBoxRect().center());
    EXPECT_FALSE(Loop().Active);
    chart->replot();
    EXPECT_EQ(inkIn(chart->grab().toImage(), plot.adjusted(plot.width() / 2, 8, -8, -8)), 0);

    // A short record again: drawn point by point as before.
    Loop().Active = true;
    Loop().Assign(std::vector<double>{0, 1, 2}, std::vector<double>{0, 50, 0});
    chart->refresh();
    chart->replot();
    EXPECT_FALSE(loopCurve->rastered());
    EXPECT_EQ(chart->drawnPointCount(ChartModel::LoopSeries), 3);
}

// The picture of a new view is made on another thread. Until it is ready the frame shows the
// last picture moved to the new view; then the chart is drawn again, exactly as a picture made
// at once draws it. A saved image never waits, and a chart closed meanwhile waits for the
// thread before it goes.
TEST_F(ChartWidgetTest, ANewViewOfADenseRecordIsDrawnOnAnotherThread) {
    std::vector<double> xs, ys;
    DenseLoops(xs, ys);
    Loop().Assign(xs, ys);
    chart->rescaleToData();
    chart->replot();
    auto* loopCurve = qobject_cast<SeriesCurve*>(chart->plottable(ChartModel::LoopSeries));
    ASSERT_TRUE(loopCurve->rastered());
    // New points are drawn at once: the first picture of a record is never an old one.
    EXPECT_FALSE(loopCurve->rasterPending());
    const int builds = loopCurve->rasterBuilds();
    const QCPRange fullX = XRange();
    auto zoomTo = [&](double upper) {
        chart->xAxis->setRange(fullX.lower, upper);
        chart->replot();
    };

    zoomTo(fullX.center());
    EXPECT_TRUE(loopCurve->rasterPending());
    EXPECT_EQ(loopCurve->rasterBuilds(), builds);
    const QImage moved = chart->grab().toImage();
    const QTemporaryDir dir;
    ASSERT_TRUE(chart->saveImage(dir.filePath("waiting.png"), false));
    EXPECT_EQ(loopCurve->rasterBuilds(), builds + 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loopCurve->rasterPending(); }, 10000));
    QCoreApplication::processEvents();
    const QImage ready = chart->grab().toImage();
    EXPECT_NE(ready, moved);

    SeriesCurve::SetRasterAsync(false);
    zoomTo(fullX.upper);
    zoomTo(fullX.center());
    EXPECT_FALSE(loopCurve->rasterPending());
    EXPECT_EQ(chart->grab().toImage(), ready);
    ASSERT_TRUE(chart->saveImage(dir.filePath("at-once.png"), false));
    EXPECT_EQ(QImage(dir.filePath("waiting.png")), QImage(dir.filePath("at-once.png")));
    SeriesCurve::SetRasterAsync(true);

    zoomTo(fullX.upper);
    EXPECT_TRUE(loopCurve->rasterPending());
    chart.reset();
}

}  // namespace
}  // namespace qlnx
