#include "cli/batch_report.h"

#include <exception>
#include <filesystem>

#include "core/report_write.h"

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

std::optional<std::string> WriteSeriesReport(const BatchOptions& options,
                                             const SeriesEvaluation& evaluation,
                                             const std::vector<SeriesGroup>& groups,
                                             const ReportWriters& writers) {
    if (!writers.Series) return "--report: this program was built without the test report";
    SeriesReport report;
    report.Source = options.ProjectFile;
    report.Name = options.ProjectFile.empty()
                      ? std::string("Series")
                      : std::filesystem::path(options.ProjectFile).stem().string();
    report.Evaluation = &evaluation;
    report.Groups = &groups;
    report.Yield = options.SeriesYield;
    try {
        // The report goes over none of the files it was made from.
        std::vector<std::string> sources;
        for (const SeriesSpecimen& s : evaluation.Specimens) sources.push_back(s.RecordPath);
        if (!options.ProjectFile.empty()) sources.push_back(options.ProjectFile);
        WriteReportFile(options.ReportFile, writers.Series(report), sources, true);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace qlnx
