// Runs the built qlnx-batch as a user does: its output, messages and exit status.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../file_bytes.h"

namespace qlnx::test {

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with the arguments (each quoted for the shell), its output caught in
// files of folder.
inline BatchRun RunBatchProgram(const std::filesystem::path& folder,
                                const std::vector<std::string>& arguments) {
    const std::string program = std::string(QLNX_BINARY_DIR) + "/src/cli/qlnx-batch";
    std::string command = "'" + program + "'";
    for (const auto& a : arguments) command += " '" + a + "'";
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    command += " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    BatchRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}

}  // namespace qlnx::test
