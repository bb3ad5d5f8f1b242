// The main window driven as a user drives it: controls found by object name, clicks and key
// presses, dialogs answered by a script; checks what the window shows afterwards.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <fstream>
#include <functional>
#include <iterator>

#include "gui/main_window/status_link_field.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

TEST_F(TForm1Test, StartsWithDefaultsAndEmptyAnalysis) {
    for (const char* empty : {"edt1", "edt2", "edt3", "edt4", "edt5", "edt6", "edt11"}) {
        EXPECT_EQ(Text(empty), QString()) << empty;
    }
    EXPECT_EQ(Text("edt7"), "1");
    EXPECT_EQ(Text("edt8"), "1");
    EXPECT_EQ(Text("edt9"), "0");
    EXPECT_EQ(Text("edt10"), "0");
    for (const char* readOnly : {"edt1", "edt2", "edt3", "edt4", "edt5", "edt6"}) {
        EXPECT_TRUE(Find<QLineEdit>(readOnly)->isReadOnly()) << readOnly;
    }
    EXPECT_TRUE(Find<QRadioButton>("rb1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("chk1")->isChecked());
    EXPECT_EQ(Items("cbb1"), QStringList());
    EXPECT_EQ(Items("cbb4"), QStringList({"Positive", "Negative"}));
    EXPECT_EQ(Items("cbb3"), QStringList({"None", "拖动节点", "增加节点", "删除节点"}));
    EXPECT_EQ(Items("cbb2"), QStringList({"None", "Vorlix Postive", "Vorlix Negative", "LOOP"}));
    EXPECT_EQ(Find<QComboBox>("cbb4")->currentText(), "Positive");
    EXPECT_EQ(Find<QComboBox>("cbb3")->currentText(), "None");
    EXPECT_EQ(Find<QComboBox>("cbb2")->currentText(), "None");

    QStringList legend;
    for (int i = 0; i < Chart()->legend->itemCount(); ++i) {
        auto* item = qobject_cast<QCPPlottableLegendItem*>(Chart()->legend->item(i));
        ASSERT_NE(item, nullptr);
        legend << item->plottable()->name();
    }
    EXPECT_EQ(legend, QStringList({"Loop", "Loop_", "Vorlix_Positive", "Vorlix_Negative"}));
    for (int s = 0; s < ChartModel::kSeriesCount; ++s)
        EXPECT_EQ(State().Chart.GetSeries(s).Count(), 0);
    EXPECT_FALSE(Chart()->cursorActive());
    EXPECT_EQ(Chart()->dragSeries(), nullptr);
    EXPECT_TRUE(form->windowTitle().startsWith("QLNX "));
    EXPECT_EQ(form->width(), 915);
}

TEST_F(TForm1Test, CaptionsAreTheDesignCaptions) {
    // clang-format off
    const std::pair<const char*, const char*> captions[] = {
        {"grp3", "Import Parameters"}, {"grp1", "Loop Curve"}, {"grp2", "Vorlix Curve"},
        {"lbl7", "F-D Curve Begin Line"}, {"lbl8", "Data Import Step"},
        {"lbl11", "Loop Direction"}, {"lbl6", "Loop Count"}, {"lbl1", "Loop No."},
        {"lbl2", "Max Disp 1"}, {"lbl3", "Max Disp 2"}, {"lbl4", "Max Disp Force 1"},
        {"lbl5", "Max Disp Force 2"}, {"lbl9", "指定调整的位移范围"},
        {"lbl10", "指定调整的位移容差"}, {"lbl12", "操作类型"}, {"lbl13", "操作对象"},
        {"btn1", "Import Loop"}, {"btn9", "ReImport"}, {"btn2", "Analyze Loop"},
        {"btn5", "提取骨架曲线"}, {"btn6", "删除指定区域容差范围的点"}, {"btn7", "保存结果"},
        {"btn8", "输出EXCEL"}, {"btn3", "About"}, {"btn4", "Donation (捐助)"},
        {"rb1", "每一圈力最大点     "}, {"rb2", "每一圈位移最大点       "},
        {"rb3", "每一圈力最大点+位移最大点       "}, {"rb4", "每一圈包络点(力最大点为分界)  "},
        {"rb5", "每一圈包络点(位移最大点为分界)  "}, {"rb6", "SB分解法(特别适合带强化的滞回曲线)"},
        {"chk1", "控制位移递增"},
        {"ImportData1", "Import Loop"}, {"ExportModifiedLoop1", "Export Modified Loop"},
        {"ExportResults1", "Export Analysis Results"}, {"ExportDraw12Excel1", "Export Draw1 2 Excel"},
        {"ExcelExportOptions1", "Excel Export Options"}, {"mniAbout1", "About"},
        {"mniDonation1", "Donation(捐助)"}, {"Howtouse1", "How to use?"},
    };
    // clang-format on
    for (const auto& [name, caption] : captions) {
        QObject* o = form->findChild<QObject*>(QString::fromLatin1(name));
        ASSERT_NE(o, nullptr) << name;
        QString text;
        if (auto* g = qobject_cast<QGroupBox*>(o))
            text = g->title();
        else if (auto* l = qobject_cast<QLabel*>(o))
            text = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(o))
            text = b->text();
        else if (auto* a = qobject_cast<QAction*>(o))
            text = a->text();
        EXPECT_EQ(text, QString::fromUtf8(caption)) << name;
    }
    // The menus in their order, separators in their places.
    QStringList file;
    for (QAction* a : Find<QMenu>("File1")->actions())
        file << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(file, QStringList({"ImportData1", "RecentRecords1", "-", "ExportModifiedLoop1",
                                 "ExportResults1", "ExportSkeleton1", "TestReport1", "-",
                                 "ExportDraw12Excel1"}));
    EXPECT_NE(Find<QStatusBar>("rzstsbr1"), nullptr);
    for (const char* field : {"rzfldsts1", "rzfldsts2", "rzfldsts3"})
        EXPECT_NE(Find<QLabel>(field), nullptr);
}

TEST_F(TForm1Test, OpenDialogOffersEveryRecordTypeInTheFolderLastUsed) {
    dialogs.openAnswers.push_back(std::nullopt);
    Find<QAction>("ImportData1")->trigger();  // the menu command runs the same import
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].Filter,
              "Test records (*.txt *.csv *.dat *.xlsx *.xlsm *.ods *.xls *.mat *.lvm *.TXT *.CSV "
              "*.DAT *.XLSX *.XLSM *.ODS *.XLS *.MAT *.LVM);;Text Files (*txt);;"
              "CSV Files (*csv);;All Files (*)");
    // Nothing used yet: the home folder, never the program's own.
    EXPECT_EQ(dialogs.openRequests[0].InitialFolder, QDir::homePath());

    Import(WriteFile("worked.csv", kWorkedExample));
    dialogs.openAnswers.push_back(std::nullopt);
    Click("btn1");
    ASSERT_EQ(dialogs.openRequests.size(), 3u);
    EXPECT_EQ(dialogs.openRequests[2].InitialFolder, dir.path());
    // Remembered across runs: a new window opens there too.
    ScriptedDialogs other;
    TForm1 again(other);
    other.openAnswers.push_back(std::nullopt);
    again.findChild<QAction*>("ImportData1")->trigger();
    ASSERT_EQ(other.openRequests.size(), 1u);
    EXPECT_EQ(other.openRequests[0].InitialFolder, dir.path());
}

// File > Recent Records: the last records, newest first, read again as they were read; a
// record that is gone is taken off with a word in the message bar.
TEST_F(TForm1Test, RecentRecordsReadAgainAsTheyWereRead) {
    auto* recent = Find<QMenu>("RecentRecords1");
    EXPECT_FALSE(recent->isEnabled());
    const QString first = WriteFile("first.csv", kWorkedExample);
    const QString second = WriteFile("second.csv", std::string("Disp,Force\n") + kWorkedExample);
    Import(first);
    SetText("edt7", "2");
    SetText("edt8", "1");
    Import(second);
    Import(first);  // once in the list, now first again, read from its own first line
    QStringList captions;
    for (QAction* a : recent->actions()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"&1 first.csv  (first line 1, step 1)",
                                     "&2 second.csv  (first line 2, step 1)"}));

    SetText("edt7", "1");
    recent->actions()[1]->trigger();
    EXPECT_EQ(Text("edt7"), "2");
    EXPECT_EQ(Text("edt5"), second);
    EXPECT_EQ(State().RawDisp.size(), 6u);
    EXPECT_TRUE(dialogs.boxes.empty());

    ASSERT_TRUE(QFile::remove(first));
    recent->actions()[1]->trigger();  // first.csv is now second in the list
    EXPECT_EQ(Text("edt5"), second);
    EXPECT_EQ(Find<QLabel>("MessageText")->text(),
              first + " no longer exists; it was taken off the recent records.");
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->toolTip(), second);
}

// Recent Records keeps the sheet a workbook was read from, and reads that sheet again; so does
// reading the record in view again.
TEST_F(TForm1Test, RecentRecordsKeepTheSheetOfAWorkbook) {
    std::ifstream fixture(QLNX_TEST_DATA "/formats/record.xlsx", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(fixture),
                            std::istreambuf_iterator<char>()};
    const QString book = WriteFile("book.xlsx", bytes);
    const QString text = WriteFile("other.csv", kWorkedExample);
    Import(book);  // the first sheet with numbers: Test 1
    EXPECT_GE(State().RawDisp.size(), 6u);
    // The second sheet, as a session that read it left it in the list.
    RememberRecentRecord({book, "1", "1", "Test 2", QString()});
    Import(text);
    auto* recent = Find<QMenu>("RecentRecords1");
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[1]->text(), "&2 book.xlsx  (sheet Test 2, first line 1, step 1)");
    recent->actions()[1]->trigger();
    EXPECT_EQ(Text("edt5"), book);
    EXPECT_EQ(State().RawDisp.size(), 2u);
    EXPECT_EQ(State().RawDisp[0], 1.25);
    EXPECT_EQ(recent->actions()[0]->text(), "&1 book.xlsx  (sheet Test 2, first line 1, step 1)");
    const std::vector<RecentRecord> records = RecentRecords();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].Sheet, "Test 2");
    EXPECT_EQ(records[0].Variable, "");
    // The record in view read again: the same sheet.
    Import(book);
    EXPECT_EQ(State().RawDisp.size(), 2u);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// On a laptop screen of 1366 x 768 the window fits: the control column scrolls.
TEST_F(TForm1Test, FitsASmallScreenWithTheControlColumnScrolled) {
    EXPECT_LT(form->minimumSizeHint().height(), 600);
    form->resize(1366, 640);
    QCoreApplication::processEvents();
    auto* column = Find<QScrollArea>("ControlColumn");
    EXPECT_LE(form->height(), 640);
    EXPECT_GT(column->verticalScrollBar()->maximum(), 0);
    column->ensureWidgetVisible(Find<QPushButton>("btn4"));
    EXPECT_GT(column->verticalScrollBar()->value(), 0);
}

TEST_F(TForm1Test, ImportReadsTheRowsAndDrawsTheLoop) {
    const QString path = WriteFile("three.csv", "0,0\n1,10\n2,15\n");
    Import(path);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 10, 15}));
    EXPECT_EQ(Text("edt5"), path);
    EXPECT_EQ(PointsOf(State().Chart.GetSeries(ChartModel::LoopSeries)),
              (std::vector<Point>{{0, 0}, {1, 10}, {2, 15}}));
    EXPECT_EQ(Chart()->drawnPointCount(ChartModel::LoopSeries), 3);
    EXPECT_EQ(Items("cbb1"), QStringList());
    EXPECT_EQ(Text("edt6"), QString());
}

// Each failing import: the message shown and the rows kept; the file name stays shown when
// the file itself could be read.
TEST_F(TForm1Test, ImportFailuresShowTheirMessageAndKeepTheRowsBefore) {
    struct Case {
        const char* name;
        const char* bytes;  // nullptr: the file does not exist
        std::string message;
        std::vector<double> disp;
    };
    const Case cases[] = {
        {"blank.csv", "0,0\n\n1,10\n", "List index out of bounds (0)", {0}},
        {"onefield.csv", "0,0\n1.5\n2,3\n", "List index out of bounds (1)", {0}},
        {"header.csv", "Disp,Force\n0,0\n", "'Disp' is not a valid floating point value", {}},
        {"semicolon.csv", "0,0\n1;2\n", "'1;2' is not a valid floating point value", {0}},
        {"badforce.csv", "0,0\n1,x\n", "'x' is not a valid floating point value", {0}},
        {"thousands.csv", "0,0\n1,1,000\n2,x\n", "Line 2 has 3 fields; line 1 has 2.", {0}},
        {"missing.csv", nullptr, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.boxes.clear();
        const QString path = c.bytes ? WriteFile(c.name, c.bytes) : dir.filePath(c.name);
        Import(path);
        const std::string expected =
            c.bytes ? c.message
                    : "Cannot open file \"" + path.toStdString() + "\". No such file or directory";
        EXPECT_EQ(dialogs.Shown(), std::vector<std::string>{"warning Warning: " + expected});
        EXPECT_EQ(State().RawDisp, c.disp);
        EXPECT_EQ(State().RawForce.size(), c.disp.size());
        EXPECT_EQ(State().Chart.GetSeries(ChartModel::LoopSeries).Count(),
                  static_cast<int>(c.disp.size()));
        EXPECT_EQ(Text("edt5"), c.bytes ? path : QString());
    }
}

// Refusals before the open dialog change nothing: the previous import and analysis stay.
TEST_F(TForm1Test, RefusedBoxesKeepThePreviousImportAndAnalysis) {
    const QString path = WriteFile("worked.csv", kWorkedExample);
    Import(path);
    Click("btn2");
    ASSERT_EQ(Text("edt6"), "2");
    struct Case {
        const char* firstLine;
        const char* step;
        std::string shown;
        const char* focus;  // box that takes the keyboard focus, or nullptr
    };
    const Case cases[] = {
        {"abc", "1", "warning Warning: ''abc'' is not a valid integer value", nullptr},
        {"0", "1", "warning Warning: First Line must large than 0!", "edt7"},
        {"-3", "1", "warning Warning: First Line must large than 0!", "edt7"},
        {"1", "0", "warning Warning: Data Import Step must not be 0!", "edt8"},
        {"1", "x", "error QLNX: ''x'' is not a valid integer value.", nullptr},
        {"1", "", "error QLNX: '''' is not a valid integer value.", nullptr},
    };
    const size_t openDialogs = dialogs.openRequests.size();
    for (const char* button : {"btn1", "btn9"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(button) + " " + c.firstLine + "/" + c.step);
            dialogs.boxes.clear();
            Find<QPushButton>("btn2")->setFocus();
            SetText("edt7", QString::fromUtf8(c.firstLine));
            SetText("edt8", QString::fromUtf8(c.step));
            Click(button);
            EXPECT_EQ(dialogs.Shown(), std::vector<std::string>{c.shown});
            EXPECT_EQ(dialogs.openRequests.size(), openDialogs);
            if (c.focus) {
                EXPECT_TRUE(Find<QLineEdit>(c.focus)->hasFocus());
            }
            EXPECT_EQ(Text("edt5"), path);
            EXPECT_EQ(Text("edt6"), "2");
            EXPECT_EQ(Items("cbb1"), QStringList({"Loop_1", "Loop_2"}));
            EXPECT_EQ(Text("edt1"), "2");
            EXPECT_EQ(State().RawDisp.size(), 6u);
            EXPECT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Count(), 5);
        }
    }
    // The window stays usable after the error box.
    SetText("edt7", "1");
    SetText("edt8", "1");
    Click("btn2");
    EXPECT_EQ(Text("edt6"), "2");
}

TEST_F(TForm1Test, ReImportReadsTheSameFileWithAnotherStep) {
    Click("btn9");  // nothing imported yet: nothing happens, no dialog
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(dialogs.openRequests.empty());

    const QString path = WriteFile("five.txt", "1 10\n2 20\n3 30\n4 40\n5 50\n");
    Import(path);
    ASSERT_EQ(State().RawDisp.size(), 5u);
    SetText("edt7", "2");
    SetText("edt8", "2");
    Click("btn9");
    EXPECT_EQ(dialogs.openRequests.size(), 1u);  // no second dialog
    EXPECT_EQ(State().RawDisp, (std::vector<double>{2, 4}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{20, 40}));
    EXPECT_EQ(Text("edt5"), path);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TForm1Test, CancelledOpenDialogKeepsEverything) {
    const QString path = WriteFile("worked.csv", kWorkedExample);
    Import(path);
    Click("btn2");
    const AnalysisState before = State();
    dialogs.openAnswers.push_back(std::nullopt);
    Click("btn1");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(State().RawDisp, before.RawDisp);
    EXPECT_EQ(State().LoopDisp, before.LoopDisp);
    EXPECT_EQ(State().LoopStart, before.LoopStart);
    for (int s = 0; s < ChartModel::kSeriesCount; ++s) {
        EXPECT_EQ(PointsOf(State().Chart.GetSeries(s)), PointsOf(before.Chart.GetSeries(s))) << s;
    }
    EXPECT_EQ(Text("edt5"), path);
    EXPECT_EQ(Text("edt6"), "2");
    EXPECT_EQ(Items("cbb1"), QStringList({"Loop_1", "Loop_2"}));
    EXPECT_EQ(Text("edt3"), "10");
}

TEST_F(TForm1Test, AnalysisOfTheWorkedExampleAndTheSecondLoop) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(Text("edt6"), "2");
    EXPECT_EQ(Items("cbb1"), QStringList({"Loop_1", "Loop_2"}));
    EXPECT_EQ(Find<QComboBox>("cbb1")->currentIndex(), 0);
    EXPECT_EQ((QStringList{Text("edt1"), Text("edt2"), Text("edt3"), Text("edt4")}),
              QStringList({"2", "-1", "10", "-5"}));
    // The loop series keeps the imported curve, without the inserted crossing points.
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::LoopSeries).Count(), 6);

    // The user picks the second loop with the keyboard.
    auto* cbb1 = Find<QComboBox>("cbb1");
    cbb1->setFocus();
    QTest::keyClick(cbb1, Qt::Key_Down);
    ASSERT_EQ(cbb1->currentIndex(), 1);
    EXPECT_EQ((QStringList{Text("edt1"), Text("edt2"), Text("edt3"), Text("edt4")}),
              QStringList({"3", "-2", "12", "-8"}));
    const ChartSeries& selected = State().Chart.GetSeries(ChartModel::SelectedLoopSeries);
    EXPECT_EQ(selected.Title, "Loop_2");
    EXPECT_EQ(PointsOf(selected), (std::vector<Point>{{0, -0.75}, {3, 12}, {0, 0}, {-2, -8}}));
    // The marks keep their X values sorted; equal X values stay in the order added.
    EXPECT_EQ(PointsOf(State().Chart.GetSeries(ChartModel::pntsrsSeries1)),
              (std::vector<Point>{{-2, -8, clLime}, {0, -0.75, clYellow}, {0, 0, clRed}}));
    EXPECT_EQ(PointsOf(State().Chart.GetSeries(ChartModel::pntsrsSeries2)),
              (std::vector<Point>{{-2, -8, clAqua}, {3, 12, clAqua}}));

    // Showing it again accumulates nothing; back to the first loop.
    QTest::keyClick(cbb1, Qt::Key_Up);
    EXPECT_EQ((QStringList{Text("edt1"), Text("edt2"), Text("edt3"), Text("edt4")}),
              QStringList({"2", "-1", "10", "-5"}));
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Count(), 5);
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::pntsrsSeries2).Count(), 2);
}

TEST_F(TForm1Test, RefusedAnalysisEmptiesTheAnalysisAndKeepsTheImport) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Import(WriteFile("three.csv", "0,0\n1,1\n0,2\n"));
    Click("btn2");
    EXPECT_EQ(dialogs.Shown(),
              std::vector<std::string>{"warning Warning: Imported Loop is less than 3 points!"});
    EXPECT_EQ(Items("cbb1"), QStringList());
    for (const char* empty : {"edt1", "edt2", "edt3", "edt4", "edt6"})
        EXPECT_EQ(Text(empty), QString()) << empty;
    EXPECT_EQ(State().RawDisp.size(), 3u);
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::LoopSeries).Count(), 3);
}

TEST_F(TForm1Test, LegendCheckBoxHidesAndShowsItsSeries) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    ChartWidget* chart = Chart();
    chart->replot();
    auto* loopItem = qobject_cast<QCPPlottableLegendItem*>(chart->legend->item(0));
    ASSERT_NE(loopItem, nullptr);
    ASSERT_EQ(loopItem->plottable()->name(), "Loop");
    const QPoint at = loopItem->outerRect().center();

    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_FALSE(State().Chart.GetSeries(ChartModel::LoopSeries).Active);
    EXPECT_FALSE(loopItem->plottable()->visible());
    EXPECT_TRUE(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Active);
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(State().Chart.GetSeries(ChartModel::LoopSeries).Active);
    EXPECT_TRUE(loopItem->plottable()->visible());
}

// The skeleton buttons read the method, the direction and the boxes of the window.
TEST_F(TForm1Test, SkeletonExtractionAndThinningReadTheirControls) {
    // Crossings fall on exact samples, so the working curve is the record itself.
    Import(WriteFile("cycles.csv",
                     "0,0\n1,10\n2,15\n1,5\n0,-2\n-1,-10\n-2,-14\n-1,-4\n0,3\n2,16\n"
                     "3,20\n4,18\n1,6\n0,-3\n-3,-18\n-4,-17\n-1,-5\n0,2\n"));
    Click("btn2");
    ASSERT_EQ(Text("edt6"), "2");
    const auto skeleton = [this](int series) { return PointsOf(State().Chart.GetSeries(series)); };

    Click("btn5");  // rb1, Positive
    EXPECT_EQ(skeleton(ChartModel::PositiveSkeletonSeries),
              (std::vector<Point>{{0, 0}, {2, 15}, {3, 20}}));
    EXPECT_EQ(skeleton(ChartModel::NegativeSkeletonSeries),
              (std::vector<Point>{{0, 0}, {-2, -14}, {-3, -18}}));

    // With direction Negative the first half-cycle of every loop feeds the negative curve.
    QTest::mouseClick(Find<QRadioButton>("rb2"), Qt::LeftButton);
    Find<QComboBox>("cbb4")->setCurrentIndex(1);
    Click("btn5");
    EXPECT_EQ(skeleton(ChartModel::PositiveSkeletonSeries),
              (std::vector<Point>{{0, 0}, {-2, -14}, {-4, -17}}));
    EXPECT_EQ(skeleton(ChartModel::NegativeSkeletonSeries),
              (std::vector<Point>{{0, 0}, {2, 15}, {4, 18}}));

    // An empty tolerance box is refused before either curve changes.
    Click("btn6");
    EXPECT_EQ(dialogs.Shown(),
              std::vector<std::string>{"error QLNX: '' is not a valid floating point value."});
    EXPECT_EQ(skeleton(ChartModel::NegativeSkeletonSeries),
              (std::vector<Point>{{0, 0}, {2, 15}, {4, 18}}));
    SetText("edt9", "-1");
    SetText("edt10", "10");
    SetText("edt11", "2.5");
    Click("btn6");
    EXPECT_EQ(skeleton(ChartModel::NegativeSkeletonSeries), (std::vector<Point>{{0, 0}, {4, 18}}));
    EXPECT_EQ(skeleton(ChartModel::PositiveSkeletonSeries),
              (std::vector<Point>{{0, 0}, {-2, -14}, {-4, -17}}));
}

// The workbook export writes a workbook of the chart and hands it to the desktop.
TEST_F(TForm1Test, WorkbookExportOpensTheWrittenWorkbook) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Click("btn8");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Shown().front();
    ASSERT_EQ(openedUrls.size(), 1u);
    const QString workbook = openedUrls[0].toLocalFile();
    EXPECT_TRUE(workbook.endsWith(".xlsx"));
    EXPECT_TRUE(QFile::exists(workbook));
    QFile::remove(workbook);
}

// Options > Excel Export Options edits the window's own record: a stored value is shown the
// next time the dialog opens.
TEST_F(TForm1Test, ExportOptionsDialogEditsTheWindowsRecord) {
    const auto openOptions = [this](const std::function<void(QDialog&)>& script) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = form->findChild<QDialog*>("ExportOptionForm");
            ASSERT_NE(dialog, nullptr);
            script(*dialog);
            ran = true;
        });
        Find<QAction>("ExcelExportOptions1")->trigger();
        EXPECT_TRUE(ran);
    };
    openOptions([](QDialog& dialog) {
        auto* width = dialog.findChild<QLineEdit*>("edt4");
        ASSERT_NE(width, nullptr);
        EXPECT_EQ(width->text(), "300");
        width->setText("420");
        dialog.findChild<QPushButton*>("btn1")->click();  // Update
        dialog.findChild<QPushButton*>("btn2")->click();  // Cancel closes it
    });
    EXPECT_EQ(form->ExcelExportOptions.ChartWidth, 420);
    openOptions([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edt4")->text(), "420");
        dialog.findChild<QPushButton*>("btn2")->click();  // Cancel
    });
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Both save commands use the window's one save dialog: first in the program's folder with the
// text type, offering the record's name; a cancelled dialog writes nothing.
TEST_F(TForm1Test, SaveCommandsOpenTheSaveDialogInTheRecordsFolderThenTheLastUsed) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    dialogs.saveAnswers = {std::nullopt, std::nullopt, std::nullopt};
    Find<QAction>("ExportModifiedLoop1")->trigger();
    Find<QAction>("ExportResults1")->trigger();
    Click("btn7");
    ASSERT_EQ(dialogs.saveRequests.size(), 3u);
    for (const SaveFileRequest& r : dialogs.saveRequests) {
        EXPECT_EQ(r.InitialFolder, dir.path());
        EXPECT_EQ(r.FilterIndex, 1);
        EXPECT_TRUE(r.FileName.startsWith("worked")) << r.FileName.toStdString();
    }
    EXPECT_EQ(dialogs.saveRequests[1].FileName, dialogs.saveRequests[2].FileName);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"worked.csv"}));

    // The file written is the one chosen, in the form of the type chosen; the status says so,
    // and the next save dialog opens where it went.
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    dialogs.saveAnswers = {SaveFileAnswer{dir.filePath("out/results"), 2}, std::nullopt};
    Click("btn7");
    EXPECT_TRUE(QFile::exists(dir.filePath("out/results.csv")));
    EXPECT_EQ(Find<QLabel>("rzfldsts3")->text(),
              "Saved the loop extremes to " + dir.filePath("out/results.csv") + ".");
    Find<QAction>("ExportSkeleton1")->trigger();  // no skeleton yet: a word, no dialog
    EXPECT_EQ(dialogs.saveRequests.size(), 4u);
    EXPECT_EQ(Find<QLabel>("MessageText")->text(),
              "There is no skeleton curve to save: extract it first.");
    Click("btn5");
    Find<QAction>("ExportSkeleton1")->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 5u);
    EXPECT_EQ(dialogs.saveRequests[4].InitialFolder, dir.filePath("out"));
    EXPECT_EQ(dialogs.saveRequests[4].FileName, "worked_Skeleton");
    EXPECT_EQ(dialogs.saveRequests[4].FilterIndex, 2);
}

TEST_F(TForm1Test, HelpAndWebSiteOpenTheirPages) {
    // "How to use?" shows the guide built into the program in a window of its own: no browser
    // is needed, and its pictures come along.
    Find<QAction>("Howtouse1")->trigger();
    EXPECT_TRUE(openedUrls.empty());
    auto* help = form->findChild<QWidget*>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains("Analyse the loops"));
    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl("screenshot-main.png"));
    EXPECT_FALSE(picture.value<QByteArray>().isEmpty() && picture.value<QImage>().isNull());
    // A second command brings the same window forward.
    Find<QAction>("Howtouse1")->trigger();
    EXPECT_EQ(form->findChildren<QTextBrowser*>("HelpBrowser").size(), 1);
    // A link out of the guide goes to the desktop's programs.
    emit browser->anchorClicked(QUrl("https://example.org/standards"));
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl("https://example.org/standards"));

    // The web site, when no home page is configured: the guide beside the program (a build),
    // else the installed guide. The test's own folder stands for the program's.
    openedUrls.clear();
    form->setGuideFolder(dir.path());
    EXPECT_TRUE(form->HelpPageUrl().toLocalFile().endsWith("/share/qlnx/help.html"));
    const QString beside = WriteFile("help.html", "<html></html>");
    EXPECT_EQ(form->HelpPageUrl(), QUrl::fromLocalFile(beside));
    Find<QAction>("mniWebsite1")->trigger();
    auto* link = Find<StatusLinkField>("rzfldsts2");
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(openedUrls.size(), 2u);
    EXPECT_EQ(openedUrls[0], form->HomePageUrl());
    EXPECT_EQ(openedUrls[1], form->HomePageUrl());
    EXPECT_TRUE(dialogs.boxes.empty());

    // The link field turns blue and underlined under the mouse, black again when it leaves.
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::black));
}

}  // namespace
}  // namespace qlnx::test

namespace qlnx::test {
namespace {

// A new import, and one that fails, leave no trace of the record before in the legend or the
// axes.
TEST_F(TForm1Test, ImportResetsTheChosenLoopTitleAndTheAxes) {
    Import(WriteFile("worked.csv", kWorkedExample));
    Click("btn2");
    Choose("cbb1", 1);
    ASSERT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Title, "Loop_2");
    ASSERT_GT(Chart()->yAxis->range().upper, 10);

    Import(dir.filePath("no_such_record.csv"));
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Title, "Loop_");
    EXPECT_EQ(Chart()->xAxis->range(), QCPRange(0, 5));
    EXPECT_EQ(Chart()->yAxis->range(), QCPRange(0, 5));
    dialogs.boxes.clear();

    Import(WriteFile("small.csv", "0,0\n1,1\n0,0\n-1,-1\n0,0\n"));
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Title, "Loop_");
    EXPECT_LT(Chart()->yAxis->range().upper, 2);
}

}  // namespace
}  // namespace qlnx::test
