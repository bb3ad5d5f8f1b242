#include "cli/series_run.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_report.h"
#include "cli/batch_run.h"
#include "cli/json_output.h"
#include "core/errors.h"
#include "core/project_file.h"
#include "core/record_suggestions.h"
#include "core/safe_write.h"
#include "core/specimen_run.h"

namespace qlnx {

namespace {

// The specimens of the run: the project's, or one a FILE with the command line's options.
std::vector<Specimen> SpecimensOf(const BatchOptions& options) {
    if (!options.ProjectFile.empty()) return LoadProject(options.ProjectFile).Specimens;
    std::vector<Specimen> specimens;
    for (const std::string& file : options.SeriesFiles) {
        Specimen s;
        s.Name = std::filesystem::path(file).stem().string();
        s.RecordPath = file;
        s.Import = {options.FirstLineText, options.StepText, options.Decimal,
                    options.DisplacementColumn, options.ForceColumn};
        s.NoiseBandText = options.NoiseBandText;
        s.Direction = options.Direction;
        s.Skeleton.Method = options.Method;
        s.Skeleton.KeepDispIncreasing = options.KeepDispIncreasing;
        if (options.Thin) {
            const auto& [lo, hi, tol] = *options.Thin;
            s.Skeleton.Thinning.push_back({lo, hi, tol});
        }
        s.Evaluation = EvaluationOptionsOf(options, 0);
        s.Preset = options.Preset;
        specimens.push_back(std::move(s));
    }
    return specimens;
}

void AppendNumberOrNull(std::string& out, const std::optional<double>& value) {
    if (value) {
        AppendJsonNumber(out, *value);
    } else {
        out += "null";
    }
}

// {"<column>": value, ...} of one row, opened by the Specimen key when a name is given.
void AppendRow(std::string& out, const std::vector<std::string>& columns,
               const std::vector<std::optional<double>>& values, const std::string* name) {
    out += '{';
    bool first = true;
    if (name != nullptr) {
        out += "\"Specimen\": ";
        AppendJsonString(out, *name);
        first = false;
    }
    for (size_t c = 0; c < columns.size(); ++c) {
        if (!first) out += ", ";
        first = false;
        AppendJsonString(out, columns[c]);
        out += ": ";
        AppendNumberOrNull(out, values[c]);
    }
    out += '}';
}

void AppendNumbers(std::string& out, const std::vector<double>& values) {
    out += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i != 0) out += ", ";
        AppendJsonNumber(out, values[i]);
    }
    out += ']';
}

void AppendMeanBranch(std::string& out, const MeanSkeletonBranch& branch) {
    out += "{\"Specimens\": " + std::to_string(branch.Specimens) + ", \"Disp\": ";
    AppendNumbers(out, branch.Disp);
    out += ", \"Mean\": ";
    AppendNumbers(out, branch.Mean);
    out += ", \"StdDev\": [";
    for (size_t i = 0; i < branch.StdDev.size(); ++i) {
        if (i != 0) out += ", ";
        AppendNumberOrNull(out, branch.StdDev[i]);
    }
    out += "]}";
}

void AppendGroup(std::string& out, const SeriesGroup& group) {
    const SeriesTable& table = group.Table;
    out += "{\"Name\": ";
    AppendJsonString(out, group.Name);
    out += ",\n      \"Table\": [";
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        out += r == 0 ? "\n        " : ",\n        ";
        AppendRow(out, table.Columns, table.Rows[r], &table.Specimens[r]);
    }
    out += "]";
    for (size_t row = 0; row < std::size(kStatisticRows); ++row) {
        std::vector<std::optional<double>> values;
        for (const SampleStatistics& s : table.Statistics) values.push_back(StatisticValue(s, row));
        out += ",\n      \"" + std::string(kStatisticRows[row]) + "\": ";
        AppendRow(out, table.Columns, values, nullptr);
    }
    out += ",\n      \"CharacteristicNotes\": {";
    bool first = true;
    for (size_t c = 0; c < table.Columns.size(); ++c) {
        if (table.Statistics[c].Characteristic) continue;
        if (!first) out += ", ";
        first = false;
        AppendJsonString(out, table.Columns[c]);
        out += ": ";
        AppendJsonString(out, table.Statistics[c].CharacteristicNote);
    }
    out += "},\n      \"MeanSkeleton\": {\"Positive\": ";
    AppendMeanBranch(out, group.Positive);
    out += ",\n        \"Negative\": ";
    AppendMeanBranch(out, group.Negative);
    out += "}}";
}

}  // namespace

void AppendSeriesJson(std::string& out, const std::vector<SeriesGroup>& groups, YieldMethod yield) {
    out += "{\"YieldMethod\": ";
    AppendJsonString(out, kYieldMethods[static_cast<size_t>(yield)].Name);
    out += ", \"Groups\": [";
    for (size_t g = 0; g < groups.size(); ++g) {
        out += g == 0 ? "\n    " : ",\n    ";
        AppendGroup(out, groups[g]);
    }
    out += "]}";
}

int RunSeries(const BatchOptions& options, std::ostream& out, std::ostream& err,
              const ReportWriters& reports) {
    std::vector<Specimen> specimens;
    try {
        specimens = SpecimensOf(options);
    } catch (const qlnx::Error& e) {
        err << ErrorBoxText(e.what()) << '\n';
        return kExitMessage;
    }
    std::vector<std::string> messages;
    std::vector<SeriesMember> members;
    // The specimens with their curves, kept for the report only.
    SeriesEvaluation reported;
    const bool report = !options.ReportFile.empty();
    if (options.Json) out << "{\n\"Specimens\": [";
    bool firstObject = true;
    for (const Specimen& specimen : specimens) {
        if (!options.ProjectFile.empty()) {
            const RecordState state = CheckRecord(specimen);
            if (state != RecordState::Ok) {
                messages.push_back(RecordStateText(specimen, state));
                continue;
            }
        }
        AnalysisState state;
        const SpecimenRun run = OpenSpecimen(state, specimen, {}, options.AutoDirection);
        for (const std::string& message : run.Messages) {
            messages.push_back(specimen.Name + ": " + message);
        }
        if (options.Json) {
            out << (firstObject ? "\n" : ",\n");
            firstObject = false;
            RecordFindings findings;
            findings.LoadsFirst = LoadingDirection(state, run.NoiseBand);
            if (const auto suggestion = SuggestNoiseBand(state, run.NoiseBand)) {
                findings.SuggestedNoiseBand = suggestion->Band;
            }
            std::optional<std::string> first;
            if (!run.Messages.empty()) first = run.Messages.front();
            WriteAnalysisJson(out, state, first, findings, &run.Evaluation);
        }
        members.push_back({specimen.Name, specimen.Group, run.Evaluation,
                           SkeletonNodesOf(state.PositiveSkeletonSeries()),
                           SkeletonNodesOf(state.NegativeSkeletonSeries())});
        if (report) {
            SeriesSpecimen s;
            s.Member = members.back();
            s.Height = specimen.Height;
            s.RecordPath = specimen.RecordPath;
            s.DisplacementUnit = state.Channels.DisplacementUnit;
            s.ForceUnit = state.Channels.ForceUnit;
            s.CurveDisp = std::move(state.LoopDisp);
            s.CurveForce = std::move(state.LoopForce);
            reported.Specimens.push_back(std::move(s));
        }
    }
    const std::vector<SeriesGroup> groups = MakeSeriesGroups(members, options.SeriesYield);
    if (options.Json) {
        std::string text = "],\n\"Series\": ";
        AppendSeriesJson(text, groups, options.SeriesYield);
        text += "\n}\n";
        out << text;
    } else {
        out << SeriesTableText(groups, '\t', "--", "\n");
    }
    out.flush();
    if (!options.SeriesTableFile.empty()) {
        try {
            WriteGuard guard;
            guard.DashIsStandardOutput = true;
            WriteFileSafely(options.SeriesTableFile, SeriesCsvText(groups), guard);
        } catch (const qlnx::Error& e) {
            messages.push_back(ErrorBoxText(e.what()));
        }
    }
    if (report) {
        reported.Messages = messages;
        if (const auto failure = WriteSeriesReport(options, reported, groups, reports))
            messages.push_back(*failure);
    }
    for (const std::string& message : messages) err << message << '\n';
    return messages.empty() ? kExitDone : kExitMessage;
}

}  // namespace qlnx
