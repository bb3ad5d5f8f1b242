// Order-keeping reduction of a long polyline to what one pixel column per run can show.
#pragma once

#include <span>
#include <vector>

namespace qlnx {

// Where the plot rectangle lies in data units and how large it is in pixels.
struct PixelView {
    double xLower = 0, xUpper = 1;  // horizontal axis range shown
    double yLower = 0, yUpper = 1;  // vertical axis range shown
    double width = 1, height = 1;   // plot rectangle in pixels
    // Points farther than this outside the rectangle count as off screen; the margin keeps
    // wide pens and markers at the border drawn exactly.
    double margin = 8;

    bool operator==(const PixelView&) const = default;
};

// Indices (ascending) of the points of the polyline (xs[i], ys[i]) that draw the same picture
// at the given view. A point's pixel column is its horizontal pixel position rounded to the
// nearest integer, as drawing puts it. Consecutive points in the same column form a run that keeps
// its first, lowest, highest and last point; consecutive points beyond one side of the rectangle
// keep their first and last point (the segments between them never enter the rectangle).
// Non-finite points are always kept, as they break the line. xs and ys have equal length.
std::vector<int> DecimateByPixelColumn(std::span<const double> xs, std::span<const double> ys,
                                       const PixelView& view);

// The same reduction kept for one view, updated cheaply when single points move: only the
// runs next to the moved point are reduced again.
class PixelDecimation {
public:
    // Reduces the whole polyline for view.
    void Build(std::span<const double> xs, std::span<const double> ys, const PixelView& view);
    // Point index of the polyline given to Build (same length, same view) has moved.
    void PointMoved(std::span<const double> xs, std::span<const double> ys, int index);

    const std::vector<int>& Kept() const { return kept_; }
    const PixelView& View() const { return view_; }

private:
    PixelView view_;
    std::vector<int> kept_;       // ascending point indices
    std::vector<int> runStarts_;  // first point of every run, ascending; starts with 0
};

}  // namespace qlnx
