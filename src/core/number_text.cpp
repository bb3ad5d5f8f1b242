#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/errors.h"
#include "core/plain_number.h"
#include "core/text_chars.h"

namespace qlnx {

namespace {

char g_decimalSeparator = '.';

// Decimal digits d1..dn (no trailing zeros) and exponent E with |value| = 0.d1..dn x 10^E.
struct Decimal15 {
    std::array<char, 17> digits{};
    int count = 0;
    int exponent = 0;
};

// Reads the significant digits and the exponent of to_chars(..., scientific[, precision])
// output for a positive value into digits (at most digits.size()), returning their count.
int ReadScientific(const char* first, const char* last, char* digits, int capacity,
                   int& sciExponent) {
    int count = 0;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.' && count < capacity) digits[count++] = *p;
    }
    sciExponent = 0;
    if (p != last) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, sciExponent);
    return count;
}

Decimal15 RoundTo15Digits(double magnitude) {
    Decimal15 d;
    std::array<char, 32> buf{};
    std::array<char, 20> digits{};
    int sciExponent = 0;

    // Shortest round-trip digits S. With 15 or fewer they are the exact value X rounded to 15
    // digits, because half an ulp is far below half a unit of the 15th digit. With more, S
    // and X lie on the same side of every 15-digit midpoint M (M has 16 digits: were it
    // between them it would round-trip and lie closer to X than S), so rounding S rounds X,
    // unless S is M itself: then only X's exact expansion tells. Subnormal values have a
    // coarser ulp and always take the exact expansion.
    auto shortest = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                  std::chars_format::scientific);
    int count = ReadScientific(buf.data(), shortest.ptr, digits.data(), 17, sciExponent);
    const bool subnormal = magnitude < std::numeric_limits<double>::min();
    if (count > 15 || subnormal) {
        bool roundUp = digits[15] >= '5';
        if (subnormal || (count == 16 && digits[15] == '5')) {
            // An exact tie rounds away from zero, like anything above it.
            static thread_local std::array<char, 1100> exact{};
            auto full = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                                      std::chars_format::scientific, 780);
            std::array<char, 17> all{};
            const int allCount =
                ReadScientific(exact.data(), full.ptr, all.data(), 16, sciExponent);
            std::memcpy(digits.data(), all.data(), 15);
            roundUp = allCount > 15 && all[15] >= '5';
        }
        count = 15;
        if (roundUp) {
            int i = 14;
            for (; i >= 0 && digits[static_cast<size_t>(i)] == '9'; --i) {
                digits[static_cast<size_t>(i)] = '0';
            }
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits[0] = '1';  // 999... carried into a new leading digit
                ++sciExponent;
            }
        }
    }
    while (count > 1 && digits[static_cast<size_t>(count - 1)] == '0') --count;

    d.count = count;
    std::memcpy(d.digits.data(), digits.data(), static_cast<size_t>(count));
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
    std::array<char, 8> exponent{};
    const auto written = std::to_chars(exponent.data(), exponent.data() + exponent.size(),
                                       exp10 < 0 ? -exp10 : exp10);
    out.append(exponent.data(), written.ptr);
}

std::string FormatGeneral15(double value) {
    std::string out;
    AppendGeneral15(out, value, g_decimalSeparator);
    return out;
}

std::string FormatSignificant(double value, int digits) {
    if (!std::isfinite(value) || value == 0) return FormatGeneral15(value);
    digits = std::clamp(digits, 1, 15);
    // The exact decimal expansion of the binary value, cut after digits and rounded half away
    // from zero as the general format rounds; the double nearest to the rounded decimal prints
    // with no more digits than were kept.
    static thread_local std::array<char, 1100> exact{};
    const auto full = std::to_chars(exact.data(), exact.data() + exact.size(), std::fabs(value),
                                    std::chars_format::scientific, 780);
    std::array<char, 20> kept{};
    int sciExponent = 0;
    const int count = ReadScientific(exact.data(), full.ptr, kept.data(), digits + 1, sciExponent);
    bool roundUp = count > digits && kept[static_cast<size_t>(digits)] >= '5';
    std::string decimal(kept.data(), static_cast<size_t>(std::min(count, digits)));
    for (int i = static_cast<int>(decimal.size()) - 1; roundUp && i >= 0; --i) {
        char& d = decimal[static_cast<size_t>(i)];
        roundUp = d == '9';
        d = roundUp ? '0' : static_cast<char>(d + 1);
    }
    if (roundUp) {
        decimal.insert(decimal.begin(), '1');  // 999... carried into a new leading digit
        ++sciExponent;
    }
    const std::string kept10 = decimal;
    decimal += 'e' + std::to_string(sciExponent - static_cast<int>(decimal.size()) + 1);
    double rounded = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), rounded);
    if (rounded >= std::numeric_limits<double>::min()) {
        return FormatGeneral15(value < 0 ? -rounded : rounded);
    }
    // Below the normal range the nearest double holds too few bits to print with only the
    // digits kept (4.94066e-324 prints as 4.94065645841247E-324): the digits kept are written
    // as d.ddd in the general format, followed by their exponent.
    const std::string unit = kept10 + 'e' + std::to_string(1 - static_cast<int>(kept10.size()));
    double mantissa = 0;
    std::from_chars(unit.data(), unit.data() + unit.size(), mantissa);
    return (value < 0 ? "-" : "") + FormatGeneral15(mantissa) + 'E' + std::to_string(sciExponent);
}

std::string FormatSignificantFixed(double value, int digits) {
    const std::string general = FormatSignificant(value, digits);
    const size_t e = general.find('E');
    if (e == std::string::npos) return general;
    // "-d.dddE-5": the sign, the digits without the separator, the decimal exponent.
    const bool negative = general.front() == '-';
    std::string mantissa;
    for (size_t i = negative ? 1 : 0; i < e; ++i) {
        if (general[i] >= '0' && general[i] <= '9') mantissa += general[i];
    }
    int exp10 = 0;
    std::from_chars(general.data() + e + 1 + (general[e + 1] == '-' ? 1 : 0),
                    general.data() + general.size(), exp10);
    if (general[e + 1] == '-') exp10 = -exp10;
    std::string out = negative ? "-" : "";
    if (exp10 < 0) {
        out += '0';
        out += g_decimalSeparator;
        out.append(static_cast<size_t>(-exp10 - 1), '0');
        out += mantissa;
        return out;
    }
    const auto whole = static_cast<size_t>(exp10) + 1;
    if (mantissa.size() <= whole) {
        out += mantissa;
        out.append(whole - mantissa.size(), '0');
    } else {
        out.append(mantissa, 0, whole);
        out += g_decimalSeparator;
        out.append(mantissa, whole);
    }
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
    // Fast path for the usual text ("-12.5e-3"), which must be consumed whole; anything else
    // (a '+', "inf", overflow, trailing characters) takes the full check below.
    if (separator == '.' && !text.empty()) {
        double value = 0;
        const char* last = text.data() + text.size();
        if (ReadPlainNumber(text.data(), last, value) == last) return value;
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
