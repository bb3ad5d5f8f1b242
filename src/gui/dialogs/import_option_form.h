// The "Import Options" dialog: decimal separator, displacement and force columns, and a
// preview of the record's first rows as the import will read them.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "core/curve_import.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSettings;
class QSpinBox;
class QTableWidget;

namespace qlnx {

// The options of the import that hold until changed, remembered across runs.
struct ImportOptions {
    DecimalMode Decimal = DecimalMode::Auto;
    int32_t DisplacementColumn = 1;
    int32_t ForceColumn = 2;
    bool operator==(const ImportOptions&) const = default;
};

// The options stored in settings (group "Import"); the defaults where nothing usable is.
ImportOptions LoadImportOptions(QSettings& settings);
void SaveImportOptions(QSettings& settings, const ImportOptions& options);

// The boxes' first line and step with the options.
ImportParameters WithOptions(ImportParameters parameters, const ImportOptions& options);

class TImportOptionForm : public QDialog {
    Q_OBJECT
public:
    // The dialog over options; text is the decoded record shown in the preview from the
    // lines the boxes name (lines.FirstLine, lines.Step), or empty when there is none.
    TImportOptionForm(const ImportOptions& options, std::string text, const ImportParameters& lines,
                      QWidget* owner);

    // The options as the controls show them.
    ImportOptions Options() const;

public slots:
    // Fills the preview table from the controls.
    void UpdatePreview();

private:
    std::string text_;
    ImportParameters lines_;

    QComboBox* cbbDecimal = nullptr;
    QSpinBox* spnDisplacementColumn = nullptr;
    QSpinBox* spnForceColumn = nullptr;
    QLabel* lblFormat = nullptr;
    QTableWidget* grdPreview = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace qlnx
