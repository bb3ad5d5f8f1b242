#include "core/specimen_run.h"

#include "core/curve_import.h"
#include "core/errors.h"
#include "core/loop_analysis.h"
#include "core/record_suggestions.h"
#include "core/skeleton.h"
#include "core/thinning.h"

namespace qlnx {

namespace {

void PutBranch(ChartSeries& series, const SkeletonBranchNodes& nodes) {
    series.Clear();
    for (size_t i = 0; i < nodes.X.size(); ++i) series.AddXY(nodes.X[i], nodes.Y[i]);
}

void Import(AnalysisState& state, const Specimen& specimen, const ProgressCallback& progress,
            std::vector<std::string>& messages) {
    ImportCheck check;
    try {
        check = CheckImportParameters(specimen.Import.FirstLineText, specimen.Import.StepText);
    } catch (const qlnx::Error& e) {
        messages.push_back(ErrorBoxText(e.what()));
        return;
    }
    if (!check.Parameters) {
        messages.push_back(check.Warning);
        return;
    }
    ImportParameters parameters = *check.Parameters;
    parameters.Decimal = specimen.Import.Decimal;
    parameters.DisplacementColumn = specimen.Import.DisplacementColumn;
    parameters.ForceColumn = specimen.Import.ForceColumn;
    parameters.LastLine = specimen.Import.LastLine;
    if (specimen.Import.Channels) parameters.Channels = &*specimen.Import.Channels;
    const ImportResult result = ImportCurveFile(state, specimen.RecordPath, parameters, progress);
    if (const auto warning = result.Warning()) messages.push_back(*warning);
}

}  // namespace

SpecimenRun OpenSpecimen(AnalysisState& state, const Specimen& specimen,
                         const ProgressCallback& progress, bool directionFromRecord) {
    SpecimenRun run;
    Import(state, specimen, progress, run.Messages);
    const NoiseBandCheck band = CheckNoiseBand(specimen.NoiseBandText);
    if (band.Band) {
        run.NoiseBand = *band.Band;
        if (const auto warning = AnalyzeLoops(state, run.NoiseBand)) {
            run.Messages.push_back(*warning);
        }
    } else {
        run.Messages.push_back(band.Warning);
    }
    if (specimen.Skeleton.Stored) {
        PutBranch(state.PositiveSkeletonSeries(), specimen.Skeleton.Positive);
        PutBranch(state.NegativeSkeletonSeries(), specimen.Skeleton.Negative);
    } else if (specimen.Skeleton.Method) {
        const LoopDirection direction =
            directionFromRecord
                ? LoadingDirection(state, run.NoiseBand).value_or(LoopDirection::Positive)
                : specimen.Direction;
        ExtractSkeleton(state, *specimen.Skeleton.Method, direction,
                        specimen.Skeleton.KeepDispIncreasing);
        for (const ThinningStep& step : specimen.Skeleton.Thinning) {
            try {
                ThinSkeletonCurves(state, step.Low, step.High, step.Tolerance);
            } catch (const qlnx::Error& e) {
                run.Messages.push_back(ErrorBoxText(e.what()));
            }
        }
    }
    run.Evaluation = EvaluateTest(state, SpecimenEvaluationOptions(specimen, run.NoiseBand));
    return run;
}

SkeletonBranchNodes SkeletonNodesOf(const ChartSeries& series) {
    SkeletonBranchNodes nodes;
    for (int i = 0; i < series.Count(); ++i) {
        nodes.X.push_back(series.GetxValue(i));
        nodes.Y.push_back(series.GetyValue(i));
    }
    return nodes;
}

void StoreSkeletonNodes(Specimen& specimen, const AnalysisState& state) {
    const ChartSeries& positive = state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    const ChartSeries& negative = state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
    specimen.Skeleton.Positive = SkeletonNodesOf(positive);
    specimen.Skeleton.Negative = SkeletonNodesOf(negative);
    specimen.Skeleton.Stored = positive.Count() > 0 || negative.Count() > 0;
}

EvaluationOptions SpecimenEvaluationOptions(const Specimen& specimen, double noiseBand) {
    EvaluationOptions options = specimen.Evaluation;
    options.NoiseBand = noiseBand;
    return options;
}

}  // namespace qlnx
