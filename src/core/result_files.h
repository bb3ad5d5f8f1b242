// The modified-loop and analysis-results files, in text and CSV form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"

namespace qlnx {

enum class ResultForm { Text, Csv };

// Name offered by the save dialog: the file-name part of the imported path (after its last
// "\", "/" or ":") without its extension, followed by suffix.
std::string ProposedResultName(std::string_view importedPath, std::string_view suffix);

std::vector<std::string> ModifiedLoopLines(const AnalysisState& state, ResultForm form);
std::vector<std::string> AnalysisResultLines(const AnalysisState& state, ResultForm form);

// Writes the lines, each followed by CR LF, to path through a temporary file in the same
// folder that replaces the target only when complete. Throws FileError naming the file and
// the system's reason; the old file is then untouched and no temporary file is left.
void WriteLinesFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace qlnx
