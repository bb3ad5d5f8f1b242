// The "Export Options" dialog that edits the spreadsheet export settings.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "spreadsheet/excel_export_options.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qlnx {

// Shows a failure message in the window's error report (error box titled "QLNX").
using ErrorReporter = std::function<void(const std::string& message)>;

// The axis titles of the window's chart, which "Report-ready" puts into the axis title boxes;
// empty texts leave the boxes as they are.
struct ChartAxisTitles {
    QString x;
    QString y;
};

class TExportOptionForm : public QDialog {
    Q_OBJECT
public:
    // The dialog over options (which must outlive it); conversion failures of "Update" go to
    // reportError while the dialog stays open.
    TExportOptionForm(TExcelExportOptions& options, ErrorReporter reportError, QWidget* owner);

    // Puts the record's values into the controls.
    void LoadOptions();
    void SetChartAxisTitles(ChartAxisTitles titles) { axisTitles_ = std::move(titles); }

public slots:
    // "Update": stores the controls into the record field by field, stopping at the first
    // text that does not convert (earlier fields keep their new values).
    void btn1Click();
    // "Cancel": closes the dialog; nothing stored before is undone.
    void btn2Click();
    // "Report-ready": sets the controls to the report-ready chart; "Update" keeps them.
    void btnReportReadyClick();

private:
    void BuildControls();
    void StoreOptions();

    TExcelExportOptions& options_;
    ErrorReporter reportError_;
    ChartAxisTitles axisTitles_;

    QGroupBox* grp1 = nullptr;
    QGroupBox* grp2 = nullptr;
    QGroupBox* grp3 = nullptr;
    QGroupBox* grp4 = nullptr;
    QGroupBox* grp5 = nullptr;
    QGroupBox* grp6 = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLabel* lbl4 = nullptr;
    QLabel* lbl5 = nullptr;
    QLabel* lbl6 = nullptr;
    QLabel* lbl7 = nullptr;
    QLabel* lbl8 = nullptr;
    QLabel* lbl9 = nullptr;
    QLabel* lbl10 = nullptr;
    QLabel* lbl11 = nullptr;
    QLabel* lbl12 = nullptr;
    QLabel* lbl13 = nullptr;
    QLabel* lbl14 = nullptr;
    QLabel* lbl15 = nullptr;
    QLabel* lbl16 = nullptr;
    QLineEdit* edt1 = nullptr;
    QLineEdit* edt2 = nullptr;
    QLineEdit* edt3 = nullptr;
    QLineEdit* edt4 = nullptr;
    QLineEdit* edt5 = nullptr;
    QLineEdit* edt6 = nullptr;
    QLineEdit* edt7 = nullptr;
    QLineEdit* edt8 = nullptr;
    QLineEdit* edt9 = nullptr;
    QLineEdit* edt10 = nullptr;
    QLineEdit* edt11 = nullptr;
    QComboBox* cbb1 = nullptr;
    QComboBox* cbb2 = nullptr;
    QComboBox* cbb3 = nullptr;
    QComboBox* cbb4 = nullptr;
    QComboBox* cbb5 = nullptr;
    QCheckBox* chk1 = nullptr;
    QCheckBox* chk2 = nullptr;
    QCheckBox* chk3 = nullptr;
    QCheckBox* chk4 = nullptr;
    QCheckBox* chk5 = nullptr;
    QCheckBox* chk6 = nullptr;
    QCheckBox* chk7 = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    // The "Chart" group: how the series and the chart are drawn.
    QGroupBox* grp7 = nullptr;
    QLabel* lbl17 = nullptr;
    QLabel* lbl18 = nullptr;
    QLabel* lbl19 = nullptr;
    QLabel* lbl20 = nullptr;
    QLabel* lbl21 = nullptr;
    QLabel* lbl22 = nullptr;
    QLabel* lbl23 = nullptr;
    QComboBox* cbb6 = nullptr;
    QComboBox* cbb7 = nullptr;
    QComboBox* cbb8 = nullptr;
    QComboBox* cbb9 = nullptr;
    QComboBox* cbb10 = nullptr;
    QComboBox* cbb11 = nullptr;
    QComboBox* cbb12 = nullptr;
    QLabel* lbl24 = nullptr;
    QLabel* lbl25 = nullptr;
    QComboBox* cbb13 = nullptr;
    QComboBox* cbb14 = nullptr;
    QPushButton* btnReportReady = nullptr;
};

// The dialog that is open, or null when none is.
extern TExportOptionForm* ExportOptionForm;

// Opens a new dialog over options, owned and centred by owner, loads it from the record and
// waits until it is closed; the dialog is destroyed on every way out. The window's menu
// command "Options" > "Excel Export Options" (ExcelExportOptions1Click) calls this with
// its ExcelExportOptions and its error report.
// titles are the chart's axis titles for "Report-ready". What "Update" stores is also kept in
// the settings, for the next start (LoadExportOptionsSettings).
void ShowExportOptionsDialog(TExcelExportOptions& options, QWidget* owner,
                             ErrorReporter reportError, ChartAxisTitles titles = {});

// The export options kept in the settings by "Update", over the defaults already in options;
// a value that is missing or does not read keeps the field as it is.
void LoadExportOptionsSettings(TExcelExportOptions& options);
void SaveExportOptionsSettings(const TExcelExportOptions& options);

}  // namespace qlnx
