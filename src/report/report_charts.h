// The report's charts, drawn as vector graphics into a rectangle of the page by QCustomPlot
// (offscreen: the plots are never shown): the hysteresis loops, the skeleton curve with the
// yield constructions, and the loading history with the recognised protocol's levels.
#pragma once

#include <QRectF>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/protocol_recognition.h"
#include "report/report_page.h"
#include "report/series_chart.h"

class QCustomPlot;

namespace qlnx {

// The loops: the working curve, force against displacement.
void DrawLoopsChart(ReportPages& pages, const AnalysisState& state, const QRectF& area);

// What the skeleton chart draws: the working curve (pale) under the two skeleton branches.
struct SkeletonChartData {
    const std::vector<double>* CurveX = nullptr;
    const std::vector<double>* CurveY = nullptr;
    const std::vector<double>* PositiveX = nullptr;
    const std::vector<double>* PositiveY = nullptr;
    const std::vector<double>* NegativeX = nullptr;
    const std::vector<double>* NegativeY = nullptr;
    std::string DisplacementUnit;
    std::string ForceUnit;
};

// Both skeleton branches over the loops, with the construction of each method on both
// branches (their lines, the ultimate line and the marked points, their labels placed clear
// of each other and of the nodes) when evaluated.
void DrawSkeletonChart(ReportPages& pages, const SkeletonChartData& data, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area);
// The record's working curve and skeleton series.
void DrawSkeletonChart(ReportPages& pages, const AnalysisState& state, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area);

// The plot's layout for a drawing of the area's size, so that its axes map data to the
// points it will be drawn at.
void LayOut(QCustomPlot& plot, const QRectF& area);

// The displacement against the point of the working curve; with a recognised protocol, its
// planned amplitudes (±) over the loops of each level.
void DrawHistoryChart(ReportPages& pages, const AnalysisState& state,
                      const ProtocolRecognition* protocol, const QRectF& area);

// A series chart (the overlay of the specimens, the mean skeleton or both) in the report's
// fonts and pens, titled in the report's language.
void DrawSeriesOverlayChart(ReportPages& pages, const SeriesOverlay& overlay,
                            const SeriesChartParts& parts, const QString& xTitle,
                            const QString& yTitle, const QRectF& area);

// Draws a plot across area of the page, its lines and text kept as lines and text.
void DrawPlot(ReportPages& pages, QCustomPlot& plot, const QRectF& area);

}  // namespace qlnx
