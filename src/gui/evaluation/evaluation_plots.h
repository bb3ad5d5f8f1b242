// The evaluation's plots, one tab each: energy and cumulative energy per loop, equivalent
// viscous damping per loop, secant stiffness against amplitude, strength degradation per level.
#pragma once

#include <QTabWidget>

#include "core/evaluate_test.h"

class QCustomPlot;

namespace qlnx {

class EvaluationPlots : public QTabWidget {
    Q_OBJECT
public:
    explicit EvaluationPlots(QWidget* parent = nullptr);

    // Draws the loops' and levels' quantities (nulls leave gaps).
    void Show(const TestEvaluation& e);

    QCustomPlot* EnergyPlot() const { return energy_; }
    QCustomPlot* DampingPlot() const { return damping_; }
    QCustomPlot* StiffnessPlot() const { return stiffness_; }
    QCustomPlot* DegradationPlot() const { return degradation_; }

private:
    QCustomPlot* energy_;
    QCustomPlot* damping_;
    QCustomPlot* stiffness_;
    QCustomPlot* degradation_;
};

}  // namespace qlnx
