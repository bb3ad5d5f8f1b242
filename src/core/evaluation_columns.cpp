#include "core/evaluation_columns.h"

namespace qlnx {

// clang-format off
const std::array<EvaluationColumn<LoopQuantities>, 21> kLoopColumns = {{
    {"Loop", [](const LoopQuantities& q) -> EvaluationCell { return q.Loop; }},
    {"Level", [](const LoopQuantities& q) -> EvaluationCell { return q.Level; }},
    {"Cycle", [](const LoopQuantities& q) -> EvaluationCell { return q.Cycle; }},
    {"Complete", [](const LoopQuantities& q) -> EvaluationCell { return q.Complete; }},
    {"Amplitude", [](const LoopQuantities& q) -> EvaluationCell { return q.Amplitude; }},
    {"PosPeakDisp", [](const LoopQuantities& q) -> EvaluationCell { return q.PosPeakDisp; }},
    {"NegPeakDisp", [](const LoopQuantities& q) -> EvaluationCell { return q.NegPeakDisp; }},
    {"PosPeakForce", [](const LoopQuantities& q) -> EvaluationCell { return q.PosPeakForce; }},
    {"NegPeakForce", [](const LoopQuantities& q) -> EvaluationCell { return q.NegPeakForce; }},
    {"Energy", [](const LoopQuantities& q) -> EvaluationCell { return q.Energy; }},
    {"CumulativeEnergy", [](const LoopQuantities& q) -> EvaluationCell { return q.CumulativeEnergy; }},
    {"DampingRatio", [](const LoopQuantities& q) -> EvaluationCell { return q.DampingRatio; }},
    {"DissipationCoefficient", [](const LoopQuantities& q) -> EvaluationCell { return q.DissipationCoefficient; }},
    {"SecantStiffness", [](const LoopQuantities& q) -> EvaluationCell { return q.SecantStiffness; }},
    {"PeaksOffQuadrant", [](const LoopQuantities& q) -> EvaluationCell { return q.PeaksOffQuadrant; }},
    {"ResidualPos", [](const LoopQuantities& q) -> EvaluationCell { return q.ResidualPos; }},
    {"ResidualNeg", [](const LoopQuantities& q) -> EvaluationCell { return q.ResidualNeg; }},
    {"StrengthToFirstPos", [](const LoopQuantities& q) -> EvaluationCell { return q.StrengthToFirstPos; }},
    {"StrengthToFirstNeg", [](const LoopQuantities& q) -> EvaluationCell { return q.StrengthToFirstNeg; }},
    {"StrengthToPreviousPos", [](const LoopQuantities& q) -> EvaluationCell { return q.StrengthToPreviousPos; }},
    {"StrengthToPreviousNeg", [](const LoopQuantities& q) -> EvaluationCell { return q.StrengthToPreviousNeg; }},
}};

const std::array<EvaluationColumn<LevelRow>, 11> kLevelColumns = {{
    {"Level", [](const LevelRow& l) -> EvaluationCell { return l.Level; }},
    {"FirstLoop", [](const LevelRow& l) -> EvaluationCell { return l.FirstLoop; }},
    {"Cycles", [](const LevelRow& l) -> EvaluationCell { return l.Cycles; }},
    {"Amplitude", [](const LevelRow& l) -> EvaluationCell { return l.Amplitude; }},
    {"RingStiffness", [](const LevelRow& l) -> EvaluationCell { return l.RingStiffness; }},
    {"RingStiffnessPos", [](const LevelRow& l) -> EvaluationCell { return l.RingStiffnessPos; }},
    {"RingStiffnessNeg", [](const LevelRow& l) -> EvaluationCell { return l.RingStiffnessNeg; }},
    {"ImpairmentPos", [](const LevelRow& l) -> EvaluationCell { return l.ImpairmentPos; }},
    {"ImpairmentNeg", [](const LevelRow& l) -> EvaluationCell { return l.ImpairmentNeg; }},
    {"ImpairmentPosRatio", [](const LevelRow& l) -> EvaluationCell { return l.ImpairmentPosRatio; }},
    {"ImpairmentNegRatio", [](const LevelRow& l) -> EvaluationCell { return l.ImpairmentNegRatio; }},
}};
// clang-format on

}  // namespace qlnx
