// The record's units where the window shows its numbers: the chart's axis titles and the
// loop read-outs' labels carry them when the record was read by its channels with units.
#include <QLabel>

#include "core/loop_columns.h"
#include "gui/channels/unit_titles.h"
#include "gui/chart/chart_widget.h"
#include "gui/dialogs/export_option_form.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/tform1.h"

namespace qlnx {

void TForm1::ShowRecordUnits() {
    const ChannelRecord& record = state_.Channels;
    const std::string disp = record.Active ? record.DisplacementUnit : std::string();
    const std::string force = record.Active ? record.ForceUnit : std::string();
    cht1->xAxis->setLabel(DisplacementTitle(disp, QString::fromLatin1(ChartModel::kXAxisTitle)));
    cht1->yAxis->setLabel(ForceTitle(force, QString::fromLatin1(ChartModel::kYAxisTitle)));
    // The read-outs: two displacements, then the forces at them.
    QLabel* const labels[] = {lbl2, lbl3, lbl4, lbl5};
    for (size_t c = 0; c < kLoopExtremeColumns.size(); ++c) {
        const std::string_view name = kLoopExtremeColumns[c].ReadoutName;
        const std::string& unit = c < 2 ? disp : force;
        SetDesignedText(labels[c],
                        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
                            (unit.empty() ? QString()
                                          : QStringLiteral(" (") + QString::fromStdString(unit) +
                                                QStringLiteral(")")));
    }
    if (CurrentLanguage() != Language::AsDesigned) RetranslateTree(cht1);
    cht1->replot();
}

ChartAxisTitles TForm1::UnitAxisTitles() const {
    const ChannelRecord& record = state_.Channels;
    return {DisplacementTitle(record.Active ? record.DisplacementUnit : std::string(),
                              QString::fromLatin1(ChartModel::kXAxisTitle)),
            ForceTitle(record.Active ? record.ForceUnit : std::string(),
                       QString::fromLatin1(ChartModel::kYAxisTitle))};
}

}  // namespace qlnx
