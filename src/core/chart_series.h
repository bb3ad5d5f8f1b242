// A chart series without a chart: title, style and an ordered list of points.
#pragma once

#include <cstdint>
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

class ChartSeries {
public:
    ChartSeries() = default;
    ChartSeries(std::string title, TColor color, bool sortedX);

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

    int Count() const { return static_cast<int>(xs_.size()); }
    double GetxValue(int index) const { return xs_[static_cast<size_t>(index)]; }
    double GetyValue(int index) const { return ys_[static_cast<size_t>(index)]; }
    // The colour passed with point index (clTeeColor when none was given).
    TColor PointColor(int index) const;
    // The colour point index is drawn in.
    TColor DrawColor(int index) const;
    bool SortedX() const { return sortedX_; }

    const std::vector<double>& XValues() const { return xs_; }
    const std::vector<double>& YValues() const { return ys_; }

    // Incremented by every change of the points; views redraw a series when it moved.
    uint64_t Revision() const { return revision_; }

private:
    bool sortedX_ = false;
    std::vector<double> xs_;
    std::vector<double> ys_;
    // Empty while every point uses the series colour; otherwise one entry per point.
    std::vector<TColor> colors_;
    uint64_t revision_ = 0;
};

}  // namespace qlnx
