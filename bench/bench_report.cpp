// Speed of the test report: a record of 3000 loops (100 samples each, three cycles at each
// amplitude) evaluated, its protocol recognised, and its whole PDF written in memory. The last
// PDF is left in the temporary folder (qlnx-bench-report.pdf) to be looked at.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>

#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/protocol_recognition.h"
#include "core/skeleton.h"
#include "report/report_document.h"

namespace {

constexpr int64_t kLoops = 3000;
constexpr int64_t kPerLoop = 100;

struct Evaluated {
    qlnx::AnalysisState State;
    qlnx::TestEvaluation Evaluation;
    qlnx::ProtocolRecognition Protocol;
};

const Evaluated& Record() {
    static Evaluated e;
    if (!e.State.RawDisp.empty()) return e;
    qlnx::AnalysisState& s = e.State;
    for (int64_t i = 0; i < kLoops * kPerLoop; ++i) {
        const int64_t loop = i / kPerLoop;
        const double t = 2 * std::numbers::pi * static_cast<double>(i % kPerLoop) /
                         static_cast<double>(kPerLoop);
        const double amplitude = 1 + static_cast<double>(loop / 3);
        const double d = amplitude * std::sin(t);
        s.RawDisp.push_back(d);
        s.RawForce.push_back(100 * std::tanh(amplitude * std::sin(t + 0.3)) * (1 + 0.001 * d));
    }
    qlnx::AnalyzeLoops(s);
    qlnx::ExtractSkeleton(s, qlnx::SkeletonMethod::EnvelopeToMaxForce,
                          qlnx::LoopDirection::Positive, true);
    e.Evaluation = qlnx::EvaluateTest(s, {});
    e.Protocol = qlnx::RecogniseProtocol(s, {}, &e.Evaluation.Loops);
    return e;
}

void BM_RecordReport3000Loops(benchmark::State& st) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_report";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    const Evaluated& e = Record();
    qlnx::RecordReport report;
    report.Specimen = "synthetic-3000";
    report.RecordPath = "synthetic-3000.csv";
    report.State = &e.State;
    report.Evaluation = &e.Evaluation;
    report.Protocol = &e.Protocol;
    report.Constructions = {qlnx::YieldMethod::EEEP};
    QByteArray pdf;
    for (auto _ : st) {
        pdf = qlnx::RecordReportPdf(report, qlnx::ReportPaper::A4, {});
        benchmark::DoNotOptimize(pdf.data());
    }
    st.counters["loops"] = e.State.LoopCount;
    st.counters["pages"] = static_cast<double>(pdf.count("/Type /Page\n"));
    st.counters["MB"] = static_cast<double>(pdf.size()) / 1e6;
    QFile file(QString::fromStdString(
        (std::filesystem::temp_directory_path() / "qlnx-bench-report.pdf").string()));
    if (file.open(QIODevice::WriteOnly)) file.write(pdf);
}
BENCHMARK(BM_RecordReport3000Loops)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
