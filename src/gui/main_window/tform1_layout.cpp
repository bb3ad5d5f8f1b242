// Builds the controls, menu and status bar of the main window with their captions, defaults
// and item lists.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "core/loop_columns.h"
#include "core/skeleton_methods.h"
#include "gui/chart/chart_widget.h"
#include "gui/dialogs/about_box.h"
#include "gui/main_window/message_bar.h"
#include "gui/main_window/status_link_field.h"
#include "gui/main_window/tform1.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {

// Width of the left column of controls, room for the longest English captions (the methods'
// radio buttons, the thinning button); it keeps its size when the window is resized.
constexpr int kLeftColumnWidth = 284;

// The label of read-out c: its column's name.
QString ReadoutCaption(size_t c) { return Utf8Text(kLoopExtremeColumns[c].ReadoutName); }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QLabel(caption, parent), name);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, bool readOnly) {
    auto* edit = Named(new QLineEdit(text, parent), name);
    edit->setReadOnly(readOnly);
    return edit;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = Named(new QComboBox(parent), name);
    box->addItems(items);
    box->setCurrentIndex(items.isEmpty() ? -1 : 0);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QPushButton(caption, parent), name);
}

QAction* MakeAction(QMenu* menu, const char* name, const QString& caption) {
    auto* action = Named(menu->addAction(caption), name);
    return action;
}

}  // namespace

void TForm1::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(6, 6, 6, 2);
    columns->setSpacing(8);

    // Left column, in a scroll area: on a screen lower than the column (a 1366 x 768 laptop)
    // it scrolls instead of pushing the window off the screen.
    auto* scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("ControlColumn"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedWidth(kLeftColumnWidth +
                          scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    auto* left = new QWidget(scroll);
    left->setFixedWidth(kLeftColumnWidth);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(6);
    scroll->setWidget(left);
    columns->addWidget(scroll);

    grp3 = Named(new QGroupBox(QStringLiteral("Import Parameters"), left), "grp3");
    {
        auto* g = new QGridLayout(grp3);
        lbl7 = MakeLabel(grp3, "lbl7", QStringLiteral("F-D Curve Begin Line"));
        edt7 = MakeEdit(grp3, "edt7", QStringLiteral("1"), false);
        lbl8 = MakeLabel(grp3, "lbl8", QStringLiteral("Data Import Step"));
        edt8 = MakeEdit(grp3, "edt8", QStringLiteral("1"), false);
        lbl11 = MakeLabel(grp3, "lbl11", QStringLiteral("Loop Direction"));
        cbb4 = MakeList(grp3, "cbb4", {QStringLiteral("Positive"), QStringLiteral("Negative")});
        lblNoiseBand = MakeLabel(grp3, "lblNoiseBand", QStringLiteral("Noise Band"));
        edtNoiseBand = MakeEdit(grp3, "edtNoiseBand", QStringLiteral("0"), false);
        edtNoiseBand->setToolTip(QStringLiteral(
            "Only a passage through the first displacement that takes the record from more "
            "than this far on one side to more than this far on the other starts a half-cycle. "
            "0 splits at every passage. In the units of the record's displacement."));
        g->addWidget(lbl7, 0, 0);
        g->addWidget(edt7, 0, 1);
        g->addWidget(lbl8, 1, 0);
        g->addWidget(edt8, 1, 1);
        g->addWidget(lbl11, 2, 0);
        g->addWidget(cbb4, 2, 1);
        g->addWidget(lblNoiseBand, 3, 0);
        g->addWidget(edtNoiseBand, 3, 1);
        g->setColumnStretch(1, 1);
    }
    leftLayout->addWidget(grp3);

    {
        auto* row = new QHBoxLayout;
        btn1 = MakeButton(left, "btn1", QStringLiteral("Import Loop"));
        btn9 = MakeButton(left, "btn9", QStringLiteral("ReImport"));
        btn2 = MakeButton(left, "btn2", QStringLiteral("Analyze Loop"));
        row->addWidget(btn1);
        row->addWidget(btn9);
        row->addWidget(btn2);
        leftLayout->addLayout(row);
    }

    grp1 = Named(new QGroupBox(QStringLiteral("Loop Curve"), left), "grp1");
    {
        auto* g = new QGridLayout(grp1);
        lbl6 = MakeLabel(grp1, "lbl6", QStringLiteral("Loop Count"));
        edt6 = MakeEdit(grp1, "edt6", QString(), true);
        lbl1 = MakeLabel(grp1, "lbl1", QStringLiteral("Loop No."));
        cbb1 = MakeList(grp1, "cbb1", {});
        lbl2 = MakeLabel(grp1, "lbl2", ReadoutCaption(0));
        edt1 = MakeEdit(grp1, "edt1", QString(), true);
        lbl3 = MakeLabel(grp1, "lbl3", ReadoutCaption(1));
        edt2 = MakeEdit(grp1, "edt2", QString(), true);
        lbl4 = MakeLabel(grp1, "lbl4", ReadoutCaption(2));
        edt3 = MakeEdit(grp1, "edt3", QString(), true);
        lbl5 = MakeLabel(grp1, "lbl5", ReadoutCaption(3));
        edt4 = MakeEdit(grp1, "edt4", QString(), true);
        const std::pair<QLabel*, QWidget*> rows[] = {{lbl6, edt6}, {lbl1, cbb1}, {lbl2, edt1},
                                                     {lbl3, edt2}, {lbl4, edt3}, {lbl5, edt4}};
        int r = 0;
        for (const auto& [label, box] : rows) {
            g->addWidget(label, r, 0);
            g->addWidget(box, r, 1);
            ++r;
        }
        g->setColumnStretch(1, 1);
    }
    leftLayout->addWidget(grp1);

    grp2 = Named(new QGroupBox(QStringLiteral("Vorlix Curve"), left), "grp2");
    {
        auto* v = new QVBoxLayout(grp2);
        v->setSpacing(3);
        // The captions end in blanks, as the window has always shown them.
        for (const SkeletonMethodRow& method : SkeletonMethods()) {
            auto* rb = Named(new QRadioButton(Utf8Text(method.Caption), grp2), method.WidgetName);
            rb->setToolTip(Utf8Text(method.ToolTip));
            rbMethods.push_back(rb);
            v->addWidget(rb);
        }
        rbMethods.front()->setChecked(true);
        chk1 = Named(new QCheckBox(QStringLiteral("控制位移递增"), grp2), "chk1");
        v->addWidget(chk1);
        btn5 = MakeButton(grp2, "btn5", QStringLiteral("提取骨架曲线"));
        v->addWidget(btn5);

        auto* g = new QGridLayout;
        lbl9 = MakeLabel(grp2, "lbl9", QStringLiteral("指定调整的位移范围"));
        edt9 = MakeEdit(grp2, "edt9", QStringLiteral("0"), false);
        edt10 = MakeEdit(grp2, "edt10", QStringLiteral("0"), false);
        lbl10 = MakeLabel(grp2, "lbl10", QStringLiteral("指定调整的位移容差"));
        edt11 = MakeEdit(grp2, "edt11", QString(), false);
        g->addWidget(lbl9, 0, 0, 1, 2);
        g->addWidget(edt9, 1, 0);
        g->addWidget(edt10, 1, 1);
        g->addWidget(lbl10, 2, 0);
        g->addWidget(edt11, 2, 1);
        v->addLayout(g);
        btn6 = MakeButton(grp2, "btn6", QStringLiteral("删除指定区域容差范围的点"));
        v->addWidget(btn6);
    }
    leftLayout->addWidget(grp2);

    {
        auto* g = new QGridLayout;
        btn7 = MakeButton(left, "btn7", QStringLiteral("保存结果"));
        btn8 = MakeButton(left, "btn8", QStringLiteral("输出EXCEL"));
        btn3 = MakeButton(left, "btn3", QStringLiteral("About"));
        btn4 = MakeButton(left, "btn4", QStringLiteral("Donation (捐助)"));
        g->addWidget(btn7, 0, 0);
        g->addWidget(btn8, 0, 1);
        g->addWidget(btn3, 1, 0);
        g->addWidget(btn4, 1, 1);
        leftLayout->addLayout(g);
    }
    leftLayout->addStretch(1);

    // Right side: file name across the top, the two chart-editing boxes, then the chart.
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    columns->addLayout(right, 1);
    edt5 = MakeEdit(central, "edt5", QString(), true);
    right->addWidget(edt5);
    {
        auto* row = new QHBoxLayout;
        lbl12 = MakeLabel(central, "lbl12", QStringLiteral("操作类型"));
        cbb3 = MakeList(central, "cbb3",
                        {QStringLiteral("None"), QStringLiteral("拖动节点"),
                         QStringLiteral("增加节点"), QStringLiteral("删除节点")});
        lbl13 = MakeLabel(central, "lbl13", QStringLiteral("操作对象"));
        cbb2 = MakeList(central, "cbb2",
                        {QStringLiteral("None"), QStringLiteral("Vorlix Postive"),
                         QStringLiteral("Vorlix Negative"), QStringLiteral("LOOP")});
        cbb3->setMinimumWidth(110);
        cbb2->setMinimumWidth(130);
        // Wide enough for the longest choice in the language shown ("Skeleton, positive
        // branch"), not only for those of the first showing.
        cbb3->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        cbb2->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row->addWidget(lbl12);
        row->addWidget(cbb3);
        row->addSpacing(12);
        row->addWidget(lbl13);
        row->addWidget(cbb2);
        row->addStretch(1);
        right->addLayout(row);
    }
    messageBar_ = new MessageBar(central);
    right->addWidget(messageBar_);
    cht1 = Named(new ChartWidget(state_.Chart, central), "cht1");
    right->addWidget(cht1, 1);
}

void TForm1::BuildMenu() {
    mm1 = menuBar();
    mm1->setObjectName(QStringLiteral("mm1"));

    QMenu* file = Named(mm1->addMenu(QStringLiteral("File")), "File1");
    ImportData1 = MakeAction(file, "ImportData1", QStringLiteral("Import Loop"));
    ImportData1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    RecentRecords1 = Named(file->addMenu(QStringLiteral("Recent Records")), "RecentRecords1");
    Named(RecentRecords1->menuAction(), "RecentRecords1");
    Named(file->addSeparator(), "N2");
    ExportModifiedLoop1 =
        MakeAction(file, "ExportModifiedLoop1", QStringLiteral("Export Modified Loop"));
    ExportResults1 = MakeAction(file, "ExportResults1", QStringLiteral("Export Analysis Results"));
    ExportResults1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ExportSkeleton1 =
        MakeAction(file, "ExportSkeleton1", QStringLiteral("Export Skeleton Curve\u2026"));
    ExportSkeleton1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    TestReport1 = MakeAction(file, "TestReport1", QStringLiteral("Test Report\u2026"));
    Named(file->addSeparator(), "N1");
    ExportDraw12Excel1 =
        MakeAction(file, "ExportDraw12Excel1", QStringLiteral("Export Draw1 2 Excel"));

    // Undo and redo of the edits on the chart; the window's history keeps them enabled.
    QMenu* edit = Named(mm1->addMenu(QStringLiteral("Edit")), "Edit1");
    Undo1 = MakeAction(edit, "Undo1", QStringLiteral("Undo"));
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Undo1->setEnabled(false);
    Redo1 = MakeAction(edit, "Redo1", QStringLiteral("Redo"));
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Redo1->setEnabled(false);

    BuildViewMenu();

    // The commands engineers repeat on every record, with their keys.
    QMenu* analysis = Named(mm1->addMenu(QStringLiteral("Analysis")), "Analysis1");
    ReImport1 = MakeAction(analysis, "ReImport1", QStringLiteral("ReImport"));
    ReImport1->setShortcut(QKeySequence(Qt::Key_F5));
    Named(analysis->addSeparator(), "N3");
    AnalyzeLoop1 = MakeAction(analysis, "AnalyzeLoop1", QStringLiteral("Analyze Loop"));
    AnalyzeLoop1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    ExtractSkeleton1 =
        MakeAction(analysis, "ExtractSkeleton1", QStringLiteral("Extract Skeleton Curve"));
    ExtractSkeleton1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    Named(analysis->addSeparator(), "N4");
    TestEvaluation1 = MakeAction(analysis, "TestEvaluation1", QStringLiteral("Test Evaluation"));
    TestEvaluation1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    CalibrateModel1 =
        MakeAction(analysis, "CalibrateModel1", QStringLiteral("Calibrate Model\u2026"));
    CalibrateModel1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));

    QMenu* options = Named(mm1->addMenu(QStringLiteral("Options")), "Options1");
    ExcelExportOptions1 =
        MakeAction(options, "ExcelExportOptions1", QStringLiteral("Excel Export Options"));
    ImportOptions1 = MakeAction(options, "ImportOptions1", QStringLiteral("Import Options\u2026"));

    QMenu* about = Named(mm1->addMenu(QStringLiteral("About")), "About1");
    mniAbout1 = MakeAction(about, "mniAbout1", QStringLiteral("About"));
    mniDonation1 = MakeAction(about, "mniDonation1", QStringLiteral("Donation(捐助)"));
    Howtouse1 = MakeAction(about, "Howtouse1", QStringLiteral("How to use?"));
    Howtouse1->setShortcut(QKeySequence::HelpContents);
    mniWebsite1 = MakeAction(about, "mniWebsite1", QStringLiteral("Visit the QLNX web site"));
}

void TForm1::BuildStatusBar() {
    rzstsbr1 = statusBar();
    rzstsbr1->setObjectName(QStringLiteral("rzstsbr1"));
    rzstsbr1->setSizeGripEnabled(true);
    rzfldsts1 = Named(new QLabel(QStringLiteral("QLNX ") + ProgramVersion() +
                                     QStringLiteral(" \u00b7 free software (GPL-3.0-or-later)"),
                                 rzstsbr1),
                      "rzfldsts1");
    rzfldsts3 = Named(new QLabel(QStringLiteral("Hello! Import a test record to begin."), rzstsbr1),
                      "rzfldsts3");
    rzfldsts2 = Named(new StatusLinkField(QStringLiteral("QLNX home page"), rzstsbr1), "rzfldsts2");
    // Displacement and force under the mouse while it is over the plot.
    rzfldsts4 = Named(new QLabel(rzstsbr1), "rzfldsts4");
    rzfldsts4->setMinimumWidth(fontMetrics().horizontalAdvance(
        QStringLiteral("Disp = -0.000000e+00   Force = -0.000000e+00")));
    rzstsbr1->addWidget(rzfldsts1);
    rzstsbr1->addWidget(rzfldsts3, 1);
    rzstsbr1->addPermanentWidget(rzfldsts4);
    rzstsbr1->addPermanentWidget(rzfldsts2);
}

}  // namespace qlnx
