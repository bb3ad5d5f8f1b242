#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/errors.h"

namespace qlnx {

namespace {

char g_decimalSeparator = '.';

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Decimal digits d1..dn (no trailing zeros) and exponent E with |value| = 0.d1..dn x 10^E.
struct Decimal15 {
    std::array<char, 17> digits{};
    int count = 0;
    int exponent = 0;
};

// Parses the output of to_chars(..., scientific[, precision]) for a positive value.
void ReadScientific(const char* first, const char* last, std::string& digits, int& sciExponent) {
    digits.clear();
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.') digits.push_back(*p);
    }
    sciExponent = 0;
    if (p != last) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, sciExponent);
}

// Adds one unit in the last place of a digit string; returns true when it overflowed
// ("999" -> "000"), in which case the caller prepends the carry.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

Decimal15 RoundTo15Digits(double magnitude) {
    std::array<char, 64> buf{};
    std::string digits;
    int sciExponent = 0;

    // Shortest round-trip digits: when they are 15 or fewer they are the exact value rounded
    // to 15 digits, because half an ulp is far below half a unit of the 15th digit (not so
    // for subnormal values, whose ulp is coarser: those always take the rounding below).
    auto shortest = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                  std::chars_format::scientific);
    ReadScientific(buf.data(), shortest.ptr, digits, sciExponent);
    if (digits.size() > 15 || magnitude < std::numeric_limits<double>::min()) {
        auto r17 = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                 std::chars_format::scientific, 16);
        ReadScientific(buf.data(), r17.ptr, digits, sciExponent);
        const std::string tail = digits.substr(15, 2);
        digits.resize(15);
        bool roundUp = tail > "50";
        if (tail == "50") {
            // Seventeen digits cannot tell a tie from its neighbours: look at the exact
            // expansion. An exact tie rounds away from zero, like anything above it.
            static thread_local std::array<char, 1100> exact{};
            auto full = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                                      std::chars_format::scientific, 780);
            std::string all;
            int exactExponent = 0;
            ReadScientific(exact.data(), full.ptr, all, exactExponent);
            roundUp = all[15] >= '5';
            sciExponent = exactExponent;
            digits = all.substr(0, 15);
        }
        if (roundUp && IncrementDigits(digits)) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++sciExponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    Decimal15 d;
    d.count = static_cast<int>(digits.size());
    std::memcpy(d.digits.data(), digits.data(), digits.size());
    d.exponent = sciExponent + 1;
    return d;
}

}  // namespace

char DecimalSeparator() { return g_decimalSeparator; }
void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }

std::string_view TrimControl(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(text.back())) text.remove_suffix(1);
    return text;
}

void AppendGeneral15(std::string& out, double value, char separator) {
    if (std::isnan(value)) {
        out += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    const Decimal15 d = RoundTo15Digits(std::fabs(value));
    if (value < 0) out += '-';
    const int n = d.count;
    const int e = d.exponent;
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            out += '0';
            out += separator;
            out.append(static_cast<size_t>(-e), '0');
            out.append(d.digits.data(), static_cast<size_t>(n));
        } else {
            out.append(d.digits.data(), static_cast<size_t>(std::min(n, e)));
            if (n < e) out.append(static_cast<size_t>(e - n), '0');
            if (n > e) {
                out += separator;
                out.append(d.digits.data() + e, static_cast<size_t>(n - e));
            }
        }
        return;
    }
    out += d.digits[0];
    if (n > 1) {
        out += separator;
        out.append(d.digits.data() + 1, static_cast<size_t>(n - 1));
    }
    out += 'E';
    const int exp10 = e - 1;
    if (exp10 < 0) out += '-';
    out += std::to_string(exp10 < 0 ? -exp10 : exp10);
}

std::string FormatGeneral15(double value) {
    std::string out;
    AppendGeneral15(out, value, g_decimalSeparator);
    return out;
}

int32_t StrToInt(std::string_view text) {
    const std::string_view t = TrimControl(text);
    const auto fail = [&]() -> ConversionError {
        return ConversionError("''" + std::string(t) + "'' is not a valid integer value");
    };
    std::string_view s = t;
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) throw fail();
    uint64_t magnitude = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || ptr != s.data() + s.size()) throw fail();
    int64_t value = 0;
    if (base == 16) {
        // A hexadecimal number names the 32 bits themselves ($FFFFFFFF is -1).
        if (magnitude > 0xFFFFFFFFull) throw fail();
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        if (negative) value = -value;
        if (value > INT32_MAX || value < INT32_MIN) throw fail();
    } else {
        if (magnitude > (negative ? 2147483648ull : 2147483647ull)) throw fail();
        value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    }
    return static_cast<int32_t>(value);
}

std::optional<double> ParseFloat(std::string_view text, char separator) {
    // Fast path for the usual text ("-12.5e-3"): with '.' as separator, text that starts
    // with an optional '-' and then a digit or the point is in from_chars' own grammar, which
    // then equals ours; it must be consumed whole and in range. Anything else (a '+', "inf",
    // overflow, trailing characters) takes the full check below.
    if (separator == '.' && !text.empty()) {
        const char* first = text.data();
        const char* last = first + text.size();
        const char* p = first + (*first == '-' ? 1 : 0);
        if (p != last && ((*p >= '0' && *p <= '9') || *p == '.')) {
            double value = 0;
            const auto [ptr, ec] = std::from_chars(first, last, value);
            if (ec == std::errc() && ptr == last) return value;
        }
    }
    // Grammar check first, then an exact conversion of a normalised copy.
    std::array<char, 128> small{};
    std::string large;
    char* buf = small.data();
    if (text.size() >= small.size()) {
        large.resize(text.size() + 1);
        buf = large.data();
    }
    size_t len = 0;
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        if (negative) buf[len++] = '-';
        ++i;
    }
    // The digits, and the decimal magnitude of the first significant one: the value is
    // 0.d1d2... x 10^(magnitude + exponent) with d1 that digit. Leading zeros do not count.
    int64_t digitCount = 0;
    bool significant = false;
    int64_t magnitude = 0;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            buf[len++] = c;
            ++digitCount;
            if (!seenPoint && (significant || c != '0')) {
                ++magnitude;
            } else if (seenPoint && !significant && c == '0') {
                --magnitude;
            }
            significant = significant || c != '0';
        } else if (c == separator && !seenPoint) {
            seenPoint = true;
            buf[len++] = '.';
        } else {
            break;
        }
    }
    if (digitCount == 0) return std::nullopt;
    // Saturates far beyond any exponent a double reaches and any count of digits.
    constexpr int64_t kExponentCap = int64_t{1} << 50;
    int64_t exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        buf[len++] = 'e';
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            if (expNegative) buf[len++] = '-';
            ++i;
        }
        size_t expDigits = 0;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
            buf[len++] = text[i];
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(buf, buf + len, value);
    if (ec == std::errc() && ptr == buf + len) return value;
    if (ec == std::errc::result_out_of_range) {
        // The decimal magnitude of the value tells overflow (refused) from underflow (the
        // value rounds to zero).
        if (!significant || exponent + magnitude <= 0) return negative ? -0.0 : 0.0;
    }
    return std::nullopt;
}

std::string FloatConversionMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

double StrToFloat(std::string_view text) {
    if (auto v = ParseFloat(text, g_decimalSeparator)) return *v;
    throw ConversionError(FloatConversionMessage(text));
}

}  // namespace qlnx
