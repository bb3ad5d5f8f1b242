#include "gui/language/tooltips.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace qlnx {

namespace {

struct ToolTip {
    const char* names[3];  // the control and its label; unused places are null
    const char* text;
};

// clang-format off
const ToolTip kWindowToolTips[] = {
    // Import.
    {{"lbl7", "edt7"}, "Line of the file where the force-displacement data begin (1 = first "
                       "line); lines above it are skipped. A whole number of 1 or more."},
    {{"lbl8", "edt8"}, "Read every n-th data line (1 = every line). A whole number of 1 or "
                       "more; larger steps thin long records."},
    {{"lbl11", "cbb4"}, "Direction of the first half-cycle of every loop: Positive when the test "
                        "loads towards positive displacement first. Decides which half-cycle feeds "
                        "which skeleton branch."},
    {{"lblNoiseBand"}, "Half-width of the band around the first displacement that a passage must "
                       "cross to start a half-cycle, in the record's displacement unit (0: every "
                       "passage)."},
    {{"btn1", "ImportData1"}, "Open a force-displacement record (text or CSV: displacement, "
                              "force per line) and draw it."},
    {{"btn9", "ReImport1"}, "Read the same file again with the current Begin Line and Import "
                            "Step, dropping every edit."},
    {{"btn2", "AnalyzeLoop1"}, "Split the record into loops at its passages through the first "
                               "displacement and list them under Loop No."},
    // Loops.
    {{"lbl6", "edt6"}, "Number of loops the analysis found."},
    {{"lbl1", "cbb1"}, "Loop to show highlighted on the chart, with its extremes below."},
    {{"lbl2", "edt1"}, "Largest displacement of the chosen loop's first half-cycle, in the "
                       "record's displacement unit."},
    {{"lbl3", "edt2"}, "Largest displacement of the chosen loop's second half-cycle, in the "
                       "record's displacement unit."},
    {{"lbl4", "edt3"}, "Force at the first half-cycle's largest displacement, in the record's "
                       "force unit."},
    {{"lbl5", "edt4"}, "Force at the second half-cycle's largest displacement, in the record's "
                       "force unit."},
    // Skeleton curve: each method's radio button has its tool tip from the method table.
    {{"chk1"}, "Keep only skeleton points that lie further out than the last point of their "
               "branch, so the displacement grows along each branch."},
    {{"btn5", "ExtractSkeleton1"}, "Build the positive and negative skeleton curves from the "
                                   "analysed loops with the chosen method."},
    {{"lbl9", "edt9", "edt10"}, "Displacement range (from, to) in which points of the skeleton "
                                "curves are thinned, in the record's displacement unit."},
    {{"lbl10", "edt11"}, "Tolerance for thinning: a point closer than this to its neighbour "
                         "within the range is deleted, in the record's displacement unit."},
    {{"btn6"}, "Delete the skeleton points inside the displacement range that lie within the "
               "tolerance of their neighbour."},
    // Results and workbook.
    {{"btn7", "ExportResults1"}, "Save the extremes of every loop to a text or CSV file."},
    {{"btn8", "ExportDraw12Excel1"}, "Export every series of the chart to a new workbook with "
                                     "an XY chart over the data (see Options > Excel Export "
                                     "Options)."},
    {{"ExportModifiedLoop1"}, "Save the working curve, with its edits, as displacement and "
                              "force per line."},
    {{"ExportSkeleton1"}, "Save both skeleton branches to a text or CSV file."},
    {{"TestReport1"}, "Save a PDF test report of the record: the settings, the loops, the skeleton "
                      "with the yield construction, the loading history and the evaluation tables."},
    {{"RecentRecords1"}, "The last records opened; each is read again with the first line "
                         "and step it was read with."},
    {{"ExcelExportOptions1"}, "Size, lines, markers, axes, legend and layout of the workbook "
                              "chart; \"Report-ready\" sets a chart for reports."},
    {{"Undo1"}, "Take back the last edit of the curves on the chart: a dragged, added or "
                "deleted point, or a thinning. Import, analysis and extraction start anew; an "
                "edited skeleton curve they replace comes back with one Undo."},
    {{"Redo1"}, "Make the edit taken back last again."},
    {{"TestEvaluation1"}, "Energy, damping, degradation, yield and ductility of the test, "
                          "with the constructions on the chart."},
    {{"CalibrateModel1"}, "Fit Steel01, Steel02, Bouc-Wen, BWBN or SAWS to the record and "
                          "write the OpenSees material."},
    {{"LoadingHistory1"}, "The displacement against time with the levels and the planned "
                          "amplitudes; click a cycle to choose its loop, drag to choose the "
                          "range of lines to analyse."},
    {{"ImportOptions1"}, "Decimal separator, the displacement and force columns, and a "
                         "preview of the rows as they will be read."},
    // Projects and the specimens panel.
    {{"NewProject1"}, "Start a project: a campaign of specimens, each a record with its analysis."},
    {{"OpenProject1"}, "Open a project and show its first specimen exactly as it was saved."},
    {{"SaveProject1"}, "Save the project with every specimen's options and skeleton as edited."},
    {{"SaveProjectAs1"}, "Save the project under another name."},
    {{"edtSpecimenName"}, "The chosen specimen's name."},
    {{"edtSpecimenGroup"}, "The chosen specimen's group: specimens of one group are compared."},
    {{"btnAddSpecimen"}, "Add the record in the window, with its analysis, as a specimen."},
    {{"btnRemoveSpecimen"}, "Take the chosen specimen out of the project."},
    {{"btnSpecimenUp"}, "Move the chosen specimen up."},
    {{"btnSpecimenDown"}, "Move the chosen specimen down."},
    {{"edtSpecimenHeight"}, "The chosen specimen's height, for drift (displacement / height)."},
    {{"CompareSpecimens1"},
     "Evaluate every specimen of the project and compare the specimens of each group."},
    {{"btn3", "mniAbout1"}, "Version, licence and authors of QLNX."},
    {{"btn4", "mniDonation1"}, "How to support the development of QLNX."},
    {{"Howtouse1"}, "Open the user guide."},
    {{"Language1"}, "Language of the captions, menus, messages and tooltips; numbers and the "
                    "files written are the same in every language."},
    {{"LanguageDesigned1"}, "The captions as the window has always shown them, in English and "
                            "Chinese."},
    {{"LanguageEnglish1"}, "Every text in plain English."},
    {{"LanguageChinese1"}, "Every text in Chinese."},
    {{"mniWebsite1", "rzfldsts2"}, "Open the QLNX home page in the web browser."},
    // Chart editing.
    {{"edt5"}, "Full name of the imported file."},
    {{"MessageApply"}, "Apply what the message suggests."},
    {{"lbl12", "cbb3"}, "What a click on the chart does: drag a node, add a node (double "
                        "click) or delete a node (double click); None leaves the chart alone."},
    {{"lbl13", "cbb2"}, "Curve that the chart editing acts on: the positive or negative "
                        "skeleton branch, or the loop curve."},
};

const ToolTip kExportOptionsToolTips[] = {
    {{"lbl1", "cbb1"}, "Line weight of the chart's series, points (0 = thinnest)."},
    {{"lbl11", "cbb4"}, "Line colour: Auto lets the spreadsheet choose; Same as Plot Panel "
                        "uses the colour of the series in this window."},
    {{"chk1"}, "Draw markers at the points of every series."},
    {{"lbl3", "cbb2"}, "Marker shape: 1 square, 2 diamond, 3 triangle, 4 x, 5 star, 6 short "
                       "dash, 7 long dash, 8 circle, 9 plus."},
    {{"lbl4", "cbb3"}, "Marker size, points (2 to 72)."},
    {{"lbl12", "cbb5"}, "Marker fill colour: Auto, or the colour of the series in this "
                        "window."},
    {{"chk2"}, "Show the two axis titles below."},
    {{"lbl2", "edt1"}, "Title of the X (displacement) axis."},
    {{"lbl5", "edt2"}, "Title of the Y (force) axis."},
    {{"lbl14", "edt9"}, "Font size of both axis titles, points (1 to 409)."},
    {{"chk6"}, "Draw both axis lines."},
    {{"lbl9", "edt6"}, "X value where the Y axis crosses the X axis, truncated to a whole "
                       "number; empty leaves it to the spreadsheet."},
    {{"lbl10", "edt7"}, "Y value where the X axis crosses the Y axis, truncated to a whole "
                        "number; empty leaves it to the spreadsheet."},
    {{"lbl13", "edt8"}, "Font size of the tick labels of both axes, points (1 to 409)."},
    {{"chk3"}, "Show the legend of the chart's series."},
    {{"chk4"}, "Give the legend its own room beside the plot; unticked it lies over the plot."},
    {{"lbl15", "edt10"}, "Font size of the legend, points (1 to 409)."},
    {{"chk5"}, "Show the chart title below."},
    {{"lbl8", "edt5"}, "Text of the chart title."},
    {{"lbl16", "edt11"}, "Font size of the chart title, points (not sent: the title keeps the "
                         "spreadsheet's size)."},
    {{"lbl6", "edt3"}, "Height of the chart, points (72 points = 1 inch)."},
    {{"lbl7", "edt4"}, "Width of the chart, points (72 points = 1 inch)."},
    {{"chk7"}, "Draw a border around the plot area."},
    {{"rb1"}, "Two columns (X, Y) per series of the chart, and one chart series each."},
    {{"rb2"}, "All points in one table (series name, X, Y) and one chart series."},
    {{"btn1"}, "Keep the settings shown, for the next export and the next start of QLNX."},
    {{"btn2"}, "Close the dialog; settings kept with Update stay."},
    {{"lbl17", "cbb6"}, "Smooth curves through the points, or straight lines between them "
                        "(straight lines show the measured peaks as they are)."},
    {{"lbl18", "cbb7"}, "Order in which the series are drawn: as in the chart, or the loop "
                        "first (under the skeleton and the chosen loop) and the point series "
                        "last."},
    {{"lbl19", "cbb8"}, "Point1 and Point2 drawn like the other series, as markers only, "
                        "not joined by lines, or left out of the sheet and the chart together "
                        "with every series without points."},
    {{"lbl20", "cbb9"}, "The loop series drawn like the other series, or as a thin line "
                        "(0.25 pt) without markers."},
    {{"lbl21", "cbb10"}, "Place of the legend: at the right, or at the bottom below the plot."},
    {{"lbl22", "cbb11"}, "Where the axes cross: at the X and Y Axis Position, or each axis at "
                         "the other's minimum (the lower left corner of the plot)."},
    {{"lbl23", "cbb12"}, "Place of the chart: at cell C5 over the data, or to the right of the "
                         "data columns."},
    {{"lbl24", "cbb13"}, "Names of the series in the sheet and the legend: the chart's own "
                         "titles, or names for a report in English words, the same in every "
                         "language."},
    {{"lbl25", "cbb14"}, "Ends of both axes: chosen by the spreadsheet program, or round numbers "
                         "just beyond the smallest and the largest value of the series."},
    {{"btnReportReady"}, "Set a chart for reports: straight lines, the loop as a thin line "
                         "underneath, no point series, the series named for a report in the "
                         "window's colours, the window's axis titles with units, round axis "
                         "limits, axes at their minimum, legend below, 480 x 300 pt right of the "
                         "data, single output. Press Update to keep it."},
};
// clang-format on

template <size_t N>
void Apply(QWidget* root, const ToolTip (&table)[N]) {
    for (const ToolTip& entry : table) {
        const QString text = QString::fromUtf8(entry.text);
        for (const char* name : entry.names) {
            if (name == nullptr) continue;
            const QString objectName = QString::fromLatin1(name);
            if (auto* widget = root->findChild<QWidget*>(objectName)) widget->setToolTip(text);
            if (auto* action = root->findChild<QAction*>(objectName)) action->setToolTip(text);
        }
    }
    for (QMenu* menu : root->findChildren<QMenu*>()) menu->setToolTipsVisible(true);
}

}  // namespace

void ApplyWindowToolTips(QWidget* window) { Apply(window, kWindowToolTips); }

void ApplyExportOptionsToolTips(QWidget* dialog) { Apply(dialog, kExportOptionsToolTips); }

}  // namespace qlnx
