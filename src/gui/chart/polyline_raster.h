// Pixel coverage of a long polyline drawn with a one-pixel pen without antialiasing, made in
// pieces on several threads: its cost follows the points and the pixels crossed, not what a
// painter does per segment.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qlnx {

// The plot rectangle the polyline is drawn into, in data units and pixels, and the size of the
// pixel grid: width * scale by height * scale pixels (scale is the device pixel ratio).
struct RasterView {
    double xLower = 0, xUpper = 1;  // horizontal axis range shown
    double yLower = 0, yUpper = 1;  // vertical axis range shown
    int width = 1, height = 1;      // plot rectangle in logical pixels
    double scale = 1;               // device pixels per logical pixel

    int PixelWidth() const;
    int PixelHeight() const;
    bool operator==(const RasterView&) const = default;
};

// One byte per pixel, rows top to bottom: 1 where the pen covers the pixel, else 0.
struct RasterMask {
    int width = 0, height = 0;
    std::vector<uint8_t> covered;
};

// Pixels covered by the polyline (xs[i], ys[i]) at view. A point sits where the chart puts it:
// x at (x - xLower) / (xUpper - xLower) * width from the left edge, y at
// height - 1 - (y - yLower) / (yUpper - yLower) * height from the top edge (both times scale),
// on the pixel its position rounds to. A segment covers the pixels of both ends and, along its
// longer direction, one pixel per row or column at its crossing of that pixel's centre line.
// Non-finite points break the line. The points are split into pieces of at least minPiece
// points over up to `threads` threads; their masks are joined by OR.
RasterMask RasterizePolyline(std::span<const double> xs, std::span<const double> ys,
                             const RasterView& view, int threads, size_t minPiece = 200000);

}  // namespace qlnx
