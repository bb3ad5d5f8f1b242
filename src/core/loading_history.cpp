#include "core/loading_history.h"

#include <algorithm>
#include <cmath>

#include "core/loading_protocols.h"
#include "core/protocol_recognition.h"

namespace qlnx {

namespace {

// The abscissa at a sample position between two samples, by linear interpolation.
double AbscissaAt(const std::vector<double>& x, double position) {
    if (x.empty()) return 0;
    const double last = static_cast<double>(x.size() - 1);
    position = std::clamp(position, 0.0, last);
    const auto below = static_cast<size_t>(std::floor(position));
    const double fraction = position - static_cast<double>(below);
    if (fraction == 0 || below + 1 >= x.size()) return x[below];
    return x[below] + fraction * (x[below + 1] - x[below]);
}

}  // namespace

std::vector<double> WorkingCurveSamples(const AnalysisState& state) {
    const std::vector<double>& rawDisp = state.RawDisp;
    const std::vector<double>& rawForce = state.RawForce;
    const size_t n = rawDisp.size();
    std::vector<double> samples(state.LoopDisp.size());
    size_t i = 0;
    for (size_t j = 0; j < samples.size(); ++j) {
        if (i < n && state.LoopDisp[j] == rawDisp[i] && state.LoopForce[j] == rawForce[i]) {
            samples[j] = static_cast<double>(i);
            // A sample repeating the one before was skipped by the working curve.
            ++i;
            while (i < n && rawDisp[i] == rawDisp[i - 1] && rawForce[i] == rawForce[i - 1]) ++i;
        } else {
            // A crossing point, inserted before sample i.
            samples[j] = std::max(0.0, static_cast<double>(i) - 0.5);
        }
    }
    return samples;
}

LoadingHistory MakeLoadingHistory(const AnalysisState& state, const EvaluationOptions& options) {
    LoadingHistory h;
    const size_t n = state.RawDisp.size();
    const std::vector<double>& time = state.Channels.Time;
    h.IsTime = state.Channels.Active && time.size() >= n && n > 0 &&
               std::all_of(time.begin(), time.begin() + static_cast<std::ptrdiff_t>(n),
                           [](double t) { return std::isfinite(t); });
    if (h.IsTime) {
        h.X.assign(time.begin(), time.begin() + static_cast<std::ptrdiff_t>(n));
        h.TimeUnit = state.Channels.TimeUnit;
    } else {
        h.X.resize(n);
        for (size_t i = 0; i < n; ++i) h.X[i] = static_cast<double>(i + 1);
    }
    if (state.LoopCount <= 0 || state.LoopStart.empty() || state.LoopDisp.empty()) return h;

    const std::vector<double> samples = WorkingCurveSamples(state);
    for (int k = 0; k < state.LoopCount; ++k) {
        if (2 * static_cast<size_t>(k) >= state.LoopStart.size()) break;
        const LoopFrame frame = GetLoopFrame(state, k);
        const auto at = [&](int32_t index) {
            return AbscissaAt(h.X, samples[static_cast<size_t>(index)]);
        };
        h.Loops.push_back({at(frame.S), at(frame.E)});
    }

    const ProtocolRecognition recognition = RecogniseProtocol(state, options);
    if (recognition.Protocol) h.Protocol = std::string(ProtocolRow(*recognition.Protocol).Name);
    for (const ProtocolLevel& level : recognition.Levels) {
        if (level.Loops.empty()) continue;
        const auto first = static_cast<size_t>(level.Loops.front() - 1);
        const auto last = static_cast<size_t>(level.Loops.back() - 1);
        if (last >= h.Loops.size()) continue;
        h.Levels.push_back({{h.Loops[first].First, h.Loops[last].Last}, level.PlannedAmplitude});
    }
    return h;
}

std::optional<int> LoopAt(const LoadingHistory& history, double x) {
    for (size_t k = 0; k < history.Loops.size(); ++k) {
        const HistorySpan& s = history.Loops[k];
        if (x >= s.First && x <= s.Last) return static_cast<int>(k);
    }
    return std::nullopt;
}

std::optional<SampleRange> SamplesWithin(const LoadingHistory& history, double from, double to) {
    if (from > to) std::swap(from, to);
    const std::vector<double>& x = history.X;
    std::optional<SampleRange> range;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < from || x[i] > to) continue;
        if (!range) range = SampleRange{i, i};
        range->Last = i;
    }
    return range;
}

}  // namespace qlnx
