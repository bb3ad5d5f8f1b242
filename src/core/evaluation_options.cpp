#include "core/evaluation_options.h"

#include "core/units.h"

namespace qlnx {

std::string_view PeakPointName(PeakPointRule rule) {
    return rule == PeakPointRule::Force ? "force" : "displacement";
}

std::optional<PeakPointRule> PeakPointOfName(std::string_view name) {
    if (name == "displacement") return PeakPointRule::Displacement;
    if (name == "force") return PeakPointRule::Force;
    return std::nullopt;
}

const EvaluationPresetInfo& PresetInfo(EvaluationPreset preset) {
    for (const auto& info : kEvaluationPresets) {
        if (info.Preset == preset) return info;
    }
    return kEvaluationPresets[0];
}

std::optional<EvaluationPreset> PresetOfKey(std::string_view key) {
    for (const auto& info : kEvaluationPresets) {
        if (info.Key == key) return info.Preset;
    }
    return std::nullopt;
}

void ApplyPreset(EvaluationOptions& options, EvaluationPreset preset,
                 std::optional<double> millimetresPerUnit) {
    const EvaluationPresetInfo& info = PresetInfo(preset);
    options.UltimateRatio = info.UltimateRatio;
    options.UltimateDispCap.reset();
    if (info.SlipCapMillimetres && millimetresPerUnit && *millimetresPerUnit > 0) {
        options.UltimateDispCap = *info.SlipCapMillimetres / *millimetresPerUnit;
    }
}

std::optional<double> MillimetresPerUnit(std::string_view lengthUnit) {
    if (lengthUnit.empty()) return std::nullopt;
    return ConversionFactor(lengthUnit, "mm");
}

}  // namespace qlnx
