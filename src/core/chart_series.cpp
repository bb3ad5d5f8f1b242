#include "core/chart_series.h"

#include <algorithm>
#include <utility>

namespace qlnx {

ChartSeries::ChartSeries(std::string title, TColor color, bool sortedX)
    : Title(std::move(title)), Color(color), sortedX_(sortedX) {}

void ChartSeries::AddXY(double x, double y, TColor color) {
    size_t at = xs_.size();
    if (sortedX_) {
        at = static_cast<size_t>(std::upper_bound(xs_.begin(), xs_.end(), x) - xs_.begin());
    }
    // Per-point colours are kept from the first point that names its own colour on.
    const bool perPointColors = color != clTeeColor || !colors_.empty();
    if (perPointColors && colors_.empty()) colors_.assign(xs_.size(), clTeeColor);
    const auto offset = static_cast<std::ptrdiff_t>(at);
    xs_.insert(xs_.begin() + offset, x);
    ys_.insert(ys_.begin() + offset, y);
    if (perPointColors) colors_.insert(colors_.begin() + offset, color);
    ++revision_;
}

void ChartSeries::Clear() {
    xs_.clear();
    ys_.clear();
    colors_.clear();
    ++revision_;
}

void ChartSeries::Delete(int index) {
    const auto offset = static_cast<std::ptrdiff_t>(index);
    xs_.erase(xs_.begin() + offset);
    ys_.erase(ys_.begin() + offset);
    if (!colors_.empty()) colors_.erase(colors_.begin() + offset);
    ++revision_;
}

void ChartSeries::Insert(int index, double x, double y, TColor color) {
    const auto offset = static_cast<std::ptrdiff_t>(index);
    if (color != clTeeColor && colors_.empty()) colors_.assign(xs_.size(), clTeeColor);
    xs_.insert(xs_.begin() + offset, x);
    ys_.insert(ys_.begin() + offset, y);
    if (!colors_.empty()) colors_.insert(colors_.begin() + offset, color);
    ++revision_;
}

void ChartSeries::SetXY(int index, double x, double y) {
    xs_[static_cast<size_t>(index)] = x;
    ys_[static_cast<size_t>(index)] = y;
    ++revision_;
}

void ChartSeries::Assign(std::vector<double> xs, std::vector<double> ys) {
    xs_ = std::move(xs);
    ys_ = std::move(ys);
    colors_.clear();
    ++revision_;
}

void ChartSeries::Reserve(size_t n) {
    xs_.reserve(n);
    ys_.reserve(n);
}

TColor ChartSeries::PointColor(int index) const {
    return colors_.empty() ? clTeeColor : colors_[static_cast<size_t>(index)];
}

TColor ChartSeries::DrawColor(int index) const {
    const TColor c = PointColor(index);
    return c == clTeeColor ? Color : c;
}

}  // namespace qlnx
