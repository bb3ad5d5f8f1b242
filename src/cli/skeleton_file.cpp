#include "cli/skeleton_file.h"

#include "core/number_text.h"
#include "core/result_files.h"

namespace qlnx {

namespace {

void AppendBranch(std::string& out, const char* name, const ChartSeries& series, char separator) {
    for (int i = 0; i < series.Count(); ++i) {
        out += name;
        out += ',';
        AppendGeneral15(out, series.GetxValue(i), separator);
        out += ',';
        AppendGeneral15(out, series.GetyValue(i), separator);
        out += "\r\n";
    }
}

}  // namespace

std::string SkeletonCsvText(const AnalysisState& state) {
    // A comma as decimal separator would split the numbers: CSV then takes ".".
    const char separator = ResultDecimalSeparator(ResultForm::Csv);
    std::string out = "Branch,X,Y\r\n";
    AppendBranch(out, "Positive", state.Chart.GetSeries(ChartModel::kPositiveSkeleton), separator);
    AppendBranch(out, "Negative", state.Chart.GetSeries(ChartModel::kNegativeSkeleton), separator);
    return out;
}

}  // namespace qlnx
