// Peak resident memory of the benchmark process, for counters beside the timings.
#pragma once

#include <sys/resource.h>

namespace qlnx::bench {

// The largest resident set the process has had so far, in MB. It only grows, so a figure
// belongs to one benchmark when the run is filtered to that benchmark.
inline double PeakResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace qlnx::bench
