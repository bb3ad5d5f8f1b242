// The units of the evaluation's columns from the record's displacement and force units.
#include <gtest/gtest.h>

#include "core/evaluation_tables.h"
#include "core/evaluation_units.h"

namespace qlnx {
namespace {

TEST(EvaluationUnits, ColumnHeadersTakeTheirDimension) {
    const struct {
        const char* header;
        const char* withUnits;  // in mm and kN
    } cases[] = {
        {"Energy", "Energy (kN\u00b7mm)"},
        {"CumulativeEnergy", "CumulativeEnergy (kN\u00b7mm)"},
        {"SecantStiffness", "SecantStiffness (kN/mm)"},
        {"RingStiffnessPos", "RingStiffnessPos (kN/mm)"},
        {"Stiffness", "Stiffness (kN/mm)"},
        {"PosPeakDisp d", "PosPeakDisp d (mm)"},
        {"PosPeakDisp F", "PosPeakDisp F (kN)"},
        {"Amplitude", "Amplitude (mm)"},
        {"ResidualNeg", "ResidualNeg (mm)"},
        {"ImpairmentPos", "ImpairmentPos (kN)"},
        {"Disp", "Disp (mm)"},
        {"Force", "Force (kN)"},
        // The comparison table's columns of a side.
        {"PeakForcePos", "PeakForcePos (kN)"},
        {"YieldDispNeg", "YieldDispNeg (mm)"},
        {"StiffnessPos", "StiffnessPos (kN/mm)"},
        {"TotalEnergy", "TotalEnergy (kN\u00b7mm)"},
        {"DuctilityNeg", "DuctilityNeg"},
        {"DampingLevel2", "DampingLevel2"},
        {"StrengthToFirstPos", "StrengthToFirstPos"},
        // Ratios, counts and flags have none.
        {"ImpairmentPosRatio", "ImpairmentPosRatio"},
        {"DampingRatio", "DampingRatio"},
        {"Ductility", "Ductility"},
        {"Loop", "Loop"},
        {"PeaksOffQuadrant", "PeaksOffQuadrant"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HeaderWithUnit(c.header, "mm", "kN"), c.withUnits) << c.header;
        // Without units every header stays as designed.
        EXPECT_EQ(HeaderWithUnit(c.header, "", ""), c.header);
    }
    // An energy needs both units; a drift keeps its percent.
    EXPECT_EQ(HeaderWithUnit("Energy", "", "kN"), "Energy");
    EXPECT_EQ(HeaderWithUnit("SecantStiffness", "%", "kip"), "SecantStiffness (kip/%)");
}

TEST(EvaluationUnits, EveryTableColumnWithAQuantityHasAUnit) {
    // The tables of an empty evaluation still have their headers.
    const TestEvaluation e;
    for (const EvaluationTable& t : {LoopTable(e), LevelTable(e), SkeletonTable(e.Skeleton)}) {
        for (const std::string& header : t.Header) {
            const bool quantity = header.find("Ratio") == std::string::npos &&
                                  (header.find("Disp") != std::string::npos ||
                                   header.find("Force") != std::string::npos ||
                                   header.find("Energy") != std::string::npos ||
                                   header.find("Stiffness") != std::string::npos);
            if (quantity) {
                EXPECT_NE(DimensionOfColumn(header), ColumnDimension::None) << header;
            }
        }
    }
}

}  // namespace
}  // namespace qlnx
