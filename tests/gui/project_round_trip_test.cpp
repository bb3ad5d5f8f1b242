// Projects in the window: a campaign saved, closed and reopened shows every specimen exactly
// as it was left, and a record that is missing is named before it is left out.
#include <QAction>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <filesystem>
#include <string>
#include <vector>

#include "core/evaluate_test.h"
#include "core/evaluation_tables.h"
#include "core/project_file.h"
#include "core/result_files.h"
#include "core/skeleton_file.h"
#include "gui/channels/channel_mapping.h"
#include "gui/main_window/tform1.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

// What the window's files and chart hold for the specimen shown.
struct Shown {
    std::string Results;
    std::string Loop;
    std::string Skeleton;
    std::string Evaluation;
    std::vector<std::vector<Point>> Chart;
    bool operator==(const Shown&) const = default;
};

class ProjectRoundTrip : public TForm1Test {
protected:
    Shown Now() {
        const AnalysisState& state = State();
        Shown s;
        s.Results = AnalysisResultFileText(state, ResultForm::Csv);
        s.Loop = ModifiedLoopFileText(state, ResultForm::Csv);
        s.Skeleton = SkeletonRowsText(state, ResultForm::Csv);
        s.Evaluation = EvaluationCsvText(EvaluateTest(state, EvaluationOptions{}), {});
        for (int i = 0; i < ChartModel::kSeriesCount; ++i) {
            s.Chart.push_back(PointsOf(state.Chart.GetSeries(i)));
        }
        return s;
    }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void ChooseSpecimen(int row) { Find<QListWidget>("lstSpecimens")->setCurrentRow(row); }
    static QString Shared(const char* file) {
        return QString::fromLatin1(QLNX_SHARED_DATA) + '/' + QString::fromLatin1(file);
    }
    // Imports, analyses and extracts a record as a user does, then adds it to the project.
    void AddRecord(const char* file, const char* firstLine, const char* band) {
        SetText("edt7", QString::fromLatin1(firstLine));
        Import(Shared(file));
        SetText("edtNoiseBand", QString::fromLatin1(band));
        Click("btn2");
        Find<QRadioButton>("rb4")->setChecked(true);
        Click("btn5");
        Click("btnAddSpecimen");
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mouseMove(Chart(), from);
        QTest::mousePress(Chart(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Chart(), (from + to) / 2);
        QTest::mouseMove(Chart(), to);
        QTest::mouseRelease(Chart(), Qt::LeftButton, Qt::NoModifier, to);
    }
    void DoubleClick(QPoint at) {
        QTest::mouseMove(Chart(), at);
        QTest::mouseDClick(Chart(), Qt::LeftButton, Qt::NoModifier, at);
    }
    void Reopen(const QString& project) {
        form.reset();
        form = std::make_unique<TForm1>(dialogs);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        dialogs.openAnswers.push_back(project);
        Trigger("OpenProject1");
    }
};

TEST_F(ProjectRoundTrip, AHandEditedCampaignReopensExactly) {
    Trigger("NewProject1");
    AddRecord("clt_wall_TS1_shear.csv", "1", "0.002");
    AddRecord("friction_damper_1Hz30lb1in.csv", "2", "0.01");
    AddRecord("clt_connection_trial2.csv", "3", "1");
    ASSERT_EQ(form->CurrentProject().Specimens().Specimens.size(), 3u);
    EXPECT_EQ(form->CurrentProject().Current(), 2);

    // The connection's skeleton edited by hand: thinned, a node dragged, one added, one
    // deleted.
    SetText("edt9", "0");
    SetText("edt10", "60");
    SetText("edt11", "2");
    Click("btn6");
    Choose("cbb3", 1);
    Choose("cbb2", 1);
    Drag(PixelOf(ChartModel::PositiveSkeletonSeries, 2),
         PixelOf(ChartModel::PositiveSkeletonSeries, 2) + QPoint(12, -20));
    EXPECT_TRUE(form->isWindowModified());
    Choose("cbb3", 2);
    Choose("cbb2", 2);
    DoubleClick(PixelOf(ChartModel::NegativeSkeletonSeries, 1) + QPoint(-6, 15));
    Choose("cbb3", 3);
    Choose("cbb2", 1);
    DoubleClick(PixelOf(ChartModel::PositiveSkeletonSeries, 3));
    Choose("cbb3", 0);
    std::vector<Shown> before(3);
    before[2] = Now();
    ChooseSpecimen(0);
    before[0] = Now();
    ChooseSpecimen(1);
    before[1] = Now();
    EXPECT_NE(before[0], before[1]);

    const QString project = dir.filePath(QStringLiteral("campaign.qlnx"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{project, 1});
    Trigger("SaveProjectAs1");
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("campaign.qlnx")));
    const Project saved = LoadProject(project.toStdString());
    EXPECT_TRUE(saved.Specimens[2].Skeleton.Stored);

    const size_t boxes = dialogs.boxes.size();
    Reopen(project);
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    ASSERT_EQ(form->CurrentProject().Specimens().Specimens.size(), 3u);
    EXPECT_FALSE(form->isWindowModified());
    for (int i : {0, 2, 1}) {
        SCOPED_TRACE(i);
        ChooseSpecimen(i);
        const Shown after = Now();
        EXPECT_EQ(after.Results, before[static_cast<size_t>(i)].Results);
        EXPECT_EQ(after.Loop, before[static_cast<size_t>(i)].Loop);
        EXPECT_EQ(after.Skeleton, before[static_cast<size_t>(i)].Skeleton);
        EXPECT_EQ(after.Evaluation, before[static_cast<size_t>(i)].Evaluation);
        EXPECT_EQ(after.Chart, before[static_cast<size_t>(i)].Chart);
    }
    EXPECT_FALSE(form->isWindowModified());
}

TEST_F(ProjectRoundTrip, AMultiChannelRecordReopensByTheMappingTheProjectKeeps) {
    // The six-channel damper record read by a mapping this computer remembers for its header.
    const std::string damper = Shared("brfd_char_1Hz36lb_1in.csv").toStdString();
    const std::optional<ChannelLayout> layout = ReadHeadLayout(damper, 1, DecimalMode::Auto);
    ASSERT_TRUE(layout.has_value());
    ChannelSettings mapping;
    mapping.Displacement = "displacement";
    mapping.Force = "friction_force";
    mapping.Zero = {{"displacement", 10}};
    mapping.Scale = {{"friction_force", 1.02, -0.001}};
    mapping.LengthUnit = "mm";
    mapping.ForceUnit = "kN";
    {
        QSettings settings;
        SaveChannelMapping(settings, LayoutKey(*layout), mapping);
    }
    Trigger("NewProject1");
    AddRecord("brfd_char_1Hz36lb_1in.csv", "1", "0.5");
    AddRecord("friction_damper_1Hz30lb1in.csv", "2", "0.01");
    ChooseSpecimen(0);
    const Shown channels = Now();
    EXPECT_EQ(State().Channels.DisplacementUnit, "mm");
    EXPECT_EQ(Chart()->xAxis->label(), "Displacement (mm)");
    EXPECT_EQ(Chart()->yAxis->label(), "Force (kN)");
    ChooseSpecimen(1);
    const Shown columns = Now();
    EXPECT_FALSE(State().Channels.Active);

    const QString project = dir.filePath(QStringLiteral("dampers.qlnx"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{project, 1});
    Trigger("SaveProjectAs1");
    const Project saved = LoadProject(project.toStdString());
    EXPECT_EQ(saved.Specimens[0].Import.Channels, mapping);
    EXPECT_EQ(saved.Specimens[0].Import.ChannelHeader, LayoutKey(*layout));
    EXPECT_FALSE(saved.Specimens[1].Import.Channels.has_value());

    // Forgotten on this computer: the project alone holds the mapping now.
    QSettings().clear();
    Reopen(project);
    ASSERT_EQ(form->CurrentProject().Current(), 0);
    EXPECT_EQ(Now(), channels);
    EXPECT_EQ(Chart()->xAxis->label(), "Displacement (mm)");
    EXPECT_EQ(Chart()->yAxis->label(), "Force (kN)");
    ChooseSpecimen(1);
    EXPECT_EQ(Now(), columns);
    EXPECT_EQ(Chart()->xAxis->label(), "Disp");
    ChooseSpecimen(0);
    EXPECT_EQ(Now(), channels);
    EXPECT_FALSE(form->isWindowModified());
    // Read again with its boxes, the specimen's record keeps the project's mapping, not
    // another one this computer remembers for the header.
    mapping.ForceUnit = "N";
    {
        QSettings settings;
        SaveChannelMapping(settings, LayoutKey(*layout), mapping);
    }
    const std::vector<double> disp = State().RawDisp;
    Click("btn9");
    EXPECT_EQ(State().RawDisp, disp);
    EXPECT_EQ(State().Channels.ForceUnit, "kN");
    QSettings().clear();
}

TEST_F(ProjectRoundTrip, MissingRecordIsNamedAndLeftOutAndClosingAsksToSave) {
    const QString record = WriteFile("wall.csv", kWorkedExample);
    Trigger("NewProject1");
    Import(record);
    Click("btnAddSpecimen");
    const QString project = dir.filePath(QStringLiteral("p.qlnx"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{project, 1});
    Trigger("SaveProjectAs1");
    std::filesystem::remove(record.toStdString());

    dialogs.questionAnswers.push_back(false);  // do not look for it
    Reopen(project);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.boxes.back().text.contains(QStringLiteral("is missing")))
        << dialogs.boxes.back().text.toStdString();
    EXPECT_TRUE(form->CurrentProject().Specimens().Specimens.empty());
    EXPECT_TRUE(form->isWindowModified());

    dialogs.questionAnswers.push_back(false);  // close without saving
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(dialogs.questionAnswers.empty());
}

}  // namespace
}  // namespace qlnx::test
