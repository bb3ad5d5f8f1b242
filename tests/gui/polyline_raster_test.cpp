// The pixels of a long polyline as the chart's picture of them covers them, held against the
// same polyline drawn by a painter with a one-pixel pen without antialiasing.
#include "gui/chart/polyline_raster.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "test_application.h"

namespace qlnx {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Where the chart puts a point, in pixels from the plot rectangle's top left corner.
QPointF Place(double x, double y, const RasterView& v) {
    return QPointF((x - v.xLower) * (v.width / (v.xUpper - v.xLower)),
                   (v.height - 1) - (y - v.yLower) * (v.height / (v.yUpper - v.yLower)));
}

// The painter's drawing: the line broken at non-finite points.
QImage PainterDrawing(const std::vector<double>& xs, const std::vector<double>& ys,
                      const RasterView& v) {
    QImage image(v.width, v.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    QPolygonF line;
    auto flush = [&] {
        if (line.size() > 1) p.drawPolyline(line);
        line.clear();
    };
    for (size_t i = 0; i < xs.size(); ++i) {
        const QPointF at = Place(xs[i], ys[i], v);
        if (std::isfinite(at.x()) && std::isfinite(at.y())) {
            line.append(at);
        } else {
            flush();
        }
    }
    flush();
    return image;
}

struct Difference {
    int covered = 0;       // pixels the painter covers
    int differing = 0;     // pixels covered by one drawing alone
    int awayFromEnds = 0;  // of those, ones farther from every point of the polyline
};

Difference Compare(const RasterMask& mask, const QImage& drawing, const std::vector<double>& xs,
                   const std::vector<double>& ys, const RasterView& v) {
    // Pixels at most two pixels from a segment's end: the joint's own pixel, the painter's
    // first pixel of the next segment (the end rounded rather than cut down), and a pixel it
    // adds before that one to close a gap at a turn.
    std::vector<uint8_t> nearEnd(static_cast<size_t>(v.width * v.height), 0);
    for (size_t i = 0; i < xs.size(); ++i) {
        const QPointF at = Place(xs[i], ys[i], v);
        if (!std::isfinite(at.x()) || !std::isfinite(at.y())) continue;
        const double col = std::floor(at.x()), row = std::floor(at.y());
        if (col < -2 || row < -2 || col > v.width + 1 || row > v.height + 1) continue;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = static_cast<int>(col) + dx, y = static_cast<int>(row) + dy;
                if (x >= 0 && y >= 0 && x < v.width && y < v.height) {
                    nearEnd[static_cast<size_t>(y * v.width + x)] = 1;
                }
            }
        }
    }
    Difference d;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const size_t at = static_cast<size_t>(y * mask.width + x);
            const bool painted = qGray(drawing.pixel(x, y)) < 128;
            d.covered += painted;
            if ((mask.covered[at] != 0) == painted) continue;
            ++d.differing;
            d.awayFromEnds += !nearEnd[at];
        }
    }
    return d;
}

// Single segments in every direction, short and long, some running off the plot: the very
// pixels the painter covers.
TEST(PolylineRasterTest, ASegmentCoversExactlyThePixelsAPainterDraws) {
    test::TestApplication();
    const RasterView view{0, 40, 0, 30, 40, 30, 1};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(-5, 45), y(-5, 35), step(-3, 3);
    for (int k = 0; k < 400; ++k) {
        std::vector<double> xs{x(random)}, ys{y(random)};
        // Long segments first, then ones of a few pixels, as a dense record has.
        xs.push_back(k < 200 ? x(random) : xs[0] + step(random));
        ys.push_back(k < 200 ? y(random) : ys[0] + step(random));
        const RasterMask mask = RasterizePolyline(xs, ys, view, 1);
        const QImage drawing = PainterDrawing(xs, ys, view);
        for (int row = 0; row < view.height; ++row) {
            for (int col = 0; col < view.width; ++col) {
                const bool painted = qGray(drawing.pixel(col, row)) < 128;
                ASSERT_EQ(mask.covered[static_cast<size_t>(row * view.width + col)] != 0, painted)
                    << "segment (" << xs[0] << ", " << ys[0] << ") - (" << xs[1] << ", " << ys[1]
                    << "), pixel " << col << ", " << row;
            }
        }
    }
}

// Long polylines: the raster equals the painter's drawing away from the points. Within two
// pixels of a point (where two segments join) the painter decides which segment draws the
// shared pixel, adds a pixel at some turns and shifts a segment that continues its
// predecessor by half a step; the raster follows those rules in most joins and differs at
// some: about 2% of the pixels of a sparse line, up to 15% where a dense record joins
// segments in nearly every pixel (the ink is then the same to the eye).
TEST(PolylineRasterTest, APolylineDiffersFromThePaintersOnlyBesideItsJoints) {
    test::TestApplication();
    struct Case {
        const char* name;
        int points;
        int loops;
        RasterView view;
        int differingPerCent;  // of the pixels covered, at most
    };
    // Growing loops with noise; a stretch far out of the plot and back, then a gap.
    const Case cases[] = {
        {"sparse loops, whole view", 3000, 6, {-10.5, 10.5, -1050, 1050, 400, 300, 1}, 5},
        {"dense loops, whole view", 60000, 40, {-10.5, 10.5, -1050, 1050, 400, 300, 1}, 20},
        {"dense loops zoomed, crossing the border",
         60000,
         40,
         {-2.2, 3.1, -150, 420, 350, 260, 1},
         20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> xs, ys;
        for (int i = 0; i < c.points; ++i) {
            const double t = 2 * M_PI * c.loops * i / c.points;
            const double amp = 1 + 9.0 * i / c.points;
            xs.push_back(amp * std::sin(t) + 0.01 * std::sin(i * 7.77));
            ys.push_back(100 * amp * std::sin(t + 0.3) + 0.5 * std::sin(i * 12.9898));
            if (i == c.points / 3) {
                xs.insert(xs.end(), {500, kNaN});
                ys.insert(ys.end(), {-3000, 0});
            }
        }
        const QImage drawing = PainterDrawing(xs, ys, c.view);
        for (int threads : {1, 3}) {
            const RasterMask mask = RasterizePolyline(xs, ys, c.view, threads, 1000);
            ASSERT_EQ(mask.width, drawing.width());
            ASSERT_EQ(mask.height, drawing.height());
            const Difference d = Compare(mask, drawing, xs, ys, c.view);
            EXPECT_GT(d.covered, 2000);
            EXPECT_EQ(d.awayFromEnds, 0) << threads << " threads";
            EXPECT_LE(d.differing * 100, d.covered * c.differingPerCent) << threads << " threads";
        }
    }
}

}  // namespace
}  // namespace qlnx
