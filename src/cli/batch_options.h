// The command line of qlnx-batch: one table of options, parsed into BatchOptions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlnx {

// What the command line asks for. Numbers stay texts, as typed into the window's boxes, so
// that they are converted (and refused) exactly as the window does.
struct BatchOptions {
    std::string FirstLineText = "1";  // the "F-D Curve Begin Line" box
    std::string StepText = "1";       // the "Data Import Step" box
    bool Json = false;
    bool Help = false;
    std::string File;
};

// The options, or the reason the command line is not usable.
struct ParsedCommandLine {
    std::optional<BatchOptions> Options;
    std::string Error;
};

// Parses the arguments after the program name: options from the table in any order, "--"
// to end them, and exactly one FILE (not needed with --help).
ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments);

// The usage text, listing every option of the table.
std::string BatchUsage(std::string_view program);

}  // namespace qlnx
