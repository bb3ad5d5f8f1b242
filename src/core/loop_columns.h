// The per-loop columns of the loop analysis, one row each, in the order of the window's
// read-outs: what the read-outs, the result file, the batch tool's loop table and its JSON
// know of a column. Adding a per-loop quantity is adding its vector to AnalysisState (filled by
// the loop analysis) and a row here.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace qlnx {

struct AnalysisState;

struct LoopColumn {
    std::string_view JsonName;      // key of the JSON array ("MaxDisp1")
    std::string_view ReadoutName;   // the read-out's label and the batch loop table's header
    std::string_view ResultHeader;  // header of the result file's column ("1stMaxDisp")
    size_t ResultPosition;          // place among the result file's columns after LoopNo.
    // The values, one a loop while the loop has an entry.
    const std::vector<double>& (*Values)(const AnalysisState& state);
    // The column whose length says which loops have an entry: a force of a pair is shown
    // only where its displacement is.
    const std::vector<double>& (*Entries)(const AnalysisState& state);
};

using LoopColumnTable = std::array<LoopColumn, 4>;
inline constexpr size_t kLoopColumnCount = std::tuple_size_v<LoopColumnTable>;

// The loops' largest displacement of each half-cycle and the force there, in the order of the
// read-outs: the first four fill the window's boxes edt1..edt4; the batch tool's loop table
// shows every column.
extern const LoopColumnTable kLoopExtremeColumns;

// Loop i's value of the column, or nothing where the loop has no entry.
std::optional<double> LoopColumnValue(const LoopColumn& column, const AnalysisState& state,
                                      size_t loop);

// The columns in the result file's order.
std::array<const LoopColumn*, kLoopColumnCount> LoopColumnsInResultOrder();

}  // namespace qlnx
