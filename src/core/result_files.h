// The modified-loop and analysis-results files, in text and CSV form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "core/progress.h"
#include "core/safe_write.h"

namespace qlnx {

enum class ResultForm { Text, Csv };

// Suffixes of the offered names of the two files.
inline constexpr std::string_view kModifiedLoopSuffix = "_ModifiedLoops";
inline constexpr std::string_view kAnalysisResultSuffix = "_VorlixCurveAnalysisResults";

// Name offered by the save dialog: the file-name part of the imported path (after its last
// "\", "/" or ":") without its extension, followed by suffix.
std::string ProposedResultName(std::string_view importedPath, std::string_view suffix);

// The decimal separator of the numbers in a file of the given form: the program's separator,
// except that CSV uses "." when the program's separator is the field delimiter ",".
char ResultDecimalSeparator(ResultForm form);

// The file a confirmed save dialog leads to: the form by the chosen file type alone (2 is CSV,
// any other text) and the name as returned with ".csv" or ".txt" appended, always.
struct ResultFileTarget {
    std::string Path;
    ResultForm Form = ResultForm::Text;
};
ResultFileTarget ResultTargetOf(std::string_view dialogFileName, int filterIndex);

// The modified-loop file, CR LF after every line: header "X Y" / "X,Y", then one line per
// working-curve point (LoopDisp, LoopForce) in vector order.
std::string ModifiedLoopFileText(const AnalysisState& state, ResultForm form);
// The analysis-results file, CR LF after every line: the header, then one line per loop
// 1..LoopCount with the loop number and the columns of kLoopExtremeColumns in their result
// order ("--" where the loop has no entry), every field followed by the separator ("  " in the
// text form, "," in CSV).
std::string AnalysisResultFileText(const AnalysisState& state, ResultForm form);

// Writes content to path as SafeFileWrite does (core/safe_write.h): an old file is replaced
// only by a complete, synced new one and stays untouched on any failure. Throws FileError
// "Cannot create file \"<path>\". <system's reason>", or the refusal of the record itself.
void WriteTextFile(const std::string& path, std::string_view content, const WriteGuard& guard = {});

// Builds the modified-loop file and writes it to path as WriteTextFile does, reporting to
// progress over the points and then over the bytes written. The target is checked before the
// file is built. When progress asks to stop, nothing is written (an old file at path stays as
// it was) and false is returned.
bool SaveModifiedLoopFile(const AnalysisState& state, ResultForm form, const std::string& path,
                          const ProgressCallback& progress, const WriteGuard& guard = {});

}  // namespace qlnx
