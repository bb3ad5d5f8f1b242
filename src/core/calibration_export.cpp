#include "core/calibration_export.h"

#include <cstdio>

namespace qlnx {

namespace {

// 17 significant digits: the number reads back to the same double.
std::string Exact(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

std::string Arguments(const CalibrationResult& r, std::string_view separator) {
    std::string text;
    for (const NamedValue& v : r.OpenSees) {
        text += separator;
        text += Exact(v.Value);
    }
    return text;
}

}  // namespace

std::string OpenSeesTclLine(const CalibrationResult& r, std::string_view tag) {
    const CalibrationModelRow& row = CalibrationModelRowOf(r.Model);
    return "uniaxialMaterial " + std::string(row.Command) + " " + std::string(tag) +
           Arguments(r, " ");
}

std::string OpenSeesPyLine(const CalibrationResult& r, std::string_view tag) {
    const CalibrationModelRow& row = CalibrationModelRowOf(r.Model);
    return "ops.uniaxialMaterial('" + std::string(row.Command) + "', " + std::string(tag) +
           Arguments(r, ", ") + ")";
}

std::string OpenSeesText(const CalibrationResult& r, const CalibrationSource& source, bool python,
                         std::string_view tag) {
    const CalibrationModelRow& row = CalibrationModelRowOf(r.Model);
    std::string t;
    auto line = [&](const std::string& text) { t += "# " + text + "\n"; };
    line(std::string(row.Title) + " fitted by QLNX");
    std::string record = source.RecordName.empty() ? "(unnamed record)" : source.RecordName;
    if (!source.LengthUnit.empty() || !source.ForceUnit.empty()) {
        record += " [length " + (source.LengthUnit.empty() ? "?" : source.LengthUnit) + ", force " +
                  (source.ForceUnit.empty() ? "?" : source.ForceUnit) + "]";
    } else {
        record += " (parameters in the record's own length and force units)";
    }
    line("record: " + record);
    line("arguments: " + [&] {
        std::string names;
        for (const NamedValue& v : r.OpenSees) names += (names.empty() ? "" : " ") + v.Name;
        return names;
    }());
    line("normalised RMS force error J_F = " + Exact(r.NRMSE) +
         ", objective = " + Exact(r.Objective) + ", model/record work = " + Exact(r.EnergyRatio));
    line("objective: J_F + " + Exact(r.Settings.EnergyWeight) + " * J_E; sample weights " +
         (r.Settings.ArcLengthWeights ? "arc length" : "1") + "; reversal pre-filter " +
         (r.Settings.Prefilter ? "on (reversals below 1e-3 of the largest displacement removed)"
                               : "off"));
    line("optimiser: NLopt " + OptimiserVersion() + ", " + r.GlobalAlgorithm + " (" +
         std::to_string(r.GlobalBudget) + " evaluations, seed " + std::to_string(r.Settings.Seed) +
         ") then " + r.LocalAlgorithm + " (" + std::to_string(r.LocalBudget) +
         " evaluations, initial step 0.05, xtol_rel 1e-6, ftol_rel 1e-10); " +
         std::to_string(r.Evaluations) + " evaluations in all" +
         (r.Cancelled ? "; CANCELLED before the end" : ""));
    line("scales: Fbar " + Exact(r.Scales.Fbar) + ", Ubar " + Exact(r.Scales.Ubar) + ", Kbar " +
         Exact(r.Scales.Kbar) + ", Ebar " + Exact(r.Scales.Ebar));
    for (size_t j = 0; j < r.Parameters.size(); ++j) {
        const FitParameter& p = r.Parameters[j];
        std::string text = "fit parameter " + p.Name + " = " + Exact(r.Theta[j]);
        if (p.Fixed) {
            text += " (fixed)";
        } else {
            text += " in [" + Exact(p.Lower) + ", " + Exact(p.Upper) + "] " +
                    (p.Log ? "log" : "linear") + ", start " + Exact(p.Start);
        }
        if (j < r.Sensitivity.size() && r.Sensitivity[j].Undetermined) text += ", UNDETERMINED";
        line(text);
    }
    if (r.StepAdvice > 0) {
        line("use analysis displacement steps no larger than " + Exact(r.StepAdvice) +
             " (smaller after heavy degradation)");
    }
    if (r.AccuracyChange >= 0) {
        line("force change with sub-steps of a quarter: " + Exact(r.AccuracyChange) +
             " of the largest force");
    }
    for (const std::string& w : r.Warnings) line("warning: " + w);
    line(
        "bit-identical on the same build and platform; other platforms may differ in the "
        "last bits");
    line("mapping " + std::string(kMappingStatus) +
         ": not yet checked against OpenSees; rests on " + std::string(row.Assumptions));
    if (tag.empty()) tag = python ? "matTag" : "$matTag";
    t += python ? OpenSeesPyLine(r, tag) : OpenSeesTclLine(r, tag);
    t += "\n";
    return t;
}

}  // namespace qlnx
