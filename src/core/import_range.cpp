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

int64_t LineOfSample(const AnalysisState& state, const ImportParameters& parameters,
                     size_t sample) {
    const int64_t step = parameters.Step;
    const ChannelRecord& record = state.Channels;
    if (!record.Active || record.DataLine <= 0) {
        return int64_t{parameters.FirstLine} + static_cast<int64_t>(sample) * step;
    }
    // Each line left out before the row's line moves the row one step further down.
    auto index = static_cast<int64_t>(sample);
    for (const int64_t skipped : record.SkippedLines) {
        if (skipped > record.DataLine + index * step) break;
        ++index;
    }
    return record.DataLine + index * step;
}

void KeepRowsThroughLastLine(AnalysisState& state, const ImportParameters& parameters) {
    if (parameters.LastLine <= 0 || parameters.Step == 0) return;
    const ChannelRecord& record = state.Channels;
    const bool channels = record.Active && record.DataLine > 0;
    const int64_t first = channels ? record.DataLine : parameters.FirstLine;
    const int64_t span = (int64_t{parameters.LastLine} - first) / parameters.Step;
    size_t keep = 0;
    if (span >= 0 && (int64_t{parameters.LastLine} - first) * parameters.Step >= 0) {
        keep = static_cast<size_t>(span + 1);
        if (channels) {
            // Rows left out for a gap within the range are not among the rows read.
            const auto within =
                std::count_if(record.SkippedLines.begin(), record.SkippedLines.end(),
                              [&](int64_t line) { return line <= parameters.LastLine; });
            keep -= std::min(keep, static_cast<size_t>(within));
        }
    }
    if (state.RawDisp.size() > keep) state.RawDisp.resize(keep);
    if (state.RawForce.size() > keep) state.RawForce.resize(keep);
    if (state.Channels.Time.size() > keep) state.Channels.Time.resize(keep);
}

}  // namespace qlnx
