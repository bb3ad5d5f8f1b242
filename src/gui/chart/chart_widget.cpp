#include "gui/chart/chart_widget.h"

#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "gui/chart/colored_curve.h"
#include "gui/chart/legend_check_item.h"
#include "gui/chart/series_curve.h"

namespace qlnx {

namespace {

// A point is under the mouse when its centre lies within this many pixels.
constexpr double kHitRadius = 5.0;
// A mouse travelling less than this (Manhattan distance) between press and release clicked.
constexpr int kClickSlop = 3;
// A zoom rectangle narrower or lower than this is taken as a slip of the hand, not a zoom.
constexpr int kMinZoomPixels = 5;
// Free space around the data when the axes are refitted, as a share of the data's extent.
constexpr double kFitMargin = 0.02;
// The axis range of an empty chart, as it first shows.
const QCPRange kEmptyRange(0, 5);

QCPRange FittedRange(double lo, double hi) {
    if (lo == hi) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        return QCPRange(lo - pad, hi + pad);
    }
    const double pad = (hi - lo) * kFitMargin;
    return QCPRange(lo - pad, hi + pad);
}

}  // namespace

struct ChartWidget::Impl {
    explicit Impl(ChartModel& m) : model(m) {}

    ChartModel& model;
    std::vector<SeriesCurve*> curves;  // by the model's series index
    QCPLayer* cursorLayer = nullptr;
    QCPLayer* loopLayer = nullptr;  // the loop series alone: the costly one to draw
    bool layeredRedraw = true;
    // What the last full replot drew with: a style change since then, an export (it draws
    // the curves outside the screen's buffers), or another view needs a full replot again.
    bool fullNeeded = true;
    bool viewDrawn = false;
    QCPRange drawnX, drawnY;
    QRect drawnViewport;
    QCPItemStraightLine* cursorV = nullptr;
    QCPItemStraightLine* cursorH = nullptr;
    bool cursorActive = false;

    ChartSeries* dragSeries = nullptr;
    std::function<void(int)> onDrag;
    int dragIndex = -1;  // point being dragged, -1 when no drag runs

    bool zooming = false;  // a rubber band is open (left button on the plot area)
    QPoint zoomStart;
    bool panning = false;  // right button held: drag pans, a click opens the menu
    bool panMoved = false;
    QPoint panStart;
    QCPRange panX, panY;

    QMenu* menu = nullptr;  // the right-click menu

    bool pressJustHappened = false;  // the last mouse event was a press
    bool hasLastMouse = false;
    QPoint lastMouse;

    SeriesCurve* curveOf(const ChartSeries* s) const {
        const int i = model.IndexOf(s);
        return i < 0 ? nullptr : curves[static_cast<size_t>(i)];
    }
};

ChartWidget::ChartWidget(ChartModel& model, QWidget* parent)
    : QCustomPlot(parent), d_(new Impl(model)) {
    setMouseTracking(true);
    setContextMenuPolicy(
        Qt::PreventContextMenu);  // the right button pans; a right click opens our menu

    xAxis->setLabel(QString::fromLatin1(ChartModel::kXAxisTitle));
    yAxis->setLabel(QString::fromLatin1(ChartModel::kYAxisTitle));
    // Wheel zoom; the rubber band is driven by the mouse handlers below.
    setInteractions(QCP::iRangeZoom);
    axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    setSelectionRectMode(QCP::srmZoom);

    d_->menu = new QMenu(this);
    d_->menu->setObjectName(QStringLiteral("chartMenu"));
    d_->menu->addAction(tr("Reset zoom"), this, [this] { rescaleToData(); })
        ->setObjectName(QStringLiteral("ResetZoom1"));
    d_->menu
        ->addAction(tr("Save chart as image\u2026"), this, [this] { emit saveImageRequested(); })
        ->setObjectName(QStringLiteral("SaveChartImage1"));

    // The legend sits inside the plot, in the corner a hysteresis curve leaves empty, opaque
    // and above the series, so no curve runs through its text.
    legend->setVisible(true);
    legend->setSelectableParts(QCPLegend::spNone);
    legend->setBrush(Qt::white);
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);

    // The cursor lines get a buffer of their own, so moving them repaints only that layer.
    addLayer(QStringLiteral("cursor"), layer(QStringLiteral("overlay")), limAbove);
    d_->cursorLayer = layer(QStringLiteral("cursor"));
    d_->cursorLayer->setMode(QCPLayer::lmBuffered);
    const QPen cursorPen(QColor(0, 128, 0), 1);
    d_->cursorV = new QCPItemStraightLine(this);
    d_->cursorH = new QCPItemStraightLine(this);
    for (QCPItemStraightLine* line : {d_->cursorV, d_->cursorH}) {
        line->setLayer(d_->cursorLayer);
        line->setPen(cursorPen);
        line->setSelectable(false);
        line->point1->setType(QCPItemPosition::ptAbsolute);
        line->point2->setType(QCPItemPosition::ptAbsolute);
        line->setVisible(false);
    }

    // The series get buffered layers, in chart order: the marks of the chosen loop, the loop
    // (millions of points), then the line series on "main". A change of the small series
    // redraws their layer alone and the loop's picture is reused.
    QCPLayer* mainLayer = layer(QStringLiteral("main"));
    addLayer(QStringLiteral("marks"), mainLayer, limBelow);
    addLayer(QStringLiteral("loop"), mainLayer, limBelow);
    QCPLayer* marksLayer = layer(QStringLiteral("marks"));
    d_->loopLayer = layer(QStringLiteral("loop"));
    for (QCPLayer* l : {marksLayer, d_->loopLayer, mainLayer}) l->setMode(QCPLayer::lmBuffered);

    setAutoAddPlottableToLegend(false);
    for (int i = 0; i < model.SeriesCount(); ++i) {
        const ChartSeries& s = model.GetSeries(i);
        // Marker-only series paint every point in its own colour.
        SeriesCurve* curve =
            s.DrawLine ? new SeriesCurve(xAxis, yAxis, s) : new ColoredCurve(xAxis, yAxis, s);
        d_->curves.push_back(curve);
        if (i == ChartModel::LoopSeries) {
            curve->setLayer(d_->loopLayer);
        } else if (!s.DrawLine) {
            curve->setLayer(marksLayer);
        }
        if (s.ShowInLegend) legend->addItem(new LegendCheckItem(legend, curve));
    }

    connect(this, &QCustomPlot::afterReplot, this, [this] {
        d_->fullNeeded = false;
        d_->viewDrawn = true;
        d_->drawnX = xAxis->range();
        d_->drawnY = yAxis->range();
        d_->drawnViewport = viewport();
    });
}

ChartWidget::~ChartWidget() { delete d_; }

void ChartWidget::refresh() {
    for (SeriesCurve* curve : d_->curves) {
        if (curve->applyStyle()) d_->fullNeeded = true;
    }
    // Points are copied (or decimated) while drawing, only for series whose Revision moved.
    redrawChanged(rpQueuedRefresh);
}

void ChartWidget::setLayeredRedraw(bool on) { d_->layeredRedraw = on; }

void ChartWidget::redrawChanged(RefreshPriority fullPriority) {
    emit aboutToRedraw();
    // Styles reach the legend, and the axes, the size and the loop's points reach the
    // loop's picture (its decimation follows the view): those need everything drawn.
    const bool sameView = d_->viewDrawn && xAxis->range() == d_->drawnX &&
                          yAxis->range() == d_->drawnY && viewport() == d_->drawnViewport;
    bool full = !d_->layeredRedraw || d_->fullNeeded || !sameView;
    std::vector<QCPLayer*> changed;
    for (SeriesCurve* curve : d_->curves) {
        if (full || !curve->hasUndrawnChange()) continue;
        if (curve->layer() == d_->loopLayer) {
            full = true;
        } else if (std::find(changed.begin(), changed.end(), curve->layer()) == changed.end()) {
            changed.push_back(curve->layer());
        }
    }
    if (full) {
        replot(fullPriority);
        return;
    }
    // A layer whose buffer is out of date (after a resize) replots the whole chart itself.
    for (QCPLayer* l : changed) l->replot();
}

void ChartWidget::rescaleToData() {
    double xlo = std::numeric_limits<double>::infinity(), xhi = -xlo, ylo = xlo, yhi = -xlo;
    for (int i = 0; i < d_->model.SeriesCount(); ++i) {
        const ChartSeries& s = d_->model.GetSeries(i);
        if (!s.Active) continue;
        const auto& xs = s.XValues();
        const auto& ys = s.YValues();
        for (size_t k = 0; k < xs.size(); ++k) {
            if (!std::isfinite(xs[k]) || !std::isfinite(ys[k])) continue;
            xlo = std::min(xlo, xs[k]);
            xhi = std::max(xhi, xs[k]);
            ylo = std::min(ylo, ys[k]);
            yhi = std::max(yhi, ys[k]);
        }
    }
    if (xlo <= xhi) {
        xAxis->setRange(FittedRange(xlo, xhi));
        yAxis->setRange(FittedRange(ylo, yhi));
    } else {
        // Nothing to show: the empty chart's ranges, not those of a record that is gone.
        xAxis->setRange(kEmptyRange);
        yAxis->setRange(kEmptyRange);
    }
    refresh();
}

double ChartWidget::XScreenToValue(int pixelX) const { return xAxis->pixelToCoord(pixelX); }
double ChartWidget::YScreenToValue(int pixelY) const { return yAxis->pixelToCoord(pixelY); }
double ChartWidget::XValueToScreen(double x) const { return xAxis->coordToPixel(x); }
double ChartWidget::YValueToScreen(double y) const { return yAxis->coordToPixel(y); }

int ChartWidget::GetCursorValueIndex(const ChartSeries& series, QPoint pos) const {
    if (!series.Active || !axisRect()->rect().contains(pos)) return -1;
    // Value window of the hit circle first: a cheap test that skips almost every point.
    double xa = XScreenToValue(pos.x() - static_cast<int>(kHitRadius));
    double xb = XScreenToValue(pos.x() + static_cast<int>(kHitRadius));
    double ya = YScreenToValue(pos.y() - static_cast<int>(kHitRadius));
    double yb = YScreenToValue(pos.y() + static_cast<int>(kHitRadius));
    if (xa > xb) std::swap(xa, xb);
    if (ya > yb) std::swap(ya, yb);
    const auto& xs = series.XValues();
    const auto& ys = series.YValues();
    int best = -1;
    double bestD2 = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i], y = ys[i];
        if (!(x >= xa && x <= xb && y >= ya && y <= yb)) continue;
        const double dx = XValueToScreen(x) - pos.x();
        const double dy = YValueToScreen(y) - pos.y();
        const double d2 = dx * dx + dy * dy;
        // Nearest point wins; of equally near points the earliest.
        if (d2 <= kHitRadius * kHitRadius && (best < 0 || d2 < bestD2)) {
            best = static_cast<int>(i);
            bestD2 = d2;
        }
    }
    return best;
}

int ChartWidget::GetCursorValueIndex(const ChartSeries& series) const {
    const QPoint pos = d_->hasLastMouse ? d_->lastMouse : mapFromGlobal(QCursor::pos());
    return GetCursorValueIndex(series, pos);
}

void ChartWidget::setDragSeries(ChartSeries* series) {
    // A drag that runs while the tool changes its series ends here.
    if (const int dragged = std::exchange(d_->dragIndex, -1); dragged >= 0)
        emit dragFinished(dragged);
    d_->dragSeries = series;
}

ChartSeries* ChartWidget::dragSeries() const { return d_->dragSeries; }

void ChartWidget::setOnDrag(std::function<void(int index)> onDrag) {
    d_->onDrag = std::move(onDrag);
}

bool ChartWidget::hasOnDrag() const { return static_cast<bool>(d_->onDrag); }

void ChartWidget::setCursorActive(bool active) {
    d_->cursorActive = active;
    if (active && d_->hasLastMouse) {
        moveCursorLines(d_->lastMouse);
    } else {
        d_->cursorV->setVisible(false);
        d_->cursorH->setVisible(false);
        d_->cursorLayer->replot();
    }
}

bool ChartWidget::cursorActive() const { return d_->cursorActive; }

bool ChartWidget::cursorLinesVisible() const {
    return d_->cursorV->visible() && d_->cursorH->visible();
}

QPoint ChartWidget::cursorPosition() const {
    return QPoint(static_cast<int>(std::lround(d_->cursorV->point1->coords().x())),
                  static_cast<int>(std::lround(d_->cursorH->point1->coords().y())));
}

int ChartWidget::drawnPointCount(int seriesIndex) const {
    return d_->curves[static_cast<size_t>(seriesIndex)]->drawnCount();
}

void ChartWidget::moveCursorLines(QPoint pos) {
    const QRect plot = axisRect()->rect();
    const bool inside = plot.contains(pos);
    d_->cursorV->setVisible(inside);
    d_->cursorH->setVisible(inside);
    if (inside) {
        d_->cursorV->point1->setCoords(pos.x(), plot.top());
        d_->cursorV->point2->setCoords(pos.x(), plot.bottom());
        d_->cursorH->point1->setCoords(plot.left(), pos.y());
        d_->cursorH->point2->setCoords(plot.right(), pos.y());
    }
    d_->cursorLayer->replot();
}

bool ChartWidget::toggleLegendAt(QPoint pos) {
    if (!legend->visible() || !legend->outerRect().contains(pos)) return false;
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i));
        if (!item || !item->outerRect().contains(pos)) continue;
        const auto curve = std::find(d_->curves.begin(), d_->curves.end(), item->plottable());
        if (curve == d_->curves.end()) {
            // A plottable of another view (the constructions) is shown or hidden as it is.
            item->plottable()->setVisible(!item->plottable()->visible());
            d_->fullNeeded = true;
            continue;
        }
        ChartSeries& s = d_->model.GetSeries(static_cast<int>(curve - d_->curves.begin()));
        s.Active = !s.Active;
        if ((*curve)->applyStyle()) d_->fullNeeded = true;
    }
    replot(rpQueuedReplot);
    emit legendClicked();
    return true;
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->pos();
    d_->lastMouse = pos;
    d_->hasLastMouse = true;
    d_->pressJustHappened = true;
    event->accept();
    if (event->button() == Qt::LeftButton) {
        // The legend's check boxes and the drag tool come before the rubber band.
        if (toggleLegendAt(pos)) return;
        if (d_->dragSeries) {
            const int hit = GetCursorValueIndex(*d_->dragSeries, pos);
            if (hit >= 0) {
                d_->dragIndex = hit;
                emit dragStarted(hit);
                return;
            }
        }
        if (axisRect()->rect().contains(pos)) {
            d_->zooming = true;
            d_->zoomStart = pos;
            QCustomPlot::mousePressEvent(event);
        }
    } else if (event->button() == Qt::RightButton) {
        d_->panning = true;
        d_->panMoved = false;
        d_->panStart = pos;
        d_->panX = xAxis->range();
        d_->panY = yAxis->range();
    }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->pos();
    d_->lastMouse = pos;
    d_->hasLastMouse = true;
    d_->pressJustHappened = false;
    event->accept();
    emit chartMouseMoved(pos.x(), pos.y());

    if (d_->dragIndex >= 0 && d_->dragSeries) {
        if (d_->dragIndex < d_->dragSeries->Count()) dragTo(pos);
    } else if (d_->zooming) {
        QCustomPlot::mouseMoveEvent(event);
    } else if (d_->panning) {
        const QPoint delta = pos - d_->panStart;
        if (delta.manhattanLength() > kClickSlop) d_->panMoved = true;
        if (d_->panMoved) {
            const QRect plot = axisRect()->rect();
            const double dx = delta.x() * d_->panX.size() / std::max(1, plot.width());
            const double dy = delta.y() * d_->panY.size() / std::max(1, plot.height());
            xAxis->setRange(d_->panX.lower - dx, d_->panX.upper - dx);
            yAxis->setRange(d_->panY.lower + dy, d_->panY.upper + dy);
            replot(rpQueuedReplot);
        }
    }
    if (d_->cursorActive) moveCursorLines(pos);
}

void ChartWidget::dragTo(QPoint pos) {
    const int index = d_->dragIndex;
    d_->dragSeries->SetXY(index, XScreenToValue(pos.x()), YScreenToValue(pos.y()));
    if (SeriesCurve* curve = d_->curveOf(d_->dragSeries)) curve->pointMoved(index);
    if (d_->onDrag) d_->onDrag(index);
    redrawChanged(rpQueuedReplot);
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->pos();
    d_->lastMouse = pos;
    d_->hasLastMouse = true;
    d_->pressJustHappened = false;
    event->accept();
    if (event->button() == Qt::LeftButton) {
        if (const int dragged = std::exchange(d_->dragIndex, -1); dragged >= 0)
            emit dragFinished(dragged);
        if (d_->zooming) {
            d_->zooming = false;
            const QPoint delta = pos - d_->zoomStart;
            const bool moved = delta.manhattanLength() > kClickSlop;
            // Dragging the band to the left undoes the zoom, as chart users expect; a band
            // too thin to mean anything does nothing.
            const bool undo = moved && delta.x() < 0;
            const bool tooThin =
                std::abs(delta.x()) < kMinZoomPixels || std::abs(delta.y()) < kMinZoomPixels;
            if (undo || tooThin) selectionRect()->cancel();
            QCustomPlot::mouseReleaseEvent(event);
            if (undo) rescaleToData();
        }
    } else if (event->button() == Qt::RightButton && d_->panning) {
        d_->panning = false;
        if (!d_->panMoved) showChartMenu(event->globalPosition().toPoint());
    }
}

void ChartWidget::processRectZoom(QRect rect, QMouseEvent* event) {
    Q_UNUSED(rect);  // its far edge lies a pixel beyond the release point
    const QPoint a = d_->zoomStart, b = event->pos();
    const double x0 = XScreenToValue(a.x()), x1 = XScreenToValue(b.x());
    const double y0 = YScreenToValue(a.y()), y1 = YScreenToValue(b.y());
    xAxis->setRange(std::min(x0, x1), std::max(x0, x1));
    yAxis->setRange(std::min(y0, y1), std::max(y0, y1));
    replot(rpQueuedReplot);
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->pos();
    d_->lastMouse = pos;
    d_->hasLastMouse = true;
    event->accept();
    if (d_->zooming) {
        d_->zooming = false;
        selectionRect()->cancel();
    }
    if (const int dragged = std::exchange(d_->dragIndex, -1); dragged >= 0)
        emit dragFinished(dragged);
    if (event->button() != Qt::LeftButton) return;
    // A double click on the legend is two clicks on its check box; some platforms deliver
    // the second press only as this event.
    if (legend->visible() && legend->outerRect().contains(pos)) {
        if (!d_->pressJustHappened) toggleLegendAt(pos);
        d_->pressJustHappened = false;
        return;
    }
    d_->pressJustHappened = false;
    emit chartDoubleClicked();
}

void ChartWidget::leaveEvent(QEvent* event) {
    d_->hasLastMouse = false;
    emit chartMouseLeft();
    if (d_->cursorV->visible()) {
        d_->cursorV->setVisible(false);
        d_->cursorH->setVisible(false);
        d_->cursorLayer->replot();
    }
    QCustomPlot::leaveEvent(event);
}

void ChartWidget::showChartMenu(QPoint globalPos) { d_->menu->popup(globalPos); }

bool ChartWidget::saveImage(const QString& fileName, bool pdf) {
    const bool cursorShown = d_->cursorV->visible();
    d_->cursorV->setVisible(false);
    d_->cursorH->setVisible(false);
    // An image for a report: the legend without its check boxes.
    LegendCheckItem::SetDrawCheckBoxes(false);
    const bool saved = pdf ? savePdf(fileName) : savePng(fileName, 0, 0, 2.0);
    LegendCheckItem::SetDrawCheckBoxes(true);
    d_->cursorV->setVisible(cursorShown);
    d_->cursorH->setVisible(cursorShown);
    d_->fullNeeded = true;
    return saved;
}

QMenu* ChartWidget::chartMenu() const { return d_->menu; }

}  // namespace qlnx
