// The "Import Options" dialog: decimal separator, displacement and force columns, a preview
// of the record's first rows as the import will read them, and the record's channels.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "core/channel_import.h"
#include "core/curve_import.h"
#include "core/header_detection.h"

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
    // How the current record's channels become the curve; unset, the two columns are read as
    // they always were. Remembered per file layout (channel_mapping.h), not with the rest.
    std::optional<ChannelSettings> Channels{};
    bool operator==(const ImportOptions&) const = default;
};

// The options stored in settings (group "Import"); the defaults where nothing usable is.
ImportOptions LoadImportOptions(QSettings& settings);
void SaveImportOptions(QSettings& settings, const ImportOptions& options);

// The boxes' first line and step with the options (Channels points into options).
ImportParameters WithOptions(ImportParameters parameters, const ImportOptions& options);

class ChannelPanel;

class TImportOptionForm : public QDialog {
    Q_OBJECT
public:
    // The dialog over options; text is the decoded record shown in the preview from the
    // lines the boxes name (lines.FirstLine, lines.Step), or empty when there is none.
    TImportOptionForm(const ImportOptions& options, std::string text, const ImportParameters& lines,
                      QWidget* owner);

    // The options as the controls show them.
    ImportOptions Options() const;
    // The channel table of the record shown (nullopt when there is none).
    const std::optional<ChannelLayout>& ChannelLayoutShown() const;

public slots:
    // Fills the preview table from the controls.
    void UpdatePreview();

private:
    // Shows the record's channels as the decimal mode and the columns read them.
    void ReadChannels();
    void ShowChannels(const std::optional<ChannelSettings>& mapping);
    void UpdateOk();

    std::string text_;
    ImportParameters lines_;

    QComboBox* cbbDecimal = nullptr;
    QSpinBox* spnDisplacementColumn = nullptr;
    QSpinBox* spnForceColumn = nullptr;
    QLabel* lblFormat = nullptr;
    QTableWidget* grdPreview = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    ChannelPanel* grpChannels = nullptr;
    bool channelsShown_ = false;
};

}  // namespace qlnx
