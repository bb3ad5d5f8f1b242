// The result files' texts line by line, for tests that compare them a line at a time.
#pragma once

#include <string>
#include <vector>

#include "core/result_files.h"

namespace qlnx {

// The lines of a text that ends every line with CR LF; a rest after the last CR LF is a line
// of its own, so a missing line end shows.
inline std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

inline std::vector<std::string> ModifiedLoopLines(const AnalysisState& state, ResultForm form) {
    return LinesOf(ModifiedLoopFileText(state, form));
}

inline std::vector<std::string> AnalysisResultLines(const AnalysisState& state, ResultForm form) {
    return LinesOf(AnalysisResultFileText(state, form));
}

// Writes the lines, each followed by CR LF, with WriteTextFile.
inline void WriteLinesFile(const std::string& path, const std::vector<std::string>& lines,
                           const WriteGuard& guard = {}) {
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    WriteTextFile(path, content, guard);
}

}  // namespace qlnx
