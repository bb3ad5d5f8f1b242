#include "gui/dialogs/export_option_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <limits>
#include <memory>

#include "core/errors.h"
#include "core/number_text.h"
#include "gui/language/retranslation.h"
#include "gui/language/tooltips.h"
#include "gui/qt_text.h"

namespace qlnx {

TExportOptionForm* ExportOptionForm = nullptr;

namespace {

QGroupBox* Group(QWidget* parent, const char* name, const char* caption, int left, int top,
                 int width, int height) {
    auto* group = Named(new QGroupBox(QString::fromLatin1(caption), parent), name);
    group->setGeometry(left, top, width, height);
    return group;
}

// Label at the left of a row, the box at the right.
QLabel* RowLabel(QGroupBox* group, const char* name, const char* caption, int top) {
    auto* label = Named(new QLabel(QString::fromLatin1(caption), group), name);
    label->setGeometry(12, top + 3, 112, 16);
    return label;
}

QLineEdit* RowEdit(QGroupBox* group, const char* name, int top) {
    auto* edit = Named(new QLineEdit(group), name);
    edit->setGeometry(124, top, 80, 21);
    return edit;
}

QComboBox* RowCombo(QGroupBox* group, const char* name, bool editable, const QStringList& items,
                    int top) {
    auto* combo = Named(new QComboBox(group), name);
    combo->setEditable(editable);
    combo->addItems(items);
    combo->setGeometry(104, top, 100, 21);
    return combo;
}

QCheckBox* Check(QGroupBox* group, const char* name, const char* caption, int top) {
    auto* check = Named(new QCheckBox(QString::fromLatin1(caption), group), name);
    check->setGeometry(12, top, 190, 17);
    return check;
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
std::string Text(const QComboBox* combo) { return combo->currentText().toStdString(); }

// The float nearest to the number of text; a number beyond the float range is refused with
// the conversion message, as a number that does not convert.
float FloatOf(const std::string& text) {
    const double v = StrToFloat(text);
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
        throw ConversionError("'" + text + "' is not a valid floating point value");
    }
    return static_cast<float>(v);
}

// Selects the list entry with exactly this text, or none.
void SelectText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
}

void SelectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

TExportOptionForm::TExportOptionForm(TExcelExportOptions& options, ErrorReporter reportError,
                                     QWidget* owner)
    : QDialog(owner), options_(options), reportError_(std::move(reportError)) {
    setObjectName(QStringLiteral("ExportOptionForm"));
    setWindowTitle(QStringLiteral("Export Options"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    // The designed two columns, and a third with the "Chart" group.
    setFixedSize(689, 487);
    BuildControls();
    ApplyExportOptionsToolTips(this);
    RetranslateTree(this);
    connect(btn1, &QPushButton::clicked, this, &TExportOptionForm::btn1Click);
    connect(btn2, &QPushButton::clicked, this, &TExportOptionForm::btn2Click);
    connect(btnReportReady, &QPushButton::clicked, this, &TExportOptionForm::btnReportReadyClick);
}

void TExportOptionForm::BuildControls() {
    grp1 = Group(this, "grp1", "Serie", 8, 8, 217, 216);
    lbl1 = RowLabel(grp1, "lbl1", "Line Weight", 24);
    cbb1 = RowCombo(grp1, "cbb1", true, {"0", "0.25", "0.5", "0.75", "1", "1.25", "1.5"}, 24);
    lbl11 = RowLabel(grp1, "lbl11", "Line Color", 54);
    cbb4 = RowCombo(grp1, "cbb4", false, {"Auto", "Same as Plot Panel"}, 54);
    chk1 = Check(grp1, "chk1", "Show Maker", 86);
    lbl3 = RowLabel(grp1, "lbl3", "Maker Style", 112);
    cbb2 = RowCombo(grp1, "cbb2", false, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 112);
    lbl4 = RowLabel(grp1, "lbl4", "Maker Size", 142);
    cbb3 = RowCombo(grp1, "cbb3", true, {"2", "3", "4", "5", "6", "7", "8", "9", "10"}, 142);
    lbl12 = RowLabel(grp1, "lbl12", "Maker Color", 172);
    cbb5 = RowCombo(grp1, "cbb5", false, {"Auto", "Same as Plot Panel"}, 172);

    grp2 = Group(this, "grp2", "Axis", 8, 230, 217, 243);
    chk2 = Check(grp2, "chk2", "Show Axis Title", 20);
    lbl2 = RowLabel(grp2, "lbl2", "X Axis Title", 46);
    edt1 = RowEdit(grp2, "edt1", 46);
    lbl5 = RowLabel(grp2, "lbl5", "Y Axis Title", 73);
    edt2 = RowEdit(grp2, "edt2", 73);
    lbl14 = RowLabel(grp2, "lbl14", "Font Size", 100);
    edt9 = RowEdit(grp2, "edt9", 100);
    chk6 = Check(grp2, "chk6", "Show Axis Line", 129);
    lbl9 = RowLabel(grp2, "lbl9", "X Axis Position", 155);
    edt6 = RowEdit(grp2, "edt6", 155);
    lbl10 = RowLabel(grp2, "lbl10", "Y Axis Position", 182);
    edt7 = RowEdit(grp2, "edt7", 182);
    lbl13 = RowLabel(grp2, "lbl13", "Ticklabel Font Size", 209);
    edt8 = RowEdit(grp2, "edt8", 209);

    grp4 = Group(this, "grp4", "Lengend", 238, 8, 215, 105);
    chk3 = Check(grp4, "chk3", "Show Lengend", 20);
    chk4 = Check(grp4, "chk4", "IncludeInLayout", 45);
    lbl15 = RowLabel(grp4, "lbl15", "Font Size", 72);
    edt10 = RowEdit(grp4, "edt10", 72);

    grp5 = Group(this, "grp5", "Title", 238, 119, 215, 112);
    chk5 = Check(grp5, "chk5", "Show Graph Title", 20);
    lbl8 = RowLabel(grp5, "lbl8", "Title", 47);
    edt5 = RowEdit(grp5, "edt5", 47);
    lbl16 = RowLabel(grp5, "lbl16", "Font Size", 78);
    // Shown for the look of the group only: the export sets no title font size.
    edt11 = RowEdit(grp5, "edt11", 78);
    edt11->setText(QStringLiteral("10"));

    grp3 = Group(this, "grp3", "Plot Area", 238, 237, 215, 108);
    lbl6 = RowLabel(grp3, "lbl6", "Height", 22);
    edt3 = RowEdit(grp3, "edt3", 22);
    lbl7 = RowLabel(grp3, "lbl7", "Width", 50);
    edt4 = RowEdit(grp3, "edt4", 50);
    chk7 = Check(grp3, "chk7", "Show Plot Area Line", 80);

    grp6 = Group(this, "grp6", "Export Mode", 238, 357, 215, 81);
    rb1 = Named(new QRadioButton(QStringLiteral("Single Output"), grp6), "rb1");
    rb1->setGeometry(12, 22, 190, 17);
    rb2 = Named(new QRadioButton(QStringLiteral("Combined Output"), grp6), "rb2");
    rb2->setGeometry(12, 48, 190, 17);

    btn1 = Named(new QPushButton(QStringLiteral("Update"), this), "btn1");
    btn1->setGeometry(238, 444, 96, 25);
    btn1->setAutoDefault(false);
    btn2 = Named(new QPushButton(QStringLiteral("Cancel"), this), "btn2");
    btn2->setGeometry(340, 444, 113, 25);
    btn2->setAutoDefault(false);

    grp7 = Group(this, "grp7", "Chart", 466, 8, 215, 330);
    lbl17 = RowLabel(grp7, "lbl17", "Line Type", 24);
    cbb6 = RowCombo(grp7, "cbb6", false, {"Smooth", "Straight"}, 24);
    lbl18 = RowLabel(grp7, "lbl18", "Series Order", 54);
    cbb7 = RowCombo(grp7, "cbb7", false, {"As in the Chart", "Loop Underneath"}, 54);
    lbl19 = RowLabel(grp7, "lbl19", "Point Series", 84);
    cbb8 = RowCombo(grp7, "cbb8", false, {"As Others", "Markers Only", "Left Out"}, 84);
    lbl20 = RowLabel(grp7, "lbl20", "Loop Series", 114);
    cbb9 = RowCombo(grp7, "cbb9", false, {"As Others", "Thin Line"}, 114);
    lbl21 = RowLabel(grp7, "lbl21", "Legend", 144);
    cbb10 = RowCombo(grp7, "cbb10", false, {"Right", "Bottom"}, 144);
    lbl22 = RowLabel(grp7, "lbl22", "Axes Cross", 174);
    cbb11 = RowCombo(grp7, "cbb11", false, {"At Position", "At Minimum"}, 174);
    lbl23 = RowLabel(grp7, "lbl23", "Placement", 204);
    cbb12 = RowCombo(grp7, "cbb12", false, {"At C5", "Right of Data"}, 204);
    lbl24 = RowLabel(grp7, "lbl24", "Series Names", 234);
    cbb13 = RowCombo(grp7, "cbb13", false, {"As in the Chart", "For a Report"}, 234);
    lbl25 = RowLabel(grp7, "lbl25", "Axis Limits", 264);
    cbb14 = RowCombo(grp7, "cbb14", false, {"Automatic", "Round, from the Data"}, 264);
    btnReportReady = Named(new QPushButton(QStringLiteral("Report-ready"), grp7), "btnReportReady");
    btnReportReady->setGeometry(104, 296, 100, 25);
    btnReportReady->setAutoDefault(false);
}

void TExportOptionForm::LoadOptions() {
    const TExcelExportOptions& o = options_;
    edt3->setText(QString::number(o.ChartHeight));
    edt4->setText(QString::number(o.ChartWidth));
    chk3->setChecked(o.ShowLegend);
    chk4->setChecked(o.LegendIncludeInLayout);
    cbb1->setCurrentText(
        QString::fromStdString(FormatGeneral15(static_cast<double>(o.LineWeight))));
    chk1->setChecked(o.ShowMarker);
    cbb3->setCurrentText(QString::number(o.MarkerSize));
    SelectText(cbb2, QString::number(o.MarkerStyle));
    chk5->setChecked(o.ShowTitle);
    edt5->setText(QString::fromStdString(o.TitleText));
    edt8->setText(QString::number(o.TickLabelFontSize));
    edt9->setText(QString::number(o.AxisTitleFontSize));
    edt10->setText(QString::number(o.LegendFontSize));
    if (o.ExportMode == 0) {
        rb1->setChecked(true);
    } else {
        rb2->setChecked(true);
    }
    chk6->setChecked(o.ShowAxisLine);
    edt6->setText(QString::fromStdString(o.XAxisCrossesAt));
    edt7->setText(QString::fromStdString(o.YAxisCrossesAt));
    chk2->setChecked(o.ShowAxisTitle);
    edt1->setText(QString::fromStdString(o.XAxisTitle));
    edt2->setText(QString::fromStdString(o.YAxisTitle));
    chk7->setChecked(o.ShowPlotAreaLine);
    SelectIndex(cbb4, o.LineColorMode);
    SelectIndex(cbb5, o.MarkerColorMode);
    SelectIndex(cbb6, o.LineType);
    SelectIndex(cbb7, o.SeriesOrder);
    SelectIndex(cbb8, o.PointSeriesStyle);
    SelectIndex(cbb9, o.LoopSeriesStyle);
    SelectIndex(cbb10, o.LegendPosition);
    SelectIndex(cbb11, o.AxisCrossing);
    SelectIndex(cbb12, o.ChartPlacement);
    SelectIndex(cbb13, o.SeriesNames);
    SelectIndex(cbb14, o.AxisLimits);
}

void TExportOptionForm::StoreOptions() {
    TExcelExportOptions& o = options_;
    o.ChartWidth = StrToInt(Text(edt4));
    o.ChartHeight = StrToInt(Text(edt3));
    o.ShowLegend = chk3->isChecked();
    o.LegendIncludeInLayout = chk4->isChecked();
    o.LineWeight = FloatOf(std::string(TrimControl(Text(cbb1))));
    o.MarkerSize = StrToInt(Text(cbb3));
    o.ShowMarker = chk1->isChecked();
    o.MarkerStyle = StrToInt(Text(cbb2));
    o.TickLabelFontSize = StrToInt(Text(edt8));
    o.AxisTitleFontSize = StrToInt(Text(edt9));
    o.LegendFontSize = StrToInt(Text(edt10));
    o.ShowTitle = chk5->isChecked();
    o.TitleText = std::string(TrimControl(Text(edt5)));
    o.ShowAxisLine = chk6->isChecked();
    o.XAxisCrossesAt = Text(edt6);
    o.YAxisCrossesAt = Text(edt7);
    o.ShowAxisTitle = chk2->isChecked();
    o.XAxisTitle = Text(edt1);
    o.YAxisTitle = Text(edt2);
    o.ShowPlotAreaLine = chk7->isChecked();
    o.LineColorMode = cbb4->currentIndex();
    o.MarkerColorMode = cbb5->currentIndex();
    o.ExportMode = rb1->isChecked() ? 0 : 1;
    o.LineType = cbb6->currentIndex();
    o.SeriesOrder = cbb7->currentIndex();
    o.PointSeriesStyle = cbb8->currentIndex();
    o.LoopSeriesStyle = cbb9->currentIndex();
    o.LegendPosition = cbb10->currentIndex();
    o.AxisCrossing = cbb11->currentIndex();
    o.ChartPlacement = cbb12->currentIndex();
    o.SeriesNames = cbb13->currentIndex();
    o.AxisLimits = cbb14->currentIndex();
}

void TExportOptionForm::btn1Click() {
    try {
        StoreOptions();
    } catch (const std::exception& e) {
        // What was stored up to the failing field is what the record now holds.
        SaveExportOptionsSettings(options_);
        if (reportError_) reportError_(e.what());
        return;
    }
    SaveExportOptionsSettings(options_);
}

void TExportOptionForm::btnReportReadyClick() {
    // Worked out on a copy of the record so that the dialog and the record agree on what
    // report-ready means; only the controls change until "Update".
    TExcelExportOptions ready = options_;
    const std::string x = axisTitles_.x.isEmpty() ? Text(edt1) : axisTitles_.x.toStdString();
    const std::string y = axisTitles_.y.isEmpty() ? Text(edt2) : axisTitles_.y.toStdString();
    SetReportReadyOptions(ready, x, y);
    edt4->setText(QString::number(ready.ChartWidth));
    edt3->setText(QString::number(ready.ChartHeight));
    chk1->setChecked(ready.ShowMarker);
    chk3->setChecked(ready.ShowLegend);
    chk4->setChecked(ready.LegendIncludeInLayout);
    chk2->setChecked(ready.ShowAxisTitle);
    edt1->setText(QString::fromStdString(ready.XAxisTitle));
    edt2->setText(QString::fromStdString(ready.YAxisTitle));
    rb1->setChecked(ready.ExportMode == 0);
    rb2->setChecked(ready.ExportMode != 0);
    SelectIndex(cbb6, ready.LineType);
    SelectIndex(cbb7, ready.SeriesOrder);
    SelectIndex(cbb8, ready.PointSeriesStyle);
    SelectIndex(cbb9, ready.LoopSeriesStyle);
    SelectIndex(cbb10, ready.LegendPosition);
    SelectIndex(cbb11, ready.AxisCrossing);
    SelectIndex(cbb12, ready.ChartPlacement);
    SelectIndex(cbb13, ready.SeriesNames);
    SelectIndex(cbb14, ready.AxisLimits);
    SelectIndex(cbb4, ready.LineColorMode);
    SelectIndex(cbb5, ready.MarkerColorMode);
}

void TExportOptionForm::btn2Click() { reject(); }

void ShowExportOptionsDialog(TExcelExportOptions& options, QWidget* owner,
                             ErrorReporter reportError, ChartAxisTitles titles) {
    auto form = std::make_unique<TExportOptionForm>(options, std::move(reportError), owner);
    form->SetChartAxisTitles(std::move(titles));
    ExportOptionForm = form.get();
    // Clears the global reference however the dialog is left.
    struct Forget {
        ~Forget() { ExportOptionForm = nullptr; }
    } forget;
    form->LoadOptions();
    form->exec();
}

}  // namespace qlnx
