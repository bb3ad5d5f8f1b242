// A chart series without a chart: title, style and an ordered list of points.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qlnx {

// Colours are 0x00BBGGRR values (red in the low byte).
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
// The red, green and blue bytes of a colour.
struct ColorBytes {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
};
constexpr ColorBytes BytesOf(TColor color) {
    return {static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
            static_cast<uint8_t>((color >> 16) & 0xFF)};
}

// Passed with a point: draw it in the series' own colour.
inline constexpr TColor clTeeColor = 0x20000000;

enum class PointerStyle { Circle, Diamond };

// The points of a series, shared read-only with whoever holds them (a picture of them being
// made on another thread); see ChartSeries::SharedPoints.
struct SeriesPoints {
    std::vector<double> xs;
    std::vector<double> ys;
};

class ChartSeries {
public:
    ChartSeries() = default;
    ChartSeries(std::string title, TColor color, bool sortedX);
    // A copy shares the points until one of the two changes them; a move is a copy, so no
    // series is ever left without points.
    ChartSeries(const ChartSeries&) = default;
    ChartSeries& operator=(const ChartSeries&) = default;

    std::string Title;
    TColor Color = clBlack;
    int LineWidth = 1;
    bool DrawLine = true;  // false for the marker-only point series
    PointerStyle Pointer = PointerStyle::Circle;
    int PointerSize = 3;
    bool PointerVisible = false;
    bool Active = true;  // shown on the chart (legend check box)
    bool ShowInLegend = true;

    // Appends a point; a series that keeps X sorted puts it after every point whose X is
    // less than or equal to x, so equal X values keep the order in which they were added.
    void AddXY(double x, double y, TColor color = clTeeColor);
    void Clear();
    void Delete(int index);
    // Puts a point back at index (0 .. Count()), before the point there (undoing a Delete).
    void Insert(int index, double x, double y, TColor color = clTeeColor);
    // Moves point index to (x, y) (a drag step).
    void SetXY(int index, double x, double y);
    // Replaces all points at once (keeps no per-point colours).
    void Assign(std::vector<double> xs, std::vector<double> ys);
    void Reserve(size_t n);

    int Count() const { return static_cast<int>(points_->xs.size()); }
    double GetxValue(int index) const { return points_->xs[static_cast<size_t>(index)]; }
    double GetyValue(int index) const { return points_->ys[static_cast<size_t>(index)]; }
    // The colour passed with point index (clTeeColor when none was given).
    TColor PointColor(int index) const;
    // The colour point index is drawn in.
    TColor DrawColor(int index) const;
    bool SortedX() const { return sortedX_; }

    const std::vector<double>& XValues() const { return points_->xs; }
    const std::vector<double>& YValues() const { return points_->ys; }
    // The points as they are now, for a reader on another thread: while it holds them, a change
    // of the series changes a copy, so what it reads stays as it was. Take it on the thread
    // that changes the series.
    std::shared_ptr<const SeriesPoints> SharedPoints() const { return points_; }

    // Incremented by every change of the points; views redraw a series when it moved.
    uint64_t Revision() const { return revision_; }

private:
    // The points, to be changed: copied first while a reader holds them.
    SeriesPoints& Own();

    bool sortedX_ = false;
    std::shared_ptr<SeriesPoints> points_ = std::make_shared<SeriesPoints>();
    // Empty while every point uses the series colour; otherwise one entry per point.
    std::vector<TColor> colors_;
    uint64_t revision_ = 0;
};

}  // namespace qlnx
