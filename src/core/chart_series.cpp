#include "core/chart_series.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace qlnx {

ChartSeries::ChartSeries(std::string title, TColor color, bool sortedX)
    : Title(std::move(title)), Color(color), sortedX_(sortedX) {}

SeriesPoints& ChartSeries::Own() {
    if (points_.use_count() > 1) {
        points_ = std::make_shared<SeriesPoints>(*points_);
    } else {
        // The last reader let go on its own thread: what it did before that is done.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    return *points_;
}

void ChartSeries::AddXY(double x, double y, TColor color) {
    auto& [xs, ys] = Own();
    size_t at = xs.size();
    if (sortedX_) {
        at = static_cast<size_t>(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
    }
    // Per-point colours are kept from the first point that names its own colour on.
    const bool perPointColors = color != clTeeColor || !colors_.empty();
    if (perPointColors && colors_.empty()) colors_.assign(xs.size(), clTeeColor);
    const auto offset = static_cast<std::ptrdiff_t>(at);
    xs.insert(xs.begin() + offset, x);
    ys.insert(ys.begin() + offset, y);
    if (perPointColors) colors_.insert(colors_.begin() + offset, color);
    ++revision_;
}

void ChartSeries::Clear() {
    // A reader keeps the old points; they are not copied to be emptied.
    if (points_.use_count() > 1) points_ = std::make_shared<SeriesPoints>();
    SeriesPoints& p = Own();
    p.xs.clear();
    p.ys.clear();
    colors_.clear();
    ++revision_;
}

void ChartSeries::Delete(int index) {
    auto& [xs, ys] = Own();
    const auto offset = static_cast<std::ptrdiff_t>(index);
    xs.erase(xs.begin() + offset);
    ys.erase(ys.begin() + offset);
    if (!colors_.empty()) colors_.erase(colors_.begin() + offset);
    ++revision_;
}

void ChartSeries::Insert(int index, double x, double y, TColor color) {
    const auto offset = static_cast<std::ptrdiff_t>(index);
    auto& [xs, ys] = Own();
    if (color != clTeeColor && colors_.empty()) colors_.assign(xs.size(), clTeeColor);
    xs.insert(xs.begin() + offset, x);
    ys.insert(ys.begin() + offset, y);
    if (!colors_.empty()) colors_.insert(colors_.begin() + offset, color);
    ++revision_;
}

void ChartSeries::SetXY(int index, double x, double y) {
    SeriesPoints& p = Own();
    p.xs[static_cast<size_t>(index)] = x;
    p.ys[static_cast<size_t>(index)] = y;
    ++revision_;
}

void ChartSeries::Assign(std::vector<double> xs, std::vector<double> ys) {
    // New points: a reader keeps the old ones.
    points_ = std::make_shared<SeriesPoints>(SeriesPoints{std::move(xs), std::move(ys)});
    colors_.clear();
    ++revision_;
}

void ChartSeries::Reserve(size_t n) {
    SeriesPoints& p = Own();
    p.xs.reserve(n);
    p.ys.reserve(n);
}

TColor ChartSeries::PointColor(int index) const {
    return colors_.empty() ? clTeeColor : colors_[static_cast<size_t>(index)];
}

TColor ChartSeries::DrawColor(int index) const {
    const TColor c = PointColor(index);
    return c == clTeeColor ? Color : c;
}

}  // namespace qlnx
