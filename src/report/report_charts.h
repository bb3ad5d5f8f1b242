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

class QCustomPlot;

namespace qlnx {

// The loops: the working curve, force against displacement.
void DrawLoopsChart(ReportPages& pages, const AnalysisState& state, const QRectF& area);

// Both skeleton branches over the loops, with the construction of each method on both
// branches (their lines, the ultimate line and the marked points) when evaluated.
void DrawSkeletonChart(ReportPages& pages, const AnalysisState& state, const TestEvaluation* e,
                       const std::vector<YieldMethod>& methods, const QRectF& area);

// The displacement against the point of the working curve; with a recognised protocol, its
// planned amplitudes (±) over the loops of each level.
void DrawHistoryChart(ReportPages& pages, const AnalysisState& state,
                      const ProtocolRecognition* protocol, const QRectF& area);

// Draws a plot across area of the page, its lines and text kept as lines and text.
void DrawPlot(ReportPages& pages, QCustomPlot& plot, const QRectF& area);

}  // namespace qlnx
