// qlnx-batch on a test series: --project, --series, --series-table and --series-yield.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../file_bytes.h"
#include "batch_runner.h"
#include "core/project_file.h"
#include "core/record_hash.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

const char* const kRequiredColumns[] = {"PeakForcePos", "PeakDispPos",  "PeakForceNeg",
                                        "PeakDispNeg",  "DuctilityPos", "DuctilityNeg",
                                        "TotalEnergy"};

class SeriesBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeTempFolder("qlnx-series");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override { test::RemoveTempFolder(folder_); }

    test::BatchRun Run(const std::vector<std::string>& arguments) const {
        return test::RunBatchProgram(folder_, arguments);
    }

    static Specimen SharedRecord(const std::string& name, const std::string& file,
                                 const std::string& firstLine, const std::string& band) {
        Specimen s;
        s.Name = name;
        s.Group = "Timber";
        s.RecordPath = std::string(QLNX_SHARED_DATA) + "/" + file;
        s.RecordSha256 = FileSha256(s.RecordPath);
        s.Import.FirstLineText = firstLine;
        s.NoiseBandText = band;
        s.Skeleton.Method = SkeletonMethod::EnvelopeToMaxForce;
        return s;
    }

    // The three records of the shared data as one group; the damper's skeleton as edited by
    // hand (its nodes stored).
    std::string ThreeRecordProject() const {
        Project project;
        project.Specimens.push_back(SharedRecord("TS1", "clt_wall_TS1_shear.csv", "1", "0.002"));
        project.Specimens.push_back(SharedRecord("trial2", "clt_connection_trial2.csv", "3", "1"));
        Specimen damper = SharedRecord("damper", "friction_damper_1Hz30lb1in.csv", "2", "0.01");
        damper.Skeleton.Stored = true;
        damper.Skeleton.Positive = {{0.2, 0.5, 1.0}, {1.5, 2.4, 2.2}};
        damper.Skeleton.Negative = {{-0.2, -0.5}, {-1.4, -2.6}};
        project.Specimens.push_back(damper);
        const std::string path = (folder_ / "campaign.qlnx").string();
        SaveProject(project, path);
        return path;
    }

    fs::path folder_;
};

TEST_F(SeriesBatchTest, ProjectJsonHoldsEachSpecimenAndTheGroupsTableAndStatistics) {
    const std::string project = ThreeRecordProject();
    const test::BatchRun run = Run({"--project", project, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json j = Json::parse(run.out);
    ASSERT_EQ(j["Specimens"].size(), 3u);
    const Json& groups = j["Series"]["Groups"];
    ASSERT_EQ(groups.size(), 1u);
    const Json& group = groups[0];
    EXPECT_EQ(group["Name"], "Timber");
    const char* const names[] = {"TS1", "trial2", "damper"};
    double sum = 0;
    int values = 0;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        const Json& row = group["Table"][i];
        EXPECT_EQ(row["Specimen"], names[i]);
        for (const char* column : kRequiredColumns) EXPECT_TRUE(row.contains(column)) << column;
        const Json& skeleton = j["Specimens"][i]["Evaluation"]["Skeleton"];
        if (skeleton["Positive"].is_null()) {
            EXPECT_TRUE(row["PeakForcePos"].is_null());
            EXPECT_TRUE(row["DuctilityPos"].is_null());
        } else {
            EXPECT_EQ(row["PeakForcePos"], skeleton["Positive"]["Peak"][1]);
            EXPECT_EQ(row["DuctilityPos"], skeleton["Positive"]["Yield"]["EEEP"]["Ductility"]);
            sum += row["PeakForcePos"].get<double>();
            ++values;
        }
        if (skeleton["Negative"].is_null()) {
            EXPECT_TRUE(row["PeakDispNeg"].is_null());
        } else {
            EXPECT_EQ(row["PeakDispNeg"], skeleton["Negative"]["Peak"][0]);
        }
    }
    // The hand-edited skeleton is the one evaluated: its peak is the node (0.5, 2.4).
    EXPECT_EQ(group["Table"][2]["PeakForcePos"], 2.4);
    EXPECT_EQ(group["Table"][2]["PeakDispPos"], 0.5);
    EXPECT_EQ(group["Mean"]["PeakForcePos"].get<double>(), sum / values);
    for (const char* statistic : {"Mean", "StdDev", "CoV", "Min", "Max", "Characteristic"}) {
        for (const auto& [key, value] : group["Table"][0].items()) {
            if (key != "Specimen") {
                EXPECT_TRUE(group[statistic].contains(key)) << statistic << key;
            }
        }
    }
    // The wall, read with the direction Positive though it loads negative first, has no branch
    // that goes outward from the origin: no evaluation, so two forces a side, null with the
    // reason.
    EXPECT_EQ(values, 2);
    EXPECT_TRUE(group["Characteristic"]["PeakForceNeg"].is_null());
    EXPECT_EQ(group["CharacteristicNotes"]["PeakForceNeg"], "fewer than 3 values");
    EXPECT_TRUE(group["Characteristic"]["PeakForcePos"].is_null());
    for (const char* side : {"Positive", "Negative"}) {
        const Json& mean = group["MeanSkeleton"][side];
        EXPECT_EQ(mean["Disp"].size(), 51u) << side;
        EXPECT_EQ(mean["Mean"].size(), 51u) << side;
        EXPECT_EQ(mean["StdDev"].size(), 51u) << side;
    }
    // The damper's positive branch reaches 1.0, the least of the three.
    EXPECT_EQ(group["MeanSkeleton"]["Positive"]["Disp"][50], 1.0);
}

TEST_F(SeriesBatchTest, YieldMethodAndCsvTable) {
    const std::string project = ThreeRecordProject();
    const std::string csv = (folder_ / "table.csv").string();
    const test::BatchRun run =
        Run({"--project", project, "--json", "--series-yield", "Park", "--series-table", csv});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json j = Json::parse(run.out);
    EXPECT_EQ(j["Series"]["YieldMethod"], "Park");
    const Json& row = j["Series"]["Groups"][0]["Table"][1];
    EXPECT_EQ(
        row["DuctilityPos"],
        j["Specimens"][1]["Evaluation"]["Skeleton"]["Positive"]["Yield"]["Park"]["Ductility"]);
    const std::string text = test::ReadAll(csv);
    EXPECT_EQ(text.rfind("Group,Specimen,PeakForcePos,PeakDispPos,PeakForceNeg,PeakDispNeg,", 0),
              0u);
    size_t lines = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 1u + 3 + 6);
    EXPECT_NE(text.find("\r\nTimber,damper,2.4,0.5,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nTimber,Characteristic,"), std::string::npos);

    const test::BatchRun table = Run({"--project", project});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.rfind("Group\tSpecimen\tPeakForcePos", 0), 0u);
}

TEST_F(SeriesBatchTest, MissingOrChangedRecordsAndDamagedProjectsAreReported) {
    const std::string record = (folder_ / "wall.csv").string();
    const std::string gone = (folder_ / "gone.csv").string();
    test::WriteBytes(record, "0,0\n1,10\n0,0\n-1,-10\n0,0\n");
    test::WriteBytes(gone, "0,0\n1,10\n0,0\n-1,-10\n0,0\n");
    Project project;
    for (const std::string& path : {record, gone}) {
        Specimen s;
        s.Name = fs::path(path).stem().string();
        s.RecordPath = path;
        s.RecordSha256 = FileSha256(path);
        project.Specimens.push_back(s);
    }
    const std::string file = (folder_ / "p.qlnx").string();
    SaveProject(project, file);
    test::WriteBytes(record, "0,0\n1,11\n0,0\n-1,-10\n0,0\n");
    fs::remove(gone);
    test::BatchRun run = Run({"--project", file, "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The record \"" + record +
                           "\" of specimen \"wall\" has changed since the project was saved."),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("The record \"" + gone + "\" of specimen \"gone\" is missing."),
              std::string::npos)
        << run.err;
    const Json j = Json::parse(run.out);
    EXPECT_TRUE(j["Specimens"].empty());

    test::WriteBytes(file, "{\"Format\": 7, \"Specimens\": []}");
    run = Run({"--project", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("newer version"), std::string::npos) << run.err;
    test::WriteBytes(file, "{\"Format\": 1, \"Specim");
    run = Run({"--project", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is damaged"), std::string::npos) << run.err;
}

TEST_F(SeriesBatchTest, ProjectOfAMultiChannelRecordReadsItByItsSavedMapping) {
    // The six-channel damper record: the displacement zeroed on its first ten samples, the
    // force the friction channel with a calibration, both in mm and kN.
    Specimen s = SharedRecord("damper 36", "brfd_char_1Hz36lb_1in.csv", "1", "0.5");
    ChannelSettings c;
    c.Displacement = "displacement";
    c.Force = "friction_force";
    c.Zero = {{"displacement", 10}};
    c.Scale = {{"friction_force", 1.02, -0.001}};
    c.LengthUnit = "mm";
    c.ForceUnit = "kN";
    s.Import.Channels = c;
    s.Import.ChannelHeader = "unused by the batch";
    Project project;
    project.Specimens.push_back(s);
    // The same record as drift: in % of a height of 1600 mm (the displacement's unit).
    Specimen drift = s;
    drift.Name = "damper 36 drift";
    drift.NoiseBandText = "0.03125";
    drift.Import.Channels->DriftHeight = 1600;
    project.Specimens.push_back(drift);
    const std::string path = (folder_ / "damper.qlnx").string();
    SaveProject(project, path);

    const test::BatchRun saved = Run({"--project", path, "--json"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const test::BatchRun direct = Run(
        {"--json", "--evaluate", "--method", "envelope-force", "--noise-band", "0.5",
         "--displacement", "displacement", "--force", "friction_force", "--zero", "displacement=10",
         "--scale", "friction_force=1.02,-0.001", "--output-units", "mm,kN", s.RecordPath});
    ASSERT_EQ(direct.status, 0) << direct.err;
    const Json savedJson = Json::parse(saved.out);
    const Json& fromProject = savedJson["Specimens"][0];
    const Json fromRecord = Json::parse(direct.out);
    EXPECT_EQ(fromProject["Units"], Json({{"Displacement", "mm"}, {"Force", "kN"}}));
    EXPECT_EQ(fromProject["Channels"].size(), 6u);
    for (const char* key : {"Channels", "Metadata", "Units", "Time", "RawDisp", "RawForce",
                            "LoopStart", "PositiveSkeleton", "NegativeSkeleton", "Evaluation"}) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(fromRecord.contains(key));
        EXPECT_EQ(fromProject[key].dump(), fromRecord[key].dump());
    }
    EXPECT_FALSE(fromProject["Evaluation"]["Skeleton"]["Positive"].is_null());

    const Json& asDrift = savedJson["Specimens"][1];
    EXPECT_EQ(asDrift["Units"], Json({{"Displacement", "%"}, {"Force", "kN"}}));
    const Json& mm = fromRecord["RawDisp"];
    ASSERT_EQ(asDrift["RawDisp"].size(), mm.size());
    for (size_t i = 0; i < mm.size(); i += 97) {
        EXPECT_EQ(asDrift["RawDisp"][i].get<double>(), mm[i].get<double>() / 1600 * 100) << i;
    }
    // The comparison table gives the drift specimen's peak displacement in %.
    const Json& table = savedJson["Series"]["Groups"][0]["Table"];
    EXPECT_EQ(table[1]["PeakDispPos"], asDrift["Evaluation"]["Skeleton"]["Positive"]["Peak"][0]);
    EXPECT_LT(table[1]["PeakDispPos"].get<double>(), 1.0);
    EXPECT_GT(table[0]["PeakDispPos"].get<double>(), 5.0);
}

TEST_F(SeriesBatchTest, SeriesOfRecordsReadWithTheSameOptions) {
    const std::string a = (folder_ / "a.csv").string();
    const std::string b = (folder_ / "b.csv").string();
    test::WriteBytes(a, "0,0\n2,10\n-1,-5\n3,12\n3,12\n-2,-8\n0,0\n");
    test::WriteBytes(b, "0,0\n2,14\n-1,-7\n3,16\n3,16\n-2,-10\n0,0\n");
    const test::BatchRun run = Run({"--series", "--method", "envelope-force", "--json", a, b});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json j = Json::parse(run.out);
    ASSERT_EQ(j["Specimens"].size(), 2u);
    const Json& group = j["Series"]["Groups"][0];
    EXPECT_EQ(group["Name"], "");
    EXPECT_EQ(group["Table"][0]["Specimen"], "a");
    EXPECT_EQ(group["Table"][1]["Specimen"], "b");
    EXPECT_EQ(group["Table"][0]["PeakForcePos"], 12.0);
    EXPECT_EQ(group["Table"][1]["PeakForcePos"], 16.0);
    EXPECT_EQ(group["Mean"]["PeakForcePos"], 14.0);
    EXPECT_TRUE(group["Characteristic"]["PeakForcePos"].is_null());
    EXPECT_EQ(group["CharacteristicNotes"]["PeakForcePos"], "fewer than 3 values");
}

TEST_F(SeriesBatchTest, CommandLinesThatCannotRun) {
    struct Case {
        std::vector<std::string> Arguments;
        const char* Error;
    };
    const Case cases[] = {
        {{"--project", "p.qlnx", "x.csv"}, "--project takes no FILE and no --series"},
        {{"--project", "p.qlnx", "--series"}, "--project takes no FILE and no --series"},
        {{"--series"}, "no FILE given"},
        {{"--series-yield", "Yield", "--series", "a"}, "--series-yield takes GeneralYield,"},
    };
    for (const Case& c : cases) {
        const test::BatchRun run = Run(c.Arguments);
        EXPECT_EQ(run.status, 2) << c.Error;
        EXPECT_NE(run.err.find(c.Error), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace qlnx
