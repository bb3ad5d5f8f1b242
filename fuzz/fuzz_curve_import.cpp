// Fuzz target: arbitrary bytes as a curve file, read with an arbitrary first line and step.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/analysis_state.h"
#include "core/curve_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose the first line (1..16) and the step (-4..11, never 0).
    qlnx::ImportParameters p;
    p.FirstLine = 1 + (data[0] & 15);
    p.Step = (data[1] & 15) - 4;
    if (p.Step == 0) p.Step = 1;
    data += 2;
    size -= 2;

    static const int fd = memfd_create("curve", 0);
    if (fd < 0) std::abort();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    qlnx::AnalysisState state;
    (void)qlnx::ImportCurveFile(state, path, p);
    if (state.RawDisp.size() != state.RawForce.size()) std::abort();
    if (static_cast<size_t>(state.LoopSeries().Count()) != state.RawDisp.size()) std::abort();
    return 0;
}
