// The loading protocol as qlnx-batch writes it in JSON.
#pragma once

#include <string>

#include "core/protocol_recognition.h"

namespace qlnx {

// Appends the "Protocol" object (without its key): Name (null when not recognised),
// ReferenceDisplacement, Score, Candidates [{Name, ReferenceDisplacement, Score}], Levels
// [{PlannedAmplitude, AppliedPositive, AppliedNegative, PlannedCycles, AppliedCycles,
// FirstLoop}] and Unassigned [loop numbers]; nulls as null.
void AppendProtocolJson(std::string& out, const ProtocolRecognition& p);

}  // namespace qlnx
