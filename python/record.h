// A record as the Python module holds it: the analysis state, the options of the run so far
// and what the run found, with the steps of qlnx-batch as its operations.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_options.h"
#include "cli/json_output.h"
#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/evaluation_tables.h"
#include "core/protocol_recognition.h"
#include "core/skeleton.h"

namespace qlnx::python {

// A file that does not import: the messages the window shows for it, in its order, and the
// line of the failure and the suggested first line where there are ones.
class RecordImportError : public std::runtime_error {
public:
    RecordImportError(std::vector<std::string> messages, std::optional<int64_t> line = {},
                      std::optional<int64_t> suggestedFirstLine = {});
    std::vector<std::string> Messages;
    std::optional<int64_t> Line;
    std::optional<int64_t> SuggestedFirstLine;
};

// A step the record cannot take, with the window's message.
class RecordAnalysisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An option value the batch tool refuses, with its words.
class RecordOptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What qlnx.read takes: the batch tool's import options.
struct ReadOptions {
    int64_t FirstLine = 1;
    int64_t Step = 1;
    std::string Decimal = "auto";
    int64_t DisplacementColumn = 1;
    int64_t ForceColumn = 2;
    // Keep the rows read before a failure (as the window does) instead of refusing the file;
    // the failure's messages become the record's messages.
    bool Partial = false;
};

// The evaluation options by the batch tool's flags; a preset or ratio left out is not given.
struct EvaluateOptions {
    std::optional<std::string> Preset;
    std::optional<double> UltimateRatio;
    std::string PeakPoint = "displacement";
    double LevelTolerance = 0.10;
};

// Every operation locks the record, so one record is used by one thread at a time; several
// records may be worked on by several threads. The arrays handed out share the state they were
// taken from: a later step of the record works on a copy while any of them is held, so what
// they show never changes under them.
class Record {
public:
    // Imports a file as qlnx-batch does.
    static std::unique_ptr<Record> Read(const std::string& path, const ReadOptions& options);
    // A record of values held in memory; name stands for the file name.
    Record(std::vector<double> disp, std::vector<double> force, const std::string& name);

    // Splits the record into loops with the noise band; the direction (positive, negative or
    // auto) is the one the skeleton curve is extracted for.
    void Analyze(double noiseBand, const std::string& direction);
    void Skeleton(const std::string& method, bool keepDispIncreasing);
    void Thin(double lo, double hi, double tolerance);
    std::shared_ptr<const TestEvaluation> Evaluate(const EvaluateOptions& options);
    // The JSON object of qlnx-batch --json for the same steps and options.
    std::string Json() const;

    // The state as it is now, shared read-only.
    std::shared_ptr<const AnalysisState> State() const;
    // The evaluation of the last Evaluate when no step changed the record since.
    std::shared_ptr<const TestEvaluation> Evaluation() const;
    std::vector<std::string> Messages() const;
    RecordFindings Findings() const;
    bool Analysed() const;
    double NoiseBand() const;
    LoopDirection Direction() const;
    // The loop table of qlnx-batch: loop number and the extremes of each loop.
    EvaluationTable LoopExtremesTable() const;

private:
    Record();
    // The state to change: a copy first while arrays share it.
    AnalysisState& Writable();
    void RequireAnalysis(const char* step) const;

    mutable std::mutex mutex_;
    std::shared_ptr<AnalysisState> state_;
    BatchOptions options_;
    std::vector<std::string> messages_;
    ImportNotes notes_;
    bool analysed_ = false;
    double band_ = 0;
    LoopDirection direction_ = LoopDirection::Positive;
    std::shared_ptr<const TestEvaluation> evaluation_;
    std::shared_ptr<const ProtocolRecognition> protocol_;
};

}  // namespace qlnx::python
