#include "cli/batch_run.h"

#include <cctype>
#include <exception>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_report.h"
#include "cli/calibration_output.h"
#include "cli/evaluation_output.h"
#include "cli/json_output.h"
#include "cli/record_findings.h"
#include "cli/series_run.h"
#include "cli/skeleton_file.h"
#include "core/channel_import.h"
#include "core/channel_table.h"
#include "core/curve_import.h"
#include "core/errors.h"
#include "core/evaluate_test.h"
#include "core/loop_analysis.h"
#include "core/protocol_table.h"
#include "core/record_suggestions.h"
#include "core/result_files.h"
#include "core/skeleton.h"
#include "core/thinning.h"
#include "core/zero_start.h"
#include "spreadsheet/chart_export.h"
#include "spreadsheet/excel_export_options.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx {

namespace {

// The messages the window would show, in order: warnings as they are, errors as the error
// box shows them (with its full stop).
class Messages {
public:
    void Warning(std::string text) { texts_.push_back(std::move(text)); }
    void Error(const std::string& text) { texts_.push_back(ErrorBoxText(text)); }
    void Add(const std::optional<std::string>& warning) {
        if (warning) Warning(*warning);
    }
    bool Empty() const { return texts_.empty(); }
    std::optional<std::string> First() const {
        if (texts_.empty()) return std::nullopt;
        return texts_.front();
    }
    void WriteTo(std::ostream& err) const {
        for (const auto& text : texts_) err << text << '\n';
    }

private:
    std::vector<std::string> texts_;
};

// The loop table as the window shows each loop: the read-outs of ShowLoop.
void WriteLoopTable(std::ostream& out, AnalysisState& state) {
    out << "Loop";
    for (const LoopColumn& column : kLoopExtremeColumns) out << '\t' << column.ReadoutName;
    out << '\n';
    const int selected = state.SelectedLoop;
    for (int k = 0; k < state.LoopCount; ++k) {
        state.SelectedLoop = k;
        ShowLoop(state);
        out << k + 1;
        for (const std::string& readout : state.LoopReadouts) out << '\t' << readout;
        out << '\n';
    }
    state.SelectedLoop = selected;
    ShowLoop(state);
}

// "Import Loop" with the file chosen: the two boxes, then the import. The warning goes
// first, then the line and the header suggestion the window's message bar shows.
ImportResult Import(AnalysisState& state, const BatchOptions& options, Messages& messages) {
    ImportCheck check;
    try {
        check = CheckImportParameters(options.FirstLineText, options.StepText);
    } catch (const qlnx::Error& e) {
        messages.Error(e.what());
        return {};
    }
    if (!check.Parameters) {
        messages.Warning(check.Warning);
        return {};
    }
    ImportParameters parameters = *check.Parameters;
    parameters.Decimal = options.Decimal;
    parameters.DisplacementColumn = options.DisplacementColumn;
    parameters.ForceColumn = options.ForceColumn;
    parameters.LastLine = options.LastLine;
    if (options.UseChannels) parameters.Channels = &options.Channels;
    parameters.Sheet = options.Sheet;
    parameters.Variable = options.Variable;
    ImportResult result = ImportCurveFile(state, options.File, parameters);
    messages.Add(result.Warning());
    if (const auto line = result.LineMessage(); line && line != result.Warning()) {
        messages.Add(line);
    }
    messages.Add(result.HeaderSuggestion());
    return result;
}

// "Analyze Loop" with the noise band box; a band the box refuses gets its warning and no
// analysis runs. Returns the band in force.
double Analyze(AnalysisState& state, const BatchOptions& options, Messages& messages) {
    const NoiseBandCheck band = CheckNoiseBand(options.NoiseBandText);
    if (!band.Band) {
        messages.Warning(band.Warning);
        return 0;
    }
    messages.Add(AnalyzeLoops(state, *band.Band));
    return *band.Band;
}

// The suggestions the window's message bar would make, for a person reading the table.
void WriteSuggestions(std::ostream& err, const AnalysisState& state,
                      const std::optional<NoiseSuggestion>& noise, const RecordFindings& findings,
                      LoopDirection direction) {
    if (noise) err << NoiseSuggestionText(*noise) << '\n';
    if (findings.LoadsFirst && *findings.LoadsFirst != direction) {
        err << DirectionSuggestionText(*findings.LoadsFirst) << '\n';
    }
    if (findings.SuggestedZeroStart) {
        err << ZeroStartSuggestionText(state) << " (--zero-start)\n";
    }
}

// "Extract" with the method's radio button, then "Thin" with the three boxes. A box that
// does not convert reaches the error box; the skeleton stays as extracted.
void ExtractAndThin(AnalysisState& state, const BatchOptions& options, LoopDirection direction,
                    Messages& messages) {
    if (options.Method) {
        ExtractSkeleton(state, *options.Method, direction, options.KeepDispIncreasing,
                        options.EnvelopeCycle);
    }
    if (options.Thin) {
        const auto& [lo, hi, tol] = *options.Thin;
        try {
            ThinSkeletonCurves(state, lo, hi, tol);
        } catch (const qlnx::Error& e) {
            messages.Error(e.what());
        }
    }
}

ResultForm FormOfName(const std::string& path) {
    std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".csv" ? ResultForm::Csv : ResultForm::Text;
}

// What no file of a run may do: write over the record it analyses. "-" is standard output.
WriteGuard GuardOf(const BatchOptions& options) {
    WriteGuard guard;
    guard.RecordPath = options.File;
    guard.DashIsStandardOutput = true;
    return guard;
}

// Writes one file as given; a failure reaches the error box and the other files are still
// written.
void WriteFile(const std::string& path, const std::string& content, const BatchOptions& options,
               Messages& messages) {
    try {
        WriteTextFile(path, content, GuardOf(options));
    } catch (const qlnx::Error& e) {
        messages.Error(e.what());
    }
}

// What the evaluation file's header names: the record, the skeleton method with its loop
// direction and outward test, and the preset.
EvaluationReportHeader ReportHeader(const BatchOptions& options, LoopDirection direction) {
    EvaluationReportHeader header;
    header.Record = options.File;
    if (options.Method) {
        header.SkeletonMethod =
            ExtractionName(*options.Method, direction, options.KeepDispIncreasing);
        if (options.Thin) {
            const auto& [lo, hi, tol] = *options.Thin;
            header.SkeletonMethod += " thinned " + lo + " " + hi + " " + tol;
        }
    } else {
        header.SkeletonMethod = "none";
    }
    header.Preset = options.Preset ? std::string(PresetInfo(*options.Preset).Name) : "none";
    return header;
}

// --list-channels: the channel table and the metadata of the file's header.
int ListChannels(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    ImportParameters parameters;
    if (const auto check = CheckImportParameters(options.FirstLineText, options.StepText);
        check.Parameters) {
        parameters = *check.Parameters;
    }
    parameters.Decimal = options.Decimal;
    parameters.Sheet = options.Sheet;
    parameters.Variable = options.Variable;
    const LayoutReading reading = ReadChannelLayout(options.File, parameters, options.Channels);
    if (!reading.Layout) {
        err << reading.Failure.Warning().value_or("") << '\n';
        return kExitMessage;
    }
    out << ChannelTableText(reading);
    return kExitDone;
}

void WriteFiles(const AnalysisState& state, const BatchOptions& options, Messages& messages) {
    if (!options.ModifiedLoopFile.empty()) {
        const std::string& path = options.ModifiedLoopFile;
        WriteFile(path, ModifiedLoopFileText(state, FormOfName(path)), options, messages);
    }
    if (!options.ResultsFile.empty()) {
        const std::string& path = options.ResultsFile;
        WriteFile(path, AnalysisResultFileText(state, FormOfName(path)), options, messages);
    }
    if (!options.SkeletonFile.empty()) {
        WriteFile(options.SkeletonFile, SkeletonCsvText(state), options, messages);
    }
}

// The window's Excel export of the chart as it stands, with the default export options in
// the mode asked for, written to the given file and not opened. The boxes it would show are
// messages; an export that stops on an error reaches the error box, as in the window.
void ExportWorkbook(const AnalysisState& state, const BatchOptions& options, Messages& messages) {
    TExcelExportOptions exportOptions;
    InitExcelExportOptions(exportOptions);
    exportOptions.ExportMode = options.ExportMode;
    if (options.ReportReady) {
        // The axis titles carry the record's units when they are known, as in the window.
        const ChannelRecord& record = state.Channels;
        const std::string none;
        SetReportReadyOptions(
            exportOptions,
            DisplacementAxisTitle(record.Active ? record.DisplacementUnit : none,
                                  ChartModel::kXAxisTitle),
            ForceAxisTitle(record.Active ? record.ForceUnit : none, ChartModel::kYAxisTitle));
    }
    SpreadsheetUi ui;
    ui.Information = [&messages](const std::string&, const std::string& text) {
        messages.Warning(text);
    };
    ui.Warning = ui.Information;
    ui.OutputFile = options.XlsxFile;
    ui.Guard = GuardOf(options);
    try {
        ExportChartToExcel(exportOptions, state.Chart, ui);
    } catch (const std::exception& e) {
        messages.Error(e.what());
    }
}

// Fits each model asked for to the working curve; a record that cannot be fitted reaches the
// error box.
std::vector<CalibrationResult> Calibrate(const AnalysisState& state, const BatchOptions& options,
                                         Messages& messages) {
    std::vector<CalibrationResult> results;
    for (const CalibrationModel model : options.Calibrate) {
        try {
            results.push_back(
                FitModel(model, state.LoopDisp, state.LoopForce, options.Calibration));
            for (const std::string& w : results.back().Warnings) {
                messages.Warning(std::string(CalibrationModelRowOf(model).Command) + ": " + w);
            }
        } catch (const std::invalid_argument& e) {
            messages.Error(e.what());
            break;
        }
    }
    if (!options.OpenSeesFile.empty() && !results.empty()) {
        WriteFile(options.OpenSeesFile, OpenSeesFileText(results, {options.File, "", ""}), options,
                  messages);
    }
    return results;
}

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err,
             const ReportWriters& reports) {
    if (options.ListChannels) return ListChannels(options, out, err);
    if (!options.ProjectFile.empty() || options.Series)
        return RunSeries(options, out, err, reports);
    AnalysisState state;
    Messages messages;
    const ImportResult imported = Import(state, options, messages);
    if (options.ZeroStart) ZeroAtFirstSample(state);
    const double band = Analyze(state, options, messages);
    std::optional<NoiseSuggestion> noise;
    const RecordFindings findings = FindingsOf(state, band, &noise);
    const LoopDirection direction = options.AutoDirection
                                        ? findings.LoadsFirst.value_or(LoopDirection::Positive)
                                        : options.Direction;
    ExtractAndThin(state, options, direction, messages);
    std::optional<TestEvaluation> evaluation;
    if (options.Evaluate)
        evaluation = EvaluateTest(
            state, EvaluationOptionsOf(options, band, state.Channels.DisplacementUnit));
    std::optional<ProtocolRecognition> protocol;
    if (options.Protocol || options.Evaluate) {
        protocol = RecogniseProtocol(
            state, EvaluationOptionsOf(options, band, state.Channels.DisplacementUnit),
            evaluation ? &evaluation->Loops : nullptr);
    }
    WriteFiles(state, options, messages);
    const std::vector<CalibrationResult> calibration = Calibrate(state, options, messages);
    if (!options.EvaluationFile.empty()) {
        EvaluationReportHeader header = ReportHeader(options, direction);
        header.DisplacementUnit = state.Channels.DisplacementUnit;
        header.ForceUnit = state.Channels.ForceUnit;
        std::string csv = EvaluationCsvText(*evaluation, header);
        AppendProtocolTablesText(csv, *protocol, ',', "", "\r\n");
        WriteFile(options.EvaluationFile, csv, options, messages);
    }
    if (!options.ReportFile.empty()) {
        const std::string method = ReportHeader(options, direction).SkeletonMethod;
        RecordReport report;
        report.RecordPath = options.File;
        report.Settings = ReportSettings(BatchReading(options, band, direction, method), state,
                                         evaluation ? &*evaluation : nullptr);
        report.State = &state;
        report.Evaluation = evaluation ? &*evaluation : nullptr;
        report.Protocol = protocol ? &*protocol : nullptr;
        report.Constructions = {options.SeriesYield};
        if (const auto failure = WriteBatchReport(options, report, reports, GuardOf(options)))
            messages.Error(*failure);
    }
    // The chart as the window shows it now: loop 1 after the analysis, then the skeleton
    // and its thinning.
    if (!options.XlsxFile.empty()) ExportWorkbook(state, options, messages);

    if (options.Json) {
        ImportNotes notes;
        if (imported.Failure != ImportFailure::None && imported.Line > 0)
            notes.Line = imported.Line;
        notes.SuggestedFirstLine = imported.SuggestedFirstLine;
        WriteAnalysisJson(
            out, state, messages.First(), findings, evaluation ? &*evaluation : nullptr, notes,
            protocol ? &*protocol : nullptr, options.Calibrate.empty() ? nullptr : &calibration);
    } else {
        WriteLoopTable(out, state);
        if (evaluation) out << '\n' << EvaluationTablesText(*evaluation, '\t', "--", "\n");
        if (!calibration.empty()) out << '\n' << CalibrationTableText(calibration);
        WriteSuggestions(err, state, noise, findings, direction);
        if (state.Channels.SkippedRows > 0) {
            err << SkippedRowsText(state.Channels) << '\n';
        }
    }
    out.flush();
    messages.WriteTo(err);
    return messages.Empty() ? kExitDone : kExitMessage;
}

}  // namespace qlnx
