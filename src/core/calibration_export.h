// The fitted model as OpenSees input: the uniaxialMaterial line in Tcl and in OpenSeesPy, and
// the comment lines that say how it was fitted and what its mapping rests on.
#pragma once

#include <string>
#include <string_view>

#include "core/calibration_fit.h"

namespace qlnx {

// What the comment lines name: the record and its units (empty when unknown).
struct CalibrationSource {
    std::string RecordName;
    std::string LengthUnit;
    std::string ForceUnit;
};

// "uniaxialMaterial Steel01 $matTag 10 5 0.03" (numbers with 17 significant digits).
std::string OpenSeesTclLine(const CalibrationResult& result, std::string_view tag = "$matTag");
// "ops.uniaxialMaterial('Steel01', matTag, 10, 5, 0.03)".
std::string OpenSeesPyLine(const CalibrationResult& result, std::string_view tag = "matTag");

// The whole text: comment lines (record, objective, settings, seed, optimiser, bounds, start,
// step advice, mapping status) then the line; `python` chooses the OpenSeesPy form. The tag
// is the command's material tag (empty: $matTag, or matTag in Python).
std::string OpenSeesText(const CalibrationResult& result, const CalibrationSource& source,
                         bool python, std::string_view tag = {});

// Every mapping rests on readings not yet confirmed by a run against OpenSees.
constexpr std::string_view kMappingStatus = "unverified";

}  // namespace qlnx
