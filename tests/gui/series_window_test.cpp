// Analysis > Compare Specimens: a group of three specimens overlaid, in each scale, with the
// comparison table the core computes from what the window shows for each specimen, saved as
// CSV, exported as a workbook and reported as a PDF; a cancelled evaluation opens nothing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/evaluate_test.h"
#include "core/series_table.h"
#include "core/specimen_run.h"
#include "gui/evaluation/evaluation_models.h"
#include "gui/main_window/tform1.h"
#include "gui/series/series_plot.h"
#include "gui/series/series_window.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

// A cyclic record of growing amplitude with a softening force, scaled by strength.
std::string CyclicRecord(double strength, double reach) {
    std::string text;
    char line[64];
    const int n = 1200;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double d = reach * (0.1 + t) * std::sin(2 * M_PI * 6 * t);
        const double f = strength * std::tanh(d / 4) * (1 - 0.02 * d * d / (reach * reach));
        std::snprintf(line, sizeof line, "%.6f,%.6f\n", d, f);
        text += line;
    }
    return text;
}

class SeriesWindowTest : public TForm1Test {
protected:
    void SetUp() override {
        TForm1Test::SetUp();
        Find<QAction>("NewProject1")->trigger();
        const std::pair<double, double> specimens[] = {{40, 10}, {44, 12}, {37, 9}};
        for (size_t k = 0; k < std::size(specimens); ++k) {
            const std::string name = "W" + std::to_string(k + 1) + ".csv";
            Import(WriteFile(name.c_str(), CyclicRecord(specimens[k].first, specimens[k].second)));
            Click("btn2");
            Find<QRadioButton>("rb4")->setChecked(true);
            Click("btn5");
            Click("btnAddSpecimen");
            SetText("edtSpecimenGroup", QStringLiteral("Walls"));
            emit Find<QLineEdit>("edtSpecimenGroup")->editingFinished();
        }
        ASSERT_TRUE(dialogs.boxes.empty());
    }
    SeriesWindow* Open() {
        Find<QAction>("CompareSpecimens1")->trigger();
        return form->Series();
    }
    template <class W>
    W* In(SeriesWindow* window, const char* name) {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The members as the main window shows each specimen.
    std::vector<SeriesMember> ShownMembers() {
        std::vector<SeriesMember> members;
        for (int i = 0; i < 3; ++i) {
            Find<QListWidget>("lstSpecimens")->setCurrentRow(i);
            const AnalysisState& s = State();
            EvaluationOptions options;
            options.NoiseBand = 0;
            members.push_back(
                {"W" + std::to_string(i + 1), "Walls", EvaluateTest(s, options),
                 SkeletonNodesOf(s.Chart.GetSeries(ChartModel::PositiveSkeletonSeries)),
                 SkeletonNodesOf(s.Chart.GetSeries(ChartModel::NegativeSkeletonSeries))});
        }
        return members;
    }
};

TEST_F(SeriesWindowTest, TheGroupsTableIsTheCoresOnWhatTheWindowShows) {
    const size_t runs = dialogs.progressRuns.size();
    SeriesWindow* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.progressRuns.size(), runs + 1);
    EXPECT_EQ(dialogs.progressRuns.back().label, QStringLiteral("Evaluating the specimens"));
    EXPECT_EQ(dialogs.progressRuns.back().fractions.back(), 1.0);
    EXPECT_EQ(In<QComboBox>(window, "cbbSeriesGroup")->currentText(), QStringLiteral("Walls"));
    const SeriesGroup* group = window->Group();
    ASSERT_NE(group, nullptr);

    const std::vector<SeriesGroup> core = MakeSeriesGroups(ShownMembers(), YieldMethod::EEEP);
    ASSERT_EQ(core.size(), 1u);
    EXPECT_EQ(group->Table.Rows, core[0].Table.Rows);
    EXPECT_EQ(group->Positive.Mean, core[0].Positive.Mean);
    EXPECT_EQ(group->Negative.StdDev, core[0].Negative.StdDev);
    // The table: three specimens, then mean, standard deviation, CoV, min, max and the
    // characteristic value; the mean row holds the core's means.
    const EvaluationTable& shown = window->TableModel()->Table();
    ASSERT_EQ(shown.Rows.size(), 9u);
    EXPECT_EQ(shown.Rows[3][0].Word, "Mean");
    EXPECT_EQ(shown.Rows[8][0].Word, "Characteristic");
    ASSERT_EQ(shown.Header.size(), core[0].Table.Columns.size() + 1);
    for (size_t c = 0; c < core[0].Table.Columns.size(); ++c) {
        SCOPED_TRACE(core[0].Table.Columns[c]);
        const std::optional<double> mean = core[0].Table.Statistics[c].Mean;
        ASSERT_EQ(shown.Rows[3][c + 1].Type == TableValue::Kind::Number, mean.has_value());
        if (mean) {
            EXPECT_EQ(shown.Rows[3][c + 1].Number, *mean);
        }
    }
    // Unscaled, the mean skeleton drawn is the group's.
    EXPECT_EQ(window->Overlay().MeanPositive.Mean, core[0].Positive.Mean);
    EXPECT_EQ(window->Plot()->xAxis->label(), QStringLiteral("Displacement"));
}

TEST_F(SeriesWindowTest, EachScaleBringsTheReferencePointsToOne) {
    SeriesWindow* window = Open();
    ASSERT_NE(window, nullptr);
    auto* scale = In<QComboBox>(window, "cbbSeriesScale");
    const SeriesGroup group = *window->Group();
    // Peak: each branch's peak point lands on (1, 1) and (-1, -1).
    scale->setCurrentIndex(1);
    EXPECT_EQ(window->Plot()->yAxis->label(), QStringLiteral("F/Fmax"));
    ASSERT_EQ(window->Overlay().Specimens.size(), 3u);
    for (const OverlaySpecimen& s : window->Overlay().Specimens) {
        SCOPED_TRACE(s.Name);
        const auto has = [](const SkeletonBranchNodes& b, double x, double y) {
            for (size_t i = 0; i < b.X.size(); ++i) {
                if (b.X[i] == x && b.Y[i] == y) return true;
            }
            return false;
        };
        EXPECT_TRUE(has(s.Positive, 1, 1));
        EXPECT_TRUE(has(s.Negative, -1, -1));
    }
    // The mean of scaled skeletons peaks near 1 and its band is drawn.
    EXPECT_EQ(window->Overlay().MeanPositive.Specimens, 3u);
    // Yield (EEEP): the yield point divides; the table does not change with the scale.
    scale->setCurrentIndex(2);
    EXPECT_EQ(window->Plot()->xAxis->label(), QStringLiteral("\u0394/\u0394y"));
    EXPECT_EQ(window->Overlay().Specimens.size(), 3u);
    EXPECT_EQ(window->Group()->Table.Rows, group.Table.Rows);
    // Drift needs a height: without one every specimen is named as not drawn.
    scale->setCurrentIndex(3);
    EXPECT_TRUE(window->Overlay().Specimens.empty());
    auto* notes = In<QLabel>(window, "lblSeriesNotes");
    EXPECT_TRUE(notes->text().contains(QStringLiteral("Not drawn: W1: no height is given")))
        << notes->text().toStdString();
    // A height given in the panel: that specimen is drawn as drift the next time.
    Find<QListWidget>("lstSpecimens")->setCurrentRow(0);
    SetText("edtSpecimenHeight", QStringLiteral("2500"));
    emit Find<QLineEdit>("edtSpecimenHeight")->editingFinished();
    EXPECT_EQ(form->CurrentProject().Specimens().Specimens[0].Height, 2500.0);
    Open();
    ASSERT_EQ(window->Overlay().Specimens.size(), 1u);
    EXPECT_EQ(window->Plot()->xAxis->label(), QStringLiteral("Drift \u0394/H (%)"));
    const SkeletonBranchNodes& nodes = window->Overlay().Specimens[0].Positive;
    const SkeletonBranchNodes shown =
        SkeletonNodesOf(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries));
    ASSERT_EQ(nodes.X.size(), shown.X.size());
    for (size_t i = 0; i < shown.X.size(); ++i) {
        EXPECT_EQ(nodes.X[i], shown.X[i] / 2500 * 100);  // in % of the height
        EXPECT_EQ(nodes.Y[i], shown.Y[i]);
    }
    // Loops instead of skeletons: the working curves, one a specimen.
    scale->setCurrentIndex(0);
    In<QComboBox>(window, "cbbSeriesCurves")->setCurrentIndex(1);
    ASSERT_EQ(window->Overlay().Specimens.size(), 3u);
    EXPECT_EQ(window->Overlay().Specimens[1].CurveX.size(), 1201u);
    EXPECT_GT(window->Plot()->DrawnPoints(), 3 * 1201 - 1);
}

TEST_F(SeriesWindowTest, TheTableIsSavedAndExported) {
    SeriesWindow* window = Open();
    ASSERT_NE(window, nullptr);
    const QString csv = dir.filePath(QStringLiteral("walls"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{csv, 1});
    QTest::mouseClick(In<QPushButton>(window, "btnSeriesSave"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text.toStdString();
    QFile file(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    EXPECT_EQ(text, SeriesCsvText({*window->Group()}));
    EXPECT_TRUE(text.starts_with("Group,Specimen,PeakForcePos,PeakDispPos,")) << text;

    window->SetWorkbookFolder(dir.path().toStdString());
    QTest::mouseClick(In<QPushButton>(window, "btnSeriesExport"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.boxes.empty());
    ASSERT_EQ(openedUrls.size(), 1u);
    const std::string book = openedUrls[0].toLocalFile().toStdString();
    const std::string command = "/usr/bin/python3 " + std::string(QLNX_TEST_DATA) +
                                "/../gui/dump_series_workbook.py '" + book + "' 2>&1";
    std::vector<std::string> lines;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::string line;
        for (int c; (c = fgetc(pipe)) != EOF;) {
            if (c != '\n') {
                line.push_back(static_cast<char>(c));
            } else {
                lines.push_back(line);
                line.clear();
            }
        }
        ASSERT_EQ(pclose(pipe), 0);
    }
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[0], "sheets Series");
    EXPECT_EQ(lines[1], "row 1\tGroup\tWalls\tYieldMethod\tEEEP\tScale\tNone");
    EXPECT_EQ(lines[2], "row 3\tWalls");
    EXPECT_TRUE(lines[3].starts_with("row 4\tSpecimen\tPeakForcePos\t")) << lines[3];
    EXPECT_TRUE(lines[7].starts_with("row 8\tMean\t")) << lines[7];
    // Three specimens, the mean and its band; the first bound to the cells under the table.
    const OverlaySpecimen& first = window->Overlay().Specimens[0];
    const std::string last = std::to_string(16 + first.Positive.X.size() + first.Negative.X.size());
    EXPECT_EQ(lines.back(),
              "chart 0 series=6 x=Series!$A$17:$A$" + last + " y=Series!$B$17:$B$" + last);

    // The chart as an image, written whole.
    const QString png = dir.filePath(QStringLiteral("walls-chart"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{png, 1});
    QTest::mouseClick(In<QPushButton>(window, "btnSeriesImage"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.boxes.empty());
    QFile image(png + QStringLiteral(".png"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    EXPECT_TRUE(image.read(8).startsWith("\x89PNG"));
}

// Test Report…: the series' report as a PDF through the safe-write path, never over a record.
TEST_F(SeriesWindowTest, TheSeriesReportIsWrittenAsPdf) {
    SeriesWindow* window = Open();
    ASSERT_NE(window, nullptr);
    const QString pdf = dir.filePath(QStringLiteral("walls-report"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{pdf, 1});
    QTest::mouseClick(In<QPushButton>(window, "btnSeriesReport"), Qt::LeftButton);
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text.toStdString();
    QFile file(pdf + QStringLiteral(".pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    if (std::system("command -v pdftotext >/dev/null") == 0) {
        std::string text;
        const std::string command = "pdftotext '" + file.fileName().toStdString() + "' -";
        if (FILE* pipe = popen(command.c_str(), "r")) {
            for (int c; (c = fgetc(pipe)) != EOF;) text.push_back(static_cast<char>(c));
            pclose(pipe);
        }
        for (const char* word : {"Series Report", "Comparison table", "Walls", "Specimen: W1",
                                 "Specimen: W2", "Specimen: W3", "PeakForcePos", "Characteristic"})
            EXPECT_NE(text.find(word), std::string::npos) << word;
    }

    // A record of the series as the target: refused, the record as it was.
    const QString record = dir.filePath(QStringLiteral("W1.csv"));
    QFile before(record);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray recordBytes = before.readAll();
    before.close();
    dialogs.saveAnswers.push_back(SaveFileAnswer{record, 1});
    QTest::mouseClick(In<QPushButton>(window, "btnSeriesReport"), Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains(QStringLiteral("record being analysed")))
        << dialogs.boxes[0].text.toStdString();
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), recordBytes);
}

TEST_F(SeriesWindowTest, ACancelledEvaluationOpensNothing) {
    const size_t runs = dialogs.progressRuns.size();
    dialogs.cancelAt.push_back(0.0);
    EXPECT_EQ(Open(), nullptr);
    ASSERT_EQ(dialogs.progressRuns.size(), runs + 1);
    EXPECT_TRUE(dialogs.progressRuns.back().cancelled);
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace qlnx::test
