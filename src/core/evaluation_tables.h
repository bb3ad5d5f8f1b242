// The test evaluation as three tables (loops, levels, skeleton) with the cells the result
// files, the window's tables and the workbook share, the cells that carry a warning, and the
// text and CSV forms of the tables.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/evaluate_test.h"

namespace qlnx {

// A cell: empty (null), a count, a number (null when not finite), a flag or a word.
struct TableValue {
    enum class Kind { Null, Integer, Number, Flag, Word };
    Kind Type = Kind::Null;
    double Number = 0;  // Integer and Number
    bool Flag = false;
    std::string Word;

    static TableValue Null() { return {}; }
    static TableValue Integer(int v) { return {Kind::Integer, static_cast<double>(v), false, {}}; }
    static TableValue Of(double v) { return {Kind::Number, v, false, {}}; }
    static TableValue Of(const std::optional<double>& v) { return v ? Of(*v) : Null(); }
    static TableValue Bool(bool v) { return {Kind::Flag, 0, v, {}}; }
    static TableValue Text(std::string_view v) { return {Kind::Word, 0, false, std::string(v)}; }
    // The value that sorts and plots: counts and finite numbers.
    bool IsNumber() const;
};

// What a marked cell warns of.
enum class EvaluationWarning {
    NegativeEnergy,      // the loop turns the other way: energy was put in, not dissipated
    UltimateNotReached,  // the branch never falls to u * Fmax: ductilities are lower bounds
    EeepFallback,        // the EEEP bilinear has no solution: Fy = 0.85 Fmax
    LeftTheData,         // the construction needs a point beyond the data: no yield point
    PeaksOffQuadrant,    // the loop's peaks are not in their quadrants: no damping, no stiffness
    IncompleteLoop,      // the loop is cut short: it belongs to no level
    UltimateCapped,      // the ultimate displacement is the standard's largest slip
    DroppedPoints,       // points of the branch step back: the constructions leave them out
};

// The tooltip of a marked cell.
std::string_view WarningText(EvaluationWarning warning);

struct MarkedCell {
    size_t Row = 0;
    size_t Column = 0;
    EvaluationWarning Warning = EvaluationWarning::NegativeEnergy;
};

struct EvaluationTable {
    std::string Title;                // "Loops", "Levels", "Skeleton"
    std::vector<std::string> Header;  // a point column is two: "<name> d", "<name> F"
    std::vector<std::vector<TableValue>> Rows;
    std::vector<MarkedCell> Marked;
};

EvaluationTable LoopTable(const TestEvaluation& e);
EvaluationTable LevelTable(const TestEvaluation& e);
// Rows "Positive"/"Negative" × Peak, Ultimate and the seven yield methods, then "Mean" ×
// the methods with the mean ductility. Columns Side, Item, Disp, Force, Ductility, Stiffness,
// UltimateReached, Fallback, UltimateCapped, DroppedPoints (the last two on the Ultimate row).
EvaluationTable SkeletonTable(const SkeletonEvaluation& s);

// The text of a cell: counts in decimal, numbers in the 15-digit form with separator,
// "true"/"false", words as they are, null (and numbers that are not finite) as null.
std::string TableValueText(const TableValue& value, char separator, std::string_view null);
void AppendTableValueText(std::string& out, const TableValue& value, char separator,
                          std::string_view null);

// One table: its title line, the header and the rows, cells separated by `separator`.
void AppendTableText(std::string& out, const EvaluationTable& table, char separator,
                     char decimalSeparator, std::string_view null, std::string_view newline);

// What the CSV file's header line names besides the options.
struct EvaluationReportHeader {
    std::string Record;
    std::string SkeletonMethod;  // "none" when no skeleton was extracted
    std::string Preset;          // "none" when no preset was chosen
    // The units of displacement and force ("mm", "kN"), added to the header line when the
    // record was read by its channels with known units.
    std::string DisplacementUnit;
    std::string ForceUnit;
};

// The three tables (loops, levels, skeleton), each after a title line, cells separated by
// `separator`, numbers in the result files' 15-digit form with ".", nulls as `null`, lines
// ended by `newline`, a blank line between the tables.
std::string EvaluationTablesText(const TestEvaluation& e, char separator, std::string_view null,
                                 std::string_view newline);

// The CSV file: a header line naming the record, the skeleton method, the preset, the options
// and the noise band, then the three tables with commas, empty cells for nulls, CR LF.
std::string EvaluationCsvText(const TestEvaluation& e, const EvaluationReportHeader& header);

// The text file: the same header line and tables, tab-separated, nulls as "--", CR LF.
std::string EvaluationTextFileText(const TestEvaluation& e, const EvaluationReportHeader& header);

}  // namespace qlnx
