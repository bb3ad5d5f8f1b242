// Model calibration: forward runs of each model (samples per second) and the fit of a
// 10,000-sample record of its own kind.
#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "../tests/calibration_records.h"
#include "core/bouc_wen_model.h"
#include "core/bwbn_model.h"
#include "core/calibration_fit.h"
#include "core/calibration_models.h"
#include "core/saws_model.h"
#include "core/steel01_model.h"
#include "core/steel02_model.h"

namespace {

using namespace qlnx;

// The history each model's forward run is driven along: the cyclic history at that size.
const std::vector<double>& History(size_t samples) {
    static std::map<size_t, std::vector<double>> histories;
    std::vector<double>& u = histories[samples];
    if (u.empty()) u = test::CyclicHistory(30, samples);
    return u;
}

void Forward(benchmark::State& state, CalibrationModel model, size_t samples) {
    const std::vector<double>& u = History(samples);
    const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), u, 0.01);
    const RecordScales scales = ComputeRecordScales(u, f);
    const CalibrationModelRow& row = CalibrationModelRowOf(model);
    std::vector<std::string> warnings;
    std::vector<double> theta;
    for (const FitParameter& p : row.Parameters(scales, warnings)) theta.push_back(p.Start);
    std::vector<double> out(u.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(row.Run(theta, scales, u, out, 1.0, {}));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * u.size()));
}

void BM_ForwardSteel01(benchmark::State& s) { Forward(s, CalibrationModel::Steel01, 1000000); }
void BM_ForwardSteel02(benchmark::State& s) { Forward(s, CalibrationModel::Steel02, 1000000); }
void BM_ForwardSaws(benchmark::State& s) { Forward(s, CalibrationModel::Saws, 1000000); }
void BM_ForwardBoucWen(benchmark::State& s) { Forward(s, CalibrationModel::BoucWen, 100000); }
void BM_ForwardBwbn(benchmark::State& s) { Forward(s, CalibrationModel::Bwbn, 100000); }
BENCHMARK(BM_ForwardSteel01)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardSteel02)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardSaws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardBoucWen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardBwbn)->Unit(benchmark::kMillisecond);

// The full budgets on 10,000 samples made by the model itself (1 % noise).
void Fit(benchmark::State& state, CalibrationModel model, const std::vector<double>& f) {
    const std::vector<double>& u = test::CyclicHistory(30, 10000);
    for (auto _ : state) {
        const CalibrationResult r = FitModel(model, u, f, {});
        state.counters["NRMSE"] = r.NRMSE;
        state.counters["Evaluations"] = static_cast<double>(r.Evaluations);
        state.counters["StoppedEarly"] = static_cast<double>(r.StoppedEarly);
        state.counters["StoppedAt"] = r.StoppedAtFraction;
    }
}

std::vector<double> Record10k(auto model) {
    return test::ModelRecord(model, test::CyclicHistory(30, 10000), 0.01);
}

void BM_FitSteel01(benchmark::State& s) {
    Fit(s, CalibrationModel::Steel01, Record10k(Steel01Model({10, 5, 0.03})));
}
void BM_FitSteel02(benchmark::State& s) {
    Fit(s, CalibrationModel::Steel02, Record10k(Steel02Model({10, 5, 0.03, 18, 0.9, 0.15})));
}
void BM_FitBoucWen(benchmark::State& s) {
    Fit(s, CalibrationModel::BoucWen, Record10k(BoucWenModel(test::BoucWenSpecimen(), 0.15)));
}
void BM_FitBwbn(benchmark::State& s) {
    Fit(s, CalibrationModel::Bwbn, Record10k(BwbnModel(test::PinchedSpecimen(), 0.15)));
}
void BM_FitSaws(benchmark::State& s) {
    Fit(s, CalibrationModel::Saws,
        Record10k(SawsModel({10, 1.5, 20, 5, 0.05, -0.1, 1.1, 0.04, 0.7, 1.1})));
}
BENCHMARK(BM_FitSteel01)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_FitSteel02)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_FitBoucWen)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_FitBwbn)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_FitSaws)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
