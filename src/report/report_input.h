// What a test report is made of, in plain values: the record's analysis and evaluation, the
// settings it was read and evaluated with, and the yield constructions to draw. Filled by the
// window and by the batch tool; the report library turns it into a PDF.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis_state.h"
#include "core/evaluate_test.h"
#include "core/protocol_recognition.h"
#include "core/series_evaluation.h"
#include "core/series_normalisation.h"
#include "core/series_table.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {

struct RecordReport {
    std::string Specimen;    // the specimen's name (the record's file name without its ending)
    std::string RecordPath;  // file-system bytes
    // The settings of the title block, each a designed label (translated in the report) and
    // its value as the program writes it: import options, channels, noise band, direction,
    // skeleton method, evaluation options and preset.
    std::vector<std::pair<std::string, std::string>> Settings;
    const AnalysisState* State = nullptr;
    const TestEvaluation* Evaluation = nullptr;     // null: no tables, no constructions
    const ProtocolRecognition* Protocol = nullptr;  // null: the history without a protocol
    std::vector<YieldMethod> Constructions;         // drawn on the skeleton chart
};

// What a series report is made of: the specimens evaluated for comparison and the tables of
// their groups, with the yield method and the scale of the charts.
struct SeriesReport {
    std::string Name;    // the project's name (or the series')
    std::string Source;  // the project file (file-system bytes); empty for records
    const SeriesEvaluation* Evaluation = nullptr;      // the specimens, their curves and notes
    const std::vector<SeriesGroup>* Groups = nullptr;  // their tables with Yield
    YieldMethod Yield = YieldMethod::EEEP;
    SeriesScale Scale = SeriesScale::None;  // the overlay's and the mean skeleton's scale
};

// The page size a report takes: A4, or Letter where the locale measures in US units.
enum class ReportPaper { A4, Letter };

// The language of a report: its designed texts mapped through translate (as is when empty),
// with a CJK font when the texts are Chinese.
struct ReportLanguage {
    std::function<std::string(const std::string&)> Translate;
    bool Chinese = false;
};

}  // namespace qlnx
