#include "cli/batch_report.h"

#include <exception>
#include <filesystem>

#include "core/channel_table.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

std::string DecimalName(DecimalMode mode) {
    switch (mode) {
        case DecimalMode::Point: return "point";
        case DecimalMode::Comma: return "comma";
        case DecimalMode::Auto: break;
    }
    return "auto";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> BatchReportSettings(
    const BatchOptions& options, const AnalysisState& state, const TestEvaluation* evaluation,
    double noiseBand, LoopDirection direction, const std::string& skeletonMethod) {
    std::vector<std::pair<std::string, std::string>> rows;
    rows.emplace_back("First line", options.FirstLineText);
    rows.emplace_back("Step", options.StepText);
    if (options.LastLine > 0) rows.emplace_back("Last line", std::to_string(options.LastLine));
    rows.emplace_back("Decimal separator", DecimalName(options.Decimal));
    const ChannelRecord& channels = state.Channels;
    if (channels.Active) {
        rows.emplace_back("Displacement channel",
                          WithUnit(channels.DisplacementExpression, channels.DisplacementUnit));
        rows.emplace_back("Force channel", WithUnit(channels.ForceExpression, channels.ForceUnit));
    } else {
        rows.emplace_back("Columns", std::to_string(options.DisplacementColumn) + "," +
                                         std::to_string(options.ForceColumn));
    }
    if (options.ZeroStart) rows.emplace_back("Zeroed at the first sample", "yes");
    rows.emplace_back("Noise band", FormatGeneral15(noiseBand));
    rows.emplace_back("Loop direction",
                      direction == LoopDirection::Positive ? "Positive" : "Negative");
    rows.emplace_back("Skeleton method", skeletonMethod);
    if (evaluation != nullptr) {
        const EvaluationOptions& e = evaluation->Options;
        rows.emplace_back("Ultimate ratio", FormatGeneral15(e.UltimateRatio));
        rows.emplace_back("Peak points", std::string(PeakPointName(e.PeakPoint)));
        rows.emplace_back("Level tolerance", FormatGeneral15(e.LevelTolerance));
        if (e.UltimateDispCap)
            rows.emplace_back("Ultimate displacement cap", FormatGeneral15(*e.UltimateDispCap));
    }
    rows.emplace_back("Preset",
                      options.Preset ? std::string(PresetInfo(*options.Preset).Name) : "none");
    return rows;
}

std::optional<std::string> WriteBatchReport(const BatchOptions& options, RecordReport report,
                                            const ReportWriters& writers, const WriteGuard& guard) {
    if (!writers.Record) return "--report: this program was built without the test report";
    if (report.Specimen.empty())
        report.Specimen = std::filesystem::path(options.File).stem().string();
    try {
        WriteFileSafely(options.ReportFile, writers.Record(report), guard);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace qlnx
