// Codes of the spreadsheet object model: the values the export sends and the object model it
// talks to accepts, by their names in that model. Every file that sends or reads one of these
// values names it from here.
#pragma once

#include <cstdint>

namespace qlnx {

// clang-format off
// Chart types ("AddChart2", "ChartType"): the XY scatter family.
inline constexpr int32_t kXlXYScatter = -4169;                // markers only
inline constexpr int32_t kXlXYScatterSmooth = 72;             // smoothed lines with markers
inline constexpr int32_t kXlXYScatterSmoothNoMarkers = 73;
inline constexpr int32_t kXlXYScatterLines = 74;              // straight lines with markers
inline constexpr int32_t kXlXYScatterLinesNoMarkers = 75;
inline constexpr int32_t kChartStyle240 = 240;                // "AddChart2" chart style

// "Axes": which axis and which group.
inline constexpr int32_t kXlCategory = 1;                     // the X axis of a scatter chart
inline constexpr int32_t kXlValue = 2;                        // the Y axis
inline constexpr int32_t kXlPrimary = 1;                      // primary axis group
// "Crosses": where the other axis crosses this one.
inline constexpr int32_t kXlAxisCrossesAutomatic = -4105;
inline constexpr int32_t kXlAxisCrossesCustom = -4114;        // at "CrossesAt"
inline constexpr int32_t kXlAxisCrossesMaximum = 2;
inline constexpr int32_t kXlAxisCrossesMinimum = 4;

// "MajorTickMark".
inline constexpr int32_t kXlTickMarkNone = -4142;
inline constexpr int32_t kXlTickMarkInside = 2;
inline constexpr int32_t kXlTickMarkOutside = 3;
inline constexpr int32_t kXlTickMarkCross = 4;

// "MarkerStyle": the named styles; the codes 1 to 9 are the numbered ones, of which 4, 6 and
// 7 have no name (they draw as x, short dash and long dash).
inline constexpr int32_t kXlMarkerStyleNone = -4142;
inline constexpr int32_t kXlMarkerStyleAutomatic = -4105;
inline constexpr int32_t kXlMarkerStyleX = -4168;
inline constexpr int32_t kXlMarkerStyleDash = -4115;
inline constexpr int32_t kXlMarkerStyleSquare = 1;
inline constexpr int32_t kXlMarkerStyleDiamond = 2;
inline constexpr int32_t kXlMarkerStyleTriangle = 3;
inline constexpr int32_t kXlMarkerStyleStar = 5;
inline constexpr int32_t kXlMarkerStyleCircle = 8;
inline constexpr int32_t kXlMarkerStylePlus = 9;
inline constexpr int32_t kMarkerSizeLeast = 2;                // "MarkerSize", points
inline constexpr int32_t kMarkerSizeMost = 72;

// "SetElement".
inline constexpr int32_t kMsoElementLegendRight = 101;
inline constexpr int32_t kMsoElementLegendBottom = 104;
inline constexpr int32_t kMsoElementPrimaryCategoryAxisTitle = 301;
inline constexpr int32_t kMsoElementPrimaryValueAxisTitle = 307;

// "ObjectThemeColor": theme colours 1 (dark 1) to 16 (background 2); 13 is the text colour.
inline constexpr int32_t kMsoThemeColorFirst = 1;
inline constexpr int32_t kMsoThemeColorText1 = 13;
inline constexpr int32_t kMsoThemeColorLast = 16;
// clang-format on

}  // namespace qlnx
