#include "core/series_evaluation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "core/analysis_state.h"
#include "core/errors.h"
#include "core/project_file.h"
#include "core/specimen_run.h"

namespace qlnx {

namespace {

// What one specimen gave: its place in the comparison or why it has none.
struct Outcome {
    std::optional<SeriesSpecimen> Specimen;
    std::vector<std::string> Messages;
};

Outcome RunOne(const Specimen& s, const std::atomic<bool>& stop) {
    Outcome o;
    try {
        const RecordState record = CheckRecord(s);
        if (record != RecordState::Ok) {
            o.Messages.push_back(RecordStateText(s, record));
            return o;
        }
        AnalysisState state;
        const SpecimenRun run = OpenSpecimen(state, s, [&stop](double) { return !stop; });
        for (const std::string& m : run.Messages) o.Messages.push_back(s.Name + ": " + m);
        SeriesSpecimen r;
        r.Member = {s.Name, s.Group, run.Evaluation,
                    SkeletonNodesOf(state.PositiveSkeletonSeries()),
                    SkeletonNodesOf(state.NegativeSkeletonSeries())};
        r.Height = s.Height;
        r.RecordPath = s.RecordPath;
        r.DisplacementUnit = state.Channels.DisplacementUnit;
        r.ForceUnit = state.Channels.ForceUnit;
        // The working curve the loops were split from.
        r.CurveDisp = std::move(state.LoopDisp);
        r.CurveForce = std::move(state.LoopForce);
        o.Specimen = std::move(r);
    } catch (const qlnx::Error& e) {
        o.Messages.push_back(s.Name + ": " + ErrorBoxText(e.what()));
    }
    return o;
}

}  // namespace

SeriesEvaluation EvaluateSpecimens(const std::vector<Specimen>& specimens,
                                   const ProgressCallback& progress, unsigned threads) {
    const size_t n = specimens.size();
    std::vector<Outcome> outcomes(n);
    std::atomic<bool> stop{false};
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable changed;
    size_t done = 0;
    std::exception_ptr failure;
    const auto work = [&] {
        for (size_t i = next++; i < n && !stop; i = next++) {
            Outcome o;
            try {
                o = RunOne(specimens[i], stop);
            } catch (...) {
                const std::lock_guard lock(mutex);
                if (!failure) failure = std::current_exception();
                stop = true;
            }
            const std::lock_guard lock(mutex);
            outcomes[i] = std::move(o);
            ++done;
            changed.notify_all();
        }
    };
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const auto count = static_cast<unsigned>(std::min<size_t>(threads, n));
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < count; ++t) workers.emplace_back(work);
    {
        // The calling thread reports the progress (a window keeps painting in it) and passes
        // on a request to stop.
        std::unique_lock lock(mutex);
        while (done < n && !stop) {
            const double fraction =
                n == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(n);
            lock.unlock();
            if (progress && !progress(fraction)) stop = true;
            lock.lock();
            if (stop) break;
            changed.wait_for(lock, std::chrono::milliseconds(20));
        }
    }
    for (std::thread& w : workers) w.join();
    if (failure) std::rethrow_exception(failure);
    SeriesEvaluation result;
    // The last report comes when all is done; a stop asked for then still counts.
    if (stop || (progress && !progress(1.0))) {
        result.Stopped = true;
        return result;
    }
    for (Outcome& o : outcomes) {
        for (std::string& m : o.Messages) result.Messages.push_back(std::move(m));
        if (o.Specimen) result.Specimens.push_back(std::move(*o.Specimen));
    }
    return result;
}

std::vector<SeriesMember> MembersOf(const SeriesEvaluation& evaluation) {
    std::vector<SeriesMember> members;
    members.reserve(evaluation.Specimens.size());
    for (const SeriesSpecimen& s : evaluation.Specimens) members.push_back(s.Member);
    return members;
}

}  // namespace qlnx
