#include "cli/skeleton_file.h"

#include "core/skeleton_file.h"

namespace qlnx {

std::string SkeletonCsvText(const AnalysisState& state) {
    return "Branch,X,Y\r\n" + SkeletonRowsText(state, ResultForm::Csv);
}

}  // namespace qlnx
