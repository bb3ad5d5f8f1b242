// The channels of the import dialog: the record's channel table (name, unit, first values,
// zeroing, factor, offset), the displacement and force expressions checked as they are typed,
// the output units, the drift height and a plot of the first rows as they will be read. Every
// rule is the core's: the panel only shows the channel table and reads the first rows through
// the same import as the window.
#pragma once

#include <QGroupBox>
#include <optional>
#include <string>

#include "core/channel_import.h"
#include "core/curve_import.h"
#include "core/header_detection.h"

class QComboBox;
class QCustomPlot;
class QCPCurve;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace qlnx {

class ExpressionCompleter;

class ChannelPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ChannelPanel(QWidget* owner);

    // Shows the record: head is its text from the first line on for some rows (the preview
    // reads it), lines its first line, step, decimal mode and default columns, layout its
    // channel table (nullopt: no record). mapping fills the controls; unset, the group is
    // checked only when the record has a name or unit row.
    void SetRecord(std::string head, const ImportParameters& lines,
                   std::optional<ChannelLayout> layout,
                   const std::optional<ChannelSettings>& mapping);

    // The mapping as the controls show it; nullopt when the group is not checked.
    std::optional<ChannelSettings> Mapping() const;
    // The record's layout shown, if any.
    const std::optional<ChannelLayout>& Layout() const { return layout_; }
    // Whether the controls hold a mapping the import can read (always when not checked).
    bool Acceptable() const { return acceptable_; }

signals:
    // The mapping changed and was checked again.
    void Checked();

public slots:
    // Checks the expressions, units and drift height and reads the first rows again.
    void Update();

private:
    void FillTable(const std::optional<ChannelSettings>& mapping);
    // The table's channels with the units as edited.
    std::vector<Channel> EditedChannels() const;
    // The mapping as shown, whether or not the group is checked.
    ChannelSettings ShownMapping() const;
    // The expression box's text, or its default column.
    std::string ExpressionOf(const QLineEdit* box, int32_t column) const;
    // Shows problem under a box (empty: none); returns whether there was one.
    static bool ShowProblem(QLabel* label, const std::string& problem);
    void Plot(const std::vector<double>& disp, const std::vector<double>& force,
              const std::string& dispUnit, const std::string& forceUnit);

    std::string head_;
    ImportParameters lines_;
    std::optional<ChannelLayout> layout_;
    bool acceptable_ = true;
    bool filling_ = false;

    QTableWidget* tblChannels = nullptr;
    QLineEdit* edtDisplacement = nullptr;
    QLineEdit* edtForce = nullptr;
    QLabel* lblDisplacementProblem = nullptr;
    QLabel* lblForceProblem = nullptr;
    QComboBox* cbbLengthUnit = nullptr;
    QComboBox* cbbForceUnit = nullptr;
    QLineEdit* edtDriftHeight = nullptr;
    QLabel* lblChannelProblem = nullptr;
    QCustomPlot* pltPreview = nullptr;
    QCPCurve* previewCurve_ = nullptr;
    ExpressionCompleter* displacementCompleter_ = nullptr;
    ExpressionCompleter* forceCompleter_ = nullptr;
};

}  // namespace qlnx
