// The columns of the evaluation's loop and level tables, in their order, with the names that
// JSON keys, file headers and table headers use: the one list every output walks.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "core/loop_levels.h"
#include "core/loop_quantities.h"

namespace qlnx {

// A cell: a count or number of loops and levels, one that may be null (the level of an
// incomplete loop), a flag, a number (null when undefined), or a point [d, F].
using EvaluationCell =
    std::variant<int, std::optional<int>, bool, std::optional<double>, LoopPoint>;

template <typename Row>
struct EvaluationColumn {
    std::string_view Name;
    EvaluationCell (*Get)(const Row& row);
};

extern const std::array<EvaluationColumn<LoopQuantities>, 21> kLoopColumns;
extern const std::array<EvaluationColumn<LevelRow>, 11> kLevelColumns;

}  // namespace qlnx
