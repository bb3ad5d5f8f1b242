// Room for the samples of a large record: reserved once, in large pages where the system has
// them, so that filling it costs a few page faults in place of one per 4 KiB.
#pragma once

#include <cstddef>
#include <vector>

namespace qlnx {

// Reserves room for n values in values (keeping what it holds) and asks the system to back
// the part of it that spans whole large pages (2 MiB) with large pages when the memory is
// first written. Nothing is written: the thread that fills a part of the room first touches
// it. Below a few large pages, a plain reserve.
void ReserveSamples(std::vector<double>& values, size_t n);

// A copy of values in room reserved as above.
std::vector<double> CopySamples(const std::vector<double>& values);

}  // namespace qlnx
