#include "gui/protocol/loading_history_view.h"

#include <qcustomplot.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/channel_table.h"
#include "gui/chart/chart_widget.h"
#include "gui/language/retranslation.h"

namespace qlnx {

namespace {

// A press that moves the mouse less than this (in pixels) before the release is a click.
constexpr int kDragPixels = 5;

const QColor kDisplacementColor(0, 90, 200);
const QColor kPlannedColor(200, 110, 0);
const QColor kChosenColor(220, 30, 30);
// The levels alternate between two light shades, so that neighbours stand apart.
const QColor kLevelShades[] = {QColor(0, 150, 80, 40), QColor(120, 60, 200, 40)};

QCPGraph* AddGraph(QCustomPlot* plot, const QString& name, const QPen& pen) {
    QCPGraph* g = plot->addGraph();
    g->setName(name);
    g->setPen(pen);
    g->setLineStyle(QCPGraph::lsLine);
    return g;
}

}  // namespace

LoadingHistoryView::LoadingHistoryView(const AnalysisState& state, ChartWidget* chart,
                                       QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("LoadingHistoryView"));
    setWindowTitle(QStringLiteral("Loading History"));
    auto* caption = new QLabel(QStringLiteral("Protocol:"), this);
    caption->setObjectName(QStringLiteral("lblProtocolCaption"));
    lblProtocol = new QLabel(this);
    lblProtocol->setObjectName(QStringLiteral("lblProtocol"));
    auto* hint = new QLabel(
        QStringLiteral("Click a cycle to choose its loop; drag over the history to analyse "
                       "that range only."),
        this);
    hint->setObjectName(QStringLiteral("lblHistoryHint"));
    lblRange = new QLabel(this);
    lblRange->setObjectName(QStringLiteral("lblRange"));
    btnWholeRecord = new QPushButton(QStringLiteral("Whole Record"), this);
    btnWholeRecord->setObjectName(QStringLiteral("btnWholeRecord"));
    btnWholeRecord->setToolTip(
        QStringLiteral("Read the whole record again, from the first line it was read from "
                       "before a range was chosen."));
    pltHistory = new QCustomPlot(this);
    pltHistory->setObjectName(QStringLiteral("pltHistory"));
    pltHistory->setMinimumHeight(160);
    pltHistory->xAxis->setLabel(QStringLiteral("Sample"));
    pltHistory->yAxis->setLabel(QStringLiteral("Displacement"));
    // The mouse wheel zooms the time axis; a drag chooses a range and does not pan.
    pltHistory->setInteractions(QCP::iRangeZoom);
    pltHistory->axisRect()->setRangeZoom(Qt::Horizontal);
    pltHistory->addLayer(QStringLiteral("levels"), pltHistory->layer(QStringLiteral("grid")),
                         QCustomPlot::limAbove);
    AddGraph(pltHistory, QStringLiteral("Displacement"), QPen(kDisplacementColor, 1));
    QPen planned(kPlannedColor, 1.5, Qt::DashLine);
    AddGraph(pltHistory, QStringLiteral("Planned amplitude"), planned)
        ->setLineStyle(QCPGraph::lsStepLeft);
    AddGraph(pltHistory, QStringLiteral("Planned amplitude (negative)"), planned)
        ->setLineStyle(QCPGraph::lsStepLeft);
    AddGraph(pltHistory, QStringLiteral("Chosen loop"), QPen(kChosenColor, 2));
    pltHistory->legend->setVisible(true);
    pltHistory->legend->removeItem(PlannedNegative);
    pltHistory->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    pltHistory->legend->setBrush(QColor(255, 255, 255, 200));
    selection_ = new QCPItemRect(pltHistory);
    selection_->setLayer(QStringLiteral("overlay"));
    selection_->topLeft->setTypeY(QCPItemPosition::ptAxisRectRatio);
    selection_->bottomRight->setTypeY(QCPItemPosition::ptAxisRectRatio);
    selection_->setPen(QPen(QColor(0, 0, 0, 120), 1, Qt::DotLine));
    selection_->setBrush(QColor(0, 90, 200, 40));
    selection_->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(lblProtocol, 1);
    top->addWidget(hint);
    top->addWidget(lblRange);
    top->addWidget(btnWholeRecord);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(pltHistory, 1);

    connect(pltHistory, &QCustomPlot::mousePress, this, &LoadingHistoryView::Pressed);
    connect(pltHistory, &QCustomPlot::mouseMove, this, &LoadingHistoryView::Moved);
    connect(pltHistory, &QCustomPlot::mouseRelease, this, &LoadingHistoryView::Released);
    connect(btnWholeRecord, &QPushButton::clicked, this, [this] {
        if (wholeRecord_) wholeRecord_();
    });
    if (chart != nullptr) {
        connect(chart, &ChartWidget::aboutToRedraw, this, [this] {
            if (isVisible()) Update();
        });
    }
    RetranslateTree(this);
}

void LoadingHistoryView::Update() {
    if (state_.AnalysisRevision != shownRevision_ || state_.RawDisp.size() != shownSamples_) {
        Redraw();
    } else if (state_.SelectedLoop != shownLoop_) {
        ShowChosenLoop();
        pltHistory->replot(QCustomPlot::rpQueuedReplot);
    }
    const QString range = rangeInForce_ ? rangeInForce_() : QString();
    SetDesignedText(lblRange, range);
    btnWholeRecord->setEnabled(!range.isEmpty());
}

void LoadingHistoryView::Redraw() {
    shownRevision_ = state_.AnalysisRevision;
    shownSamples_ = state_.RawDisp.size();
    history_ = MakeLoadingHistory(state_, EvaluationOptions{});
    const LoadingHistory& h = history_;

    const QVector<double> x(h.X.begin(), h.X.end());
    const QVector<double> y(state_.RawDisp.begin(), state_.RawDisp.end());
    pltHistory->graph(Displacement)->setData(x, y, true);

    // The planned amplitudes as steps over their levels, broken where a level has none.
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    QVector<double> stepX;
    QVector<double> positive;
    QVector<double> negative;
    for (size_t k = 0; k < h.Levels.size(); ++k) {
        const HistoryLevel& level = h.Levels[k];
        const double a = level.PlannedAmplitude ? *level.PlannedAmplitude : kGap;
        stepX << level.Span.First;
        positive << a;
        negative << -a;
        const bool last = k + 1 == h.Levels.size();
        if (last || h.Levels[k + 1].Span.First > level.Span.Last) {
            stepX << level.Span.Last;
            positive << a;
            negative << -a;
        }
    }
    // The legend names the planned amplitudes only when a protocol was recognised.
    if (h.Protocol) {
        pltHistory->graph(PlannedPositive)->addToLegend();
    } else {
        pltHistory->graph(PlannedPositive)->removeFromLegend();
    }
    pltHistory->graph(PlannedPositive)->setData(stepX, positive, true);
    pltHistory->graph(PlannedNegative)->setData(stepX, negative, true);

    // The levels, shaded over the whole height of the plot.
    for (int i = pltHistory->itemCount() - 1; i >= 0; --i) {
        QCPAbstractItem* item = pltHistory->item(i);
        if (item->layer() == pltHistory->layer(QStringLiteral("levels")))
            pltHistory->removeItem(item);
    }
    for (size_t k = 0; k < h.Levels.size(); ++k) {
        auto* shade = new QCPItemRect(pltHistory);
        shade->setObjectName(QStringLiteral("Level%1").arg(k + 1));
        shade->setLayer(QStringLiteral("levels"));
        shade->setClipToAxisRect(true);
        for (QCPItemPosition* p : {shade->topLeft, shade->bottomRight}) {
            p->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        shade->topLeft->setCoords(h.Levels[k].Span.First, 0);
        shade->bottomRight->setCoords(h.Levels[k].Span.Last, 1);
        shade->setPen(Qt::NoPen);
        shade->setBrush(kLevelShades[k % 2]);
    }

    QString xTitle = QStringLiteral("Sample");
    if (h.IsTime) {
        xTitle = QString::fromStdString(WithUnit("Time", h.TimeUnit));
    }
    pltHistory->xAxis->setLabel(xTitle);
    pltHistory->yAxis->setLabel(
        QString::fromStdString(WithUnit("Displacement", state_.Channels.DisplacementUnit)));
    if (h.Protocol) {
        SetDesignedText(lblProtocol, QString::fromStdString(*h.Protocol));
    } else if (h.Loops.empty()) {
        SetDesignedText(lblProtocol, QStringLiteral("analyse the loops to see the levels"));
    } else {
        SetDesignedText(lblProtocol, QStringLiteral("not recognised (measured levels)"));
    }
    RetranslateTree(this);
    ShowChosenLoop();
    pltHistory->rescaleAxes();
    const QCPRange r = pltHistory->yAxis->range();
    const double pad = r.size() > 0 ? r.size() * 0.05 : 1;
    pltHistory->yAxis->setRange(r.lower - pad, r.upper + pad);
    pltHistory->replot(QCustomPlot::rpQueuedReplot);
}

void LoadingHistoryView::ShowChosenLoop() {
    shownLoop_ = state_.SelectedLoop;
    QVector<double> x;
    QVector<double> y;
    const int k = state_.SelectedLoop;
    if (k >= 0 && static_cast<size_t>(k) < history_.Loops.size()) {
        const HistorySpan& span = history_.Loops[static_cast<size_t>(k)];
        if (const auto range = SamplesWithin(history_, span.First, span.Last)) {
            // One sample either side, so that the highlight reaches the crossings.
            const size_t first = range->First > 0 ? range->First - 1 : 0;
            const size_t last = std::min(range->Last + 1, history_.X.size() - 1);
            for (size_t i = first; i <= last; ++i) {
                x << history_.X[i];
                y << state_.RawDisp[i];
            }
        }
    }
    pltHistory->graph(ChosenLoop)->setData(x, y, true);
}

void LoadingHistoryView::Pressed(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    dragging_ = false;
    pressPixel_ = event->pos().x();
    pressX_ = pltHistory->xAxis->pixelToCoord(event->pos().x());
}

void LoadingHistoryView::Moved(QMouseEvent* event) {
    if (!pressed_) return;
    if (std::abs(event->pos().x() - pressPixel_) >= kDragPixels) dragging_ = true;
    if (!dragging_) return;
    selection_->topLeft->setCoords(pressX_, 0);
    selection_->bottomRight->setCoords(pltHistory->xAxis->pixelToCoord(event->pos().x()), 1);
    selection_->setVisible(true);
    pltHistory->replot(QCustomPlot::rpQueuedReplot);
}

void LoadingHistoryView::Released(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    selection_->setVisible(false);
    pltHistory->replot(QCustomPlot::rpQueuedReplot);
    const double x = pltHistory->xAxis->pixelToCoord(event->pos().x());
    if (dragging_ || std::abs(event->pos().x() - pressPixel_) >= kDragPixels) {
        dragging_ = false;
        const auto range = SamplesWithin(history_, pressX_, x);
        // A range of one sample is no record to analyse.
        if (range && range->Last > range->First && selectRange_) {
            selectRange_(range->First, range->Last);
        }
        return;
    }
    if (const auto loop = LoopAt(history_, x); loop && selectLoop_) selectLoop_(*loop);
}

}  // namespace qlnx
