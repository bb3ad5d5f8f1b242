// Progress and Cancel of the window's long operations: reading a record and writing the
// workbook.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class TForm1Progress : public TForm1Test {
protected:
    // A record long enough for several progress reports.
    QString BigRecord() {
        std::ostringstream rows;
        for (int i = 0; i < kRows; ++i) rows << i % 200 - 100 << ',' << i % 50 << '\n';
        return WriteFile("big.csv", rows.str());
    }

    static void ExpectRisingFrom0(const std::vector<double>& fractions) {
        ASSERT_FALSE(fractions.empty());
        EXPECT_GE(fractions.front(), 0.0);
        EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()))
            << ::testing::PrintToString(fractions);
        EXPECT_LE(fractions.back(), 1.0);
    }

    // The highest row of Sheet1 in a written workbook and whether it holds a chart, read
    // by an independent reader.
    struct WorkbookSummary {
        int lastRow = -1;
        bool chart = false;
    };
    static WorkbookSummary Summarise(const QString& file) {
        const std::string command =
            "/usr/bin/python3 -c \"import openpyxl,sys; b=openpyxl.load_workbook(sys.argv[1]); "
            "s=b['Sheet1']; print(s.max_row, len(s._charts))\" '" +
            file.toStdString() + "' 2>&1";
        WorkbookSummary summary;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            int charts = -1;
            if (std::fscanf(pipe, "%d %d", &summary.lastRow, &charts) != 2) summary.lastRow = -1;
            summary.chart = charts == 1;
            pclose(pipe);
        }
        return summary;
    }

    static constexpr int kRows = 20000;
};

// The import and the export each report their progress up to the end, and the work is
// complete.
TEST_F(TForm1Progress, ImportAndExportReportUpToTheEnd) {
    Import(BigRecord());
    ASSERT_EQ(dialogs.progressRuns.size(), 1u);
    EXPECT_EQ(dialogs.progressRuns[0].label, "Reading big.csv");
    ExpectRisingFrom0(dialogs.progressRuns[0].fractions);
    EXPECT_EQ(dialogs.progressRuns[0].fractions.back(), 1.0);
    EXPECT_GT(dialogs.progressRuns[0].fractions.size(), 5u);
    EXPECT_EQ(State().LoopSeries().Count(), kRows);

    Click("btn8");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Shown().front();
    ASSERT_EQ(dialogs.progressRuns.size(), 2u);
    EXPECT_EQ(dialogs.progressRuns[1].label, "Exporting the chart to a workbook");
    ExpectRisingFrom0(dialogs.progressRuns[1].fractions);
    EXPECT_EQ(dialogs.progressRuns[1].fractions.back(), 1.0);
    ASSERT_EQ(openedUrls.size(), 1u);
    const QString workbook = openedUrls[0].toLocalFile();
    const WorkbookSummary summary = Summarise(workbook);
    EXPECT_EQ(summary.lastRow, kRows + 1);
    EXPECT_TRUE(summary.chart);
    QFile::remove(workbook);
}

// Cancel half-way through the reading leaves what a file that cannot be read leaves: the
// earlier record, analysis and skeleton are gone, nothing is read, no name and no message.
TEST_F(TForm1Progress, CancelledImportLeavesTheStateOfAnUnreadableFile) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Click("btn5");
    ASSERT_EQ(Text("edt6"), "2");
    ASSERT_GT(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count(), 0);

    dialogs.cancelAt = {0.5};
    Import(BigRecord());
    ASSERT_EQ(dialogs.progressRuns.size(), 2u);
    const auto& run = dialogs.progressRuns[1];
    EXPECT_TRUE(run.cancelled);
    EXPECT_GE(run.fractions.back(), 0.5);
    EXPECT_LT(run.fractions.back(), 1.0);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Shown().front();
    EXPECT_TRUE(State().RawDisp.empty());
    EXPECT_TRUE(State().RawForce.empty());
    EXPECT_TRUE(State().LoopDisp.empty());
    for (int i = 0; i < State().Chart.SeriesCount(); ++i) {
        EXPECT_EQ(State().Chart.GetSeries(i).Count(), 0) << i;
    }
    for (const char* box : {"edt1", "edt2", "edt3", "edt4", "edt5", "edt6"}) {
        EXPECT_EQ(Text(box), "") << box;
    }
    EXPECT_TRUE(Items("cbb1").isEmpty());

    // With no file name, ReImport does nothing; Import Loop reads the file whole again.
    Click("btn9");
    EXPECT_EQ(dialogs.progressRuns.size(), 2u);
    Import(QFileInfo(dir.filePath("big.csv")).absoluteFilePath());
    EXPECT_EQ(State().RawDisp.size(), static_cast<size_t>(kRows));
    EXPECT_EQ(Text("edt5"), dir.filePath("big.csv"));
}

// Cancel while the cells are sent: the workbook holds the rows sent so far and no chart
// (its series come after the cells), and it is opened like any other. Cancel while the
// file is written: the rows written so far and the chart.
TEST_F(TForm1Progress, CancelledExportOpensWhatWasDone) {
    Import(BigRecord());
    ASSERT_EQ(State().LoopSeries().Count(), kRows);
    const struct {
        double cancelAt;
        bool chart;
    } cases[] = {{0.05, false}, {0.4, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cancelAt);
        openedUrls.clear();
        dialogs.cancelAt = {c.cancelAt};
        Click("btn8");
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Shown().front();
        EXPECT_TRUE(dialogs.progressRuns.back().cancelled);
        ASSERT_EQ(openedUrls.size(), 1u);
        const QString workbook = openedUrls[0].toLocalFile();
        const WorkbookSummary summary = Summarise(workbook);
        EXPECT_GT(summary.lastRow, 1);
        EXPECT_LT(summary.lastRow, kRows + 1);
        EXPECT_EQ(summary.chart, c.chart);
        QFile::remove(workbook);
    }
    // The chart and its record are as they were.
    EXPECT_EQ(State().LoopSeries().Count(), kRows);
}

// Saving the modified loop reports its progress; Cancel writes nothing.
TEST_F(TForm1Progress, CancelledSaveOfTheModifiedLoopWritesNothing) {
    Import(BigRecord());
    Click("btn2");
    ASSERT_FALSE(State().LoopDisp.empty());
    dialogs.cancelAt = {0.3};
    dialogs.saveAnswers = {SaveFileAnswer{dir.filePath("loop"), 2}};
    Find<QAction>("ExportModifiedLoop1")->trigger();
    EXPECT_TRUE(dialogs.progressRuns.back().cancelled);
    EXPECT_EQ(dialogs.progressRuns.back().label, "Writing loop.csv");
    EXPECT_FALSE(QFile::exists(dir.filePath("loop.csv")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"big.csv"}));

    dialogs.saveAnswers = {SaveFileAnswer{dir.filePath("loop"), 2}};
    Find<QAction>("ExportModifiedLoop1")->trigger();
    EXPECT_FALSE(dialogs.progressRuns.back().cancelled);
    EXPECT_EQ(dialogs.progressRuns.back().fractions.back(), 1.0);
    EXPECT_TRUE(QFile::exists(dir.filePath("loop.csv")));
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Shown().front();
}

}  // namespace
}  // namespace qlnx::test
