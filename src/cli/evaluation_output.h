// The test evaluation as qlnx-batch writes it in JSON (the tables and the CSV file are
// core/evaluation_tables.h).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/evaluate_test.h"
#include "core/evaluation_tables.h"

namespace qlnx {

// Appends the "Evaluation" object (without its key): Options, Loops, Levels and Skeleton, key
// names in the order of the evaluation's columns; nulls as null, points as [d, F], numbers as
// the shortest text that reads back to the same double. Writes out to stream now and then.
void AppendEvaluationJson(std::ostream& stream, std::string& out, const TestEvaluation& e);

}  // namespace qlnx
