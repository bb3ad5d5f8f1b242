#include "cli/evaluation_output.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>

#include "cli/json_output.h"
#include "core/evaluation_columns.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr size_t kFlushSize = size_t{1} << 20;

void FlushIfLarge(std::ostream& stream, std::string& out) {
    if (out.size() < kFlushSize) return;
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    out.clear();
}

void AppendInt(std::string& out, int value) {
    char buf[16];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

void AppendJsonOptional(std::string& out, const std::optional<double>& value) {
    if (value) {
        AppendJsonNumber(out, *value);
    } else {
        out += "null";
    }
}

void AppendJsonPoint(std::string& out, double d, double f) {
    out += '[';
    AppendJsonNumber(out, d);
    out += ", ";
    AppendJsonNumber(out, f);
    out += ']';
}

void AppendJsonKey(std::string& out, std::string_view key) {
    AppendJsonString(out, key);
    out += ": ";
}

void AppendJsonCell(std::string& out, const EvaluationCell& cell) {
    if (const int* i = std::get_if<int>(&cell)) {
        AppendInt(out, *i);
    } else if (const bool* b = std::get_if<bool>(&cell)) {
        out += *b ? "true" : "false";
    } else if (const auto* x = std::get_if<std::optional<double>>(&cell)) {
        AppendJsonOptional(out, *x);
    } else {
        const LoopPoint& p = std::get<LoopPoint>(cell);
        AppendJsonPoint(out, p.Disp, p.Force);
    }
}

template <typename Row, size_t N>
void AppendJsonRows(std::ostream& stream, std::string& out, std::string_view key,
                    const std::vector<Row>& rows,
                    const std::array<EvaluationColumn<Row>, N>& columns) {
    out += ",\n    ";
    AppendJsonKey(out, key);
    out += '[';
    for (size_t r = 0; r < rows.size(); ++r) {
        out += r == 0 ? "\n      {" : ",\n      {";
        for (size_t c = 0; c < N; ++c) {
            if (c != 0) out += ", ";
            AppendJsonKey(out, columns[c].Name);
            AppendJsonCell(out, columns[c].Get(rows[r]));
        }
        out += '}';
        FlushIfLarge(stream, out);
    }
    out += rows.empty() ? "]" : "\n    ]";
}

void AppendJsonBranch(std::string& out, const std::optional<BranchEvaluation>& branch) {
    if (!branch) {
        out += "null";
        return;
    }
    out += "{";
    AppendJsonKey(out, "Peak");
    AppendJsonPoint(out, branch->Peak.Disp, branch->Peak.Force);
    out += ", ";
    AppendJsonKey(out, "Ultimate");
    AppendJsonPoint(out, branch->Ultimate.Disp, branch->Ultimate.Force);
    out += ", ";
    AppendJsonKey(out, "UltimateReached");
    out += branch->UltimateReached ? "true" : "false";
    out += ", ";
    AppendJsonKey(out, "Yield");
    out += '{';
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        const YieldMethodInfo& info = kYieldMethods[m];
        out += "\n        ";
        AppendJsonKey(out, info.Name);
        const auto& y = branch->Yield[m];
        if (!y) {
            out += "null";
        } else {
            out += '{';
            AppendJsonKey(out, "Disp");
            AppendJsonNumber(out, y->Disp);
            out += ", ";
            AppendJsonKey(out, "Force");
            AppendJsonNumber(out, y->Force);
            out += ", ";
            AppendJsonKey(out, "Ductility");
            AppendJsonOptional(out, y->Ductility);
            if (info.HasStiffness) {
                out += ", ";
                AppendJsonKey(out, "Stiffness");
                AppendJsonOptional(out, y->Stiffness);
            }
            if (info.HasFallback) {
                out += ", ";
                AppendJsonKey(out, "Fallback");
                out += y->Fallback ? "true" : "false";
            }
            out += '}';
        }
        if (m + 1 < kYieldMethodCount) out += ',';
    }
    out += "}}";
}

// ---- Text tables ----

void AppendNumberText(std::string& out, double value, std::string_view null) {
    if (std::isfinite(value)) {
        AppendGeneral15(out, value, '.');
    } else {
        out += null;
    }
}

void AppendCellText(std::string& out, const EvaluationCell& cell, char separator,
                    std::string_view null) {
    if (const int* i = std::get_if<int>(&cell)) {
        AppendInt(out, *i);
    } else if (const bool* b = std::get_if<bool>(&cell)) {
        out += *b ? "true" : "false";
    } else if (const auto* x = std::get_if<std::optional<double>>(&cell)) {
        AppendNumberText(out, x->value_or(std::nan("")), null);
    } else {
        const LoopPoint& p = std::get<LoopPoint>(cell);
        AppendNumberText(out, p.Disp, null);
        out += separator;
        AppendNumberText(out, p.Force, null);
    }
}

template <typename Row, size_t N>
void AppendTable(std::string& out, std::string_view title, const std::vector<Row>& rows,
                 const std::array<EvaluationColumn<Row>, N>& columns, char separator,
                 std::string_view null, std::string_view newline) {
    out += title;
    out += newline;
    // A point column is two cells, "<name> d" and "<name> F".
    for (size_t c = 0; c < N; ++c) {
        if (c != 0) out += separator;
        out += columns[c].Name;
        if (std::holds_alternative<LoopPoint>(columns[c].Get(Row{}))) {
            out += " d";
            out += separator;
            out += columns[c].Name;
            out += " F";
        }
    }
    out += newline;
    for (const Row& row : rows) {
        for (size_t c = 0; c < N; ++c) {
            if (c != 0) out += separator;
            AppendCellText(out, columns[c].Get(row), separator, null);
        }
        out += newline;
    }
}

void AppendSkeletonTable(std::string& out, const SkeletonEvaluation& s, char separator,
                         std::string_view null, std::string_view newline) {
    const auto cells = [&](std::initializer_list<std::string> values) {
        bool first = true;
        for (const auto& v : values) {
            if (!first) out += separator;
            out += v;
            first = false;
        }
        out += newline;
    };
    const auto number = [&](const std::optional<double>& v) {
        std::string text;
        AppendNumberText(text, v.value_or(std::nan("")), null);
        return text;
    };
    const auto flag = [&](std::optional<bool> b) {
        return b ? std::string(*b ? "true" : "false") : std::string(null);
    };
    out += "Skeleton";
    out += newline;
    cells(
        {"Side", "Item", "Disp", "Force", "Ductility", "Stiffness", "UltimateReached", "Fallback"});
    const std::string nul(null);
    for (const auto& [side, branch] :
         {std::pair{"Positive", &s.Positive}, std::pair{"Negative", &s.Negative}}) {
        // A branch without an evaluation gets its rows with every cell null.
        const BranchEvaluation* b = branch->has_value() ? &**branch : nullptr;
        const auto value = [&](double BranchPoint::*coordinate, const BranchPoint& p) {
            return number(b ? std::optional((p.*coordinate)) : std::nullopt);
        };
        const BranchPoint none;
        const BranchPoint& peak = b ? b->Peak : none;
        const BranchPoint& ultimate = b ? b->Ultimate : none;
        cells({side, "Peak", value(&BranchPoint::Disp, peak), value(&BranchPoint::Force, peak), nul,
               nul, nul, nul});
        cells({side, "Ultimate", value(&BranchPoint::Disp, ultimate),
               value(&BranchPoint::Force, ultimate), nul, nul,
               flag(b ? std::optional(b->UltimateReached) : std::nullopt), nul});
        for (size_t m = 0; m < kYieldMethodCount; ++m) {
            const YieldMethodInfo& info = kYieldMethods[m];
            const auto& y = b ? b->Yield[m] : std::nullopt;
            cells({side, std::string(info.Name), number(y ? std::optional(y->Disp) : std::nullopt),
                   number(y ? std::optional(y->Force) : std::nullopt),
                   number(y ? y->Ductility : std::nullopt),
                   info.HasStiffness ? number(y ? y->Stiffness : std::nullopt) : nul, nul,
                   info.HasFallback && y ? flag(y->Fallback) : nul});
        }
    }
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        cells({"Mean", std::string(kYieldMethods[m].Name), nul, nul, number(s.MeanDuctility[m]),
               nul, nul, nul});
    }
}

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

}  // namespace

void AppendEvaluationJson(std::ostream& stream, std::string& out, const TestEvaluation& e) {
    out += "{\n    ";
    AppendJsonKey(out, "Options");
    out += '{';
    AppendJsonKey(out, "NoiseBand");
    AppendJsonNumber(out, e.Options.NoiseBand);
    out += ", ";
    AppendJsonKey(out, "UltimateRatio");
    AppendJsonNumber(out, e.Options.UltimateRatio);
    out += ", ";
    AppendJsonKey(out, "PeakPoint");
    AppendJsonString(out, PeakPointName(e.Options.PeakPoint));
    out += ", ";
    AppendJsonKey(out, "LevelTolerance");
    AppendJsonNumber(out, e.Options.LevelTolerance);
    out += '}';
    AppendJsonRows(stream, out, "Loops", e.Loops, kLoopColumns);
    AppendJsonRows(stream, out, "Levels", e.Levels, kLevelColumns);
    out += ",\n    ";
    AppendJsonKey(out, "Skeleton");
    out += "{\n      ";
    AppendJsonKey(out, "Positive");
    AppendJsonBranch(out, e.Skeleton.Positive);
    out += ",\n      ";
    AppendJsonKey(out, "Negative");
    AppendJsonBranch(out, e.Skeleton.Negative);
    out += ",\n      ";
    AppendJsonKey(out, "MeanDuctility");
    out += '{';
    for (size_t m = 0; m < kYieldMethodCount; ++m) {
        if (m != 0) out += ", ";
        AppendJsonKey(out, kYieldMethods[m].Name);
        AppendJsonOptional(out, e.Skeleton.MeanDuctility[m]);
    }
    out += "}\n    }\n  }";
}

std::string EvaluationTablesText(const TestEvaluation& e, char separator, std::string_view null,
                                 std::string_view newline) {
    std::string out;
    AppendTable(out, "Loops", e.Loops, kLoopColumns, separator, null, newline);
    out += newline;
    AppendTable(out, "Levels", e.Levels, kLevelColumns, separator, null, newline);
    out += newline;
    AppendSkeletonTable(out, e.Skeleton, separator, null, newline);
    return out;
}

std::string EvaluationCsvText(const TestEvaluation& e, const EvaluationReportHeader& header) {
    std::string out = "Record," + CsvField(header.Record);
    out += ",SkeletonMethod," + CsvField(header.SkeletonMethod);
    out += ",Preset," + CsvField(header.Preset);
    out += ",UltimateRatio,";
    AppendNumberText(out, e.Options.UltimateRatio, "");
    out += ",PeakPoint,";
    out += PeakPointName(e.Options.PeakPoint);
    out += ",LevelTolerance,";
    AppendNumberText(out, e.Options.LevelTolerance, "");
    out += ",NoiseBand,";
    AppendNumberText(out, e.Options.NoiseBand, "");
    out += "\r\n\r\n";
    out += EvaluationTablesText(e, ',', "", "\r\n");
    return out;
}

}  // namespace qlnx
