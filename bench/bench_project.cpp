// A campaign of 20 specimens of 100,000 samples each: the project read, every record checked
// against its SHA-256, imported, split into loops, its skeleton extracted and evaluated, and
// the series compared (as Compare Specimens does, the specimens side by side, and on one
// thread for comparison); then the series window's redraw after a change of normalisation.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QComboBox>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/analysis_state.h"
#include "core/project_file.h"
#include "core/record_hash.h"
#include "core/series_evaluation.h"
#include "core/series_table.h"
#include "core/specimen_run.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/series/series_plot.h"
#include "gui/series/series_window.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSpecimens = 20;
constexpr int kSamples = 100000;

// A cyclic record: 25 cycles of growing amplitude, a softening force.
void WriteRecord(const fs::path& path, double scale) {
    std::ofstream out(path);
    out.precision(10);
    for (int i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) / kSamples;
        const double d = (1 + 30 * t) * std::sin(2 * M_PI * 25 * t);
        out << d << ',' << scale * 50 * std::tanh(d / 8) + 0.5 * std::cos(i * 0.01) << '\n';
    }
}

std::string MakeCampaign(const fs::path& folder) {
    qlnx::Project project;
    for (int k = 0; k < kSpecimens; ++k) {
        const fs::path record = folder / ("specimen" + std::to_string(k) + ".csv");
        WriteRecord(record, 1 + 0.01 * k);
        qlnx::Specimen s;
        s.Name = "S" + std::to_string(k);
        s.Group = k < 10 ? "A" : "B";
        s.RecordPath = record.string();
        s.RecordSha256 = qlnx::FileSha256(s.RecordPath);
        s.NoiseBandText = "0.5";
        s.Skeleton.Method = qlnx::SkeletonMethod::EnvelopeToMaxForce;
        s.Height = 2500;
        project.Specimens.push_back(s);
    }
    const std::string path = (folder / "campaign.qlnx").string();
    qlnx::SaveProject(project, path);
    return path;
}

// The campaign's folder, made once for all the benchmarks of the run and removed at its end.
const std::string& Campaign() {
    struct Folder {
        fs::path Path;
        std::string Project;
        ~Folder() {
            std::error_code ignored;
            if (!Path.empty()) fs::remove_all(Path, ignored);
        }
    };
    static const Folder folder = [] {
        std::string pattern = (fs::temp_directory_path() / "qlnx-bench-project-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return Folder{};
        return Folder{pattern, MakeCampaign(pattern)};
    }();
    return folder.Project;
}

// Opens the project and evaluates every specimen on threads threads (0: one per core).
void BM_OpenAndEvaluateCampaign(benchmark::State& state) {
    const std::string& path = Campaign();
    if (path.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const auto threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const qlnx::Project project = qlnx::LoadProject(path);
        const qlnx::SeriesEvaluation evaluation =
            qlnx::EvaluateSpecimens(project.Specimens, {}, threads);
        if (evaluation.Specimens.size() != kSpecimens)
            state.SkipWithError("a specimen was left out");
        benchmark::DoNotOptimize(
            qlnx::MakeSeriesGroups(qlnx::MembersOf(evaluation), qlnx::YieldMethod::EEEP));
    }
}
BENCHMARK(BM_OpenAndEvaluateCampaign)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

QApplication& App() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_project";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

struct NoDialogs final : qlnx::UserDialogs {
    std::optional<QString> openFile(QWidget*, const qlnx::OpenFileRequest&) override { return {}; }
    std::optional<qlnx::SaveFileAnswer> saveFile(QWidget*, const qlnx::SaveFileRequest&) override {
        return {};
    }
    void warning(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString&, const QString&) override {}
    void information(QWidget*, const QString&, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
};

// The series window on a group of ten specimens: one change of normalisation (the scaled
// curves, the mean skeleton of the scaled branches and the chart rebuilt and drawn), for the
// skeleton curves (0) and for the 100,000-sample working curves (1).
void BM_SeriesRedrawAfterNormalisation(benchmark::State& state) {
    const std::string& path = Campaign();
    if (path.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    App();
    NoDialogs dialogs;
    qlnx::SeriesWindow window(dialogs, nullptr);
    window.SetSpecimens(qlnx::EvaluateSpecimens(qlnx::LoadProject(path).Specimens));
    window.Open();
    QCoreApplication::processEvents();
    window.findChild<QComboBox*>(QStringLiteral("cbbSeriesCurves"))
        ->setCurrentIndex(static_cast<int>(state.range(0)));
    auto* scale = window.findChild<QComboBox*>(QStringLiteral("cbbSeriesScale"));
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % scale->count();
        scale->setCurrentIndex(next);
    }
    if (window.Overlay().Specimens.size() != kSpecimens / 2)
        state.SkipWithError("specimens left out");
    state.counters["drawn points"] = static_cast<double>(window.Plot()->DrawnPoints());
}
BENCHMARK(BM_SeriesRedrawAfterNormalisation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
