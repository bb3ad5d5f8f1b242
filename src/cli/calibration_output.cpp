#include "cli/calibration_output.h"

#include <cstdio>

#include "cli/json_output.h"

namespace qlnx {

void AppendCalibrationJson(std::ostream& stream, std::string& out,
                           const std::vector<CalibrationResult>& results) {
    out += '[';
    for (size_t m = 0; m < results.size(); ++m) {
        const CalibrationResult& r = results[m];
        const CalibrationModelRow& row = CalibrationModelRowOf(r.Model);
        out += m == 0 ? "\n    {" : ",\n    {";
        out += "\"Model\": ";
        AppendJsonString(out, row.Command);
        out += ", \"Parameters\": {";
        for (size_t j = 0; j < r.OpenSees.size(); ++j) {
            if (j != 0) out += ", ";
            AppendJsonString(out, r.OpenSees[j].Name);
            out += ": ";
            AppendJsonNumber(out, r.OpenSees[j].Value);
        }
        out += "}, \"NRMSE\": ";
        AppendJsonNumber(out, r.NRMSE);
        out += ", \"EnergyRatio\": ";
        AppendJsonNumber(out, r.EnergyRatio);
        out += ", \"Undetermined\": [";
        const std::vector<std::string> undetermined = UndeterminedNames(r);
        for (size_t j = 0; j < undetermined.size(); ++j) {
            if (j != 0) out += ", ";
            AppendJsonString(out, undetermined[j]);
        }
        out += "], \"ModelForce\": [";
        for (size_t i = 0; i < r.ModelForce.size(); ++i) {
            if (i != 0) out += ", ";
            AppendJsonNumber(out, r.ModelForce[i]);
            if (out.size() >= (size_t{1} << 20)) {
                stream.write(out.data(), static_cast<std::streamsize>(out.size()));
                out.clear();
            }
        }
        out += "], \"Evaluations\": " + std::to_string(r.Evaluations);
        out += ", \"Seed\": " + std::to_string(r.Settings.Seed);
        out += ", \"Mapping\": ";
        AppendJsonString(out, kMappingStatus);
        out += ", \"OpenSees\": ";
        AppendJsonString(out, OpenSeesTclLine(r));
        out += ", \"OpenSeesPy\": ";
        AppendJsonString(out, OpenSeesPyLine(r));
        out += '}';
    }
    out += "\n  ]";
}

std::string CalibrationTableText(const std::vector<CalibrationResult>& results) {
    std::string t = "Model\tNRMSE\tEnergyRatio\tEvaluations\tUndetermined\n";
    for (const CalibrationResult& r : results) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "\t%.4g\t%.4g\t%zu\t", r.NRMSE, r.EnergyRatio,
                      r.Evaluations);
        t += std::string(CalibrationModelRowOf(r.Model).Command) + buf;
        std::string names;
        for (const std::string& n : UndeterminedNames(r)) names += (names.empty() ? "" : ",") + n;
        t += (names.empty() ? "--" : names) + "\n";
    }
    return t;
}

std::string OpenSeesFileText(const std::vector<CalibrationResult>& results,
                             const CalibrationSource& source) {
    std::string t;
    for (size_t m = 0; m < results.size(); ++m) {
        if (m != 0) t += "\n";
        t += OpenSeesText(results[m], source, false, std::to_string(m + 1));
    }
    return t;
}

}  // namespace qlnx
