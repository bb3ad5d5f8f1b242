#include "core/import_range.h"

#include <algorithm>
#include <cstdint>

namespace qlnx {

const char* LastLineRefusal(const ImportParameters& parameters) {
    if (parameters.LastLine == 0) return nullptr;
    if (parameters.LastLine < 0) return "Last Line must large than 0!";
    const bool before = parameters.Step > 0 ? parameters.LastLine < parameters.FirstLine
                                            : parameters.LastLine > parameters.FirstLine;
    return before ? "Last Line must not come before First Line!" : nullptr;
}

void KeepRowsThroughLastLine(AnalysisState& state, const ImportParameters& parameters) {
    if (parameters.LastLine <= 0 || parameters.Step == 0) return;
    const int64_t span = (int64_t{parameters.LastLine} - parameters.FirstLine) / parameters.Step;
    if (span < 0) {
        state.RawDisp.clear();
        state.RawForce.clear();
        return;
    }
    const auto keep = static_cast<size_t>(span + 1);
    if (state.RawDisp.size() > keep) state.RawDisp.resize(keep);
    if (state.RawForce.size() > keep) state.RawForce.resize(keep);
}

}  // namespace qlnx
