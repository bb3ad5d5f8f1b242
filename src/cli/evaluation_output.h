// The test evaluation as qlnx-batch writes it: a JSON value, three tables for the terminal,
// and a CSV file.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/evaluate_test.h"

namespace qlnx {

// Appends the "Evaluation" object (without its key): Options, Loops, Levels and Skeleton, key
// names in the order of the evaluation's columns; nulls as null, points as [d, F], numbers as
// the shortest text that reads back to the same double. Writes out to stream now and then.
void AppendEvaluationJson(std::ostream& stream, std::string& out, const TestEvaluation& e);

// What the CSV file's header line names besides the options.
struct EvaluationReportHeader {
    std::string Record;
    std::string SkeletonMethod;  // "none" when no skeleton was extracted
    std::string Preset;          // "none" when no preset was chosen
};

// The three tables (loops, levels, skeleton), each after a title line, cells separated by
// `separator`, numbers in the result files' 15-digit form with ".", nulls as `null`, lines
// ended by `newline`.
std::string EvaluationTablesText(const TestEvaluation& e, char separator, std::string_view null,
                                 std::string_view newline);

// The CSV file: a header line naming the record, the skeleton method, the preset, the options
// and the noise band, then the three tables with commas, empty cells for nulls, CR LF.
std::string EvaluationCsvText(const TestEvaluation& e, const EvaluationReportHeader& header);

}  // namespace qlnx
