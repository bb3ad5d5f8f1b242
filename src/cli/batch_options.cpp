#include "cli/batch_options.h"

#include <span>
#include <utility>

namespace qlnx {

namespace {

using Arguments = std::span<const std::string>;

// One option: its name, the names of its arguments (one word each), a line of help, and
// what it sets. Adding an option is adding a row.
struct OptionSpec {
    std::string_view Name;
    std::string_view ArgumentNames;
    std::string_view Help;
    void (*Apply)(BatchOptions& options, Arguments arguments);
};

constexpr OptionSpec kOptions[] = {
    {"--first-line", "N", "first file line that holds data (default 1)",
     [](BatchOptions& o, Arguments a) { o.FirstLineText = a[0]; }},
    {"--step", "N", "read every N-th line from the first one on (default 1)",
     [](BatchOptions& o, Arguments a) { o.StepText = a[0]; }},
    {"--json", "", "print one JSON object instead of the loop table",
     [](BatchOptions& o, Arguments) { o.Json = true; }},
    {"--help", "", "print this text", [](BatchOptions& o, Arguments) { o.Help = true; }},
};

size_t ArgumentCount(std::string_view names) {
    size_t count = 0;
    bool inWord = false;
    for (const char c : names) {
        if (c != ' ' && !inWord) ++count;
        inWord = c != ' ';
    }
    return count;
}

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& option : kOptions) {
        if (option.Name == name) return &option;
    }
    return nullptr;
}

}  // namespace

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
        const OptionSpec* option = FindOption(argument);
        if (option == nullptr) {
            result.Error = "unknown option " + argument;
            return result;
        }
        const size_t count = ArgumentCount(option->ArgumentNames);
        if (arguments.size() - i - 1 < count) {
            result.Error = argument + " needs " + std::string(option->ArgumentNames);
            return result;
        }
        option->Apply(options, Arguments(arguments.data() + i + 1, count));
        i += count;
    }
    if (!options.Help) {
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
    text +=
        "Imports a force-displacement record as the window's \"Import Loop\" does, analyses its\n"
        "loops as \"Analyze Loop\" does and prints the loop table.\n\nOptions:\n";
    for (const OptionSpec& option : kOptions) {
        std::string left = "  " + std::string(option.Name);
        if (!option.ArgumentNames.empty()) left += " " + std::string(option.ArgumentNames);
        if (left.size() < 26) left.resize(26, ' ');
        text += left + " " + std::string(option.Help) + "\n";
    }
    text +=
        "\nA warning or error of the window goes to standard error as well. Exit status: 0 done,\n"
        "1 a warning or error was shown, 2 the command line is not usable.\n"
        "In JSON numbers that are not finite are written as null.\n";
    return text;
}

}  // namespace qlnx
