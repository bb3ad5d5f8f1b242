// The command line of qlnx-batch: one table of options, parsed into BatchOptions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_import.h"
#include "core/evaluation_options.h"
#include "core/import_format.h"
#include "core/skeleton.h"

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
    // preset sets the ultimate ratio; an explicit --ultimate-ratio wins over it.
    bool Evaluate = false;
    std::string EvaluationFile;
    std::optional<EvaluationPreset> Preset;
    std::optional<double> UltimateRatio;
    PeakPointRule PeakPoint = PeakPointRule::Displacement;
    double LevelTolerance = 0.10;
    // Reading the record by its channels: on with any of the channel options; --list-channels
    // prints the channel table and the metadata and stops.
    bool UseChannels = false;
    bool ListChannels = false;
    ChannelSettings Channels;
    bool Json = false;
    bool Help = false;
    std::string File;
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

// The name of a skeleton method on the command line ("envelope-force", ...).
std::string_view SkeletonMethodName(SkeletonMethod method);

// The evaluation options the command line asks for, with the noise band the loops were split
// with.
EvaluationOptions EvaluationOptionsOf(const BatchOptions& options, double noiseBand);

// The usage text, listing every option of the table.
std::string BatchUsage(std::string_view program);

}  // namespace qlnx
