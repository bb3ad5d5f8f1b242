// The bare reading of a two-column record that a whole batch run is measured against: one
// thread reads the file into memory, splits it at commas and line feeds, converts each field
// with std::from_chars and stores the values into two vectors reserved for the rows. No
// checks beyond that. Prints the number of rows and the sum of the values, so that nothing is
// left out by the compiler.
#include <sys/stat.h>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare_read_parse_store FILE\n");
        return 2;
    }
    struct stat info {};
    if (::stat(argv[1], &info) != 0) return 1;
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return 1;
    }
    std::fclose(file);
    // A row takes at least four bytes ("0,0\n").
    std::vector<double> disp;
    std::vector<double> force;
    disp.reserve(bytes.size() / 4);
    force.reserve(bytes.size() / 4);
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        double d = 0;
        double f = 0;
        p = std::from_chars(p, end, d).ptr + 1;  // past the comma
        p = std::from_chars(p, end, f).ptr + 1;  // past the line feed
        disp.push_back(d);
        force.push_back(f);
    }
    double sum = 0;
    for (size_t i = 0; i < disp.size(); ++i) sum += disp[i] + force[i];
    std::printf("%zu rows, sum %.17g\n", disp.size(), sum);
    return 0;
}
