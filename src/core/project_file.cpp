#include "core/project_file.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "core/file_bytes.h"
#include "core/record_hash.h"
#include "core/safe_write.h"

namespace qlnx {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

std::string DirectionName(LoopDirection direction) {
    return direction == LoopDirection::Negative ? "negative" : "positive";
}

Json BranchJson(const SkeletonBranchNodes& branch) {
    Json points = Json::array();
    for (size_t i = 0; i < branch.X.size(); ++i) points.push_back({branch.X[i], branch.Y[i]});
    return points;
}

// The record's path as the file keeps it: relative to the project's folder when the two
// share a root, so that a project moved with its records still finds them.
std::string StoredRecordPath(const std::string& path, const std::string& folder) {
    const fs::path record = fs::absolute(path).lexically_normal();
    const fs::path base = fs::absolute(folder).lexically_normal();
    const fs::path relative = record.lexically_relative(base);
    return relative.empty() ? record.string() : relative.generic_string();
}

std::string ResolvedRecordPath(const std::string& stored, const std::string& folder) {
    const fs::path path(stored);
    if (path.is_absolute()) return path.lexically_normal().string();
    return (fs::absolute(folder) / path).lexically_normal().string();
}

// A channel's settings as [name, value...] rows, in the mapping's order.
Json ChannelsJson(const ChannelSettings& c, const std::string& header) {
    Json units = Json::array();
    for (const auto& [name, unit] : c.Units) units.push_back({name, unit});
    Json zero = Json::array();
    for (const ChannelZero& z : c.Zero) zero.push_back({z.Channel, z.Samples});
    Json scale = Json::array();
    for (const ChannelScale& f : c.Scale) scale.push_back({f.Channel, f.Factor, f.Offset});
    return {{"Header", header},
            {"Displacement", c.Displacement},
            {"Force", c.Force},
            {"Units", units},
            {"Zero", zero},
            {"Scale", scale},
            {"LengthUnit", c.LengthUnit},
            {"ForceUnit", c.ForceUnit},
            {"DriftHeight", c.DriftHeight ? Json(*c.DriftHeight) : Json(nullptr)},
            {"TimeChannel", c.TimeChannel}};
}

Json SpecimenJson(const Specimen& s, const std::string& folder) {
    Json j;
    j["Name"] = s.Name;
    j["Group"] = s.Group;
    j["Notes"] = s.Notes;
    j["Record"] = {{"Path", StoredRecordPath(s.RecordPath, folder)}, {"Sha256", s.RecordSha256}};
    j["Import"] = {{"FirstLine", s.Import.FirstLineText},
                   {"Step", s.Import.StepText},
                   {"Decimal", std::string(DecimalModeName(s.Import.Decimal))},
                   {"DisplacementColumn", s.Import.DisplacementColumn},
                   {"ForceColumn", s.Import.ForceColumn}};
    // A record read to its end says nothing, as before ranges were kept.
    if (s.Import.LastLine != 0) j["Import"]["LastLine"] = s.Import.LastLine;
    if (s.Import.Channels) {
        j["Import"]["Channels"] = ChannelsJson(*s.Import.Channels, s.Import.ChannelHeader);
    }
    j["NoiseBand"] = s.NoiseBandText;
    j["Direction"] = DirectionName(s.Direction);
    Json skeleton;
    const SkeletonMethodRow* method =
        s.Skeleton.Method ? FindSkeletonMethod(*s.Skeleton.Method) : nullptr;
    skeleton["Method"] = method != nullptr ? Json(std::string(method->BatchName)) : Json(nullptr);
    skeleton["KeepDispIncreasing"] = s.Skeleton.KeepDispIncreasing;
    skeleton["Stored"] = s.Skeleton.Stored;
    skeleton["Positive"] = BranchJson(s.Skeleton.Positive);
    skeleton["Negative"] = BranchJson(s.Skeleton.Negative);
    Json thinning = Json::array();
    for (const ThinningStep& step : s.Skeleton.Thinning) {
        thinning.push_back({step.Low, step.High, step.Tolerance});
    }
    skeleton["Thinning"] = thinning;
    j["Skeleton"] = skeleton;
    j["Evaluation"] = {
        {"UltimateRatio", s.Evaluation.UltimateRatio},
        {"PeakPoint", std::string(PeakPointName(s.Evaluation.PeakPoint))},
        {"LevelTolerance", s.Evaluation.LevelTolerance},
        {"Preset", s.Preset ? Json(std::string(PresetInfo(*s.Preset).Key)) : Json(nullptr)}};
    j["Height"] = s.Height ? Json(*s.Height) : Json(nullptr);
    return j;
}

// A value of the file that is not what a project holds: the file is damaged.
class DamagedValue : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Damaged(const std::string& why) { throw DamagedValue(why); }

SkeletonBranchNodes BranchOf(const Json& points) {
    SkeletonBranchNodes branch;
    for (const Json& point : points) {
        if (!point.is_array() || point.size() != 2) Damaged("a skeleton node is not [x, y]");
        branch.X.push_back(point.at(0).get<double>());
        branch.Y.push_back(point.at(1).get<double>());
    }
    return branch;
}

// A row of the mapping's lists: an array of the channel's name and count values.
const Json& ChannelRow(const Json& row, size_t count, const char* what) {
    if (!row.is_array() || row.size() != count) Damaged(std::string("a channel's ") + what);
    return row;
}

ChannelSettings ChannelsOf(const Json& j, std::string& header) {
    ChannelSettings c;
    header = j.at("Header").get<std::string>();
    c.Displacement = j.at("Displacement").get<std::string>();
    c.Force = j.at("Force").get<std::string>();
    for (const Json& row : j.at("Units")) {
        ChannelRow(row, 2, "unit is not [name, unit]");
        c.Units.emplace_back(row.at(0).get<std::string>(), row.at(1).get<std::string>());
    }
    for (const Json& row : j.at("Zero")) {
        ChannelRow(row, 2, "zeroing is not [name, samples]");
        c.Zero.push_back({row.at(0).get<std::string>(), row.at(1).get<int>()});
        if (c.Zero.back().Samples < 1) Damaged("a channel zeroed over fewer than 1 sample");
    }
    for (const Json& row : j.at("Scale")) {
        ChannelRow(row, 3, "scale is not [name, factor, offset]");
        c.Scale.push_back(
            {row.at(0).get<std::string>(), row.at(1).get<double>(), row.at(2).get<double>()});
    }
    c.LengthUnit = j.at("LengthUnit").get<std::string>();
    c.ForceUnit = j.at("ForceUnit").get<std::string>();
    if (!j.at("DriftHeight").is_null()) {
        c.DriftHeight = j.at("DriftHeight").get<double>();
        if (!(*c.DriftHeight > 0)) Damaged("a drift height that is not positive");
    }
    c.TimeChannel = j.at("TimeChannel").get<std::string>();
    return c;
}

Specimen SpecimenOf(const Json& j, const std::string& folder) {
    Specimen s;
    s.Name = j.at("Name").get<std::string>();
    s.Group = j.at("Group").get<std::string>();
    s.Notes = j.at("Notes").get<std::string>();
    const Json& record = j.at("Record");
    s.RecordPath = ResolvedRecordPath(record.at("Path").get<std::string>(), folder);
    s.RecordSha256 = record.at("Sha256").get<std::string>();
    const Json& import = j.at("Import");
    s.Import.FirstLineText = import.at("FirstLine").get<std::string>();
    s.Import.StepText = import.at("Step").get<std::string>();
    const auto decimal = DecimalModeFromName(import.at("Decimal").get<std::string>());
    if (!decimal) Damaged("unknown decimal separator");
    s.Import.Decimal = *decimal;
    s.Import.DisplacementColumn = import.at("DisplacementColumn").get<int32_t>();
    s.Import.ForceColumn = import.at("ForceColumn").get<int32_t>();
    s.Import.LastLine = import.value("LastLine", 0);
    if (s.Import.LastLine < 0) Damaged("a last line below 0");
    if (s.Import.DisplacementColumn < 1 || s.Import.ForceColumn < 1) {
        Damaged("a column number below 1");
    }
    // Projects of format 1 have no mapping: their records are read by the two columns.
    if (import.contains("Channels")) {
        s.Import.Channels = ChannelsOf(import.at("Channels"), s.Import.ChannelHeader);
    }
    s.NoiseBandText = j.at("NoiseBand").get<std::string>();
    const std::string direction = j.at("Direction").get<std::string>();
    if (direction != "positive" && direction != "negative") Damaged("unknown loop direction");
    s.Direction = direction == "negative" ? LoopDirection::Negative : LoopDirection::Positive;
    const Json& skeleton = j.at("Skeleton");
    if (!skeleton.at("Method").is_null()) {
        s.Skeleton.Method = SkeletonMethodOfName(skeleton.at("Method").get<std::string>());
        if (!s.Skeleton.Method) Damaged("unknown skeleton method");
    }
    s.Skeleton.KeepDispIncreasing = skeleton.at("KeepDispIncreasing").get<bool>();
    s.Skeleton.Stored = skeleton.at("Stored").get<bool>();
    s.Skeleton.Positive = BranchOf(skeleton.at("Positive"));
    s.Skeleton.Negative = BranchOf(skeleton.at("Negative"));
    for (const Json& step : skeleton.at("Thinning")) {
        if (!step.is_array() || step.size() != 3) Damaged("a thinning step is not three texts");
        s.Skeleton.Thinning.push_back({step.at(0).get<std::string>(), step.at(1).get<std::string>(),
                                       step.at(2).get<std::string>()});
    }
    const Json& evaluation = j.at("Evaluation");
    s.Evaluation.UltimateRatio = evaluation.at("UltimateRatio").get<double>();
    const auto peak = PeakPointOfName(evaluation.at("PeakPoint").get<std::string>());
    if (!peak) Damaged("unknown peak point rule");
    s.Evaluation.PeakPoint = *peak;
    s.Evaluation.LevelTolerance = evaluation.at("LevelTolerance").get<double>();
    if (!evaluation.at("Preset").is_null()) {
        s.Preset = PresetOfKey(evaluation.at("Preset").get<std::string>());
        if (!s.Preset) Damaged("unknown preset");
    }
    if (!j.at("Height").is_null()) s.Height = j.at("Height").get<double>();
    return s;
}

std::string DamagedText(const std::string& name, const std::string& why) {
    return "The project \"" + name + "\" is damaged and cannot be opened (" + why + ").";
}

}  // namespace

std::string ProjectJsonText(const Project& project, const std::string& projectFolder) {
    Json j;
    j["Format"] = kProjectFormatOfWholeColumnRecords;
    Json specimens = Json::array();
    for (const Specimen& s : project.Specimens) {
        specimens.push_back(SpecimenJson(s, projectFolder));
        if (s.Import.Channels || s.Import.LastLine != 0) j["Format"] = kProjectFormat;
    }
    j["Specimens"] = specimens;
    return j.dump(1, '\t') + "\n";
}

Project ParseProjectJson(std::string_view text, const std::string& projectFolder,
                         const std::string& displayName) {
    Json j;
    try {
        j = Json::parse(text);
    } catch (const Json::exception& e) {
        throw ProjectError(DamagedText(displayName, e.what()));
    }
    try {
        if (!j.is_object() || !j.contains("Format") || !j.at("Format").is_number_integer()) {
            throw ProjectError(DamagedText(displayName, "no format number"));
        }
        const auto format = j.at("Format").get<int64_t>();
        if (format > kProjectFormat) {
            throw ProjectError("The project \"" + displayName + "\" was saved in format " +
                               std::to_string(format) +
                               " by a newer version of QLNX; this version reads format " +
                               std::to_string(kProjectFormat) + " and older.");
        }
        if (format < 1) throw ProjectError(DamagedText(displayName, "format number below 1"));
        Project project;
        for (const Json& s : j.at("Specimens")) {
            project.Specimens.push_back(SpecimenOf(s, projectFolder));
        }
        return project;
    } catch (const Json::exception& e) {
        throw ProjectError(DamagedText(displayName, e.what()));
    } catch (const DamagedValue& e) {
        throw ProjectError(DamagedText(displayName, e.what()));
    }
}

void SaveProject(const Project& project, const std::string& path) {
    const std::string folder = fs::absolute(path).parent_path().string();
    WriteFileSafely(path, ProjectJsonText(project, folder));
}

Project LoadProject(const std::string& path) {
    const std::string text = ReadFileBytes(path);
    const std::string folder = fs::absolute(path).parent_path().string();
    return ParseProjectJson(text, folder, path);
}

RecordState CheckRecord(const Specimen& specimen) {
    std::error_code error;
    if (!fs::is_regular_file(specimen.RecordPath, error)) return RecordState::Missing;
    std::string hash;
    try {
        hash = FileSha256(specimen.RecordPath);
    } catch (const FileError&) {
        return RecordState::Missing;
    }
    if (!specimen.RecordSha256.empty() && hash != specimen.RecordSha256) {
        return RecordState::Changed;
    }
    return RecordState::Ok;
}

std::string RecordStateText(const Specimen& specimen, RecordState state) {
    const std::string head =
        "The record \"" + specimen.RecordPath + "\" of specimen \"" + specimen.Name + "\" ";
    switch (state) {
        case RecordState::Missing: return head + "is missing.";
        case RecordState::Changed: return head + "has changed since the project was saved.";
        case RecordState::Ok: break;
    }
    return head + "is as the project saved it.";
}

}  // namespace qlnx
