// The batch tool's output of model calibration: the JSON "Calibration" array, the text
// table, and the OpenSees file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/calibration_export.h"
#include "core/calibration_fit.h"

namespace qlnx {

// Appends [{"Model", "Parameters": {...}, "NRMSE", "EnergyRatio", "Undetermined": [...],
// "ModelForce": [...], "Evaluations", "Seed", "Mapping", "OpenSees", "OpenSeesPy"}, ...].
void AppendCalibrationJson(std::ostream& stream, std::string& out,
                           const std::vector<CalibrationResult>& results);

// One line per model: name, J_F, work ratio, evaluations, undetermined parameters.
std::string CalibrationTableText(const std::vector<CalibrationResult>& results);

// The Tcl text of every model, tags 1, 2, ... in the order fitted.
std::string OpenSeesFileText(const std::vector<CalibrationResult>& results,
                             const CalibrationSource& source);

}  // namespace qlnx
