#include "core/line_count.h"

#include <cstring>

namespace qlnx {

size_t CountLines(std::string_view text) {
    const size_t n = text.size();
    if (n == 0) return 0;
    const char* p = text.data();
    // Breaks = LF + CR - (CR LF pairs). Sixteen bytes at a time in byte-wide counters (a
    // comparison gives -1 per matching byte), emptied into the totals before they overflow.
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const auto load = [](const char* at) {
        Bytes v;
        std::memcpy(&v, at, sizeof v);
        return v;
    };
    const auto sum = [](Bytes v) {
        size_t total = 0;
        for (int k = 0; k < 16; ++k) total += v[k];
        return total;
    };
    size_t lf = 0;
    size_t cr = 0;
    size_t crlf = 0;
    size_t i = 0;
    // The pair test reads one byte ahead, so the blocks stop one byte before the end.
    while (i + 17 <= n) {
        Bytes lfCount{};
        Bytes crCount{};
        Bytes pairCount{};
        for (int block = 0; block < 255 && i + 17 <= n; ++block, i += 16) {
            const Bytes here = load(p + i);
            const Bytes next = load(p + i + 1);
            const Bytes isCr = reinterpret_cast<Bytes>(here == '\r');
            lfCount -= reinterpret_cast<Bytes>(here == '\n');
            crCount -= isCr;
            pairCount -= isCr & reinterpret_cast<Bytes>(next == '\n');
        }
        lf += sum(lfCount);
        cr += sum(crCount);
        crlf += sum(pairCount);
    }
    for (; i < n; ++i) {
        lf += p[i] == '\n';
        cr += p[i] == '\r';
        crlf += p[i] == '\r' && i + 1 < n && p[i + 1] == '\n';
    }
    size_t lines = lf + cr - crlf;
    // A last line without a break of its own.
    if (p[n - 1] != '\n' && p[n - 1] != '\r') ++lines;
    return lines;
}

}  // namespace qlnx
