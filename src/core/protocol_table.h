// The loading protocol as tables: the recognised protocol, each protocol's fit, and the
// planned levels against the applied ones; for the evaluation file, the workbook and the
// window.
#pragma once

#include <string>
#include <string_view>

#include "core/evaluation_tables.h"
#include "core/protocol_recognition.h"

namespace qlnx {

// One row: Protocol (the name or "not recognised"), ReferenceDisplacement, Score,
// LargestLevelReached, Asymmetry, Unassigned (loop numbers separated by blanks).
EvaluationTable ProtocolSummaryTable(const ProtocolRecognition& p);
// One row per protocol: Protocol, ReferenceDisplacement, Score.
EvaluationTable ProtocolCandidateTable(const ProtocolRecognition& p);
// One row per level: Level, PlannedAmplitude, AppliedPositive, AppliedNegative,
// DifferencePercent, PlannedCycles, AppliedCycles, FirstLoop.
EvaluationTable ProtocolLevelTable(const ProtocolRecognition& p);

// The three tables, each after a blank line, as AppendTableText writes them.
void AppendProtocolTablesText(std::string& out, const ProtocolRecognition& p, char separator,
                              std::string_view null, std::string_view newline);

}  // namespace qlnx
