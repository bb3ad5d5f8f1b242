#include "core/protocol_table.h"

namespace qlnx {

namespace {

TableValue IntegerOrNull(const std::optional<int>& v) {
    return v ? TableValue::Integer(*v) : TableValue::Null();
}

}  // namespace

EvaluationTable ProtocolSummaryTable(const ProtocolRecognition& p) {
    EvaluationTable t;
    t.Title = "Protocol";
    t.Header = {"Protocol",  "ReferenceDisplacement", "Score", "LargestLevelReached", "Asymmetry",
                "Unassigned"};
    std::string unassigned;
    for (const int loop : p.Unassigned) {
        if (!unassigned.empty()) unassigned += ' ';
        unassigned += std::to_string(loop);
    }
    t.Rows.push_back({TableValue::Text(p.Protocol ? ProtocolRow(*p.Protocol).Name
                                                  : std::string_view("not recognised")),
                      TableValue::Of(p.Reference), TableValue::Of(p.Score),
                      IntegerOrNull(p.LargestLevelReached), TableValue::Of(p.Asymmetry),
                      TableValue::Text(unassigned)});
    return t;
}

EvaluationTable ProtocolCandidateTable(const ProtocolRecognition& p) {
    EvaluationTable t;
    t.Title = "Protocol candidates";
    t.Header = {"Protocol", "ReferenceDisplacement", "Score"};
    for (const ProtocolCandidate& c : p.Candidates) {
        t.Rows.push_back({TableValue::Text(ProtocolRow(c.Protocol).Name),
                          TableValue::Of(c.Reference), TableValue::Of(c.Score)});
    }
    return t;
}

EvaluationTable ProtocolLevelTable(const ProtocolRecognition& p) {
    EvaluationTable t;
    t.Title = "Protocol levels";
    t.Header = {"Level",           "PlannedAmplitude",  "AppliedPositive",
                "AppliedNegative", "DifferencePercent", "PlannedCycles",
                "AppliedCycles",   "FirstLoop"};
    int number = 0;
    for (const ProtocolLevel& level : p.Levels) {
        t.Rows.push_back(
            {TableValue::Integer(++number), TableValue::Of(level.PlannedAmplitude),
             TableValue::Of(level.AppliedPositive), TableValue::Of(level.AppliedNegative),
             TableValue::Of(level.DifferencePercent), IntegerOrNull(level.PlannedCycles),
             TableValue::Integer(level.AppliedCycles), IntegerOrNull(level.FirstLoop)});
    }
    return t;
}

void AppendProtocolTablesText(std::string& out, const ProtocolRecognition& p, char separator,
                              std::string_view null, std::string_view newline) {
    for (const EvaluationTable& table :
         {ProtocolSummaryTable(p), ProtocolCandidateTable(p), ProtocolLevelTable(p)}) {
        out += newline;
        AppendTableText(out, table, separator, '.', null, newline);
    }
}

}  // namespace qlnx
