// Frame times of the main chart with long hysteresis curves: full redraw, re-decimation after a
// zoom, a cursor move and one drag step (offscreen unless QT_QPA_PLATFORM says otherwise).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <memory>
#include <vector>

#include "core/chart_model.h"
#include "gui/chart/chart_widget.h"
#include "gui/chart/decimation.h"
#include "gui/chart/series_curve.h"
#include "peak_memory.h"

namespace qlnx {
namespace {

QApplication& App() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_chart";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

// A cyclic test record: growing loops (30 unless said otherwise) back and forth in
// displacement, with a little noise.
void Hysteresis(int n, std::vector<double>& xs, std::vector<double>& ys, int loops = 30) {
    xs.resize(static_cast<size_t>(n));
    ys.resize(static_cast<size_t>(n));
    const double step = 2 * M_PI * loops / n;
    for (int i = 0; i < n; ++i) {
        const double t = i * step;
        const double amp = 1 + 9.0 * i / n;
        xs[static_cast<size_t>(i)] = amp * std::sin(t);
        ys[static_cast<size_t>(i)] = 100 * amp * std::sin(t + 0.3) + 0.5 * std::sin(i * 12.9898);
    }
}

// The chart as the main window shows it, with the loop series holding n points.
struct ChartFixture {
    explicit ChartFixture(int n, int loops = 30) {
        App();
        std::vector<double> xs, ys;
        Hysteresis(n, xs, ys, loops);
        model.GetSeries(ChartModel::LoopSeries).Assign(std::move(xs), std::move(ys));
        chart = std::make_unique<ChartWidget>(model);
        chart->resize(760, 620);
        chart->show();
        QCoreApplication::processEvents();
        chart->rescaleToData();
        chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, pos, chart->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(chart.get(), &e);
    }
    ChartSeries& Loop() { return model.GetSeries(ChartModel::LoopSeries); }
    // Presses at `at`, moves the held mouse near it once per benchmark iteration (each move
    // one drag step, drawn before the next), then releases.
    void DragAround(benchmark::State& state, QPoint at) {
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        int k = 0;
        for (auto _ : state) {
            const QPoint pos = at + QPoint((k++ % 40) - 20, 10);
            Send(QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    ChartModel model;
    std::unique_ptr<ChartWidget> chart;
};

void Report(benchmark::State& state, ChartFixture& f) {
    state.counters["points"] = f.Loop().Count();
    state.counters["drawn"] = f.chart->drawnPointCount(ChartModel::LoopSeries);
    state.counters["peakMB"] = bench::PeakResidentMB();
}

// The reduction alone, for the whole curve on a 700 x 560 pixel plot.
void BM_Decimate(benchmark::State& state) {
    std::vector<double> xs, ys;
    Hysteresis(static_cast<int>(state.range(0)), xs, ys);
    PixelView view;
    view.xLower = -10.5;
    view.xUpper = 10.5;
    view.yLower = -1050;
    view.yUpper = 1050;
    view.width = 700;
    view.height = 560;
    size_t kept = 0;
    for (auto _ : state) {
        kept = DecimateByPixelColumn(xs, ys, view).size();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["drawn"] = static_cast<double>(kept);
}
BENCHMARK(BM_Decimate)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// Replot of every layer and repaint of the widget, the view unchanged.
void BM_FullRedraw(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)));
    for (auto _ : state) f.chart->replot(QCustomPlot::rpImmediateRefresh);
    Report(state, f);
}
BENCHMARK(BM_FullRedraw)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);

// A long test: 3000 loops in 10M points overlap so densely that the drawing keeps most points
// (each pixel column is crossed thousands of times): the worst case of the decimation.
void BM_FullRedrawManyLoops(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)), 3000);
    for (auto _ : state) f.chart->replot(QCustomPlot::rpImmediateRefresh);
    Report(state, f);
}
BENCHMARK(BM_FullRedrawManyLoops)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// A zoom step: the view changes, so the decimated copy is made again before drawing.
void BM_ZoomRedraw(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)));
    const QCPRange full = f.chart->xAxis->range();
    bool in = false;
    for (auto _ : state) {
        in = !in;
        f.chart->xAxis->setRange(in ? QCPRange(full.lower * 0.999, full.upper * 0.999) : full);
        f.chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    Report(state, f);
}
BENCHMARK(BM_ZoomRedraw)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The cursor tool following the mouse: the mouse event, the cursor layer and the repaint.
void BM_CursorMove(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)));
    f.chart->setCursorActive(true);
    int k = 0;
    for (auto _ : state) {
        const QPoint pos(300 + (k % 50) * 3, 250 + (k % 7) * 5);
        ++k;
        f.Send(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
        QCoreApplication::processEvents();
    }
    Report(state, f);
}
BENCHMARK(BM_CursorMove)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// One drag step: the mouse moves a point of the loop series, the on-drag handler runs, and the
// chart is redrawn (decimated copy remade, every layer drawn, widget repainted).
void BM_DragStep(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)));
    ChartSeries& loop = f.Loop();
    f.chart->setDragSeries(&loop);
    int handled = 0;
    f.chart->setOnDrag([&](int) { ++handled; });
    // Grab the point drawn nearest the middle of the curve.
    const int index = loop.Count() / 2;
    const QPoint at(static_cast<int>(std::lround(f.chart->XValueToScreen(loop.GetxValue(index)))),
                    static_cast<int>(std::lround(f.chart->YValueToScreen(loop.GetyValue(index)))));
    f.DragAround(state, at);
    if (handled == 0) state.SkipWithError("the press hit no point: nothing was dragged");
    Report(state, f);
}
BENCHMARK(BM_DragStep)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// One drag step of a skeleton node over the loop: (points, loops, layered). Layered 1 redraws
// the skeleton's layer alone and reuses the loop's buffered picture; 0 replots the whole chart
// at every step, as the chart did before it had layers per series.
void BM_DragSkeletonStep(benchmark::State& state) {
    ChartFixture f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    f.chart->setLayeredRedraw(state.range(2) != 0);
    // Five nodes on the envelope of the growing loops, as an analysis places them.
    ChartSeries& skeleton = f.model.GetSeries(ChartModel::PositiveSkeletonSeries);
    for (int k = 0; k <= 4; ++k) skeleton.AddXY(2.5 * k, 250.0 * k);
    f.chart->refresh();
    f.chart->setDragSeries(&skeleton);
    const auto* loopCurve = qobject_cast<SeriesCurve*>(f.chart->plottable(ChartModel::LoopSeries));
    const int loopDraws = loopCurve->drawCount();
    const int index = 2;
    const QPoint at(
        static_cast<int>(std::lround(f.chart->XValueToScreen(skeleton.GetxValue(index)))),
        static_cast<int>(std::lround(f.chart->YValueToScreen(skeleton.GetyValue(index)))));
    f.DragAround(state, at);
    if (skeleton.GetyValue(index) == 500.0) state.SkipWithError("the press hit no node");
    Report(state, f);
    state.counters["loopDraws"] =
        benchmark::Counter(loopCurve->drawCount() - loopDraws, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragSkeletonStep)
    ->ArgsProduct({{1000000, 10000000}, {30, 3000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// One zoom step: into the middle 80% of the full view on odd steps, back out on even ones.
void ZoomStep(ChartFixture& f, const QCPRange& fullX, const QCPRange& fullY, bool odd) {
    f.chart->xAxis->setRange(odd ? QCPRange(fullX.lower * 0.8, fullX.upper * 0.8) : fullX);
    f.chart->yAxis->setRange(odd ? QCPRange(fullY.lower * 0.8, fullY.upper * 0.8) : fullY);
    f.chart->replot(QCustomPlot::rpImmediateRefresh);
}

// How the loop series of a frame is drawn: 0 its decimated copy point by point, as the chart
// did before; 1 the pixels it covers, the picture of a new view made before the frame is shown;
// 2 the same picture made on another thread, the frame showing the last one moved meanwhile.
void SetDrawing(int64_t way) {
    SeriesCurve::SetRasterAllowed(way != 0);
    SeriesCurve::SetRasterAsync(way == 2);
}

// One frame of an interaction with a long test of 10M points in 3000 overlapping loops:
// (kind, drawing as SetDrawing takes it). Each step is followed by the events it queued, as
// the window's event loop runs them (a picture made on another thread drawn when it is ready).
// Kinds: 0 a zoom step, 1 a pan step, 2 a resize, 3 a loop change (the chosen loop's curve and
// marks), 4 a cursor move, 5 a skeleton node's drag step.
void BM_ManyLoopsFrame(benchmark::State& state) {
    static const char* const kKinds[] = {"zoom",        "pan",    "resize",
                                         "loop change", "cursor", "skeleton drag"};
    const int kind = static_cast<int>(state.range(0));
    SetDrawing(state.range(1));
    const int n = 10000000, loops = 3000;
    ChartFixture f(n, loops);
    const auto* loopCurve = qobject_cast<SeriesCurve*>(f.chart->plottable(ChartModel::LoopSeries));
    const QCPRange fullX = f.chart->xAxis->range(), fullY = f.chart->yAxis->range();
    ChartSeries& selected = f.model.GetSeries(ChartModel::SelectedLoopSeries);
    ChartSeries& marks = f.model.GetSeries(ChartModel::pntsrsSeries1);
    ChartSeries& skeleton = f.model.GetSeries(ChartModel::PositiveSkeletonSeries);
    for (int k = 0; k <= 4; ++k) skeleton.AddXY(2.5 * k, 250.0 * k);
    f.chart->refresh();
    QCoreApplication::processEvents();
    const auto& xs = f.Loop().XValues();
    const auto& ys = f.Loop().YValues();
    const int perLoop = n / loops;
    int k = 0;
    if (kind == 5) {
        f.chart->setDragSeries(&skeleton);
        const QPoint at(
            static_cast<int>(std::lround(f.chart->XValueToScreen(skeleton.GetxValue(2)))),
            static_cast<int>(std::lround(f.chart->YValueToScreen(skeleton.GetyValue(2)))));
        f.DragAround(state, at);
        if (skeleton.GetyValue(2) == 500.0) state.SkipWithError("the press hit no node");
    } else {
        if (kind == 4) f.chart->setCursorActive(true);
        for (auto _ : state) {
            const bool odd = (++k % 2) != 0;
            switch (kind) {
                case 0:
                    ZoomStep(f, fullX, fullY, odd);
                    QCoreApplication::processEvents();
                    break;
                case 1: {
                    const double dx = fullX.size() * 0.01 * (k % 20),
                                 dy = fullY.size() * 0.005 * (k % 20);
                    f.chart->xAxis->setRange(fullX.lower + dx, fullX.upper + dx);
                    f.chart->yAxis->setRange(fullY.lower - dy, fullY.upper - dy);
                    f.chart->replot(QCustomPlot::rpImmediateRefresh);
                    QCoreApplication::processEvents();
                    break;
                }
                case 2:
                    f.chart->resize(odd ? QSize(740, 600) : QSize(760, 620));
                    QCoreApplication::processEvents();
                    break;
                case 3: {
                    // The next loop chosen: its points drawn over the record, its ends marked.
                    const auto from = static_cast<size_t>((k * 7 % loops) * perLoop);
                    selected.Assign(
                        std::vector<double>(xs.begin() + static_cast<long>(from),
                                            xs.begin() + static_cast<long>(from) + perLoop),
                        std::vector<double>(ys.begin() + static_cast<long>(from),
                                            ys.begin() + static_cast<long>(from) + perLoop));
                    marks.Clear();
                    marks.AddXY(xs[from], ys[from]);
                    marks.AddXY(xs[from + static_cast<size_t>(perLoop) - 1],
                                ys[from + static_cast<size_t>(perLoop) - 1]);
                    f.chart->refresh();
                    QCoreApplication::processEvents();
                    break;
                }
                case 4:
                    f.Send(QEvent::MouseMove, QPoint(300 + (k % 50) * 3, 250 + (k % 7) * 5),
                           Qt::NoButton, Qt::NoButton);
                    QCoreApplication::processEvents();
                    break;
            }
        }
    }
    state.SetLabel(kKinds[kind]);
    Report(state, f);
    state.counters["rastered"] = loopCurve->rastered();
    SetDrawing(2);
}
BENCHMARK(BM_ManyLoopsFrame)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// From a zoom, pan or resize step (kind as above) to the frame that shows the exact picture of
// the new view, for each drawing: the time an engineer waits for the final drawing.
void BM_ManyLoopsSettled(benchmark::State& state) {
    static const char* const kKinds[] = {"zoom", "pan", "resize"};
    const int kind = static_cast<int>(state.range(0));
    SetDrawing(state.range(1));
    ChartFixture f(10000000, 3000);
    auto* loopCurve = qobject_cast<SeriesCurve*>(f.chart->plottable(ChartModel::LoopSeries));
    const QCPRange fullX = f.chart->xAxis->range(), fullY = f.chart->yAxis->range();
    int k = 0;
    for (auto _ : state) {
        const bool odd = (++k % 2) != 0;
        const double d = 0.01 * (k % 20);
        switch (kind) {
            case 0: ZoomStep(f, fullX, fullY, odd); break;
            case 1:
                f.chart->xAxis->setRange(fullX.lower + fullX.size() * d,
                                         fullX.upper + fullX.size() * d);
                f.chart->replot(QCustomPlot::rpImmediateRefresh);
                break;
            case 2: f.chart->resize(odd ? QSize(740, 600) : QSize(760, 620)); break;
        }
        do {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        } while (loopCurve->rasterPending());
        QCoreApplication::processEvents();
    }
    state.SetLabel(kKinds[kind]);
    Report(state, f);
    state.counters["builds"] = loopCurve->rasterBuilds();
    SetDrawing(2);
}
BENCHMARK(BM_ManyLoopsSettled)->ArgsProduct({{0, 1, 2}, {1, 2}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlnx
