// The Test Evaluation window following a skeleton drag: one drag step of a skeleton node on
// a record of n samples, with the window open (its skeleton table, note and construction
// brought up to date in the same frame) and, for comparison, closed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <memory>

#include "core/analysis_state.h"
#include "core/loop_analysis.h"
#include "core/skeleton.h"
#include "gui/chart/chart_widget.h"
#include "gui/chart/construction_layer.h"
#include "gui/chart/series_curve.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/evaluation/evaluation_window.h"

namespace qlnx {
namespace {

QApplication& App() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_gui_evaluation";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

struct NoDialogs final : UserDialogs {
    std::optional<QString> openFile(QWidget*, const OpenFileRequest&) override { return {}; }
    std::optional<SaveFileAnswer> saveFile(QWidget*, const SaveFileRequest&) override { return {}; }
    void warning(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString&, const QString&) override {}
    void information(QWidget*, const QString&, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
};

// n samples of 30 growing cycles on a softening backbone, analysed, with the skeleton of the
// maximum-force points.
void Record(AnalysisState& s, int n) {
    s.RawDisp.resize(static_cast<size_t>(n));
    s.RawForce.resize(static_cast<size_t>(n));
    const double step = 2 * M_PI * 30 / n;
    for (int i = 0; i < n; ++i) {
        const double t = i * step;
        const double amp = 1 + 9.0 * i / n;
        const double peak = 100 * amp * std::exp(-amp / 6);
        s.RawDisp[static_cast<size_t>(i)] = amp * std::sin(t);
        s.RawForce[static_cast<size_t>(i)] = peak * std::sin(t + 0.3) + 0.5 * std::sin(i * 12.9898);
    }
    s.LoopSeries().Assign(s.RawDisp, s.RawForce);
    AnalyzeLoops(s, 0);
    ExtractSkeleton(s, SkeletonMethod::MaxForcePoint, LoopDirection::Positive, false);
}

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// (samples, window open): one drag step of the positive skeleton's peak node, drawn.
void BM_EvaluationAfterSkeletonDrag(benchmark::State& state) {
    App();
    AnalysisState s;
    Record(s, static_cast<int>(state.range(0)));
    NoDialogs dialogs;
    ChartWidget chart(s.Chart);
    chart.resize(760, 620);
    chart.show();
    EvaluationWindow window(s, &chart, dialogs, nullptr);
    if (state.range(1) != 0) window.Open();
    QCoreApplication::processEvents();
    chart.rescaleToData();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    ChartSeries& skeleton = s.PositiveSkeletonSeries();
    chart.setDragSeries(&skeleton);
    int index = 0;
    for (int i = 1; i < skeleton.Count(); ++i) {
        if (skeleton.GetyValue(i) > skeleton.GetyValue(index)) index = i;
    }
    const QPoint at(static_cast<int>(std::lround(chart.XValueToScreen(skeleton.GetxValue(index)))),
                    static_cast<int>(std::lround(chart.YValueToScreen(skeleton.GetyValue(index)))));
    const auto* loopCurve = qobject_cast<SeriesCurve*>(chart.plottable(ChartModel::LoopSeries));
    const int loopDraws = loopCurve->drawCount();
    Send(&chart, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    int k = 0;
    for (auto _ : state) {
        Send(&chart, QEvent::MouseMove, at + QPoint((k++ % 40) - 20, -10), Qt::NoButton,
             Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    Send(&chart, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    state.counters["loops"] = s.LoopCount;
    state.counters["loopDraws"] =
        benchmark::Counter(loopCurve->drawCount() - loopDraws, benchmark::Counter::kAvgIterations);
    state.counters["skeletonPoints"] = skeleton.Count();
    state.counters["constructionShown"] = window.Constructions()->HasContent() ? 1 : 0;
    if (state.range(1) != 0 && !window.Evaluation().Skeleton.Positive) {
        state.SkipWithError("no evaluation of the positive branch");
    }
}
// The window's own work after one skeleton edit at n samples: the node moved, then the
// update the chart's drawing asks for (skeleton evaluation, table, note, construction and
// its layer drawn), without the chart's drawing of the edit itself.
void BM_EvaluationUpdateAfterSkeletonEdit(benchmark::State& state) {
    App();
    AnalysisState s;
    Record(s, static_cast<int>(state.range(0)));
    NoDialogs dialogs;
    ChartWidget chart(s.Chart);
    chart.resize(760, 620);
    chart.show();
    EvaluationWindow window(s, &chart, dialogs, nullptr);
    window.Open();
    QCoreApplication::processEvents();
    chart.rescaleToData();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    ChartSeries& skeleton = s.PositiveSkeletonSeries();
    const int index = skeleton.Count() / 2;
    const double x = skeleton.GetxValue(index), y = skeleton.GetyValue(index);
    int k = 0;
    for (auto _ : state) {
        skeleton.SetXY(index, x, y * (1 + 0.001 * (k++ % 40)));
        window.Update();
    }
    state.counters["loops"] = s.LoopCount;
    state.counters["skeletonPoints"] = skeleton.Count();
}
BENCHMARK(BM_EvaluationUpdateAfterSkeletonEdit)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_EvaluationAfterSkeletonDrag)
    ->ArgsProduct({{1000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlnx
