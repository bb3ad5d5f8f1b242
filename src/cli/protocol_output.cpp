#include "cli/protocol_output.h"

#include "cli/json_output.h"

namespace qlnx {

namespace {

void AppendOptional(std::string& out, const std::optional<double>& v) {
    if (v) {
        AppendJsonNumber(out, *v);
    } else {
        out += "null";
    }
}

void AppendOptional(std::string& out, const std::optional<int>& v) {
    out += v ? std::to_string(*v) : std::string("null");
}

}  // namespace

void AppendProtocolJson(std::string& out, const ProtocolRecognition& p) {
    out += "{\"Name\": ";
    if (p.Protocol) {
        AppendJsonString(out, ProtocolRow(*p.Protocol).Name);
    } else {
        out += "null";
    }
    out += ", \"ReferenceDisplacement\": ";
    AppendOptional(out, p.Reference);
    out += ", \"Score\": ";
    AppendOptional(out, p.Score);
    out += ",\n    \"Candidates\": [";
    for (size_t i = 0; i < p.Candidates.size(); ++i) {
        const ProtocolCandidate& c = p.Candidates[i];
        out += i == 0 ? "\n      {\"Name\": " : ",\n      {\"Name\": ";
        AppendJsonString(out, ProtocolRow(c.Protocol).Name);
        out += ", \"ReferenceDisplacement\": ";
        AppendJsonNumber(out, c.Reference);
        out += ", \"Score\": ";
        AppendJsonNumber(out, c.Score);
        out += "}";
    }
    out += "],\n    \"Levels\": [";
    for (size_t i = 0; i < p.Levels.size(); ++i) {
        const ProtocolLevel& level = p.Levels[i];
        out += i == 0 ? "\n      {\"PlannedAmplitude\": " : ",\n      {\"PlannedAmplitude\": ";
        AppendOptional(out, level.PlannedAmplitude);
        out += ", \"AppliedPositive\": ";
        AppendOptional(out, level.AppliedPositive);
        out += ", \"AppliedNegative\": ";
        AppendOptional(out, level.AppliedNegative);
        out += ", \"PlannedCycles\": ";
        AppendOptional(out, level.PlannedCycles);
        out += ", \"AppliedCycles\": " + std::to_string(level.AppliedCycles);
        out += ", \"FirstLoop\": ";
        AppendOptional(out, level.FirstLoop);
        out += "}";
    }
    out += "],\n    \"Unassigned\": [";
    for (size_t i = 0; i < p.Unassigned.size(); ++i) {
        if (i != 0) out += ", ";
        out += std::to_string(p.Unassigned[i]);
    }
    out += "]}";
}

}  // namespace qlnx
