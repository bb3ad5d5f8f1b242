// The main chart: draws the six series of a ChartModel on QCustomPlot, with legend check
// boxes, rubber-band zoom, hit-testing, a drag-point tool and a cursor tool.
#pragma once

#include <qcustomplot.h>

#include <functional>

#include "core/chart_model.h"

namespace qlnx {

class ChartWidget : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartWidget(ChartModel& model, QWidget* parent = nullptr);
    ~ChartWidget() override;

    // Redraws what changed in the model (points by series Revision, styles, Active flags).
    // When only the points of series other than the loop changed and the view did not, only
    // the layers of those series are drawn again; the loop keeps its buffered picture.
    void refresh();
    // Whether refresh and drag steps may redraw single layers (the default). Off, they
    // replot the whole chart every time: the former way, kept for comparison.
    void setLayeredRedraw(bool on);
    // Refits both axes to the data of the shown series, then redraws.
    void rescaleToData();

    // Pixel (widget coordinates) to value through the series' axes, and back.
    double XScreenToValue(int pixelX) const;
    double YScreenToValue(int pixelY) const;
    double XValueToScreen(double x) const;
    double YValueToScreen(double y) const;

    // Index of the point of series under the widget position pos (nearest within a few
    // pixels, tested against the full data), -1 for none.
    int GetCursorValueIndex(const ChartSeries& series, QPoint pos) const;
    // The same at the mouse cursor's current position.
    int GetCursorValueIndex(const ChartSeries& series) const;

    // Drag-point tool: pressing on a point of the drag series starts a drag; every mouse move
    // sets the point to the value under the mouse and then calls the on-drag callback with the
    // point's index; release ends the drag. No series: the tool does nothing.
    void setDragSeries(ChartSeries* series);
    ChartSeries* dragSeries() const;
    void setOnDrag(std::function<void(int index)> onDrag);
    bool hasOnDrag() const;

    // Cursor tool: a vertical and a horizontal line following the mouse.
    void setCursorActive(bool active);
    bool cursorActive() const;
    // Whether the cursor lines are drawn now (active and the mouse over the plot area), and
    // the widget pixel where they cross.
    bool cursorLinesVisible() const;
    QPoint cursorPosition() const;

    // Writes the chart as shown, without the cursor lines, to fileName: a PNG at twice the
    // screen resolution, or a PDF page of the chart's size. False when it cannot be written.
    bool saveImage(const QString& fileName, bool pdf);

    // Points of series seriesIndex handed to the plotting at the last drawing: the count of
    // the series, or fewer when a large series is drawn decimated.
    int drawnPointCount(int seriesIndex) const;

    // Mouse: a left press on a legend entry toggles its series (check box); on a point of the
    // drag series it starts a drag; elsewhere on the plot it opens a rubber band that zooms
    // on release (dragged to the left it refits the axes instead). The right button pans; a
    // right click opens the chart menu: "Reset zoom" and "Save chart as image…". The wheel
    // zooms.
    QMenu* chartMenu() const;

signals:
    // Every drawing after a change (refresh, a drag step) announces itself first, so views
    // of the model (the evaluation's constructions) can follow it in the same frame.
    void aboutToRedraw();
    // A click anywhere on the legend, after a check box toggled its series.
    void legendClicked();
    // Double click on the chart.
    void chartDoubleClicked();
    // Every mouse move over the chart, in widget pixels.
    void chartMouseMoved(int x, int y);
    // The mouse left the chart.
    void chartMouseLeft();
    // "Save chart as image…" was chosen in the chart menu.
    void saveImageRequested();
    // A press on point index of the drag series starts a drag; the release ends it (also
    // when the point did not move).
    void dragStarted(int index);
    void dragFinished(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Zooms to the band from the press to the release pixel, both axes.
    void processRectZoom(QRect rect, QMouseEvent* event) override;

private:
    void moveCursorLines(QPoint pos);
    bool toggleLegendAt(QPoint pos);
    void dragTo(QPoint pos);
    // Draws what changed since the last drawing: the layers of the changed series alone when
    // that is all, else the whole chart with the given priority.
    void redrawChanged(RefreshPriority fullPriority);
    void showChartMenu(QPoint globalPos);

    struct Impl;
    Impl* d_;
};

}  // namespace qlnx
