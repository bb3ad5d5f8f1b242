#include "core/skeleton_file.h"

#include "core/number_text.h"

namespace qlnx {

namespace {

void AppendBranch(std::string& out, std::string_view name, const ChartSeries& series,
                  char delimiter, char separator) {
    for (int i = 0; i < series.Count(); ++i) {
        out += name;
        out += delimiter;
        AppendGeneral15(out, series.GetxValue(i), separator);
        out += delimiter;
        AppendGeneral15(out, series.GetyValue(i), separator);
        out += "\r\n";
    }
}

}  // namespace

std::string SkeletonRowsText(const AnalysisState& state, ResultForm form) {
    // A comma as decimal separator would split the CSV numbers: CSV then takes ".".
    const char separator = ResultDecimalSeparator(form);
    const char delimiter = form == ResultForm::Csv ? ',' : ' ';
    std::string out;
    AppendBranch(out, "Positive", state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries),
                 delimiter, separator);
    AppendBranch(out, "Negative", state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries),
                 delimiter, separator);
    return out;
}

std::string SkeletonFileText(const AnalysisState& state, ResultForm form) {
    return (form == ResultForm::Csv ? "Branch,Disp,Force\r\n" : "Branch Disp Force\r\n") +
           SkeletonRowsText(state, form);
}

}  // namespace qlnx
