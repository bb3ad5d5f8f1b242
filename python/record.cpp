#include "python/record.h"

#include <charconv>
#include <ostream>
#include <streambuf>

#include "cli/record_findings.h"
#include "core/curve_import.h"
#include "core/errors.h"
#include "core/loop_analysis.h"
#include "core/loop_columns.h"
#include "core/record_suggestions.h"
#include "core/thinning.h"

namespace qlnx::python {

namespace {

// A number as the command line would carry it: the shortest text that reads back to it.
std::string NumberText(double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

// A stream that appends to a string as it is written, in the pieces it is written in (a string
// stream grows its buffer a character at a time, several times slower on a record's JSON).
class StringSink : public std::streambuf {
public:
    std::string Text;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        Text.append(s, static_cast<size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            Text.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
};

void Apply(BatchOptions& options, std::string_view name, const std::vector<std::string>& args) {
    const std::string error = ApplyBatchOption(options, name, args);
    if (!error.empty()) throw RecordOptionError(error);
}

}  // namespace

RecordImportError::RecordImportError(std::vector<std::string> messages, std::optional<int64_t> line,
                                     std::optional<int64_t> suggestedFirstLine)
    : std::runtime_error([&messages] {
          std::string text;
          for (const std::string& m : messages) text += (text.empty() ? "" : "\n") + m;
          return text;
      }()),
      Messages(std::move(messages)),
      Line(line),
      SuggestedFirstLine(suggestedFirstLine) {}

Record::Record() : state_(std::make_shared<AnalysisState>()) {}

Record::Record(std::vector<double> disp, std::vector<double> force, const std::string& name)
    : Record() {
    options_.File = name;
    try {
        ImportCurveValues(*state_, std::move(disp), std::move(force), name);
    } catch (const qlnx::Error& e) {
        throw RecordImportError({e.what()});
    }
}

// "Import Loop" as qlnx-batch runs it: the two boxes, the import options, then the file. The
// messages are the window's, in its order.
std::unique_ptr<Record> Record::Read(const std::string& path, const ReadOptions& options) {
    std::unique_ptr<Record> record(new Record());
    BatchOptions& o = record->options_;
    Apply(o, "--first-line", {std::to_string(options.FirstLine)});
    Apply(o, "--step", {std::to_string(options.Step)});
    Apply(o, "--decimal", {options.Decimal});
    Apply(o, "--columns",
          {std::to_string(options.DisplacementColumn) + "," + std::to_string(options.ForceColumn)});
    o.File = path;
    ImportCheck check;
    try {
        check = CheckImportParameters(o.FirstLineText, o.StepText);
    } catch (const qlnx::Error& e) {
        throw RecordImportError({ErrorBoxText(e.what())});
    }
    if (!check.Parameters) throw RecordImportError({check.Warning});
    ImportParameters parameters = *check.Parameters;
    parameters.Decimal = o.Decimal;
    parameters.DisplacementColumn = o.DisplacementColumn;
    parameters.ForceColumn = o.ForceColumn;
    const ImportResult result = ImportCurveFile(*record->state_, path, parameters);
    if (result.Ok()) return record;

    std::vector<std::string> messages;
    if (const auto warning = result.Warning()) messages.push_back(*warning);
    if (const auto line = result.LineMessage(); line && line != result.Warning()) {
        messages.push_back(*line);
    }
    if (const auto suggestion = result.HeaderSuggestion()) messages.push_back(*suggestion);
    std::optional<int64_t> line;
    if (result.Failure != ImportFailure::None && result.Line > 0) line = result.Line;
    if (!options.Partial || record->state_->RawDisp.empty()) {
        throw RecordImportError(std::move(messages), line, result.SuggestedFirstLine);
    }
    record->messages_ = std::move(messages);
    record->notes_.Line = line;
    record->notes_.SuggestedFirstLine = result.SuggestedFirstLine;
    return record;
}

AnalysisState& Record::Writable() {
    if (state_.use_count() > 1) state_ = std::make_shared<AnalysisState>(*state_);
    return *state_;
}

void Record::RequireAnalysis(const char* step) const {
    if (!analysed_) {
        throw RecordAnalysisError(std::string("The record has no loops yet: analyze() it before ") +
                                  step);
    }
}

void Record::Analyze(double noiseBand, const std::string& direction) {
    const std::lock_guard lock(mutex_);
    BatchOptions o = options_;
    o.Method.reset();
    o.KeepDispIncreasing = false;
    o.Thin.reset();
    Apply(o, "--noise-band", {NumberText(noiseBand)});
    Apply(o, "--direction", {direction});
    const NoiseBandCheck band = CheckNoiseBand(o.NoiseBandText);
    if (!band.Band) throw RecordAnalysisError(band.Warning);
    AnalysisState& state = Writable();
    evaluation_.reset();
    protocol_.reset();
    analysed_ = false;
    if (const auto warning = AnalyzeLoops(state, *band.Band)) throw RecordAnalysisError(*warning);
    analysed_ = true;
    band_ = *band.Band;
    options_ = std::move(o);
    direction_ = options_.AutoDirection
                     ? LoadingDirection(state, band_).value_or(LoopDirection::Positive)
                     : options_.Direction;
}

void Record::Skeleton(const std::string& method, bool keepDispIncreasing) {
    const std::lock_guard lock(mutex_);
    RequireAnalysis("extracting its skeleton curve");
    BatchOptions o = options_;
    o.KeepDispIncreasing = false;
    o.Thin.reset();
    Apply(o, "--method", {method});
    if (keepDispIncreasing) Apply(o, "--keep-disp-increasing", {});
    ExtractSkeleton(Writable(), *o.Method, direction_, o.KeepDispIncreasing);
    evaluation_.reset();
    protocol_.reset();
    options_ = std::move(o);
}

void Record::Thin(double lo, double hi, double tolerance) {
    const std::lock_guard lock(mutex_);
    BatchOptions o = options_;
    Apply(o, "--thin", {NumberText(lo), NumberText(hi), NumberText(tolerance)});
    const auto& [loText, hiText, tolText] = *o.Thin;
    // The texts are converted before any series changes: a refused one leaves both as they are.
    try {
        ThinSkeletonCurves(Writable(), loText, hiText, tolText);
    } catch (const qlnx::Error& e) {
        throw RecordAnalysisError(e.what());
    }
    evaluation_.reset();
    protocol_.reset();
    options_ = std::move(o);
}

std::shared_ptr<const TestEvaluation> Record::Evaluate(const EvaluateOptions& options) {
    const std::lock_guard lock(mutex_);
    RequireAnalysis("evaluating it");
    BatchOptions o = options_;
    o.Preset.reset();
    o.UltimateRatio.reset();
    if (options.Preset) Apply(o, "--preset", {*options.Preset});
    if (options.UltimateRatio) Apply(o, "--ultimate-ratio", {NumberText(*options.UltimateRatio)});
    Apply(o, "--peak-point", {options.PeakPoint});
    Apply(o, "--level-tolerance", {NumberText(options.LevelTolerance)});
    Apply(o, "--evaluate", {});
    evaluation_ = std::make_shared<const TestEvaluation>(
        EvaluateTest(*state_, EvaluationOptionsOf(o, band_, state_->Channels.DisplacementUnit)));
    // The evaluation brings the loading protocol with it, as it does in the batch tool.
    protocol_ = std::make_shared<const ProtocolRecognition>(
        RecogniseProtocol(*state_, EvaluationOptionsOf(o, band_, state_->Channels.DisplacementUnit),
                          &evaluation_->Loops));
    options_ = std::move(o);
    return evaluation_;
}

std::string Record::Json() const {
    const std::lock_guard lock(mutex_);
    StringSink sink;
    std::ostream out(&sink);
    std::optional<std::string> message;
    if (!messages_.empty()) message = messages_.front();
    WriteAnalysisJson(out, *state_, message, FindingsOf(*state_, band_), evaluation_.get(), notes_,
                      protocol_.get());
    out.flush();
    return std::move(sink.Text);
}

std::shared_ptr<const AnalysisState> Record::State() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

std::shared_ptr<const TestEvaluation> Record::Evaluation() const {
    const std::lock_guard lock(mutex_);
    return evaluation_;
}

std::vector<std::string> Record::Messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
}

RecordFindings Record::Findings() const {
    const std::lock_guard lock(mutex_);
    return FindingsOf(*state_, band_);
}

bool Record::Analysed() const {
    const std::lock_guard lock(mutex_);
    return analysed_;
}

double Record::NoiseBand() const {
    const std::lock_guard lock(mutex_);
    return band_;
}

LoopDirection Record::Direction() const {
    const std::lock_guard lock(mutex_);
    return direction_;
}

EvaluationTable Record::LoopExtremesTable() const {
    const std::lock_guard lock(mutex_);
    EvaluationTable table;
    table.Title = "Loops";
    table.Header.push_back("Loop");
    for (const LoopColumn& column : kLoopExtremeColumns) {
        table.Header.emplace_back(column.JsonName);
    }
    for (int k = 0; k < state_->LoopCount; ++k) {
        std::vector<TableValue> row{TableValue::Integer(k + 1)};
        for (const LoopColumn& column : kLoopExtremeColumns) {
            row.push_back(TableValue::Of(LoopColumnValue(column, *state_, static_cast<size_t>(k))));
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace qlnx::python
