// The comparison table of a test series: one row per specimen with its peak, yield and
// ultimate points, ductility, stiffness, energy and damping, and the statistics of each
// column over the group.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/evaluate_test.h"
#include "core/evaluation_tables.h"
#include "core/project.h"
#include "core/series_statistics.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {

// One specimen of a series: its name, group, evaluation and skeleton nodes.
struct SeriesMember {
    std::string Name;
    std::string Group;
    TestEvaluation Evaluation;
    SkeletonBranchNodes Positive;
    SkeletonBranchNodes Negative;
};

struct SeriesTable {
    // The numeric columns' keys: PeakForcePos, PeakDispPos, PeakForceNeg, PeakDispNeg,
    // YieldForcePos, YieldDispPos, YieldForceNeg, YieldDispNeg, UltimateDispPos,
    // UltimateDispNeg, DuctilityPos, DuctilityNeg, StiffnessPos, StiffnessNeg, TotalEnergy,
    // then DampingLevel1 ... for each level every specimen of the group reached.
    std::vector<std::string> Columns;
    std::vector<std::string> Specimens;
    std::vector<std::vector<std::optional<double>>> Rows;  // Rows[specimen][column]
    std::vector<SampleStatistics> Statistics;              // by column
};

// The table of the members (in order) with the chosen yield method: its yield point, its
// ductility, and its stiffness (the construction's own where it has one, else Fy / dy).
// Peak and ultimate are the skeleton evaluation's; the total energy is the last loop's
// cumulative energy; the damping at a level is the equivalent damping ratio of the level's
// first loop.
SeriesTable MakeSeriesTable(const std::vector<const SeriesMember*>& members, YieldMethod yield);

struct SeriesGroup {
    std::string Name;
    SeriesTable Table;
    MeanSkeletonBranch Positive;
    MeanSkeletonBranch Negative;
};

// The members grouped by Group, groups in the order of their first member.
std::vector<SeriesGroup> MakeSeriesGroups(const std::vector<SeriesMember>& members,
                                          YieldMethod yield);

// The yield method of a report name ("EEEP", "Park", ...).
std::optional<YieldMethod> YieldMethodOfName(std::string_view name);

// The rows of the statistics, in order, as the table and the files name them.
inline constexpr const char* kStatisticRows[] = {"Mean", "StdDev", "CoV",
                                                 "Min",  "Max",    "Characteristic"};
std::optional<double> StatisticValue(const SampleStatistics& s, size_t row);

// The groups' tables: a header line Group, Specimen and the columns, each group's specimen
// rows, then its statistics rows; numbers in their 15-digit form with ".", null as given.
// A cell holding the separator, a quote or a line end is quoted (CSV).
std::string SeriesTableText(const std::vector<SeriesGroup>& groups, char separator,
                            std::string_view null, std::string_view newline);
// A group's table as the window and the workbook show it: a Specimen column, then the
// numeric columns; the specimens' rows, then the statistics rows named in kStatisticRows.
EvaluationTable SeriesGroupTable(const SeriesGroup& group);

// The tables as CSV: commas, empty cells for null, CR LF line ends.
std::string SeriesCsvText(const std::vector<SeriesGroup>& groups);

}  // namespace qlnx
