#include "core/report_settings.h"

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

std::vector<std::pair<std::string, std::string>> ReportSettings(const ReportReading& reading,
                                                                const AnalysisState& state,
                                                                const TestEvaluation* evaluation) {
    std::vector<std::pair<std::string, std::string>> rows;
    rows.emplace_back("First line", reading.FirstLineText);
    rows.emplace_back("Step", reading.StepText);
    if (reading.LastLine > 0) rows.emplace_back("Last line", std::to_string(reading.LastLine));
    rows.emplace_back("Decimal separator", DecimalName(reading.Decimal));
    const ChannelRecord& channels = state.Channels;
    if (channels.Active) {
        rows.emplace_back("Displacement channel",
                          WithUnit(channels.DisplacementExpression, channels.DisplacementUnit));
        rows.emplace_back("Force channel", WithUnit(channels.ForceExpression, channels.ForceUnit));
    } else {
        rows.emplace_back("Columns", std::to_string(reading.DisplacementColumn) + "," +
                                         std::to_string(reading.ForceColumn));
    }
    if (reading.ZeroStart) rows.emplace_back("Zeroed at the first sample", "yes");
    rows.emplace_back("Noise band", FormatGeneral15(reading.NoiseBand));
    rows.emplace_back("Loop direction",
                      reading.Direction == LoopDirection::Positive ? "Positive" : "Negative");
    rows.emplace_back("Skeleton method", reading.SkeletonMethod);
    if (evaluation != nullptr) {
        const EvaluationOptions& e = evaluation->Options;
        rows.emplace_back("Ultimate ratio", FormatGeneral15(e.UltimateRatio));
        rows.emplace_back("Peak points", std::string(PeakPointName(e.PeakPoint)));
        rows.emplace_back("Level tolerance", FormatGeneral15(e.LevelTolerance));
        if (e.UltimateDispCap)
            rows.emplace_back("Ultimate displacement cap", FormatGeneral15(*e.UltimateDispCap));
    }
    rows.emplace_back("Preset",
                      reading.Preset ? std::string(PresetInfo(*reading.Preset).Name) : "none");
    return rows;
}

}  // namespace qlnx
