// The Test Evaluation window driven by object names: its tables against the core's
// evaluation, Copy, Save, the workbook read back, the constructions, and live updates.
#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "core/evaluation_tables.h"
#include "core/number_text.h"
#include "core/protocol_table.h"
#include "core/yield_constructions.h"
#include "gui/chart/construction_layer.h"
#include "gui/evaluation/evaluation_models.h"
#include "gui/evaluation/evaluation_window.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

// Cycles of growing amplitude, three per level, on a backbone that rises to 23 at 3.5 and
// falls to 12 at 4.5; each cycle a loop of eight segments.
std::string LevelsRecord() {
    std::ostringstream out;
    out << "0,0\n";
    const auto backbone = [](double a) {
        return a <= 2 ? 10 * a : a <= 3.5 ? 20 + 2 * (a - 2) : 23 - 11 * (a - 3.5);
    };
    for (const double a : {1.0, 2.0, 3.5, 4.5}) {
        for (int cycle = 0; cycle < 3; ++cycle) {
            const double f = backbone(a) * (1 - 0.04 * cycle);
            const double d[] = {a / 2, a, a / 2, 0, -a / 2, -a, -a / 2, 0};
            const double g[] = {0.7 * f, f, 0.2 * f, -0.3 * f, -0.7 * f, -f, -0.2 * f, 0.3 * f};
            for (int k = 0; k < 8; ++k) out << d[k] << ',' << g[k] << '\n';
        }
    }
    return out.str();
}

// Every cell of model with every digit, row by row.
std::vector<std::vector<QString>> Cells(const QAbstractItemModel& model) {
    std::vector<std::vector<QString>> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < model.columnCount(); ++c)
            rows.back().push_back(
                model.index(r, c).data(EvaluationTableModel::kExactRole).toString());
    }
    return rows;
}

std::vector<std::vector<QString>> Cells(const EvaluationTable& table) {
    std::vector<std::vector<QString>> rows;
    for (const auto& row : table.Rows) {
        rows.emplace_back();
        for (const TableValue& v : row)
            rows.back().push_back(QString::fromStdString(TableValueText(v, '.', "")));
    }
    return rows;
}

class EvaluationWindowTest : public TForm1Test {
protected:
    void SetUp() override {
        TForm1Test::SetUp();
        Import(WriteFile("levels.csv", LevelsRecord()));
        Click("btn2");
        Click("btn5");  // maximum-force points, direction Positive
        ASSERT_TRUE(dialogs.boxes.empty());
        Find<QAction>("TestEvaluation1")->trigger();
        window = form->Evaluation();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible());
    }

    // The evaluation the core gives for the state as it is, with the window's options.
    TestEvaluation CoreEvaluation() { return EvaluateTest(State(), window->Options()); }
    QTableView* Table(const char* name) {
        return window->findChild<QTableView*>(QString::fromLatin1(name));
    }
    void ShowTab(int index) {
        window->findChild<QTabWidget*>(QStringLiteral("tabTables"))->setCurrentIndex(index);
    }
    void ClickIn(const char* button) {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }

    EvaluationWindow* window = nullptr;
};

TEST_F(EvaluationWindowTest, TablesEqualTheCoresEvaluation) {
    const TestEvaluation core = CoreEvaluation();
    ASSERT_EQ(core.Loops.size(), 12u);
    ASSERT_EQ(core.Levels.size(), 4u);
    EXPECT_EQ(Cells(*Table("tblLoops")->model()), Cells(LoopTable(core)));
    EXPECT_EQ(Cells(*Table("tblLevels")->model()), Cells(LevelTable(core)));
    EXPECT_EQ(Cells(*Table("tblSkeleton")->model()), Cells(SkeletonTable(core.Skeleton)));
    EXPECT_EQ(window->Evaluation().Options.UltimateRatio, 0.85);
    // The header row's names are the files' names.
    EXPECT_EQ(Table("tblLoops")->model()->headerData(4, Qt::Horizontal).toString(),
              QStringLiteral("Amplitude"));

    // A preset sets the ratio and the tables follow it.
    auto* preset = window->findChild<QComboBox*>(QStringLiteral("cbbPreset"));
    preset->setCurrentIndex(1);  // EN 12512
    emit preset->activated(1);
    EXPECT_EQ(window->Evaluation().Options.UltimateRatio, 0.8);
    EXPECT_EQ(Cells(*Table("tblSkeleton")->model()),
              Cells(SkeletonTable(CoreEvaluation().Skeleton)));
    // A ratio of one's own makes the preset "Custom".
    window->findChild<QDoubleSpinBox*>(QStringLiteral("spnUltimateRatio"))->setValue(0.7);
    EXPECT_EQ(preset->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(window->Evaluation().Options.UltimateRatio, 0.7);
}

TEST_F(EvaluationWindowTest, SortsNumbersAsNumbersAndMarksWarnings) {
    QTableView* loops = Table("tblLoops");
    loops->sortByColumn(13, Qt::DescendingOrder);  // Energy
    const QAbstractItemModel& m = *loops->model();
    for (int r = 1; r < m.rowCount(); ++r) {
        EXPECT_GE(m.index(r - 1, 13).data(EvaluationTableModel::kSortRole).toDouble(),
                  m.index(r, 13).data(EvaluationTableModel::kSortRole).toDouble());
    }
    // Numbers read at 4 significant digits in columns wide enough for them; the tooltip
    // holds every digit.
    for (int r = 0; r < m.rowCount(); ++r) {
        const QModelIndex energy = m.index(r, 13);
        const double value = energy.data(EvaluationTableModel::kSortRole).toDouble();
        EXPECT_EQ(energy.data().toString().toStdString(), FormatSignificant(value, 4));
        EXPECT_EQ(energy.data(Qt::ToolTipRole).toString().toStdString(), FormatGeneral15(value));
        EXPECT_LT(loops->fontMetrics().horizontalAdvance(energy.data().toString()),
                  loops->columnWidth(13));
    }
    // The positive branch falls to 12 from 23: reached at 0.85; the ultimate row says so
    // without a mark. At a ratio of 0.3 it is not reached, and the cell tells why.
    const QAbstractItemModel& s = *Table("tblSkeleton")->model();
    EXPECT_EQ(s.index(1, 6).data().toString(), QStringLiteral("true"));
    EXPECT_FALSE(s.index(1, 6).data(Qt::ToolTipRole).isValid());
    window->findChild<QDoubleSpinBox*>(QStringLiteral("spnUltimateRatio"))->setValue(0.3);
    EXPECT_EQ(s.index(1, 6).data().toString(), QStringLiteral("false"));
    EXPECT_TRUE(s.index(1, 6)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("Ultimate not reached")));
    EXPECT_TRUE(s.index(1, 6).data(Qt::BackgroundRole).isValid());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblNote"))
                    ->text()
                    .contains(QStringLiteral("lower bounds")));
}

TEST_F(EvaluationWindowTest, CopyGivesTheVisibleTableTabSeparated) {
    for (const int tab : {0, 2}) {
        ShowTab(tab);
        QApplication::clipboard()->clear();
        ClickIn("btnCopy");
        const TestEvaluation core = CoreEvaluation();
        const EvaluationTable table = tab == 0 ? LoopTable(core) : SkeletonTable(core.Skeleton);
        std::string expected;
        AppendTableText(expected, table, '\t', '.', "", "\n");
        expected.erase(0, expected.find('\n') + 1);  // no title line
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected) << tab;
    }
}

TEST_F(EvaluationWindowTest, SaveWritesTheReportsBytes) {
    for (const int type : {1, 2}) {
        const QString name = dir.filePath(QStringLiteral("report"));
        dialogs.saveAnswers.push_back(SaveFileAnswer{name, type});
        ClickIn("btnSave");
        ASSERT_TRUE(dialogs.boxes.empty());
        EXPECT_EQ(dialogs.saveRequests.back().FileName, QStringLiteral("levels_Evaluation"));
        const QString path = name + (type == 1 ? QStringLiteral(".csv") : QStringLiteral(".txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EvaluationReportHeader header = window->ReportHeader();
        EXPECT_EQ(header.Preset, "JGJ/T 101");
        EXPECT_NE(header.SkeletonMethod, "none");
        const std::string expected = type == 1 ? EvaluationCsvText(CoreEvaluation(), header)
                                               : EvaluationTextFileText(CoreEvaluation(), header);
        EXPECT_EQ(file.readAll().toStdString(), expected);
    }
}

TEST_F(EvaluationWindowTest, ExportedWorkbookReadsBack) {
    // Asked where to save, under the record's name; the workbook is opened once saved.
    dialogs.saveAnswers.push_back(SaveFileAnswer{dir.filePath(QStringLiteral("book")), 1});
    ClickIn("btnExport");
    ASSERT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.saveRequests.back().FileName, QStringLiteral("levels_Evaluation"));
    ASSERT_EQ(openedUrls.size(), 1u);
    const std::string file = openedUrls[0].toLocalFile().toStdString();
    EXPECT_EQ(file, dir.filePath(QStringLiteral("book.xlsx")).toStdString());
    ASSERT_TRUE(std::filesystem::exists(file));
    const std::string command = "/usr/bin/python3 " + std::string(QLNX_TEST_DATA) +
                                "/../gui/dump_evaluation_workbook.py '" + file + "' 2>&1";
    std::map<std::string, std::string> facts;
    std::vector<std::string> rows;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::string line;
        for (int c; (c = fgetc(pipe)) != EOF;) {
            if (c != '\n') {
                line.push_back(static_cast<char>(c));
                continue;
            }
            if (line.starts_with("row ")) rows.push_back(line);
            facts[line.substr(0, line.find(' ', line.find(' ') + 1))] = line;
            line.clear();
        }
        ASSERT_EQ(pclose(pipe), 0) << facts.size();
    }
    EXPECT_EQ(facts["sheets Evaluation"], "sheets Evaluation");
    // Row 3: the loop table's title; row 4 its header; rows 5..16 the twelve loops.
    const TestEvaluation core = CoreEvaluation();
    const EvaluationTable loops = LoopTable(core);
    ASSERT_GT(rows.size(), 16u);
    EXPECT_EQ(rows[1], "row 3\tLoops");
    std::string header = "row 4";
    for (const std::string& h : loops.Header) header += "\t" + h;
    EXPECT_EQ(rows[2], header);
    // Loop 2's energy and damping, as numbers that read back to the same double.
    std::string loop2 = rows[4];
    EXPECT_TRUE(loop2.starts_with("row 6\t2\t1\t2\ttrue\t")) << loop2;
    const std::string repr = [&] {
        // Python's repr of a float is the shortest text that reads back: compare as doubles.
        std::vector<std::string> cells;
        std::stringstream ss(loop2);
        for (std::string cell; std::getline(ss, cell, '\t');) cells.push_back(cell);
        return cells.at(14);  // "row 6" first; Energy is column 13 (points take two)
    }();
    EXPECT_EQ(std::stod(repr), *core.Loops[1].Energy);
    // Three charts on the loop table's ranges, with titles and axis titles.
    EXPECT_EQ(facts["chart 0"],
              "chart 0 title=Energy per loop x=Evaluation!$A$5:$A$16 y=Evaluation!$N$5:$N$16 "
              "xaxis=Loop yaxis=Energy");
    EXPECT_EQ(facts["chart 1"],
              "chart 1 title=Equivalent viscous damping per loop x=Evaluation!$A$5:$A$16 "
              "y=Evaluation!$P$5:$P$16 xaxis=Loop yaxis=he");
    EXPECT_EQ(facts["chart 2"],
              "chart 2 title=Secant stiffness per loop x=Evaluation!$A$5:$A$16 "
              "y=Evaluation!$R$5:$R$16 xaxis=Loop yaxis=Secant stiffness");
    // The level and skeleton tables follow, each after a blank row.
    bool levels = false, skeleton = false;
    for (const std::string& r : rows) {
        levels = levels || r == "row 18\tLevels";
        skeleton = skeleton || r == "row 25\tSkeleton";
    }
    EXPECT_TRUE(levels);
    EXPECT_TRUE(skeleton);
    // Then the loading protocol: its summary, each protocol's fit, and the planned levels
    // against the applied ones, row for row as the core's tables hold them.
    const ProtocolRecognition protocol = RecogniseProtocol(State(), core.Options, &core.Loops);
    const auto titled = [&](const std::string& title) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].ends_with("\t" + title)) return i;
        }
        return rows.size();
    };
    const EvaluationTable tables[] = {ProtocolSummaryTable(protocol),
                                      ProtocolCandidateTable(protocol),
                                      ProtocolLevelTable(protocol)};
    for (const EvaluationTable& table : tables) {
        const size_t at = titled(table.Title);
        ASSERT_LT(at + 1 + table.Rows.size(), rows.size()) << table.Title;
        std::string head;
        for (const std::string& h : table.Header) head += "\t" + h;
        EXPECT_TRUE(rows[at + 1].ends_with(head)) << rows[at + 1];
        // Each row's first cell: the protocol's name, or the level's number.
        for (size_t r = 0; r < table.Rows.size(); ++r) {
            const std::string first = TableValueText(table.Rows[r][0], '.', "");
            EXPECT_NE(rows[at + 2 + r].find("\t" + first), std::string::npos) << rows[at + 2 + r];
        }
    }
    EXPECT_LT(titled("Skeleton"), titled("Protocol"));
    EXPECT_EQ(ProtocolLevelTable(protocol).Rows.size(), protocol.Levels.size());
    EXPECT_FALSE(protocol.Levels.empty());
}

TEST_F(EvaluationWindowTest, ConstructionFollowsMethodSideAndWindow) {
    ConstructionLayer* layer = window->Constructions();
    ASSERT_TRUE(layer->HasContent());
    EXPECT_EQ(layer->MarkLabels(), (QStringList{"A", "B", "C", "Y", "M", "U"}));
    EXPECT_EQ(layer->LineCount(), 5);
    EXPECT_TRUE(Chart()->legend->hasItemWithPlottable(layer->LegendCurve()));
    auto* method = window->findChild<QComboBox*>(QStringLiteral("cbbYieldMethod"));
    method->setCurrentIndex(static_cast<int>(YieldMethod::EN12512));
    emit method->activated(method->currentIndex());
    EXPECT_EQ(layer->MarkLabels(), (QStringList{"0.1 Fmax", "0.4 Fmax", "Y", "M", "U"}));
    EXPECT_EQ(layer->LineCount(), 2);
    // The yield point drawn is the table's.
    const auto& y =
        *window->Evaluation().Skeleton.Positive->Yield[static_cast<size_t>(YieldMethod::EN12512)];
    EXPECT_EQ(layer->LegendCurve()->name(), QStringLiteral("EN12512 (positive)"));
    (void)y;
    // The legend's check box hides the layer; closing the window clears it.
    Chart()->replot();
    QCPAbstractLegendItem* item = Chart()->legend->itemWithPlottable(layer->LegendCurve());
    QTest::mouseClick(Chart(), Qt::LeftButton, Qt::NoModifier, item->outerRect().center());
    EXPECT_FALSE(layer->Layer()->visible());
    window->close();
    EXPECT_FALSE(layer->HasContent());
    EXPECT_FALSE(Chart()->legend->hasItemWithPlottable(layer->LegendCurve()));
}

TEST_F(EvaluationWindowTest, ConstructionLabelsCoverNoOtherLabelAndNoPoint) {
    // Every method on both sides, and with the ultimate not reached (U* on the last point):
    // each label's text lies clear of the other labels and of every marker on the branch.
    auto* method = window->findChild<QComboBox*>(QStringLiteral("cbbYieldMethod"));
    auto* side = window->findChild<QComboBox*>(QStringLiteral("cbbSide"));
    Chart()->resize(900, 600);
    Chart()->replot();
    for (const double ratio : {0.85, 0.3}) {
        window->findChild<QDoubleSpinBox*>(QStringLiteral("spnUltimateRatio"))->setValue(ratio);
        for (int m = 0; m < method->count(); ++m) {
            for (int s = 0; s < 2; ++s) {
                method->setCurrentIndex(m);
                side->setCurrentIndex(s);
                emit side->activated(s);
                Chart()->replot();
                const ChartSeries& branch =
                    State().Chart.GetSeries(s == 0 ? ChartModel::PositiveSkeletonSeries
                                                   : ChartModel::NegativeSkeletonSeries);
                std::vector<QRectF> texts;
                for (QCPItemText* label : window->Constructions()->Labels()) {
                    const QMargins pad = label->padding();
                    texts.push_back(
                        QRectF(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition())
                            .adjusted(pad.left(), pad.top(), -pad.right(), -pad.bottom()));
                }
                for (size_t i = 0; i < texts.size(); ++i) {
                    for (size_t j = i + 1; j < texts.size(); ++j) {
                        EXPECT_FALSE(texts[i].intersects(texts[j]))
                            << ratio << ' ' << m << ' ' << s << ": labels " << i << ", " << j;
                    }
                    for (size_t k = 0; k < branch.XValues().size(); ++k) {
                        const QPointF at(Chart()->xAxis->coordToPixel(branch.XValues()[k]),
                                         Chart()->yAxis->coordToPixel(branch.YValues()[k]));
                        EXPECT_FALSE(texts[i].contains(at))
                            << ratio << ' ' << m << ' ' << s << ": label " << i << ", point " << k;
                    }
                }
            }
        }
    }
}

TEST_F(EvaluationWindowTest, SkeletonDragUpdatesTheTableAndUndoRestoresIt) {
    const QAbstractItemModel& s = *Table("tblSkeleton")->model();
    const std::vector<std::vector<QString>> before = Cells(s);
    Choose("cbb3", 1);  // drag
    Choose("cbb2", 1);  // positive skeleton
    const ChartSeries& positive = State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    // The peak point, dragged upwards.
    int peak = 0;
    for (int i = 1; i < positive.Count(); ++i) {
        if (positive.GetyValue(i) > positive.GetyValue(peak)) peak = i;
    }
    const QPoint from = PixelOf(ChartModel::PositiveSkeletonSeries, peak);
    QTest::mouseMove(Chart(), from);
    QTest::mousePress(Chart(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(Chart(), from + QPoint(0, -30));
    // During the drag, before the release: the table already shows the new peak.
    EXPECT_EQ(s.index(0, 3).data(EvaluationTableModel::kExactRole).toString().toStdString(),
              FormatGeneral15(positive.GetyValue(peak)));
    QTest::mouseRelease(Chart(), Qt::LeftButton, Qt::NoModifier, from + QPoint(0, -30));
    EXPECT_NE(Cells(s), before);
    EXPECT_EQ(Cells(s), Cells(SkeletonTable(CoreEvaluation().Skeleton)));
    form->Undo1Click();
    EXPECT_EQ(Cells(s), before);
}

TEST_F(EvaluationWindowTest, LoopRowChoosesTheLoopInTheLoopBox) {
    QTableView* loops = Table("tblLoops");
    loops->selectRow(4);
    EXPECT_EQ(Find<QComboBox>("cbb1")->currentIndex(), 4);
    EXPECT_EQ(State().SelectedLoop, 4);
    // Sorted, the row's own loop is chosen.
    loops->sortByColumn(0, Qt::DescendingOrder);
    loops->selectRow(0);
    EXPECT_EQ(State().SelectedLoop, 11);
}

TEST_F(EvaluationWindowTest, NewAnalysisReplacesTheTables) {
    Import(WriteFile("worked.csv", kWorkedExample));
    EXPECT_EQ(window->LoopModel()->rowCount(), 0);
    Click("btn2");
    EXPECT_EQ(Cells(*Table("tblLoops")->model()), Cells(LoopTable(CoreEvaluation())));
    EXPECT_EQ(window->LoopModel()->rowCount(), State().LoopCount);
    // No skeleton: null branches, no construction.
    EXPECT_FALSE(window->Constructions()->HasContent());
}

TEST_F(EvaluationWindowTest, PointsSteppingBackAreCountedUnderTheTableAndFaded) {
    auto* note = window->findChild<QLabel*>(QStringLiteral("lblDroppedPoints"));
    ASSERT_NE(note, nullptr);
    // The maximum-force points of a level's later cycles lie at its first cycle's
    // displacement: they go no further out and are left out already.
    const int before = window->Evaluation().Skeleton.Positive->DroppedPoints;
    EXPECT_EQ(before, 8);
    EXPECT_EQ(window->Constructions()->DroppedCount(), before);
    EXPECT_FALSE(note->isHidden());
    // The peak point of the positive branch dragged back behind the point before it.
    Choose("cbb3", 1);  // drag
    Choose("cbb2", 1);  // positive skeleton
    const ChartSeries& positive = State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
    int peak = 0;
    for (int i = 1; i < positive.Count(); ++i) {
        if (positive.GetyValue(i) > positive.GetyValue(peak)) peak = i;
    }
    ASSERT_GT(peak, 0);
    const QPoint from = PixelOf(ChartModel::PositiveSkeletonSeries, peak);
    const QPoint to(PixelOf(ChartModel::PositiveSkeletonSeries, peak - 1).x() - 10, from.y());
    QTest::mouseMove(Chart(), from);
    QTest::mousePress(Chart(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(Chart(), to);
    QTest::mouseRelease(Chart(), Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_LT(positive.GetxValue(peak), positive.GetxValue(peak - 1));
    const int dropped = window->Evaluation().Skeleton.Positive->DroppedPoints;
    // The dragged point is one of those left out now.
    const auto c = ConstructYield(positive.XValues(), positive.YValues(), false, 0.85,
                                  YieldMethod::GeneralYield);
    ASSERT_TRUE(c.has_value());
    bool draggedLeftOut = false;
    for (const BranchPoint& p : c->Dropped) {
        if (p.Disp == positive.GetxValue(peak) && p.Force == positive.GetyValue(peak))
            draggedLeftOut = true;
    }
    EXPECT_TRUE(draggedLeftOut);
    EXPECT_EQ(dropped, CoreEvaluation().Skeleton.Positive->DroppedPoints);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(QString::number(dropped) +
                                        QStringLiteral(" point(s) of the positive branch")));
    // The chart shows the construction of the positive branch with those points faded.
    EXPECT_EQ(window->Constructions()->DroppedCount(), dropped);
    // Copy still copies the yield points' table from its page.
    ShowTab(2);
    ClickIn("btnCopy");
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Side\tItem\t")));
}

}  // namespace
}  // namespace qlnx::test

namespace qlnx::test {
namespace {

TEST_F(EvaluationWindowTest, FitsASmallScreenInEveryLanguageDocksAndFloats) {
    // A laptop's 1366 x 768 screen with the main window beside: half its width, its height
    // less a task bar and the title bar, in every language.
    for (const char* language : {"LanguageEnglish1", "LanguageChinese1", "LanguageDesigned1"}) {
        Find<QAction>(language)->trigger();
        const QSize least = window->minimumSizeHint();
        EXPECT_LE(least.width(), 683) << language;
        EXPECT_LE(least.height(), 690) << language;
    }
    // Opened whole on the main window's screen, also when the place kept from before lies off
    // every screen.
    const QRect avail = form->screen()->availableGeometry();
    EXPECT_TRUE(avail.contains(window->frameGeometry()));
    window->move(avail.right() + 500, avail.top() - 300);
    window->close();  // remembers the place off the screen
    Find<QAction>("TestEvaluation1")->trigger();
    EXPECT_TRUE(avail.contains(window->frameGeometry()));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));  // stays above the main window

    // Docked beside the chart, it keeps working there and is docked when opened again.
    auto* dock = window->findChild<QCheckBox*>(QStringLiteral("chkDock"));
    ASSERT_NE(dock, nullptr);
    dock->setChecked(true);
    EXPECT_TRUE(window->IsDocked());
    auto* holder = form->findChild<QDockWidget*>(QStringLiteral("dckEvaluation"));
    ASSERT_NE(holder, nullptr);
    EXPECT_TRUE(holder->isVisible());
    EXPECT_EQ(form->dockWidgetArea(holder), Qt::RightDockWidgetArea);
    EXPECT_TRUE(window->isVisible());
    // The main window, now wider, stays whole on the screen where it fits.
    QTest::qWait(0);
    if (form->minimumSizeHint().width() < avail.width()) {
        EXPECT_LE(form->frameGeometry().right(), avail.right());
        EXPECT_GE(form->frameGeometry().left(), avail.left());
    }
    Click("btn5");  // a new extraction reaches the docked tables
    EXPECT_EQ(Cells(*window->SkeletonModel()), Cells(SkeletonTable(CoreEvaluation().Skeleton)));
    holder->close();
    EXPECT_FALSE(window->isVisible());
    Find<QAction>("TestEvaluation1")->trigger();
    EXPECT_TRUE(window->IsDocked() && window->isVisible());
    // Floating again, on top of the main window and whole on the screen.
    dock->setChecked(false);
    EXPECT_FALSE(window->IsDocked());
    EXPECT_TRUE(window->isWindow() && window->isVisible());
    EXPECT_FALSE(holder->isVisible());
    EXPECT_TRUE(avail.contains(window->frameGeometry()));
}

TEST_F(EvaluationWindowTest, EachPlotSavesItselfAsAnImageAndCopies) {
    auto* plot = window->findChild<QCustomPlot*>(QStringLiteral("pltEnergy"));
    ASSERT_NE(plot, nullptr);
    const struct {
        int type;
        const char* suffix;
        QByteArray start;
    } cases[] = {{1, ".png", QByteArray("\x89PNG")},
                 {2, ".pdf", QByteArray("%PDF")},
                 {3, ".svg", QByteArray("<?xml")}};
    for (const auto& c : cases) {
        dialogs.saveAnswers.push_back(
            SaveFileAnswer{dir.filePath(QStringLiteral("energy")), c.type});
        plot->findChild<QAction*>(QStringLiteral("pltEnergySaveImage"))->trigger();
        ASSERT_TRUE(dialogs.boxes.empty());
        EXPECT_EQ(dialogs.saveRequests.back().FileName, QStringLiteral("levels_Energy"));
        QFile file(dir.filePath(QStringLiteral("energy")) + QString::fromLatin1(c.suffix));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.suffix;
        EXPECT_TRUE(file.readAll().startsWith(c.start)) << c.suffix;
    }
    QApplication::clipboard()->clear();
    plot->findChild<QAction*>(QStringLiteral("pltEnergyCopyImage"))->trigger();
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
}

}  // namespace
}  // namespace qlnx::test
