// A campaign of 20 specimens of 100,000 samples each: the project read, every record checked
// against its SHA-256, imported, split into loops, its skeleton extracted and evaluated, and
// the series compared.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/analysis_state.h"
#include "core/project_file.h"
#include "core/record_hash.h"
#include "core/series_table.h"
#include "core/specimen_run.h"

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
        project.Specimens.push_back(s);
    }
    const std::string path = (folder / "campaign.qlnx").string();
    qlnx::SaveProject(project, path);
    return path;
}

void BM_OpenAndEvaluateCampaign(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "qlnx-bench-project-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path folder = pattern;
    const std::string path = MakeCampaign(folder);
    for (auto _ : state) {
        const qlnx::Project project = qlnx::LoadProject(path);
        std::vector<qlnx::SeriesMember> members;
        for (const qlnx::Specimen& s : project.Specimens) {
            if (qlnx::CheckRecord(s) != qlnx::RecordState::Ok) state.SkipWithError("record");
            qlnx::AnalysisState analysis;
            const qlnx::SpecimenRun run = qlnx::OpenSpecimen(analysis, s);
            members.push_back({s.Name, s.Group, run.Evaluation,
                               qlnx::SkeletonNodesOf(analysis.PositiveSkeletonSeries()),
                               qlnx::SkeletonNodesOf(analysis.NegativeSkeletonSeries())});
        }
        benchmark::DoNotOptimize(qlnx::MakeSeriesGroups(members, qlnx::YieldMethod::EEEP));
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_OpenAndEvaluateCampaign)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
