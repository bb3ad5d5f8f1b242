// Runs a fuzz target's checks without libFuzzer, built with the normal compiler: every file
// named on the command line, or found in a folder named there, is one input. A failed check
// aborts with its line; the end prints how many inputs ran. No input at all is a failure, so
// a moved or empty corpus cannot pass unnoticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int a = 1; a < argc; ++a) {
        const fs::path given = argv[a];
        if (fs::is_directory(given)) {
            for (const auto& entry : fs::directory_iterator(given)) {
                if (entry.is_regular_file()) inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(given)) {
            inputs.push_back(given);
        } else {
            std::fprintf(stderr, "no such input: %s\n", given.c_str());
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", input.filename().c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
