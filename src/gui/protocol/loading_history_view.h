// View > Loading History: the record's displacement against time (or sample number), the
// levels shaded, the recognised protocol's planned amplitudes drawn as steps on both sides and
// the chosen loop highlighted. A click on a cycle chooses its loop; a drag over the history
// chooses the range of samples to analyse; Whole Record goes back to the whole record. It
// follows the analysis state: every drawing of the main chart brings it up to date.
#pragma once

#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/analysis_state.h"
#include "core/loading_history.h"

class QCPGraph;
class QCPItemRect;
class QCustomPlot;
class QLabel;
class QMouseEvent;
class QPushButton;

namespace qlnx {

class ChartWidget;

class LoadingHistoryView : public QWidget {
    Q_OBJECT
public:
    LoadingHistoryView(const AnalysisState& state, ChartWidget* chart, QWidget* parent);

    // Called with a 0-based loop when a cycle is clicked.
    void SetLoopSelector(std::function<void(int)> select) { selectLoop_ = std::move(select); }
    // Called with the first and last sample (0-based) of the imported curve a drag chose.
    void SetRangeSelector(std::function<void(size_t, size_t)> select) {
        selectRange_ = std::move(select);
    }
    // Called by Whole Record.
    void SetWholeRecord(std::function<void()> whole) { wholeRecord_ = std::move(whole); }
    // The range of lines the record is read in ("Lines 7682 to 9281"), empty for the whole
    // record (Whole Record disabled then).
    void SetRangeInForce(std::function<QString()> inForce) { rangeInForce_ = std::move(inForce); }

    // Brings the history up to date with the state: redrawn when the record or its analysis
    // changed, the chosen loop's highlight always.
    void Update();
    const LoadingHistory& History() const { return history_; }
    QCustomPlot* Plot() const { return pltHistory; }

    // The plot's graphs, in drawing order.
    enum Graph { Displacement, PlannedPositive, PlannedNegative, ChosenLoop, GraphCount };

private:
    void Redraw();
    void ShowChosenLoop();
    void Pressed(QMouseEvent* event);
    void Moved(QMouseEvent* event);
    void Released(QMouseEvent* event);

    const AnalysisState& state_;
    std::function<void(int)> selectLoop_;
    std::function<void(size_t, size_t)> selectRange_;
    std::function<void()> wholeRecord_;
    std::function<QString()> rangeInForce_;

    LoadingHistory history_;
    uint64_t shownRevision_ = ~uint64_t{0};
    size_t shownSamples_ = 0;
    int shownLoop_ = -2;
    // A press on the plot: its pixel and abscissa; a drag once the mouse moved far enough.
    bool pressed_ = false;
    bool dragging_ = false;
    int pressPixel_ = 0;
    double pressX_ = 0;

    QLabel* lblProtocol = nullptr;
    QLabel* lblRange = nullptr;
    QPushButton* btnWholeRecord = nullptr;
    QCustomPlot* pltHistory = nullptr;
    QCPItemRect* selection_ = nullptr;
};

}  // namespace qlnx
