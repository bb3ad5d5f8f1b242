// The test evaluation as a workbook of its own: a sheet "Evaluation" with the report's
// header line, the loop, level and skeleton tables, and charts of energy, equivalent viscous
// damping and secant stiffness per loop on the loop table's ranges; with a recognised (or
// not recognised) loading protocol, its tables after the skeleton's: the protocol, each
// protocol's fit, and the planned levels against the applied ones.
#pragma once

#include <filesystem>

#include "core/evaluation_tables.h"
#include "core/protocol_recognition.h"

namespace qlnx {

// Writes the workbook to file (replacing it). Throws FileError
// "Cannot write the workbook \"<file>\": <reason>".
void WriteEvaluationWorkbook(const TestEvaluation& e, const EvaluationReportHeader& header,
                             const std::filesystem::path& file,
                             const ProtocolRecognition* protocol = nullptr);

}  // namespace qlnx
