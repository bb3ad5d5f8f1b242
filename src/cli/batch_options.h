// The command line of qlnx-batch: one table of options, parsed into BatchOptions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calibration_fit.h"
#include "core/channel_import.h"
#include "core/evaluation_options.h"
#include "core/import_format.h"
#include "core/skeleton.h"
#include "core/skeleton_evaluation.h"

namespace qlnx {

// What the command line asks for. Numbers of the window's boxes stay texts, as typed into
// the boxes, so that they are converted (and refused) exactly as the window does.
struct BatchOptions {
    std::string FirstLineText = "1";  // the "F-D Curve Begin Line" box
    std::string StepText = "1";       // the "Data Import Step" box
    // The import options: decimal separator and the displacement and force columns.
    DecimalMode Decimal = DecimalMode::Auto;
    int32_t DisplacementColumn = 1;
    int32_t ForceColumn = 2;
    // Skeleton extraction (the method's radio button, the loop direction box, the outward
    // check box) and thinning (the two range boxes and the tolerance box).
    std::optional<SkeletonMethod> Method;
    LoopDirection Direction = LoopDirection::Positive;
    // --direction auto: the side the record loads towards first (Positive when it never
    // leaves the band around its first displacement).
    bool AutoDirection = false;
    // The "Noise Band" box read by the loop analysis.
    std::string NoiseBandText = "0";
    bool KeepDispIncreasing = false;
    std::optional<std::array<std::string, 3>> Thin;
    // Files written after the analysis; empty when not asked for.
    std::string ModifiedLoopFile;
    std::string ResultsFile;
    std::string SkeletonFile;
    // Workbook export of the chart to this file (not opened), in the export option's mode:
    // 0 single output (two columns per series), 1 combined (one table).
    std::string XlsxFile;
    int ExportMode = 0;
    // The report-ready chart (one series per chart series, whatever ExportMode says).
    bool ReportReady = false;
    // Test evaluation: asked for by --evaluate or by --evaluation FILE (the CSV file). A
    // preset sets the ultimate ratio; an explicit --ultimate-ratio wins over it. Options not
    // given take the evaluation's own defaults (EvaluationOptions).
    bool Evaluate = false;
    std::string EvaluationFile;
    // The test report as a PDF file (implies --evaluate); the yield constructions drawn are
    // those of SeriesYield.
    std::string ReportFile;
    // The report's text in Chinese (--report-language zh) instead of English.
    bool ReportChinese = false;
    std::optional<EvaluationPreset> Preset;
    std::optional<double> UltimateRatio;
    std::optional<PeakPointRule> PeakPoint;
    std::optional<double> LevelTolerance;
    // Zero the displacement and the force at the first sample before the analysis.
    bool ZeroStart = false;
    // The loading protocol: recognised with --protocol or --evaluate; the cycle of each level
    // the first-cycle envelope takes; the last line the import keeps (0: to the end).
    bool Protocol = false;
    int EnvelopeCycle = 1;
    int32_t LastLine = 0;
    // Model calibration: the models fitted to the working curve, the fit's settings, and the
    // file that receives their OpenSees Tcl text.
    std::vector<CalibrationModel> Calibrate;
    CalibrationSettings Calibration;
    std::string OpenSeesFile;
    // Reading the record by its channels: on with any of the channel options; --list-channels
    // prints the channel table and the metadata and stops.
    bool UseChannels = false;
    bool ListChannels = false;
    ChannelSettings Channels;
    // The sheet of a workbook and the variable of a MATLAB file to read.
    std::string Sheet;
    std::string Variable;
    bool Json = false;
    bool Help = false;
    std::string File;
    // A test series: the specimens of a project file (each as it was saved), or every FILE
    // read with the options above (--series); the comparison table by the chosen yield
    // method, written as CSV when asked for.
    std::string ProjectFile;
    bool Series = false;
    std::vector<std::string> SeriesFiles;
    std::string SeriesTableFile;
    YieldMethod SeriesYield = YieldMethod::EEEP;
};

// The options, or the reason the command line is not usable.
struct ParsedCommandLine {
    std::optional<BatchOptions> Options;
    std::string Error;
};

// Parses the arguments after the program name: options from the table in any order (an
// option's arguments are taken as they stand, negative numbers included), "--" to end them,
// and exactly one FILE (not needed with --help).
ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments);

// Applies one option of the table by its name ("--noise-band") to its arguments, as the command
// line does; returns why they are not usable (empty when they are). The Python module takes
// its keyword arguments through here, so both refuse the same values with the same words.
std::string ApplyBatchOption(BatchOptions& options, std::string_view name,
                             const std::vector<std::string>& arguments);

// The name of a skeleton method on the command line ("envelope-force", ...).
std::string_view SkeletonMethodName(SkeletonMethod method);

// The evaluation options the command line asks for, with the noise band the loops were split
// with and the displacement's unit ("" when unknown), which a preset's slip cap needs.
EvaluationOptions EvaluationOptionsOf(const BatchOptions& options, double noiseBand,
                                      std::string_view displacementUnit = {});

// The usage text, listing every option of the table.
std::string BatchUsage(std::string_view program);

}  // namespace qlnx
