#include "core/series_overlay.h"

namespace qlnx {

SeriesOverlay MakeSeriesOverlay(const std::vector<const SeriesSpecimen*>& specimens,
                                SeriesScale scale, YieldMethod yield, bool curves) {
    SeriesOverlay overlay;
    std::vector<SkeletonBranchNodes> positive;
    std::vector<SkeletonBranchNodes> negative;
    for (const SeriesSpecimen* s : specimens) {
        std::string why;
        const std::optional<SpecimenScale> by =
            ScaleOf(s->Member.Evaluation, s->Height, scale, yield, why);
        if (!by) {
            overlay.LeftOut.push_back(s->Member.Name + ": " + why);
            continue;
        }
        OverlaySpecimen o;
        o.Name = s->Member.Name;
        o.Positive = ScaleBranch(*by, s->Member.Positive);
        o.Negative = ScaleBranch(*by, s->Member.Negative);
        if (curves) ScalePoints(*by, s->CurveDisp, s->CurveForce, o.CurveX, o.CurveY);
        positive.push_back(o.Positive);
        negative.push_back(o.Negative);
        overlay.Specimens.push_back(std::move(o));
    }
    overlay.MeanPositive = MeanSkeleton(positive, false);
    overlay.MeanNegative = MeanSkeleton(negative, true);
    return overlay;
}

std::vector<const SeriesSpecimen*> GroupSpecimens(const SeriesEvaluation& evaluation,
                                                  const std::string& group) {
    std::vector<const SeriesSpecimen*> inGroup;
    for (const SeriesSpecimen& s : evaluation.Specimens) {
        if (s.Member.Group == group) inGroup.push_back(&s);
    }
    return inGroup;
}

}  // namespace qlnx
