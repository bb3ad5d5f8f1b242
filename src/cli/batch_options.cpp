#include "cli/batch_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "core/number_text.h"
#include "core/series_table.h"
#include "core/units.h"

namespace qlnx {

namespace {

using Arguments = std::span<const std::string>;

// One option: its name, the names of its arguments (one word each), a line of help, and
// what it sets (returning why the arguments are not usable, or nothing). Adding an option is
// adding a row.
struct OptionRow {
    std::string_view Name;
    std::string_view ArgumentNames;
    std::string_view Help;
    std::string (*Apply)(BatchOptions& options, Arguments arguments);
    // The values the help text lists after Help, for an option whose values come from a table.
    std::string (*Values)() = nullptr;
};

std::string SetMethod(BatchOptions& options, Arguments arguments) {
    const std::string& text = arguments[0];
    options.Method = SkeletonMethodOfName(text);
    if (options.Method) return {};
    std::string names;
    for (const SkeletonMethodRow& row : SkeletonMethods()) {
        names += (names.empty() ? "" : ", ") + std::string(row.BatchName);
    }
    return "--method takes 1 to " + std::to_string(SkeletonMethods().size()) + " or one of " +
           names + "; not " + text;
}

// The methods by number and name, for the help text: "1 max-force, 2 max-disp, ...".
std::string MethodList() {
    std::string list;
    for (const SkeletonMethodRow& row : SkeletonMethods()) {
        list += (list.empty() ? " " : ", ") + std::to_string(static_cast<int>(row.Method)) + " " +
                std::string(row.BatchName);
    }
    return list;
}

// The yield methods by name, for the help text: " GeneralYield, EqualEnergy, ...".
std::string YieldMethodList() {
    std::string list;
    for (const YieldMethodInfo& info : kYieldMethods) {
        list += (list.empty() ? " " : ", ") + std::string(info.Name);
    }
    return list;
}

std::string SetDirection(BatchOptions& options, Arguments arguments) {
    options.AutoDirection = false;
    if (arguments[0] == "positive") {
        options.Direction = LoopDirection::Positive;
    } else if (arguments[0] == "negative") {
        options.Direction = LoopDirection::Negative;
    } else if (arguments[0] == "auto") {
        options.AutoDirection = true;
    } else {
        return "--direction takes positive, negative or auto; not " + arguments[0];
    }
    return {};
}

std::string SetExportMode(BatchOptions& options, Arguments arguments) {
    if (arguments[0] == "single") {
        options.ExportMode = 0;
    } else if (arguments[0] == "combined") {
        options.ExportMode = 1;
    } else {
        return "--export-mode takes single or combined; not " + arguments[0];
    }
    return {};
}

std::string SetDecimal(BatchOptions& options, Arguments arguments) {
    const auto mode = DecimalModeFromName(arguments[0]);
    if (!mode) return "--decimal takes auto, point or comma; not " + arguments[0];
    options.Decimal = *mode;
    return {};
}

// A column number from 1 on, the whole text.
std::optional<int32_t> ColumnNumber(std::string_view text) {
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

std::string SetColumns(BatchOptions& options, Arguments arguments) {
    const std::string& text = arguments[0];
    const size_t comma = text.find(',');
    const auto disp = ColumnNumber(std::string_view(text).substr(0, comma));
    const auto force = comma == std::string::npos
                           ? std::nullopt
                           : ColumnNumber(std::string_view(text).substr(comma + 1));
    if (!disp || !force || *disp == *force) {
        return "--columns takes two different column numbers from 1 on, as 2,3; not " + text;
    }
    options.DisplacementColumn = *disp;
    options.ForceColumn = *force;
    return {};
}

// A number of the evaluation options, written with "." as on every command line.
std::optional<double> EvaluationNumber(const std::string& text) {
    const auto value = ParseFloat(text, '.');
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string SetUltimateRatio(BatchOptions& options, Arguments arguments) {
    const auto value = EvaluationNumber(arguments[0]);
    if (!value || !(*value > 0 && *value <= 1)) {
        return "--ultimate-ratio takes a number above 0 and at most 1; not " + arguments[0];
    }
    options.UltimateRatio = *value;
    return {};
}

std::string SetLevelTolerance(BatchOptions& options, Arguments arguments) {
    const auto value = EvaluationNumber(arguments[0]);
    if (!value || !(*value >= 0)) {
        return "--level-tolerance takes a number of at least 0; not " + arguments[0];
    }
    options.LevelTolerance = *value;
    return {};
}

std::string SetPeakPoint(BatchOptions& options, Arguments arguments) {
    const auto rule = PeakPointOfName(arguments[0]);
    if (!rule) return "--peak-point takes force or displacement; not " + arguments[0];
    options.PeakPoint = *rule;
    return {};
}

std::string SetPreset(BatchOptions& options, Arguments arguments) {
    const auto preset = PresetOfKey(arguments[0]);
    if (!preset) return "--preset takes jgj, en12512 or astm; not " + arguments[0];
    options.Preset = *preset;
    return {};
}

// The evaluation's defaults for the help text, taken from the evaluation options themselves.
std::string DefaultNumber(double value) { return " (default " + FormatGeneral15(value) + ")"; }
std::string UltimateRatioDefault() { return DefaultNumber(EvaluationOptions{}.UltimateRatio); }
std::string LevelToleranceDefault() { return DefaultNumber(EvaluationOptions{}.LevelTolerance); }
std::string PeakPointDefault() {
    return " (default " + std::string(PeakPointName(EvaluationOptions{}.PeakPoint)) + ")";
}
std::string PresetList() {
    std::string list;
    for (const EvaluationPresetInfo& info : kEvaluationPresets) {
        list += (list.empty() ? ": " : ", ") + std::string(info.Name) + " " +
                FormatGeneral15(info.UltimateRatio);
        if (info.SlipCapMillimetres) {
            list += " (ultimate slip at most " + FormatGeneral15(*info.SlipCapMillimetres) +
                    " mm when the displacement's unit is known)";
        }
    }
    return list;
}

std::string SetEnvelopeCycle(BatchOptions& options, Arguments arguments) {
    const auto value = ColumnNumber(arguments[0]);
    if (!value) return "--envelope-cycle takes a cycle number from 1 on; not " + arguments[0];
    options.EnvelopeCycle = *value;
    return {};
}

std::string SetLastLine(BatchOptions& options, Arguments arguments) {
    const auto value = ColumnNumber(arguments[0]);
    if (!value) return "--last-line takes a line number from 1 on; not " + arguments[0];
    options.LastLine = *value;
    return {};
}

std::string SetCalibrate(BatchOptions& options, Arguments arguments) {
    options.Calibrate.clear();
    std::string_view rest = arguments[0];
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view name = rest.substr(0, comma);
        const CalibrationModelRow* row = CalibrationModelOfName(name);
        if (!row) {
            std::string names;
            for (const CalibrationModelRow& r : CalibrationModels()) {
                names += (names.empty() ? "" : ", ") + std::string(r.BatchName);
            }
            return "--calibrate takes one or more of " + names + ", separated by commas; not " +
                   arguments[0];
        }
        if (std::find(options.Calibrate.begin(), options.Calibrate.end(), row->Model) ==
            options.Calibrate.end()) {
            options.Calibrate.push_back(row->Model);
        }
        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
    }
    return {};
}

std::string SetCalibrationSeed(BatchOptions& options, Arguments arguments) {
    const std::string& text = arguments[0];
    uint32_t seed = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        return "--calibration-seed takes a whole number from 0 to 4294967295; not " + text;
    }
    options.Calibration.Seed = seed;
    return {};
}

std::string SetEnergyWeight(BatchOptions& options, Arguments arguments) {
    const auto value = EvaluationNumber(arguments[0]);
    if (!value || !(*value >= 0)) {
        return "--energy-weight takes a number of at least 0; not " + arguments[0];
    }
    options.Calibration.EnergyWeight = *value;
    return {};
}

std::string SetSeriesYield(BatchOptions& options, Arguments arguments) {
    const auto method = YieldMethodOfName(arguments[0]);
    if (!method) return "--series-yield takes" + YieldMethodList() + "; not " + arguments[0];
    options.SeriesYield = *method;
    return {};
}

// The part of "NAME=VALUE" before the last '=' and after it; nullopt without one.
std::optional<std::pair<std::string, std::string>> NameAndValue(const std::string& text) {
    const size_t at = text.rfind('=');
    if (at == std::string::npos || at == 0 || at + 1 == text.size()) return std::nullopt;
    return std::make_pair(text.substr(0, at), text.substr(at + 1));
}

std::string SetChannelUnit(BatchOptions& options, Arguments arguments) {
    const auto pair = NameAndValue(arguments[0]);
    if (!pair) return "--unit takes NAME=UNIT, as LVDT1=mm; not " + arguments[0];
    options.UseChannels = true;
    options.Channels.Units.push_back(*pair);
    return {};
}

std::string SetZero(BatchOptions& options, Arguments arguments) {
    ChannelZero zero;
    zero.Channel = arguments[0];
    if (const auto pair = NameAndValue(arguments[0])) {
        const auto samples = ColumnNumber(pair->second);
        if (!samples) return "--zero takes NAME or NAME=N with N from 1 on; not " + arguments[0];
        zero.Channel = pair->first;
        zero.Samples = *samples;
    }
    options.UseChannels = true;
    options.Channels.Zero.push_back(zero);
    return {};
}

std::string SetScale(BatchOptions& options, Arguments arguments) {
    const auto pair = NameAndValue(arguments[0]);
    const std::string refusal =
        "--scale takes NAME=FACTOR or NAME=FACTOR,OFFSET, as Load=4.448,0.1; not " + arguments[0];
    if (!pair) return refusal;
    ChannelScale scale;
    scale.Channel = pair->first;
    const size_t comma = pair->second.find(',');
    const auto factor = EvaluationNumber(pair->second.substr(0, comma));
    if (!factor) return refusal;
    scale.Factor = *factor;
    if (comma != std::string::npos) {
        const auto offset = EvaluationNumber(pair->second.substr(comma + 1));
        if (!offset) return refusal;
        scale.Offset = *offset;
    }
    options.UseChannels = true;
    options.Channels.Scale.push_back(scale);
    return {};
}

std::string SetOutputUnits(BatchOptions& options, Arguments arguments) {
    const std::string& text = arguments[0];
    const size_t comma = text.find(',');
    const std::string refusal = "--output-units takes LENGTH,FORCE, as mm,kN; not " + text;
    if (comma == std::string::npos) return refusal;
    const std::string length = text.substr(0, comma);
    const std::string force = text.substr(comma + 1);
    const auto lengthUnit = ReadUnit(length);
    const auto forceUnit = ReadUnit(force);
    if (!lengthUnit || lengthUnit->Kind != UnitKind::Length) {
        return "--output-units: '" + length + "' is not a length unit";
    }
    if (!forceUnit || forceUnit->Kind != UnitKind::Force) {
        return "--output-units: '" + force + "' is not a force unit";
    }
    options.UseChannels = true;
    options.Channels.LengthUnit = length;
    options.Channels.ForceUnit = force;
    return {};
}

std::string SetDrift(BatchOptions& options, Arguments arguments) {
    const auto value = EvaluationNumber(arguments[0]);
    if (!value || !(*value > 0)) return "--drift takes a height above 0; not " + arguments[0];
    options.UseChannels = true;
    options.Channels.DriftHeight = *value;
    return {};
}

// The output units offered, for the help text.
std::string UnitList() {
    std::string list = " (length:";
    for (const auto unit : LengthUnits()) list += " " + std::string(unit);
    list += "; force:";
    for (const auto unit : ForceUnits()) list += " " + std::string(unit);
    return list + ")";
}

// clang-format off
constexpr OptionRow kOptions[] = {
    {"--first-line", "N", "first file line that holds data (default 1)",
     [](BatchOptions& o, Arguments a) { o.FirstLineText = a[0]; return std::string(); }},
    {"--step", "N", "read every N-th line from the first one on (default 1)",
     [](BatchOptions& o, Arguments a) { o.StepText = a[0]; return std::string(); }},
    {"--decimal", "auto|point|comma",
     "decimal separator: auto (default, decided from the first line read), point or comma",
     SetDecimal},
    {"--columns", "D,F", "columns of the displacement and the force (default 1,2)", SetColumns},
    {"--method", "M", "extract the skeleton curve:", SetMethod, MethodList},
    {"--direction", "D",
     "loop direction positive (default), negative, or auto: the side the record loads "
     "towards first",
     SetDirection},
    {"--noise-band", "D",
     "split loops only at passages that cross a band of +-D around the first displacement "
     "(default 0: every passage)",
     [](BatchOptions& o, Arguments a) { o.NoiseBandText = a[0]; return std::string(); }},
    {"--zero-start", "",
     "zero the displacement and the force at the first sample before the analysis (for a "
     "record that does not start at rest)",
     [](BatchOptions& o, Arguments) {
         o.ZeroStart = true;
         return std::string();
     }},
    {"--keep-disp-increasing", "", "keep only skeleton points that go further out",
     [](BatchOptions& o, Arguments) {
         o.KeepDispIncreasing = true;
         return std::string();
     }},
    {"--thin", "LO HI TOL", "thin both skeleton branches inside LO..HI by TOL",
     [](BatchOptions& o, Arguments a) {
         o.Thin = std::array<std::string, 3>{a[0], a[1], a[2]};
         return std::string();
     }},
    {"--modified-loop", "FILE", "write the working curve (CSV when FILE ends in .csv)",
     [](BatchOptions& o, Arguments a) { o.ModifiedLoopFile = a[0]; return std::string(); }},
    {"--results", "FILE", "write the loop extremes (CSV when FILE ends in .csv)",
     [](BatchOptions& o, Arguments a) { o.ResultsFile = a[0]; return std::string(); }},
    {"--skeleton", "FILE", "write both skeleton branches as CSV (Branch,X,Y)",
     [](BatchOptions& o, Arguments a) { o.SkeletonFile = a[0]; return std::string(); }},
    {"--xlsx", "FILE", "export the chart as the window's Excel export does, to FILE",
     [](BatchOptions& o, Arguments a) { o.XlsxFile = a[0]; return std::string(); }},
    {"--export-mode", "single|combined",
     "workbook layout: single (default, two columns per series) or combined (one table)",
     SetExportMode},
    {"--report-ready", "",
     "the workbook's chart ready for a report: straight lines, the loop as a thin line "
     "underneath, no point series, series named for a report in the window's colours, axis "
     "titles with the record's units, round axis limits, axes at their minimum, legend below "
     "(single output)",
     [](BatchOptions& o, Arguments) {
         o.ReportReady = true;
         return std::string();
     }},
    {"--evaluate", "",
     "evaluate the test: energy, damping, stiffness and strength per loop and level, yield "
     "points and ductility of each skeleton branch",
     [](BatchOptions& o, Arguments) { o.Evaluate = true; return std::string(); }},
    {"--ultimate-ratio", "U",
     "ultimate point where the skeleton falls to U times its peak force",
     SetUltimateRatio, UltimateRatioDefault},
    {"--peak-point", "force|displacement",
     "a loop's peak points for elastic energy and stiffness",
     SetPeakPoint, PeakPointDefault},
    {"--level-tolerance", "R",
     "a loop joins a level within R times the amplitude of its first loop",
     SetLevelTolerance, LevelToleranceDefault},
    {"--preset", "jgj|en12512|astm",
     "the standard's ultimate ratio",
     SetPreset, PresetList},
    {"--evaluation", "FILE", "write the evaluation's three tables as CSV (implies --evaluate)",
     [](BatchOptions& o, Arguments a) {
         o.EvaluationFile = a[0];
         o.Evaluate = true;
         return std::string();
     }},
    {"--report", "FILE.pdf",
     "write the record's test report as PDF (implies --evaluate; the construction drawn is "
     "--series-yield's); with --project or --series, the series' report: the comparison "
     "table, the overlay and mean skeleton charts and a page a specimen",
     [](BatchOptions& o, Arguments a) {
         o.ReportFile = a[0];
         o.Evaluate = true;
         return std::string();
     }},
    {"--report-language", "en|zh", "the language of the report's text: en (default) or zh (Chinese)",
     [](BatchOptions& o, Arguments a) {
         if (a[0] == "en") {
             o.ReportChinese = false;
         } else if (a[0] == "zh") {
             o.ReportChinese = true;
         } else {
             return "--report-language takes en or zh; not " + a[0];
         }
         return std::string();
     }},
    {"--protocol", "",
     "recognise the loading protocol and compare its planned levels with the applied ones "
     "(implied by --evaluate)",
     [](BatchOptions& o, Arguments) { o.Protocol = true; return std::string(); }},
    {"--envelope-cycle", "N",
     "the cycle of each level the first-cycle envelope takes: 1 (default), or 2 or 3 for the "
     "stabilised envelope",
     SetEnvelopeCycle},
    {"--last-line", "N", "last file line kept: the record after it is left out (default: all)",
     SetLastLine},
    {"--calibrate", "MODEL[,MODEL...]",
     "fit hysteretic models to the working curve: steel01, steel02, bouc-wen, bwbn, saws",
     SetCalibrate},
    {"--calibration-seed", "N", "seed of the fit's global search (default 1)",
     SetCalibrationSeed},
    {"--energy-weight", "W",
     "weight of the cumulative work in the fit's objective (default 0; 0.25 for pinched loops)",
     SetEnergyWeight},
    {"--prefilter", "",
     "fit without reversals smaller than 1e-3 of the largest displacement (for steel02, saws)",
     [](BatchOptions& o, Arguments) { o.Calibration.Prefilter = true; return std::string(); }},
    {"--opensees", "FILE", "write the fitted models as OpenSees Tcl to FILE (with --calibrate)",
     [](BatchOptions& o, Arguments a) { o.OpenSeesFile = a[0]; return std::string(); }},
    // Test series
    {"--project", "FILE.qlnx",
     "evaluate every specimen of the project as it was saved and print the comparison table "
     "(no FILE)",
     [](BatchOptions& o, Arguments a) { o.ProjectFile = a[0]; return std::string(); }},
    {"--series", "",
     "every FILE is a specimen of one series, read with the same options; print the "
     "comparison table",
     [](BatchOptions& o, Arguments) { o.Series = true; return std::string(); }},
    {"--series-table", "FILE", "write the comparison table as CSV",
     [](BatchOptions& o, Arguments a) { o.SeriesTableFile = a[0]; return std::string(); }},
    {"--series-yield", "NAME", "the yield method of the comparison table (default EEEP):",
     SetSeriesYield, YieldMethodList},
    {"--channels", "",
     "read the record by its channels: the name and unit rows and the key/value lines above "
     "the data are found on their own; gaps in the channels read are skipped and counted",
     [](BatchOptions& o, Arguments) { o.UseChannels = true; return std::string(); }},
    {"--displacement", "EXPR",
     "the displacement from the channels, as LVDT1 - LVDT2 (names with blanks or signs "
     "written with _; c1, c2, ... by column; default c1 or the --columns one)",
     [](BatchOptions& o, Arguments a) {
         o.UseChannels = true;
         o.Channels.Displacement = a[0];
         return std::string();
     }},
    {"--force", "EXPR", "the force from the channels, as LC1 + LC2 or Load * 4.448",
     [](BatchOptions& o, Arguments a) {
         o.UseChannels = true;
         o.Channels.Force = a[0];
         return std::string();
     }},
    {"--unit", "NAME=UNIT", "a channel's unit when the file has none or a wrong one (repeatable)",
     SetChannelUnit},
    {"--zero", "NAME[=N]",
     "subtract a channel's first sample, or the mean of its first N samples (repeatable)",
     SetZero},
    {"--scale", "NAME=FACTOR[,OFFSET]",
     "a channel's calibration: value * FACTOR + OFFSET (repeatable)", SetScale},
    {"--output-units", "LENGTH,FORCE", "convert the displacement and the force, as mm,kN",
     SetOutputUnits, UnitList},
    {"--drift", "HEIGHT",
     "the displacement as a drift ratio in % of HEIGHT (in the displacement's unit)", SetDrift},
    {"--time", "NAME", "the time channel (default: one named time, t, zeit or by its unit)",
     [](BatchOptions& o, Arguments a) {
         o.UseChannels = true;
         o.Channels.TimeChannel = a[0];
         return std::string();
     }},
    {"--sheet", "NAME|N", "the workbook's sheet to read (default: the first with numbers)",
     [](BatchOptions& o, Arguments a) { o.Sheet = a[0]; return std::string(); }},
    {"--variable", "NAME", "the MATLAB variable or struct to read (default: every numeric one)",
     [](BatchOptions& o, Arguments a) { o.Variable = a[0]; return std::string(); }},
    {"--list-channels", "",
     "print the channel table and the metadata (and a workbook's sheets or a MATLAB file's "
     "variables), then stop",
     [](BatchOptions& o, Arguments) {
         o.ListChannels = true;
         return std::string();
     }},
    {"--json", "", "print one JSON object instead of the loop table",
     [](BatchOptions& o, Arguments) { o.Json = true; return std::string(); }},
    {"--help", "", "print this text",
     [](BatchOptions& o, Arguments) { o.Help = true; return std::string(); }},
};
// clang-format on

size_t ArgumentCount(std::string_view names) {
    size_t count = 0;
    bool inWord = false;
    for (const char c : names) {
        if (c != ' ' && !inWord) ++count;
        inWord = c != ' ';
    }
    return count;
}

const OptionRow* FindOption(std::string_view name) {
    for (const OptionRow& option : kOptions) {
        if (option.Name == name) return &option;
    }
    return nullptr;
}

}  // namespace

std::string ApplyBatchOption(BatchOptions& options, std::string_view name,
                             const std::vector<std::string>& arguments) {
    const OptionRow* option = FindOption(name);
    if (option == nullptr) return "unknown option " + std::string(name);
    if (arguments.size() != ArgumentCount(option->ArgumentNames)) {
        return std::string(name) + " needs " +
               (option->ArgumentNames.empty() ? "no argument" : std::string(option->ArgumentNames));
    }
    return option->Apply(options, Arguments(arguments.data(), arguments.size()));
}

std::string_view SkeletonMethodName(SkeletonMethod method) {
    const SkeletonMethodRow* row = FindSkeletonMethod(method);
    return row != nullptr ? row->BatchName : std::string_view();
}

EvaluationOptions EvaluationOptionsOf(const BatchOptions& options, double noiseBand,
                                      std::string_view displacementUnit) {
    EvaluationOptions e;
    e.NoiseBand = noiseBand;
    if (options.Preset) ApplyPreset(e, *options.Preset, MillimetresPerUnit(displacementUnit));
    if (options.UltimateRatio) e.UltimateRatio = *options.UltimateRatio;
    if (options.PeakPoint) e.PeakPoint = *options.PeakPoint;
    if (options.LevelTolerance) e.LevelTolerance = *options.LevelTolerance;
    return e;
}

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine result;
    BatchOptions options;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionRow* option = FindOption(argument);
        if (option == nullptr) {
            result.Error = "unknown option " + argument;
            return result;
        }
        const size_t count = ArgumentCount(option->ArgumentNames);
        if (arguments.size() - i - 1 < count) {
            result.Error = argument + " needs " + std::string(option->ArgumentNames);
            return result;
        }
        result.Error = option->Apply(options, Arguments(arguments.data() + i + 1, count));
        if (!result.Error.empty()) return result;
        i += count;
    }
    if (!options.Help && !options.ProjectFile.empty()) {
        if (!files.empty() || options.Series) {
            result.Error = "--project takes no FILE and no --series";
            return result;
        }
    } else if (!options.Help && options.Series) {
        if (files.empty()) {
            result.Error = "no FILE given";
            return result;
        }
        options.SeriesFiles = files;
    } else if (!options.Help) {
        if (files.empty()) {
            result.Error = "no FILE given";
            return result;
        }
        if (files.size() > 1) {
            result.Error = "more than one FILE given";
            return result;
        }
        options.File = files.front();
    }
    result.Options = std::move(options);
    return result;
}

std::string BatchUsage(std::string_view program) {
    std::string text = "Usage: " + std::string(program) + " [options] FILE\n";
    text += "       " + std::string(program) + " [options] --series FILE...\n";
    text += "       " + std::string(program) + " [options] --project FILE.qlnx\n";
    text +=
        "Imports a force-displacement record as the window's \"Import Loop\" does, analyses its\n"
        "loops as \"Analyze Loop\" does, then extracts and thins the skeleton curve, writes the\n"
        "files asked for, exports the chart to a workbook if asked, and prints the loop table.\n"
        "\nOptions:\n";
    for (const OptionRow& option : kOptions) {
        std::string left = "  " + std::string(option.Name);
        if (!option.ArgumentNames.empty()) left += " " + std::string(option.ArgumentNames);
        left.resize(std::max<size_t>(left.size() + 1, 28), ' ');
        text += left + std::string(option.Help) + (option.Values ? option.Values() : "") + "\n";
    }
    text +=
        "\nA warning or error of the window goes to standard error as well. Exit status: 0 done,\n"
        "1 a warning or error was shown, 2 the command line is not usable.\n"
        "In JSON numbers that are not finite are written as null.\n";
    return text;
}

}  // namespace qlnx
