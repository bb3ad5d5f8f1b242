#include "cli/batch_report.h"

#include <exception>
#include <filesystem>

namespace qlnx {

ReportReading BatchReading(const BatchOptions& options, double noiseBand, LoopDirection direction,
                           const std::string& skeletonMethod) {
    ReportReading r;
    r.FirstLineText = options.FirstLineText;
    r.StepText = options.StepText;
    r.LastLine = options.LastLine;
    r.Decimal = options.Decimal;
    r.DisplacementColumn = options.DisplacementColumn;
    r.ForceColumn = options.ForceColumn;
    r.ZeroStart = options.ZeroStart;
    r.NoiseBand = noiseBand;
    r.Direction = direction;
    r.SkeletonMethod = skeletonMethod;
    r.Preset = options.Preset;
    return r;
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
