// The calibration window's tables as texts: the comparison of the models fitted, one model's
// parameters with how well the data determine them, and the energy per loop of model and
// record.
#pragma once

#include <QStringList>
#include <vector>

#include "core/calibration_loops.h"
#include "gui/calibration/calibration_run.h"

class QTableWidget;

namespace qlnx {

struct TextTable {
    QStringList Header;             // designed texts, translated when shown
    std::vector<QStringList> Rows;  // numbers and names as they are
    std::vector<bool> Marked;       // rows to draw attention to (an undetermined parameter)
};

// Model, J_F, energy ratio, evaluations, time, undetermined parameters, the OpenSees
// arguments, warnings.
TextTable ComparisonTable(const std::vector<TimedFit>& fits);
// Parameter, value, bounds, the relative change that raises J_F by 10 %, and whether the data
// determine it.
TextTable ParameterTable(const CalibrationResult& result);
// Loop, record, model, model over record.
TextTable LoopEnergyTable(const std::vector<LoopEnergyPair>& rows);

// Fills view with table: the header in the language in force, marked rows tinted.
void ShowTable(QTableWidget* view, const TextTable& table);

}  // namespace qlnx
