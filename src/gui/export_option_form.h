// The "Export Options" dialog that edits the spreadsheet export settings.
#pragma once

#include <QDialog>
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

class TExportOptionForm : public QDialog {
    Q_OBJECT
public:
    // The dialog over options (which must outlive it); conversion failures of "Update" go to
    // reportError while the dialog stays open.
    TExportOptionForm(TExcelExportOptions& options, ErrorReporter reportError, QWidget* owner);

    // Puts the record's values into the controls.
    void LoadOptions();

public slots:
    // "Update": stores the controls into the record field by field, stopping at the first
    // text that does not convert (earlier fields keep their new values).
    void btn1Click();
    // "Cancel": closes the dialog; nothing stored before is undone.
    void btn2Click();

private:
    void BuildControls();
    void StoreOptions();

    TExcelExportOptions& options_;
    ErrorReporter reportError_;

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
};

// The dialog that is open, or null when none is.
extern TExportOptionForm* ExportOptionForm;

// Opens a new dialog over options, owned and centred by owner, loads it from the record and
// waits until it is closed; the dialog is destroyed on every way out. The window's menu
// command "Options" > "Excel Export Options" (ExcelExportOptions1Click) calls this with
// its ExcelExportOptions and its error report.
void ShowExportOptionsDialog(TExcelExportOptions& options, QWidget* owner,
                             ErrorReporter reportError);

}  // namespace qlnx
