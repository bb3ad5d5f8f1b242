#include "core/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "../file_bytes.h"
#include "core/record_hash.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;
using test::MakeTempFolder;
using test::ReadAll;
using test::RemoveTempFolder;
using test::WriteBytes;

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeTempFolder("qlnx-project");
        ASSERT_FALSE(folder_.empty());
        fs::create_directories(folder_ / "records");
        record_ = (folder_ / "records" / "wall 1.csv").string();
        WriteBytes(record_, "0,0\n1,10\n0,0\n-1,-10\n0,0\n");
    }
    void TearDown() override { RemoveTempFolder(folder_); }

    Specimen EditedSpecimen() const {
        Specimen s;
        s.Name = "Wall \"A\" 1";
        s.Group = "CLT";
        s.Notes = "line one\nline two, with ünïcode";
        s.RecordPath = record_;
        s.RecordSha256 = FileSha256(record_);
        s.Import = {"3", "2", DecimalMode::Comma, 4, 2, 41};
        s.NoiseBandText = "0.05";
        s.Direction = LoopDirection::Negative;
        s.Skeleton.Method = SkeletonMethod::EnvelopeToMaxForce;
        s.Skeleton.KeepDispIncreasing = true;
        s.Skeleton.Stored = true;
        s.Skeleton.Positive = {{0.1, 1.0 / 3, 2e-300}, {0.3, 10.000000000000002, -0.0}};
        s.Skeleton.Negative = {{-0.1}, {-7.25}};
        s.Skeleton.Thinning = {{"0", "5", "0.1"}, {"-5", "0", "0,2"}};
        s.Evaluation.UltimateRatio = 0.8;
        s.Evaluation.PeakPoint = PeakPointRule::Force;
        s.Evaluation.LevelTolerance = 0.15;
        s.Preset = EvaluationPreset::En12512;
        s.Height = 1600;
        return s;
    }

    fs::path folder_;
    std::string record_;
};

void ExpectSameSpecimen(const Specimen& a, const Specimen& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Group, b.Group);
    EXPECT_EQ(a.Notes, b.Notes);
    EXPECT_EQ(a.RecordPath, b.RecordPath);
    EXPECT_EQ(a.RecordSha256, b.RecordSha256);
    EXPECT_EQ(a.Import.FirstLineText, b.Import.FirstLineText);
    EXPECT_EQ(a.Import.StepText, b.Import.StepText);
    EXPECT_EQ(a.Import.Decimal, b.Import.Decimal);
    EXPECT_EQ(a.Import.DisplacementColumn, b.Import.DisplacementColumn);
    EXPECT_EQ(a.Import.ForceColumn, b.Import.ForceColumn);
    EXPECT_EQ(a.Import.LastLine, b.Import.LastLine);
    EXPECT_EQ(a.NoiseBandText, b.NoiseBandText);
    EXPECT_EQ(a.Direction, b.Direction);
    EXPECT_EQ(a.Skeleton.Method, b.Skeleton.Method);
    EXPECT_EQ(a.Skeleton.KeepDispIncreasing, b.Skeleton.KeepDispIncreasing);
    EXPECT_EQ(a.Skeleton.Stored, b.Skeleton.Stored);
    EXPECT_EQ(a.Skeleton.Positive.X, b.Skeleton.Positive.X);
    EXPECT_EQ(a.Skeleton.Positive.Y, b.Skeleton.Positive.Y);
    EXPECT_EQ(a.Skeleton.Negative.X, b.Skeleton.Negative.X);
    EXPECT_EQ(a.Skeleton.Negative.Y, b.Skeleton.Negative.Y);
    ASSERT_EQ(a.Skeleton.Thinning.size(), b.Skeleton.Thinning.size());
    for (size_t i = 0; i < a.Skeleton.Thinning.size(); ++i) {
        EXPECT_EQ(a.Skeleton.Thinning[i].Low, b.Skeleton.Thinning[i].Low);
        EXPECT_EQ(a.Skeleton.Thinning[i].High, b.Skeleton.Thinning[i].High);
        EXPECT_EQ(a.Skeleton.Thinning[i].Tolerance, b.Skeleton.Thinning[i].Tolerance);
    }
    EXPECT_EQ(a.Evaluation.UltimateRatio, b.Evaluation.UltimateRatio);
    EXPECT_EQ(a.Evaluation.PeakPoint, b.Evaluation.PeakPoint);
    EXPECT_EQ(a.Evaluation.LevelTolerance, b.Evaluation.LevelTolerance);
    EXPECT_EQ(a.Preset, b.Preset);
    EXPECT_EQ(a.Height, b.Height);
}

TEST_F(ProjectFileTest, SavedAndReadBackExactlyWithTheRecordRelativeToTheProject) {
    Project project;
    project.Specimens.push_back(EditedSpecimen());
    project.Specimens.push_back(Specimen{});
    project.Specimens.back().Name = "bare";
    project.Specimens.back().RecordPath = (folder_ / "elsewhere.csv").string();
    const std::string path = (folder_ / "campaign.qlnx").string();
    SaveProject(project, path);

    const std::string text = ReadAll(path);
    // A range of lines is kept, in the format that an older version refuses rather than read
    // the whole record; a record read to its end names no last line.
    EXPECT_NE(text.find("\"Format\": 2"), std::string::npos);
    EXPECT_NE(text.find("\"records/wall 1.csv\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"LastLine\": 41"), std::string::npos);
    EXPECT_EQ(text.find("\"LastLine\": 0"), std::string::npos);

    const Project back = LoadProject(path);
    ASSERT_EQ(back.Specimens.size(), 2u);
    ExpectSameSpecimen(back.Specimens[0], project.Specimens[0]);
    ExpectSameSpecimen(back.Specimens[1], project.Specimens[1]);
    // Saved again, the same bytes.
    SaveProject(back, path);
    EXPECT_EQ(ReadAll(path), text);

    // Moved with its records, the project still finds them.
    const fs::path moved = folder_ / "moved";
    fs::create_directories(moved);
    fs::rename(folder_ / "records", moved / "records");
    fs::rename(path, moved / "campaign.qlnx");
    const Project found = LoadProject((moved / "campaign.qlnx").string());
    EXPECT_EQ(found.Specimens[0].RecordPath, (moved / "records" / "wall 1.csv").string());
    EXPECT_EQ(CheckRecord(found.Specimens[0]), RecordState::Ok);
}

TEST_F(ProjectFileTest, DamagedOrNewerProjectsAreRefusedWithAMessage) {
    struct Case {
        const char* Text;
        const char* MessageStart;
    };
    const Case cases[] = {
        {"{\"Format\": 1, \"Specimens\": [", "The project \"p.qlnx\" is damaged"},
        {"", "The project \"p.qlnx\" is damaged"},
        {"[1, 2]", "The project \"p.qlnx\" is damaged"},
        {"{\"Specimens\": []}", "The project \"p.qlnx\" is damaged"},
        {"{\"Format\": \"1\", \"Specimens\": []}", "The project \"p.qlnx\" is damaged"},
        {"{\"Format\": 1, \"Specimens\": [{\"Name\": 5}]}", "The project \"p.qlnx\" is damaged"},
        {"{\"Format\": 1}", "The project \"p.qlnx\" is damaged"},
        {"{\"Format\": 3, \"Specimens\": []}",
         "The project \"p.qlnx\" was saved in format 3 by a newer version of QLNX; this "
         "version reads format 2 and older."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        try {
            ParseProjectJson(c.Text, folder_.string(), "p.qlnx");
            ADD_FAILURE() << "accepted";
        } catch (const ProjectError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.MessageStart, 0), 0u) << e.what();
        }
    }
    // A value of the wrong kind deep inside: the whole project is refused.
    Project project;
    project.Specimens.push_back(EditedSpecimen());
    std::string text = ProjectJsonText(project, folder_.string());
    text.replace(text.find("\"negative\""), 10, "\"sideways\"");
    EXPECT_THROW(ParseProjectJson(text, folder_.string(), "p.qlnx"), ProjectError);
    EXPECT_EQ(ParseProjectJson("{\"Format\": 1, \"Specimens\": []}", "/", "p").Specimens.size(),
              0u);
}

TEST_F(ProjectFileTest, ChannelMappingSavedAndReadBackWhileProjectsWithoutOneStayFormat1) {
    Project project;
    project.Specimens.push_back(EditedSpecimen());
    Specimen& s = project.Specimens.back();
    ChannelSettings c;
    c.Displacement = "0.5 * (LVDT_N + LVDT_S) - base";
    c.Force = "Load * 4.448";
    c.Units = {{"LVDT_N", "in"}, {"Load", "kip"}};
    c.Zero = {{"LVDT_N", 1}, {"base", 25}};
    c.Scale = {{"Load", 1.0 / 3, -2e-300}, {"base", -1, 0.1}};
    c.LengthUnit = "mm";
    c.ForceUnit = "kN";
    c.DriftHeight = 1600.0000000000002;
    c.TimeChannel = "Zeit";
    s.Import.Channels = c;
    s.Import.ChannelHeader = "Zeit [s]\tLVDT N [in]\tLVDT S [mm]\tbase [mm]\tLoad [kip]";
    const std::string text = ProjectJsonText(project, folder_.string());
    EXPECT_NE(text.find("\"Format\": 2"), std::string::npos);

    const Project back = ParseProjectJson(text, folder_.string(), "p.qlnx");
    ASSERT_EQ(back.Specimens.size(), 1u);
    ExpectSameSpecimen(back.Specimens[0], s);
    EXPECT_EQ(back.Specimens[0].Import.Channels, c);
    EXPECT_EQ(back.Specimens[0].Import.ChannelHeader, s.Import.ChannelHeader);
    EXPECT_EQ(ProjectJsonText(back, folder_.string()), text);

    // A specimen of a project saved before the mapping was kept reads its two columns.
    using Json = nlohmann::ordered_json;
    Json old = Json::parse(text);
    old["Format"] = 1;
    old["Specimens"][0]["Import"].erase("Channels");
    const Project older = ParseProjectJson(old.dump(), folder_.string(), "p.qlnx");
    EXPECT_FALSE(older.Specimens[0].Import.Channels.has_value());
    EXPECT_EQ(older.Specimens[0].Import.ChannelHeader, "");
    ExpectSameSpecimen(older.Specimens[0], EditedSpecimen());

    // A mapping that cannot be: refused as damaged.
    const std::pair<const char*, Json> damaged[] = {
        {"Zero", Json::array({Json::array({"base", 0})})},
        {"Scale", Json::array({Json::array({"base", 1})})},
        {"DriftHeight", -1},
        {"Force", 4.448},
    };
    for (const auto& [key, value] : damaged) {
        SCOPED_TRACE(key);
        Json bad = Json::parse(text);
        bad["Specimens"][0]["Import"]["Channels"][key] = value;
        try {
            ParseProjectJson(bad.dump(), folder_.string(), "p.qlnx");
            ADD_FAILURE() << "accepted";
        } catch (const ProjectError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("The project \"p.qlnx\" is damaged", 0), 0u)
                << e.what();
        }
    }
}

TEST_F(ProjectFileTest, ARecordMissingOrChangedSinceSavingIsNamedWithTheReason) {
    const Specimen s = EditedSpecimen();
    EXPECT_EQ(CheckRecord(s), RecordState::Ok);

    WriteBytes(record_, "0,0\n1,10.5\n0,0\n-1,-10\n0,0\n");
    EXPECT_EQ(CheckRecord(s), RecordState::Changed);
    EXPECT_EQ(RecordStateText(s, RecordState::Changed),
              "The record \"" + record_ +
                  "\" of specimen \"Wall \"A\" 1\" has changed since the project was saved.");

    fs::remove(record_);
    EXPECT_EQ(CheckRecord(s), RecordState::Missing);
    EXPECT_EQ(RecordStateText(s, RecordState::Missing),
              "The record \"" + record_ + "\" of specimen \"Wall \"A\" 1\" is missing.");
}

TEST(RecordHash, Sha256OfKnownBytes) {
    const fs::path folder = MakeTempFolder("qlnx-hash");
    WriteBytes(folder / "abc", "abc");
    EXPECT_EQ(FileSha256((folder / "abc").string()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_THROW(FileSha256((folder / "none").string()), FileError);
    RemoveTempFolder(folder);
}

}  // namespace
}  // namespace qlnx
