#include "core/series_table.h"

#include <algorithm>
#include <cmath>

#include "core/evaluation_tables.h"

namespace qlnx {

namespace {

constexpr const char* kFixedColumns[] = {
    "PeakForcePos", "PeakDispPos",   "PeakForceNeg", "PeakDispNeg",     "YieldForcePos",
    "YieldDispPos", "YieldForceNeg", "YieldDispNeg", "UltimateDispPos", "UltimateDispNeg",
    "DuctilityPos", "DuctilityNeg",  "StiffnessPos", "StiffnessNeg",    "TotalEnergy"};

// Peak force, peak displacement, yield force, yield displacement, ultimate displacement,
// ductility and stiffness of one side, each null without an evaluation.
struct SideValues {
    std::optional<double> PeakForce, PeakDisp, YieldForce, YieldDisp, UltimateDisp, Ductility,
        Stiffness;
};

SideValues SideOf(const std::optional<BranchEvaluation>& branch, YieldMethod yield) {
    SideValues v;
    if (!branch) return v;
    v.PeakForce = branch->Peak.Force;
    v.PeakDisp = branch->Peak.Disp;
    v.UltimateDisp = branch->Ultimate.Disp;
    const auto& point = branch->Yield[static_cast<size_t>(yield)];
    if (point) {
        v.YieldForce = point->Force;
        v.YieldDisp = point->Disp;
        v.Ductility = point->Ductility;
        if (point->Stiffness) {
            v.Stiffness = point->Stiffness;
        } else if (point->Disp != 0) {
            v.Stiffness = point->Force / point->Disp;
        }
    }
    return v;
}

// The equivalent damping ratio of each level's first loop.
std::vector<std::optional<double>> LevelDamping(const TestEvaluation& e) {
    std::vector<std::optional<double>> damping;
    for (const LevelRow& level : e.Levels) {
        const auto loop = static_cast<size_t>(level.FirstLoop - 1);
        damping.push_back(loop < e.Loops.size() ? e.Loops[loop].DampingRatio : std::nullopt);
    }
    return damping;
}

std::vector<std::optional<double>> RowOf(const TestEvaluation& e, YieldMethod yield,
                                         size_t levels) {
    const SideValues pos = SideOf(e.Skeleton.Positive, yield);
    const SideValues neg = SideOf(e.Skeleton.Negative, yield);
    std::vector<std::optional<double>> row = {
        pos.PeakForce,
        pos.PeakDisp,
        neg.PeakForce,
        neg.PeakDisp,
        pos.YieldForce,
        pos.YieldDisp,
        neg.YieldForce,
        neg.YieldDisp,
        pos.UltimateDisp,
        neg.UltimateDisp,
        pos.Ductility,
        neg.Ductility,
        pos.Stiffness,
        neg.Stiffness,
        e.Loops.empty() ? std::nullopt : e.Loops.back().CumulativeEnergy};
    const auto damping = LevelDamping(e);
    for (size_t level = 0; level < levels; ++level) row.push_back(damping[level]);
    for (auto& value : row) {
        if (value && !std::isfinite(*value)) value.reset();
    }
    return row;
}

void AppendField(std::string& out, const std::string& text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendNumbers(std::string& out, const std::vector<std::optional<double>>& values,
                   char separator, std::string_view null, std::string_view newline) {
    for (const auto& value : values) {
        out += separator;
        AppendTableValueText(out, TableValue::Of(value), '.', null);
    }
    out += newline;
}

}  // namespace

SeriesTable MakeSeriesTable(const std::vector<const SeriesMember*>& members, YieldMethod yield) {
    SeriesTable table;
    size_t levels = members.empty() ? 0 : SIZE_MAX;
    for (const SeriesMember* m : members) levels = std::min(levels, m->Evaluation.Levels.size());
    for (const char* column : kFixedColumns) table.Columns.emplace_back(column);
    for (size_t level = 1; level <= levels; ++level) {
        table.Columns.push_back("DampingLevel" + std::to_string(level));
    }
    for (const SeriesMember* m : members) {
        table.Specimens.push_back(m->Name);
        table.Rows.push_back(RowOf(m->Evaluation, yield, levels));
    }
    for (size_t c = 0; c < table.Columns.size(); ++c) {
        std::vector<std::optional<double>> column;
        for (const auto& row : table.Rows) column.push_back(row[c]);
        table.Statistics.push_back(DescribeSample(column));
    }
    return table;
}

std::vector<SeriesGroup> MakeSeriesGroups(const std::vector<SeriesMember>& members,
                                          YieldMethod yield) {
    std::vector<std::string> names;
    for (const SeriesMember& m : members) {
        if (std::find(names.begin(), names.end(), m.Group) == names.end()) {
            names.push_back(m.Group);
        }
    }
    std::vector<SeriesGroup> groups;
    for (const std::string& name : names) {
        std::vector<const SeriesMember*> inGroup;
        std::vector<SkeletonBranchNodes> positive;
        std::vector<SkeletonBranchNodes> negative;
        for (const SeriesMember& m : members) {
            if (m.Group != name) continue;
            inGroup.push_back(&m);
            positive.push_back(m.Positive);
            negative.push_back(m.Negative);
        }
        SeriesGroup group;
        group.Name = name;
        group.Table = MakeSeriesTable(inGroup, yield);
        group.Positive = MeanSkeleton(positive, false);
        group.Negative = MeanSkeleton(negative, true);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::optional<YieldMethod> YieldMethodOfName(std::string_view name) {
    for (const YieldMethodInfo& info : kYieldMethods) {
        if (info.Name == name) return info.Method;
    }
    return std::nullopt;
}

std::optional<double> StatisticValue(const SampleStatistics& s, size_t row) {
    switch (row) {
        case 0: return s.Mean;
        case 1: return s.StdDev;
        case 2: return s.CoV;
        case 3: return s.Min;
        case 4: return s.Max;
        case 5: return s.Characteristic;
        default: return std::nullopt;
    }
}

std::string SeriesTableText(const std::vector<SeriesGroup>& groups, char separator,
                            std::string_view null, std::string_view newline) {
    std::string out;
    for (const SeriesGroup& group : groups) {
        out += "Group";
        out += separator;
        out += "Specimen";
        for (const std::string& column : group.Table.Columns) {
            out += separator;
            out += column;
        }
        out += newline;
        const SeriesTable& table = group.Table;
        for (size_t r = 0; r < table.Rows.size(); ++r) {
            AppendField(out, group.Name, separator);
            out += separator;
            AppendField(out, table.Specimens[r], separator);
            AppendNumbers(out, table.Rows[r], separator, null, newline);
        }
        for (size_t row = 0; row < std::size(kStatisticRows); ++row) {
            std::vector<std::optional<double>> values;
            for (const SampleStatistics& s : table.Statistics) {
                values.push_back(StatisticValue(s, row));
            }
            AppendField(out, group.Name, separator);
            out += separator;
            out += kStatisticRows[row];
            AppendNumbers(out, values, separator, null, newline);
        }
    }
    return out;
}

std::string SeriesCsvText(const std::vector<SeriesGroup>& groups) {
    return SeriesTableText(groups, ',', "", "\r\n");
}

EvaluationTable SeriesGroupTable(const SeriesGroup& group) {
    const SeriesTable& t = group.Table;
    EvaluationTable table;
    table.Title = group.Name;
    table.Header.push_back("Specimen");
    table.Header.insert(table.Header.end(), t.Columns.begin(), t.Columns.end());
    for (size_t r = 0; r < t.Rows.size(); ++r) {
        std::vector<TableValue> row{TableValue::Text(t.Specimens[r])};
        for (const auto& value : t.Rows[r]) row.push_back(TableValue::Of(value));
        table.Rows.push_back(std::move(row));
    }
    for (size_t s = 0; s < std::size(kStatisticRows); ++s) {
        std::vector<TableValue> row{TableValue::Text(kStatisticRows[s])};
        for (const SampleStatistics& column : t.Statistics) {
            row.push_back(TableValue::Of(StatisticValue(column, s)));
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace qlnx
