// Options of the test evaluation and the named presets of the test standards.
#pragma once

#include <optional>
#include <string_view>

namespace qlnx {

// Which points of a loop are its peaks B (positive) and D (negative) for the elastic energy
// and the secant stiffness: the extreme displacements (robust on flat-topped loops) or the
// extreme forces.
enum class PeakPointRule { Displacement, Force };

// The word of a rule as the batch tool and the reports write it: "displacement", "force".
std::string_view PeakPointName(PeakPointRule rule);
std::optional<PeakPointRule> PeakPointOfName(std::string_view name);

struct EvaluationOptions {
    // The noise band the loop analysis split the record with; carried for the report only.
    double NoiseBand = 0;
    // The ultimate point is where the skeleton falls to this fraction of its peak force.
    double UltimateRatio = 0.85;
    PeakPointRule PeakPoint = PeakPointRule::Displacement;
    // A loop joins the current level when its amplitude is within this fraction of the
    // amplitude of the level's first loop.
    double LevelTolerance = 0.10;
    // The largest ultimate displacement of each branch, in the record's displacement unit
    // (EN 12512's slip cap, set by its preset when the unit is known); none by default.
    std::optional<double> UltimateDispCap;
};

// The test standards' option sets; each fixes the ultimate ratio, and EN 12512 also caps the
// ultimate displacement at a slip in millimetres.
enum class EvaluationPreset { Jgj, En12512, Astm };

struct EvaluationPresetInfo {
    EvaluationPreset Preset;
    std::string_view Key;   // the batch tool's word
    std::string_view Name;  // the standard's name, as reports show it
    double UltimateRatio;
    std::optional<double> SlipCapMillimetres;
};

inline constexpr EvaluationPresetInfo kEvaluationPresets[] = {
    {EvaluationPreset::Jgj, "jgj", "JGJ/T 101", 0.85, std::nullopt},
    {EvaluationPreset::En12512, "en12512", "EN 12512", 0.8, 30.0},
    {EvaluationPreset::Astm, "astm", "ASTM E2126", 0.8, std::nullopt},
};

const EvaluationPresetInfo& PresetInfo(EvaluationPreset preset);
std::optional<EvaluationPreset> PresetOfKey(std::string_view key);

// Sets what the preset fixes: the ultimate ratio, and the ultimate displacement cap when the
// preset has one and the displacement's unit is known (millimetresPerUnit: how many
// millimetres one unit of the record's displacement is). Without a known unit no cap is set.
// The peak-point rule stays as chosen.
void ApplyPreset(EvaluationOptions& options, EvaluationPreset preset,
                 std::optional<double> millimetresPerUnit = std::nullopt);

// How many millimetres one unit of a displacement in lengthUnit is: null when the unit is not
// known ("") or is no length (a drift in %).
std::optional<double> MillimetresPerUnit(std::string_view lengthUnit);

}  // namespace qlnx
