// qlnx-batch --report on the measured records: the PDF's text holds the record's name, every
// table header and the JSON's peak forces and ductilities to the printed digits; its page size
// follows the locale and its fonts are embedded. The series report of a project, and the
// report in Chinese.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../file_bytes.h"
#include "core/evaluation_tables.h"
#include "core/project_file.h"
#include "core/record_hash.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// Runs a shell command; its standard output.
std::string Output(const std::string& command, int* status = nullptr) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        const int raw = ::pclose(pipe);
        if (status != nullptr) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return out;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// The numbers of a text, as written ("-1.235", "43.84", "1.5E-5").
std::vector<std::string> NumberTokens(const std::string& text) {
    static const std::regex number(R"(-?\d+(\.\d+)?([eE][-+]?\d+)?)");
    std::vector<std::string> tokens;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it)
        tokens.push_back(it->str());
    return tokens;
}

// Whether some token is value rounded to 4 significant digits: within half a unit of the
// fourth digit (any fewer digits would miss it).
bool PrintedToFourDigits(const std::vector<std::string>& tokens, double value) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 3);
    for (const std::string& t : tokens) {
        if (std::fabs(std::strtod(t.c_str(), nullptr) - value) <= 0.5 * unit * (1 + 1e-9))
            return true;
    }
    return false;
}

// Every font of the file is embedded: its line says yes in the "emb" column. The fonts' names.
std::string ExpectFontsEmbedded(const fs::path& pdf) {
    const std::string listing = Output("pdffonts " + Quoted(pdf.string()));
    std::istringstream fonts(listing);
    std::string line;
    std::getline(fonts, line);
    const size_t emb = line.find("emb");
    EXPECT_NE(emb, std::string::npos) << line;
    if (emb == std::string::npos) return listing;
    std::getline(fonts, line);  // the rule under the column names
    int fontLines = 0;
    while (std::getline(fonts, line)) {
        ++fontLines;
        EXPECT_EQ(line.substr(emb, 3), "yes") << line;
    }
    EXPECT_GT(fontLines, 0);
    return listing;
}

struct ReportCase {
    const char* file;
    std::vector<std::string> options;
};

const ReportCase kCases[] = {
    {"clt_wall_TS1_shear.csv", {"--noise-band", "0.002"}},
    {"clt_connection_trial2.csv", {"--first-line", "3", "--noise-band", "1"}},
    {"friction_damper_1Hz30lb1in.csv", {"--first-line", "2", "--noise-band", "0.01"}},
    {"brfd_char_1Hz36lb_1in.csv",
     {"--channels", "--displacement", "displacement", "--force", "friction_force"}},
    {"stone_rezaie2020_RS1.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
    {"stone_rezaie2020_RS2.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
    {"stone_rezaie2020_RS3.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
    {"stone_rezaie2020_RS4.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
    {"stone_rezaie2020_RS5.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
    {"stone_rezaie2020_RS6.csv",
     {"--displacement", "top_displacement", "--force", "horizontal_force"}},
};

class BatchReportTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef QLNX_BATCH_REPORTS
        GTEST_SKIP() << "qlnx-batch is built without the report (no window libraries)";
#endif
        if (!fs::exists(QLNX_SHARED_DATA)) GTEST_SKIP() << "no real records beside this checkout";
        ASSERT_EQ(std::system("command -v pdftotext pdfinfo pdffonts >/dev/null"), 0)
            << "poppler-utils is not installed (scripts/install-deps)";
        folder_ = test::MakeTempFolder("qlnx-report");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        if (!folder_.empty()) test::RemoveTempFolder(folder_);
    }

    // Runs qlnx-batch with --json and --report in the given locale; the JSON.
    Json Run(const ReportCase& c, const fs::path& pdf, const std::string& locale) const {
        std::string command = "env LC_ALL=" + locale + " " +
                              Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
                              " --json --method envelope-force --direction auto --report " +
                              Quoted(pdf.string());
        for (const std::string& o : c.options) command += " " + Quoted(o);
        command += " " + Quoted(std::string(QLNX_SHARED_DATA) + "/" + c.file) + " 2>/dev/null";
        int status = -1;
        const std::string out = Output(command, &status);
        EXPECT_EQ(status, 0);
        return Json::parse(out, nullptr, false);
    }

    fs::path folder_;
};

TEST_F(BatchReportTest, EachRecordsReportHoldsItsNameHeadersPeaksAndDuctilities) {
    std::vector<std::string> headers;
    const TestEvaluation none;
    for (const EvaluationTable& t : {LoopTable(none), LevelTable(none), SkeletonTable({})})
        headers.insert(headers.end(), t.Header.begin(), t.Header.end());
    for (const ReportCase& c : kCases) {
        SCOPED_TRACE(c.file);
        const fs::path pdf = folder_ / "report.pdf";
        const Json json = Run(c, pdf, "de_DE.UTF-8");
        ASSERT_FALSE(json.is_discarded());
        const std::string text = Output("pdftotext -layout " + Quoted(pdf.string()) + " -");
        EXPECT_NE(text.find(fs::path(c.file).stem().string()), std::string::npos);
        for (const std::string& h : headers) EXPECT_NE(text.find(h), std::string::npos) << h;

        const std::vector<std::string> tokens = NumberTokens(text);
        const Json& skeleton = json.at("Evaluation").at("Skeleton");
        int checked = 0;
        for (const char* side : {"Positive", "Negative"}) {
            const Json& branch = skeleton.at(side);
            ASSERT_FALSE(branch.is_null()) << side;
            const double peak = branch.at("Peak").at(1).get<double>();
            EXPECT_TRUE(PrintedToFourDigits(tokens, peak)) << side << " peak force " << peak;
            for (const YieldMethodInfo& m : kYieldMethods) {
                const Json& yield = branch.at("Yield").at(std::string(m.Name));
                if (yield.is_null() || yield.at("Ductility").is_null()) continue;
                const double mu = yield.at("Ductility").get<double>();
                EXPECT_TRUE(PrintedToFourDigits(tokens, mu)) << side << " " << m.Name << " " << mu;
                ++checked;
            }
        }
        for (const auto& [method, mean] : skeleton.at("MeanDuctility").items()) {
            if (mean.is_null()) continue;
            EXPECT_TRUE(PrintedToFourDigits(tokens, mean.get<double>())) << "mean " << method;
        }
        EXPECT_GT(checked, 0);

        const std::string info = Output("pdfinfo " + Quoted(pdf.string()));
        EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
        ExpectFontsEmbedded(pdf);
    }
}

// Where the locale measures in US units the report is on Letter paper.
TEST_F(BatchReportTest, UsLocaleGivesLetterPages) {
    const fs::path pdf = folder_ / "letter.pdf";
    Run(kCases[1], pdf, "en_US.UTF-8");
    EXPECT_NE(Output("pdfinfo " + Quoted(pdf.string())).find("612 x 792 pts (letter)"),
              std::string::npos);
}

// The masonry walls of one campaign as a project: each record read by its named channels.
std::string MasonryProject(const fs::path& folder) {
    Project project;
    for (int i = 1; i <= 6; ++i) {
        Specimen s;
        s.Name = "RS" + std::to_string(i);
        s.Group = "Stone masonry";
        s.RecordPath =
            std::string(QLNX_SHARED_DATA) + "/stone_rezaie2020_RS" + std::to_string(i) + ".csv";
        s.RecordSha256 = FileSha256(s.RecordPath);
        ChannelSettings c;
        c.Displacement = "top_displacement";
        c.Force = "horizontal_force";
        s.Import.Channels = c;
        s.Skeleton.Method = SkeletonMethod::EnvelopeToMaxForce;
        project.Specimens.push_back(s);
    }
    const std::string path = (folder / "masonry.qlnx").string();
    SaveProject(project, path);
    return path;
}

// The series report of a project: the comparison table's header, each specimen's name (on its
// own page) and the group's mean values to the printed digits of the same run's JSON.
TEST_F(BatchReportTest, SeriesReportHoldsTheComparisonTableAndEachSpecimen) {
    const std::string project = MasonryProject(folder_);
    const fs::path pdf = folder_ / "series.pdf";
    int status = -1;
    const std::string out = Output(
        "env LC_ALL=de_DE.UTF-8 " + Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
            " --json --project " + Quoted(project) + " --report " + Quoted(pdf.string()) +
            " 2>/dev/null",
        &status);
    EXPECT_EQ(status, 0);
    const Json json = Json::parse(out, nullptr, false);
    ASSERT_FALSE(json.is_discarded());
    const Json& group = json.at("Series").at("Groups").at(0);
    const std::string text = Output("pdftotext -layout " + Quoted(pdf.string()) + " -");
    for (const char* word :
         {"Series Report", "Comparison table", "Specimen", "Mean", "CoV", "Characteristic",
          "Stone masonry", "Skeleton curves of the specimens", "Mean skeleton", "Key results"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
    const std::vector<std::string> tokens = NumberTokens(text);
    int means = 0;
    for (const auto& [column, mean] : group.at("Mean").items()) {
        EXPECT_NE(text.find(column), std::string::npos) << column;
        if (mean.is_null()) continue;
        EXPECT_TRUE(PrintedToFourDigits(tokens, mean.get<double>())) << "mean " << column;
        ++means;
    }
    EXPECT_GE(means, 15);
    // One page a specimen, headed by its name, after the group's table and charts.
    const std::string info = Output("pdfinfo " + Quoted(pdf.string()));
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex(R"(Pages:\s+(\d+))")));
    EXPECT_GE(std::stoi(pages[1]), 6 + 2);
    for (const Json& row : group.at("Table")) {
        const std::string name = row.at("Specimen").get<std::string>();
        EXPECT_NE(text.find("Specimen: " + name), std::string::npos) << name;
    }
    ExpectFontsEmbedded(pdf);

    // A series of records read with the same options has its report too.
    const fs::path records = folder_ / "records.pdf";
    const std::string record = std::string(QLNX_SHARED_DATA) + "/" + kCases[1].file;
    Output(Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
               " --series --first-line 3 --noise-band 1 --report " + Quoted(records.string()) +
               " " + Quoted(record) + " " + Quoted(record) + " >/dev/null 2>&1",
           &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(Output("pdftotext " + Quoted(records.string()) + " -").find("clt_connection_trial2"),
              std::string::npos);
}

// The report goes over no record of the series: refused, the record as it was.
TEST_F(BatchReportTest, SeriesReportNeverWritesOverARecord) {
    const fs::path record = folder_ / "a.csv";
    test::WriteBytes(record, "0,0\n2,10\n-1,-5\n3,12\n3,12\n-2,-8\n0,0\n");
    int status = -1;
    const std::string err = Output(Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
                                       " --series --report " + Quoted(record.string()) + " " +
                                       Quoted(record.string()) + " 2>&1 >/dev/null",
                                   &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("is the record being analysed"), std::string::npos) << err;
    EXPECT_EQ(test::ReadAll(record), "0,0\n2,10\n-1,-5\n3,12\n3,12\n-2,-8\n0,0\n");
}

// --report-language zh: the report's headings in Chinese, the CJK font embedded.
TEST_F(BatchReportTest, ChineseReportHasChineseHeadingsInAnEmbeddedFont) {
    const fs::path single = folder_ / "zh.pdf";
    const ReportCase& c = kCases[1];
    std::string command = Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
                          " --report-language zh --report " + Quoted(single.string());
    for (const std::string& o : c.options) command += " " + Quoted(o);
    int status = -1;
    Output(
        command + " " + Quoted(std::string(QLNX_SHARED_DATA) + "/" + c.file) + " >/dev/null 2>&1",
        &status);
    EXPECT_EQ(status, 0);
    const std::string text = Output("pdftotext " + Quoted(single.string()) + " -");
    // (Characters whose glyph the font shares with a radical, such as 页, come out of the text
    // extraction as the radical: the headings looked for have none.)
    for (const char* heading : {"试验报告", "滞回曲线", "屈服点"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
    EXPECT_NE(ExpectFontsEmbedded(single).find("CJK"), std::string::npos);

    const fs::path series = folder_ / "zh-series.pdf";
    Output(Quoted(std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch") +
               " --report-language zh --project " + Quoted(MasonryProject(folder_)) + " --report " +
               Quoted(series.string()) + " >/dev/null 2>&1",
           &status);
    EXPECT_EQ(status, 0);
    const std::string seriesText = Output("pdftotext " + Quoted(series.string()) + " -");
    for (const char* heading : {"系列试验报告", "主要结果", "平均"})
        EXPECT_NE(seriesText.find(heading), std::string::npos) << heading;
    ExpectFontsEmbedded(series);
}

}  // namespace
}  // namespace qlnx
