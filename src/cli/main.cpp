// qlnx-batch: the window's import and loop analysis on a file, without a window.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/batch_options.h"
#include "cli/batch_run.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string program = argc > 0 ? argv[0] : "qlnx-batch";
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const qlnx::ParsedCommandLine parsed = qlnx::ParseBatchCommandLine(arguments);
    if (!parsed.Options) {
        std::cerr << program << ": " << parsed.Error << "\n" << qlnx::BatchUsage(program);
        return qlnx::kExitUsage;
    }
    if (parsed.Options->Help) {
        std::cout << qlnx::BatchUsage(program);
        return qlnx::kExitDone;
    }
    return qlnx::RunBatch(*parsed.Options, std::cout, std::cerr);
}
