#include "core/evaluation_tables.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <variant>

#include "core/evaluation_columns.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

template <typename Row, size_t N>
EvaluationTable RowsTable(std::string_view title, const std::vector<Row>& rows,
                          const std::array<EvaluationColumn<Row>, N>& columns) {
    EvaluationTable t;
    t.Title = title;
    for (size_t c = 0; c < N; ++c) {
        if (std::holds_alternative<LoopPoint>(columns[c].Get(Row{}))) {
            t.Header.push_back(std::string(columns[c].Name) + " d");
            t.Header.push_back(std::string(columns[c].Name) + " F");
        } else {
            t.Header.emplace_back(columns[c].Name);
        }
    }
    t.Rows.reserve(rows.size());
    for (const Row& row : rows) {
        std::vector<TableValue> cells;
        cells.reserve(t.Header.size());
        for (size_t c = 0; c < N; ++c) {
            const EvaluationCell cell = columns[c].Get(row);
            if (const int* i = std::get_if<int>(&cell)) {
                cells.push_back(TableValue::Integer(*i));
            } else if (const auto* n = std::get_if<std::optional<int>>(&cell)) {
                cells.push_back(*n ? TableValue::Integer(**n) : TableValue::Null());
            } else if (const bool* b = std::get_if<bool>(&cell)) {
                cells.push_back(TableValue::Bool(*b));
            } else if (const auto* x = std::get_if<std::optional<double>>(&cell)) {
                cells.push_back(TableValue::Of(*x));
            } else {
                const LoopPoint& p = std::get<LoopPoint>(cell);
                cells.push_back(TableValue::Of(p.Disp));
                cells.push_back(TableValue::Of(p.Force));
            }
        }
        t.Rows.push_back(std::move(cells));
    }
    return t;
}

size_t ColumnOf(const EvaluationTable& t, std::string_view name) {
    for (size_t c = 0; c < t.Header.size(); ++c) {
        if (t.Header[c] == name) return c;
    }
    return t.Header.size();
}

}  // namespace

bool TableValue::IsNumber() const {
    return Type == Kind::Integer || (Type == Kind::Number && std::isfinite(Number));
}

std::string_view WarningText(EvaluationWarning warning) {
    switch (warning) {
        case EvaluationWarning::NegativeEnergy:
            return "Negative loop energy: the loop runs the other way round, so it took energy "
                   "in instead of dissipating it. Check the sign of the force or the "
                   "displacement channel.";
        case EvaluationWarning::UltimateNotReached:
            return "Ultimate not reached: the skeleton never falls to the ultimate ratio of its "
                   "peak force, so its last point stands for the ultimate point and the "
                   "ductilities are lower bounds.";
        case EvaluationWarning::EeepFallback:
            return "EEEP fallback: no elastic-plastic bilinear has the area under the curve, so "
                   "the yield force is 0.85 Fmax.";
        case EvaluationWarning::LeftTheData:
            return "The construction leaves the data (it needs a point beyond the measured "
                   "curve, or its yield point lies beyond the ultimate point), so this method "
                   "gives no yield point.";
        case EvaluationWarning::PeaksOffQuadrant:
            return "Peaks off their quadrant: a peak point of this loop lies at a force of the "
                   "other sign than its displacement (after a fracture, or force peaks on a "
                   "slipping loop), so the elastic energy triangles mean nothing and the "
                   "damping, the dissipation coefficient and the secant stiffness are empty.";
        case EvaluationWarning::IncompleteLoop:
            return "Incomplete loop: the record ends before this loop closes, so it belongs to "
                   "no level and its level and cycle are empty.";
        case EvaluationWarning::UltimateCapped:
            return "Ultimate capped: the branch reaches the standard's largest slip before it "
                   "falls to the ultimate ratio of its peak force, so the slip is the ultimate "
                   "displacement.";
        case EvaluationWarning::DroppedPoints:
            return "Points left out: these points of the skeleton step back (they lie no "
                   "further out than a point before them), so the constructions follow the "
                   "outward path without them.";
    }
    return {};
}

EvaluationTable LoopTable(const TestEvaluation& e) {
    EvaluationTable t = RowsTable("Loops", e.Loops, kLoopColumns);
    const size_t energy = ColumnOf(t, "Energy");
    for (size_t r = 0; r < t.Rows.size(); ++r) {
        const TableValue& v = t.Rows[r][energy];
        if (v.IsNumber() && v.Number < 0) {
            t.Marked.push_back({r, energy, EvaluationWarning::NegativeEnergy});
        }
        // The empty cells say why they are empty.
        if (e.Loops[r].PeaksOffQuadrant) {
            for (const char* name : {"DampingRatio", "DissipationCoefficient", "SecantStiffness",
                                     "PeaksOffQuadrant"}) {
                t.Marked.push_back({r, ColumnOf(t, name), EvaluationWarning::PeaksOffQuadrant});
            }
        }
        if (!e.Loops[r].Complete) {
            for (const char* name : {"Level", "Cycle", "Complete"}) {
                t.Marked.push_back({r, ColumnOf(t, name), EvaluationWarning::IncompleteLoop});
            }
        }
    }
    return t;
}

EvaluationTable LevelTable(const TestEvaluation& e) {
    return RowsTable("Levels", e.Levels, kLevelColumns);
}

EvaluationTable SkeletonTable(const SkeletonEvaluation& s) {
    EvaluationTable t;
    t.Title = "Skeleton";
    t.Header = {"Side",
                "Item",
                "Disp",
                "Force",
                "Ductility",
                "Stiffness",
                "UltimateReached",
                "Fallback",
                "UltimateCapped",
                "DroppedPoints"};
    constexpr size_t kDisp = 2, kDuctility = 4, kReached = 6, kFallback = 7, kCapped = 8,
                     kDropped = 9;
    const TableValue nul;
    for (const auto& [sideName, branch] :
         {std::pair{"Positive", &s.Positive}, std::pair{"Negative", &s.Negative}}) {
        // A plain copy: a lambda may not capture a structured binding in every compiler.
        const std::string_view side = sideName;
        // A branch without an evaluation gets its rows with every cell null.
        const BranchEvaluation* b = branch->has_value() ? &**branch : nullptr;
        const auto point = [&](const BranchPoint BranchEvaluation::*p, std::string_view item) {
            return std::vector<TableValue>{TableValue::Text(side),
                                           TableValue::Text(item),
                                           b ? TableValue::Of((b->*p).Disp) : nul,
                                           b ? TableValue::Of((b->*p).Force) : nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul};
        };
        t.Rows.push_back(point(&BranchEvaluation::Peak, "Peak"));
        t.Rows.push_back(point(&BranchEvaluation::Ultimate, "Ultimate"));
        if (b) {
            const size_t r = t.Rows.size() - 1;
            t.Rows.back()[kReached] = TableValue::Bool(b->UltimateReached);
            t.Rows.back()[kCapped] = TableValue::Bool(b->UltimateCapped);
            t.Rows.back()[kDropped] = TableValue::Integer(b->DroppedPoints);
            if (!b->UltimateReached) {
                t.Marked.push_back({r, kReached, EvaluationWarning::UltimateNotReached});
            }
            if (b->UltimateCapped) {
                t.Marked.push_back({r, kCapped, EvaluationWarning::UltimateCapped});
            }
            if (b->DroppedPoints > 0) {
                t.Marked.push_back({r, kDropped, EvaluationWarning::DroppedPoints});
            }
        }
        for (size_t m = 0; m < kYieldMethodCount; ++m) {
            const YieldMethodInfo& info = kYieldMethods[m];
            const auto& y = b ? b->Yield[m] : std::nullopt;
            std::vector<TableValue> row = {TableValue::Text(side),
                                           TableValue::Text(info.Name),
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul,
                                           nul};
            if (y) {
                row[kDisp] = TableValue::Of(y->Disp);
                row[kDisp + 1] = TableValue::Of(y->Force);
                row[kDuctility] = TableValue::Of(y->Ductility);
                if (info.HasStiffness) row[5] = TableValue::Of(y->Stiffness);
                if (info.HasFallback) row[kFallback] = TableValue::Bool(y->Fallback);
            }
            t.Rows.push_back(std::move(row));
            const size_t r = t.Rows.size() - 1;
            if (b && !y) t.Marked.push_back({r, kDisp, EvaluationWarning::LeftTheData});
            if (y && y->Fallback)
                t.Marked.push_back({r, kFallback, EvaluationWarning::EeepFallback});
            if (y && y->Ductility && !b->UltimateReached) {
                t.Marked.push_back({r, kDuctility, EvaluationWarning::UltimateNotReached});
            }
        }
    }
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        t.Rows.push_back({TableValue::Text("Mean"), TableValue::Text(kYieldMethods[m].Name), nul,
                          nul, TableValue::Of(s.MeanDuctility[m]), nul, nul, nul, nul, nul});
    }
    return t;
}

void AppendTableValueText(std::string& out, const TableValue& value, char separator,
                          std::string_view null) {
    switch (value.Type) {
        case TableValue::Kind::Null: out += null; break;
        case TableValue::Kind::Integer: {
            char buf[32];
            out.append(
                buf,
                std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value.Number)).ptr);
            break;
        }
        case TableValue::Kind::Number:
            if (std::isfinite(value.Number)) {
                AppendGeneral15(out, value.Number, separator);
            } else {
                out += null;
            }
            break;
        case TableValue::Kind::Flag: out += value.Flag ? "true" : "false"; break;
        case TableValue::Kind::Word: out += value.Word; break;
    }
}

std::string TableValueText(const TableValue& value, char separator, std::string_view null) {
    std::string out;
    AppendTableValueText(out, value, separator, null);
    return out;
}

void AppendTableText(std::string& out, const EvaluationTable& table, char separator,
                     char decimalSeparator, std::string_view null, std::string_view newline) {
    out += table.Title;
    out += newline;
    for (size_t c = 0; c < table.Header.size(); ++c) {
        if (c != 0) out += separator;
        out += table.Header[c];
    }
    out += newline;
    for (const auto& row : table.Rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c != 0) out += separator;
            AppendTableValueText(out, row[c], decimalSeparator, null);
        }
        out += newline;
    }
}

std::string EvaluationTablesText(const TestEvaluation& e, char separator, std::string_view null,
                                 std::string_view newline) {
    std::string out;
    AppendTableText(out, LoopTable(e), separator, '.', null, newline);
    out += newline;
    AppendTableText(out, LevelTable(e), separator, '.', null, newline);
    out += newline;
    AppendTableText(out, SkeletonTable(e.Skeleton), separator, '.', null, newline);
    return out;
}

namespace {

// A CSV field: quoted (with doubled quotes) when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    field += '"';
    return field;
}

// A tab-separated field: tabs and line breaks would split it, so they become blanks.
std::string TabField(std::string_view text) {
    std::string field(text);
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

std::string HeaderLine(const TestEvaluation& e, const EvaluationReportHeader& header, char sep,
                       std::string (*field)(std::string_view)) {
    const auto number = [](double v) { return TableValueText(TableValue::Of(v), '.', ""); };
    const std::pair<std::string_view, std::string> items[] = {
        {"Record", field(header.Record)},
        {"SkeletonMethod", field(header.SkeletonMethod)},
        {"Preset", field(header.Preset)},
        {"UltimateRatio", number(e.Options.UltimateRatio)},
        {"PeakPoint", std::string(PeakPointName(e.Options.PeakPoint))},
        {"LevelTolerance", number(e.Options.LevelTolerance)},
        {"NoiseBand", number(e.Options.NoiseBand)},
    };
    std::string out;
    for (const auto& [name, value] : items) {
        if (!out.empty()) out += sep;
        out += name;
        out += sep;
        out += value;
    }
    // Energy is in force times displacement, stiffness in force per displacement.
    if (!header.DisplacementUnit.empty() || !header.ForceUnit.empty()) {
        const std::string d = field(header.DisplacementUnit);
        const std::string f = field(header.ForceUnit);
        for (const auto& [name, value] :
             {std::pair<std::string_view, std::string>{"DisplacementUnit", d},
              {"ForceUnit", f},
              {"EnergyUnit", f + "\u00b7" + d},
              {"StiffnessUnit", f + "/" + d}}) {
            out += sep;
            out += name;
            out += sep;
            out += value;
        }
    }
    return out;
}

}  // namespace

std::string EvaluationCsvText(const TestEvaluation& e, const EvaluationReportHeader& header) {
    std::string out = HeaderLine(e, header, ',', &CsvField);
    out += "\r\n\r\n";
    out += EvaluationTablesText(e, ',', "", "\r\n");
    return out;
}

std::string EvaluationTextFileText(const TestEvaluation& e, const EvaluationReportHeader& header) {
    std::string out = HeaderLine(e, header, '\t', &TabField);
    out += "\r\n\r\n";
    out += EvaluationTablesText(e, '\t', "--", "\r\n");
    return out;
}

}  // namespace qlnx
