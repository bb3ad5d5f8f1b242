#include "gui/evaluation/evaluation_plots.h"

#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace qlnx {

namespace {

QCustomPlot* NewPlot(const char* name, const QString& x, const QString& y) {
    auto* plot = new QCustomPlot;
    plot->setObjectName(QString::fromLatin1(name));
    plot->xAxis->setLabel(x);
    plot->yAxis->setLabel(y);
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->legend->setVisible(false);
    return plot;
}

QCPGraph* AddGraph(QCustomPlot* plot, const QString& name, const QColor& color, bool line,
                   QCPAxis* valueAxis = nullptr) {
    QCPGraph* g = plot->addGraph(plot->xAxis, valueAxis != nullptr ? valueAxis : plot->yAxis);
    g->setName(name);
    g->setPen(QPen(color, 1.5));
    g->setLineStyle(line ? QCPGraph::lsLine : QCPGraph::lsNone);
    g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, color, color, 5));
    return g;
}

// A null as NaN: the graph leaves a gap there.
double Value(const std::optional<double>& v) {
    return v ? *v : std::numeric_limits<double>::quiet_NaN();
}

void Fit(QCustomPlot* plot) {
    plot->rescaleAxes();
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis, plot->yAxis2}) {
        const QCPRange r = axis->range();
        const double pad = r.size() > 0 ? r.size() * 0.05 : 1;
        axis->setRange(r.lower - pad, r.upper + pad);
    }
    plot->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace

EvaluationPlots::EvaluationPlots(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("tabPlots"));
    energy_ = NewPlot("pltEnergy", QStringLiteral("Loop"), QStringLiteral("Energy per loop"));
    energy_->yAxis2->setVisible(true);
    energy_->yAxis2->setLabel(QStringLiteral("Cumulative energy"));
    energy_->legend->setVisible(true);
    energy_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    AddGraph(energy_, QStringLiteral("Energy"), QColor(0, 90, 200), true);
    AddGraph(energy_, QStringLiteral("Cumulative energy"), QColor(220, 110, 0), true,
             energy_->yAxis2);
    damping_ = NewPlot("pltDamping", QStringLiteral("Loop"),
                       QStringLiteral("Equivalent viscous damping he"));
    AddGraph(damping_, QStringLiteral("he"), QColor(0, 140, 70), true);
    stiffness_ =
        NewPlot("pltStiffness", QStringLiteral("Amplitude"), QStringLiteral("Secant stiffness"));
    AddGraph(stiffness_, QStringLiteral("Secant stiffness"), QColor(150, 60, 170), false);
    degradation_ = NewPlot("pltDegradation", QStringLiteral("Level"),
                           QStringLiteral("Strength to first cycle"));
    degradation_->legend->setVisible(true);
    degradation_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
    AddGraph(degradation_, QStringLiteral("Positive"), QColor(200, 30, 30), false);
    AddGraph(degradation_, QStringLiteral("Negative"), QColor(0, 90, 200), false);
    addTab(energy_, QStringLiteral("Energy"));
    addTab(damping_, QStringLiteral("Damping"));
    addTab(stiffness_, QStringLiteral("Secant Stiffness"));
    addTab(degradation_, QStringLiteral("Strength Degradation"));
}

void EvaluationPlots::Show(const TestEvaluation& e) {
    const auto n = static_cast<qsizetype>(e.Loops.size());
    QVector<double> loop(n), energy(n), cumulative(n), he(n), amplitude, stiffness;
    QVector<double> levelPos, firstPos, levelNeg, firstNeg;
    for (qsizetype i = 0; i < n; ++i) {
        const LoopQuantities& q = e.Loops[static_cast<size_t>(i)];
        loop[i] = q.Loop;
        energy[i] = Value(q.Energy);
        cumulative[i] = Value(q.CumulativeEnergy);
        he[i] = Value(q.DampingRatio);
        if (q.Amplitude && q.SecantStiffness) {
            amplitude << *q.Amplitude;
            stiffness << *q.SecantStiffness;
        }
        // Each later cycle of a level against its level: the fall of its peak force.
        if (q.StrengthToFirstPos && q.Level) {
            levelPos << *q.Level;
            firstPos << *q.StrengthToFirstPos;
        }
        if (q.StrengthToFirstNeg && q.Level) {
            levelNeg << *q.Level;
            firstNeg << *q.StrengthToFirstNeg;
        }
    }
    energy_->graph(0)->setData(loop, energy, true);
    energy_->graph(1)->setData(loop, cumulative, true);
    damping_->graph(0)->setData(loop, he, true);
    stiffness_->graph(0)->setData(amplitude, stiffness);
    degradation_->graph(0)->setData(levelPos, firstPos);
    degradation_->graph(1)->setData(levelNeg, firstNeg);
    for (QCustomPlot* plot : {energy_, damping_, stiffness_, degradation_}) Fit(plot);
}

}  // namespace qlnx
