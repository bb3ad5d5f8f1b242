// The fast path of number reading: the usual text of a number ("-12.5e-3").
#pragma once

#include <charconv>
#include <system_error>

namespace qlnx {

// Reads a plain number at first: an optional '-', then a digit or the point, converted by
// from_chars as far as its grammar goes. On text that starts so, from_chars' grammar equals
// ours with '.' as the decimal separator. Returns the end of the number, or nullptr for text
// that does not start so or a number beyond the double range (the caller's full rule
// decides those).
inline const char* ReadPlainNumber(const char* first, const char* last, double& value) {
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    if (digits == last || !((*digits >= '0' && *digits <= '9') || *digits == '.')) return nullptr;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() ? ptr : nullptr;
}

}  // namespace qlnx
