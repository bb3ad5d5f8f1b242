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
    } else if (const auto* n = std::get_if<std::optional<int>>(&cell)) {
        if (*n) {
            AppendInt(out, **n);
        } else {
            out += "null";
        }
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
    AppendJsonKey(out, "UltimateCapped");
    out += branch->UltimateCapped ? "true" : "false";
    out += ", ";
    AppendJsonKey(out, "DroppedPoints");
    AppendInt(out, branch->DroppedPoints);
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

}  // namespace qlnx
