// A test series as a workbook of its own: a sheet "Series" with the group's comparison table
// and an XY chart overlaying the specimens' skeleton curves and the mean skeleton, the chart's
// series bound to the curves' cells beneath the table.
#pragma once

#include <filesystem>
#include <string>

#include "core/series_overlay.h"
#include "core/series_table.h"

namespace qlnx {

struct SeriesWorkbookTitles {
    std::string Scale;  // the scale's name, for the header line
    std::string XAxis;
    std::string YAxis;
};

// Writes the workbook to file (replacing it). Throws FileError
// "Cannot write the workbook \"<file>\": <reason>".
void WriteSeriesWorkbook(const SeriesGroup& group, const SeriesOverlay& overlay, YieldMethod yield,
                         const SeriesWorkbookTitles& titles, const std::filesystem::path& file);

}  // namespace qlnx
