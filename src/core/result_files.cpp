#include "core/result_files.h"

#include <algorithm>
#include <charconv>

#include "core/number_text.h"
#include "core/safe_write.h"

namespace qlnx {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Collects lines into one text, each followed by CR LF.
class LineText {
public:
    explicit LineText(size_t bytes) { text_.reserve(bytes); }
    std::string& line() { return text_; }
    void endLine() { text_ += kLineEnd; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// A generous guess of a number's text length, to size the buffer once.
constexpr size_t kNumberTextGuess = 20;

// Builds the lines into sink; false when progress (if any) asked to stop.
bool BuildModifiedLoop(const AnalysisState& state, ResultForm form, LineText& sink,
                       ProgressStretch* progress = nullptr) {
    const char separator = ResultDecimalSeparator(form);
    const char delimiter = form == ResultForm::Csv ? ',' : ' ';
    sink.line() += form == ResultForm::Csv ? "X,Y" : "X Y";
    sink.endLine();
    // The two vectors always have equal length; the shorter one bounds the loop regardless.
    const size_t count = std::min(state.LoopDisp.size(), state.LoopForce.size());
    for (size_t k = 0; k < count; ++k) {
        if (progress != nullptr && !progress->Tick(k)) return false;
        std::string& out = sink.line();
        AppendGeneral15(out, state.LoopDisp[k], separator);
        out += delimiter;
        AppendGeneral15(out, state.LoopForce[k], separator);
        sink.endLine();
    }
    return true;
}

void BuildAnalysisResults(const AnalysisState& state, ResultForm form, LineText& sink) {
    const char separator = ResultDecimalSeparator(form);
    const std::string_view fieldEnd = form == ResultForm::Csv ? "," : "  ";
    const auto columns = LoopColumnsInResultOrder();
    std::string& header = sink.line();
    header += "LoopNo.";
    for (const LoopColumn* column : columns) {
        header += form == ResultForm::Csv ? ',' : ' ';
        header += column->ResultHeader;
    }
    sink.endLine();

    // A value of a per-loop column, or "--" where the loop has no entry.
    const size_t loops = state.LoopCount > 0 ? static_cast<size_t>(state.LoopCount) : 0;
    for (size_t i = 0; i < loops; ++i) {
        std::string& out = sink.line();
        char number[16];
        const auto written = std::to_chars(number, number + sizeof number, i + 1);
        out.append(number, written.ptr);
        out += fieldEnd;
        for (const LoopColumn* column : columns) {
            if (const auto value = LoopColumnValue(*column, state, i)) {
                AppendGeneral15(out, *value, separator);
            } else {
                out += "--";
            }
            out += fieldEnd;
        }
        sink.endLine();
    }
}

}  // namespace

std::string ProposedResultName(std::string_view importedPath, std::string_view suffix) {
    std::string_view name = importedPath;
    const size_t folderEnd = name.find_last_of("\\/:");
    if (folderEnd != std::string_view::npos) name.remove_prefix(folderEnd + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    std::string result(name);
    result += suffix;
    return result;
}

char ResultDecimalSeparator(ResultForm form) {
    const char separator = DecimalSeparator();
    return form == ResultForm::Csv && separator == ',' ? '.' : separator;
}

ResultFileTarget ResultTargetOf(std::string_view dialogFileName, int filterIndex) {
    ResultFileTarget target;
    target.Form = filterIndex == 2 ? ResultForm::Csv : ResultForm::Text;
    target.Path = dialogFileName;
    target.Path += target.Form == ResultForm::Csv ? ".csv" : ".txt";
    return target;
}

std::string ModifiedLoopFileText(const AnalysisState& state, ResultForm form) {
    LineText sink(8 + state.LoopDisp.size() * (2 * kNumberTextGuess + 3));
    BuildModifiedLoop(state, form, sink);
    return sink.take();
}

std::string AnalysisResultFileText(const AnalysisState& state, ResultForm form) {
    const size_t loops = static_cast<size_t>(std::max(state.LoopCount, 0));
    // The loop number and each column, each with its field end.
    LineText sink(16 * (kLoopColumnCount + 1) +
                  loops * (kLoopColumnCount + 1) * (kNumberTextGuess + 2));
    BuildAnalysisResults(state, form, sink);
    return sink.take();
}

void WriteTextFile(const std::string& path, std::string_view content, const WriteGuard& guard) {
    WriteFileSafely(path, content, guard);
}

bool SaveModifiedLoopFile(const AnalysisState& state, ResultForm form, const std::string& path,
                          const ProgressCallback& progress, const WriteGuard& guard) {
    // The target is checked before the seconds of building: a refused name fails at once.
    SafeFileWrite file(path, guard);
    // Building the text takes most of the time: the numbers' texts.
    constexpr double kBuildShare = 0.8;
    const size_t count = std::min(state.LoopDisp.size(), state.LoopForce.size());
    std::string content;
    {
        ProgressStretch building(progress, 0.0, kBuildShare, count);
        LineText sink(8 + count * (2 * kNumberTextGuess + 3));
        if (!BuildModifiedLoop(state, form, sink, &building)) return false;
        content = sink.take();
    }
    ProgressStretch writing(progress, kBuildShare, 1.0, content.size(), size_t{8} << 20);
    if (!file.Write(content, &writing)) return false;
    file.Commit();
    if (progress) progress(1.0);
    return true;
}

}  // namespace qlnx
