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
};

// The test standards' option sets; each fixes the ultimate ratio only.
enum class EvaluationPreset { Jgj, En12512, Astm };

struct EvaluationPresetInfo {
    EvaluationPreset Preset;
    std::string_view Key;   // the batch tool's word
    std::string_view Name;  // the standard's name, as reports show it
    double UltimateRatio;
};

inline constexpr EvaluationPresetInfo kEvaluationPresets[] = {
    {EvaluationPreset::Jgj, "jgj", "JGJ/T 101", 0.85},
    {EvaluationPreset::En12512, "en12512", "EN 12512", 0.8},
    {EvaluationPreset::Astm, "astm", "ASTM E2126", 0.8},
};

const EvaluationPresetInfo& PresetInfo(EvaluationPreset preset);
std::optional<EvaluationPreset> PresetOfKey(std::string_view key);

// Sets what the preset fixes (the ultimate ratio); the peak-point rule stays as chosen.
void ApplyPreset(EvaluationOptions& options, EvaluationPreset preset);

}  // namespace qlnx
