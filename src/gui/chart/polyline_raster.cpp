#include "gui/chart/polyline_raster.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>

namespace qlnx {

namespace {

// Positions in 1/64 pixel and steps in 1/65536 pixel, as a painter steps a one-pixel pen.
inline int64_t ToFixed6(double position) { return static_cast<int64_t>(position * 64.0); }
// num * 65536 / den cut toward zero. In floating point it is the same integer (|num| <= |den|
// < 2^31, so the quotient's rounding error stays far below 1 / den) and several times faster.
inline int64_t StepRatio(int64_t num, int64_t den) {
    return static_cast<int64_t>(static_cast<double>(num * 65536) / static_cast<double>(den));
}

class Canvas {
public:
    explicit Canvas(RasterMask& mask) : w_(mask.width), h_(mask.height), px_(mask.covered.data()) {}

    void Plot(int64_t a, int64_t b) {
        if (a >= 0 && b >= 0 && a < w_ && b < h_) px_[b * w_ + a] = 1;
    }

    // A new line starts: nothing drawn before it joins it.
    void BreakLine() {
        hasLast_ = false;
        lastDir_ = kNone;
    }

    // The segment from (u0, v0) to (u1, v1) in pixel positions, stepped as a painter's
    // one-pixel pen steps it: along its longer direction over the pixels between the rounded
    // ends (the last one left to the next segment), across it at the line's crossing of the
    // pixel's middle where it rises and of its start where it falls. Where segments join, a
    // pixel drawn twice is drawn once, a gap left by a turn is filled, and a reversal (or a
    // line's first or last segment, capBegin / capEnd) reaches half a pixel further.
    void Segment(double u0, double v0, double u1, double v1, bool capBegin, bool capEnd) {
        if (!Clip(u0, v0, u1, v1)) return;
        const int64_t x1 = ToFixed6(u0), y1 = ToFixed6(v0), x2 = ToFixed6(u1), y2 = ToFixed6(v1);
        if (std::abs(x2 - x1) < std::abs(y2 - y1)) {
            Step<true>(y1, x1, y2, x2, capBegin, capEnd);
        } else {
            Step<false>(x1, y1, x2, y2, capBegin, capEnd);
        }
    }

private:
    enum Direction { kNone = 0, kDown = 1, kUp = 2, kRight = 4, kLeft = 8 };
    static constexpr int kVertical = kDown | kUp, kHorizontal = kRight | kLeft;

    // m = along the longer direction, n = across it, in 1/64 pixel.
    template <bool vertical>
    void Step(int64_t m1, int64_t n1, int64_t m2, int64_t n2, bool capBegin, bool capEnd) {
        // Pixels as (along, across) from and to (column, row).
        auto toAxes = [](int64_t col, int64_t row, int64_t& a, int64_t& b) {
            a = vertical ? row : col;
            b = vertical ? col : row;
        };
        auto plot = [&](int64_t a, int64_t b) {
            if (vertical) {
                Plot(b, a);
            } else {
                Plot(a, b);
            }
        };
        int dir = vertical ? kDown : kRight;
        bool swapped = false;
        if (m1 > m2) {
            std::swap(m1, m2);
            std::swap(n1, n2);
            std::swap(capBegin, capEnd);
            swapped = true;
            dir = vertical ? kUp : kLeft;
        }
        if (m1 == m2) return;
        const int64_t span = m2 - m1;
        if ((lastDir_ ^ (vertical ? kVertical : kHorizontal)) == dir) {
            // A reversal: the segment reaches half a pixel back over its start.
            if (swapped) {
                capEnd = true;
            } else {
                capBegin = true;
            }
        }
        if (capBegin) m1 -= 32;
        if (capEnd) m2 += 32;
        int64_t m = (m1 + 32) >> 6;
        int64_t ms = (m2 + 32) >> 6;
        // Most segments of a dense record end in the pixel they start in: nothing to draw.
        if (m == ms) return;
        const int64_t inc = StepRatio(n2 - n1, span);
        int64_t n = n1 * 1024;
        if (capBegin) n -= inc >> 1;
        const int64_t round = inc > 0 ? 32 : 0;
        n += ((m * 64) + round - m1) * inc >> 6;
        int64_t firstM = m, firstN = n >> 16;
        int64_t endM = ms - 1, endN = (n + (ms - m - 1) * inc) >> 16;
        if (swapped) {
            std::swap(firstM, endM);
            std::swap(firstN, endN);
        }
        const bool axisAligned = std::abs(inc) < (1 << 14);
        if (hasLast_) {
            int64_t lastM = 0, lastN = 0;
            toAxes(lastCol_, lastRow_, lastM, lastN);
            if (firstM == lastM && firstN == lastN) {
                // The joint's pixel is drawn once.
                if (swapped) {
                    --ms;
                } else {
                    ++m;
                    n += inc;
                }
            } else if (lastDir_ != dir &&
                       ((axisAligned && lastAxisAligned_ && lastM != firstM && lastN != firstN) ||
                        std::abs(lastM - firstM) > 1 || std::abs(lastN - firstN) > 1)) {
                // A turn left a gap: one more pixel fills it.
                if (swapped) {
                    ++ms;
                } else {
                    --m;
                    n -= inc;
                }
            } else if (lastDir_ == dir && std::abs(lastN - firstN) <= 1 &&
                       std::abs(lastM - firstM) > 1) {
                n += inc >> 1;
                endN = swapped ? (n >> 16) : ((n + (ms - m - 1) * inc) >> 16);
            }
        }
        lastDir_ = dir;
        lastAxisAligned_ = axisAligned;
        for (; m < ms; ++m, n += inc) plot(m, n >> 16);
        lastCol_ = vertical ? endN : endM;
        lastRow_ = vertical ? endM : endN;
        hasLast_ = true;
    }

    // Cuts the segment to the box [-1, w + 1] x [-1, h + 1] as the painter does; false when
    // it lies wholly beyond one side. A cut end (or none left) starts the joints afresh.
    bool Clip(double& u0, double& v0, double& u1, double& v1) {
        const double lo = -1, uHi = static_cast<double>(w_) + 1;
        const double vHi = static_cast<double>(h_) + 1;
        auto cut = [&](double& a0, double& b0, double& a1, double& b1, double aLo, double aHi) {
            if (a0 < aLo) {
                if (a1 <= aLo) return false;
                b0 += (b1 - b0) / (a1 - a0) * (aLo - a0);
                a0 = aLo;
            } else if (a0 > aHi) {
                if (a1 >= aHi) return false;
                b0 += (b1 - b0) / (a1 - a0) * (aHi - a0);
                a0 = aHi;
            }
            if (a1 < aLo) {
                hasLast_ = false;
                b1 += (b1 - b0) / (a1 - a0) * (aLo - a1);
                a1 = aLo;
            } else if (a1 > aHi) {
                hasLast_ = false;
                b1 += (b1 - b0) / (a1 - a0) * (aHi - a1);
                a1 = aHi;
            }
            return true;
        };
        if (!cut(u0, v0, u1, v1, lo, uHi) || !cut(v0, u0, v1, u1, lo, vHi)) {
            hasLast_ = false;
            return false;
        }
        return true;
    }

    bool hasLast_ = false;
    int64_t lastCol_ = 0, lastRow_ = 0;
    int lastDir_ = kNone;
    bool lastAxisAligned_ = false;
    int64_t w_, h_;
    uint8_t* px_;
};

// Draws the segments between points [from, to) into mask. A line starts at a non-finite point
// or, when lineStarts, at from; it ends at one or, when lineEnds, at the last point.
void DrawPiece(std::span<const double> xs, std::span<const double> ys, const RasterView& view,
               size_t from, size_t to, bool lineStarts, bool lineEnds, RasterMask& mask) {
    Canvas canvas(mask);
    const double sx = view.width * view.scale / (view.xUpper - view.xLower);
    const double sy = view.height * view.scale / (view.yUpper - view.yLower);
    const double v0 = (view.height - 1) * view.scale;
    const double xl = view.xLower, yl = view.yLower;
    auto place = [&](size_t i, double& u, double& v) {
        u = (xs[i] - xl) * sx;
        v = v0 - (ys[i] - yl) * sy;
        return std::isfinite(u) && std::isfinite(v);
    };
    double pu = 0, pv = 0, u = 0, v = 0;
    bool hasPrev = false, first = lineStarts;
    bool valid = from < to && place(from, u, v);
    for (size_t i = from; i < to; ++i) {
        // (u, v) is point i; look one point ahead to know whether a line ends at it.
        double nu = 0, nv = 0;
        const bool nextValid = i + 1 < to && place(i + 1, nu, nv);
        if (!valid) {
            canvas.BreakLine();
            hasPrev = false;
            first = true;
        } else {
            if (hasPrev) {
                const bool ends = i + 1 < to ? !nextValid : lineEnds;
                canvas.Segment(pu, pv, u, v, first, ends);
                first = false;
            }
            hasPrev = true;
            pu = u;
            pv = v;
        }
        u = nu;
        v = nv;
        valid = nextValid;
    }
}

}  // namespace

int RasterView::PixelWidth() const {
    return std::max(0, static_cast<int>(std::lround(width * scale)));
}

int RasterView::PixelHeight() const {
    return std::max(0, static_cast<int>(std::lround(height * scale)));
}

RasterMask RasterizePolyline(std::span<const double> xs, std::span<const double> ys,
                             const RasterView& view, int threads, size_t minPiece) {
    RasterMask mask;
    mask.width = view.PixelWidth();
    mask.height = view.PixelHeight();
    mask.covered.assign(static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height), 0);
    const size_t n = std::min(xs.size(), ys.size());
    const bool usable = std::isfinite(view.width * view.scale / (view.xUpper - view.xLower)) &&
                        std::isfinite(view.height * view.scale / (view.yUpper - view.yLower)) &&
                        view.xUpper != view.xLower && view.yUpper != view.yLower;
    if (mask.covered.empty() || n < 2 || !usable) return mask;

    const size_t pieces = std::clamp<size_t>(n / std::max<size_t>(minPiece, 1), 1,
                                             static_cast<size_t>(std::max(threads, 1)));
    // Piece k draws the segments that start at its points; its last point is the next
    // piece's first, so every segment is drawn once.
    auto bound = [&](size_t k) { return k * n / pieces; };
    std::vector<RasterMask> others(pieces - 1);
    std::vector<std::thread> workers;
    workers.reserve(pieces - 1);
    for (size_t k = 1; k < pieces; ++k) {
        RasterMask& m = others[k - 1];
        m.width = mask.width;
        m.height = mask.height;
        workers.emplace_back([&, k] {
            m.covered.assign(mask.covered.size(), 0);
            DrawPiece(xs, ys, view, bound(k), std::min(n, bound(k + 1) + 1), false, k + 1 == pieces,
                      m);
        });
    }
    DrawPiece(xs, ys, view, 0, std::min(n, bound(1) + 1), true, pieces == 1, mask);
    for (std::thread& t : workers) t.join();
    for (const RasterMask& m : others) {
        for (size_t p = 0; p < mask.covered.size(); ++p) mask.covered[p] |= m.covered[p];
    }
    return mask;
}

}  // namespace qlnx
