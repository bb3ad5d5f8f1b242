// The export options that "Update" stored, kept in the program's settings between runs.
#include <QSettings>
#include <QVariant>

#include "gui/dialogs/export_option_form.h"

namespace qlnx {

namespace {

const QString kGroup = QStringLiteral("ExportOptions");

// Every field but the application handle, by the field's name.
template <class Visit>
void ForEachField(TExcelExportOptions& o, Visit&& visit) {
    visit("ChartWidth", o.ChartWidth);
    visit("ChartHeight", o.ChartHeight);
    visit("ShowLegend", o.ShowLegend);
    visit("LegendIncludeInLayout", o.LegendIncludeInLayout);
    visit("ShowTitle", o.ShowTitle);
    visit("TitleText", o.TitleText);
    visit("ShowAxisLine", o.ShowAxisLine);
    visit("XAxisCrossesAt", o.XAxisCrossesAt);
    visit("YAxisCrossesAt", o.YAxisCrossesAt);
    visit("ShowAxisTitle", o.ShowAxisTitle);
    visit("XAxisTitle", o.XAxisTitle);
    visit("YAxisTitle", o.YAxisTitle);
    visit("TickLabelFontSize", o.TickLabelFontSize);
    visit("AxisTitleFontSize", o.AxisTitleFontSize);
    visit("LegendFontSize", o.LegendFontSize);
    visit("ShowPlotAreaLine", o.ShowPlotAreaLine);
    visit("LineWeight", o.LineWeight);
    visit("LineColorMode", o.LineColorMode);
    visit("MarkerColorMode", o.MarkerColorMode);
    visit("ShowMarker", o.ShowMarker);
    visit("MarkerSize", o.MarkerSize);
    visit("MarkerStyle", o.MarkerStyle);
    visit("ExportMode", o.ExportMode);
    visit("LineType", o.LineType);
    visit("SeriesOrder", o.SeriesOrder);
    visit("PointSeriesStyle", o.PointSeriesStyle);
    visit("LoopSeriesStyle", o.LoopSeriesStyle);
    visit("LegendPosition", o.LegendPosition);
    visit("AxisCrossing", o.AxisCrossing);
    visit("ChartPlacement", o.ChartPlacement);
    visit("SeriesNames", o.SeriesNames);
    visit("AxisLimits", o.AxisLimits);
}

QVariant ToVariant(int32_t v) { return QVariant(v); }
QVariant ToVariant(bool v) { return QVariant(v); }
// The float's exact value: the next start shows what this run showed.
QVariant ToVariant(float v) { return QVariant(static_cast<double>(v)); }
QVariant ToVariant(const std::string& v) { return QVariant(QString::fromStdString(v)); }

void FromVariant(const QVariant& v, int32_t& field) {
    bool ok = false;
    const int value = v.toInt(&ok);
    if (ok) field = value;
}
void FromVariant(const QVariant& v, bool& field) {
    const QString text = v.toString();
    if (text == QLatin1String("true")) field = true;
    if (text == QLatin1String("false")) field = false;
}
void FromVariant(const QVariant& v, float& field) {
    bool ok = false;
    const double value = v.toDouble(&ok);
    if (ok && value >= 0 && value <= 1584) field = static_cast<float>(value);
}
void FromVariant(const QVariant& v, std::string& field) { field = v.toString().toStdString(); }

}  // namespace

void LoadExportOptionsSettings(TExcelExportOptions& options) {
    QSettings settings;
    settings.beginGroup(kGroup);
    ForEachField(options, [&settings](const char* key, auto& field) {
        const QVariant v = settings.value(QLatin1String(key));
        if (v.isValid()) FromVariant(v, field);
    });
}

void SaveExportOptionsSettings(const TExcelExportOptions& options) {
    QSettings settings;
    settings.beginGroup(kGroup);
    TExcelExportOptions copy = options;
    ForEachField(copy, [&settings](const char* key, const auto& field) {
        settings.setValue(QLatin1String(key), ToVariant(field));
    });
}

}  // namespace qlnx
