#include "core/sample_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace qlnx {

namespace {

constexpr uintptr_t kLargePage = uintptr_t{2} << 20;

}  // namespace

void ReserveSamples(std::vector<double>& values, size_t n) {
    if (n <= values.capacity()) return;
    values.reserve(n);
    const auto begin = reinterpret_cast<uintptr_t>(values.data() + values.size());
    const auto end = reinterpret_cast<uintptr_t>(values.data() + values.capacity());
    const uintptr_t from = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t to = end & ~(kLargePage - 1);
    // Only the pages not yet written; a refusal (no large pages here) leaves small pages.
    if (to > from && to - from >= 2 * kLargePage) {
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    }
}

std::vector<double> CopySamples(const std::vector<double>& values) {
    std::vector<double> copy;
    ReserveSamples(copy, values.size());
    copy.assign(values.begin(), values.end());
    return copy;
}

}  // namespace qlnx
