#include "core/label_placing.h"

#include <algorithm>
#include <array>
#include <limits>

namespace qlnx {

namespace {

LabelBox Around(double x, double y, double room) {
    return {x - room, y - room, 2 * room, 2 * room};
}

double Overlap(const LabelBox& a, const LabelBox& b) {
    const double w = std::min(a.X + a.Width, b.X + b.Width) - std::max(a.X, b.X);
    const double h = std::min(a.Y + a.Height, b.Y + b.Height) - std::max(a.Y, b.Y);
    return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelToPlace>& labels,
                                     const std::vector<DrawnPoint>& points, double gap,
                                     double markerRoom) {
    std::vector<LabelBox> taken;
    taken.reserve(points.size() + 2 * labels.size());
    for (const DrawnPoint& p : points) taken.push_back(Around(p.X, p.Y, markerRoom));
    for (const LabelToPlace& l : labels) taken.push_back(Around(l.X, l.Y, markerRoom));
    std::vector<PlacedLabel> placed;
    placed.reserve(labels.size());
    for (const LabelToPlace& l : labels) {
        const double out = l.Outward >= 0 ? 1 : -1;
        // (horizontal, vertical) sides: away from the origin and above first.
        const std::array<std::array<double, 2>, 4> corners = {
            {{out, -1}, {out, 1}, {-out, -1}, {-out, 1}}};
        PlacedLabel best;
        double bestOverlap = std::numeric_limits<double>::infinity();
        for (const auto& [sx, sy] : corners) {
            const LabelBox box{l.X + (sx > 0 ? gap : -gap - l.Width),
                               l.Y + (sy > 0 ? gap : -gap - l.Height), l.Width, l.Height};
            double overlap = 0;
            for (const LabelBox& t : taken) overlap += Overlap(box, t);
            if (overlap < bestOverlap) {
                best = {sx > 0, sy > 0, box};
                bestOverlap = overlap;
            }
            if (overlap == 0) break;
        }
        taken.push_back(best.Box);
        placed.push_back(best);
    }
    return placed;
}

}  // namespace qlnx
