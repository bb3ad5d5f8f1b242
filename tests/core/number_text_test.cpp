// FormatGeneral15 and the edit-box conversions.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace qlnx {
namespace {

TEST(FormatGeneral15, TableOfValues) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {100, "100"},
        {-2.5, "-2.5"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {1e-4, "0.0001"},
        {1e-5, "1E-5"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {-0.75, "-0.75"},
        {0.5, "0.5"},
        {-12.25, "-12.25"},
        {0.017239247, "0.017239247"},
        {-3.13182e-3, "-0.00313182"},
        {1e308, "1E308"},
        {1e-320, "9.99988867182683E-321"},
        {0.1 + 0.2, "0.3"},
        {999999999999999.9, "1E15"},
        {123456789012345.6, "123456789012346"},
        {1234567890123456, "1.23456789012346E15"},
        // Exact ties of the binary value go away from zero.
        {1000000000000005, "1.00000000000001E15"},
        {-1000000000000005, "-1.00000000000001E15"},
        {1000000000000015, "1.00000000000002E15"},
        // Shortest digits on a 15-digit midpoint: the exact value decides the side.
        {0.7408655322280855, "0.740865532228085"},
        {0.1710549243647405, "0.171054924364741"},
        {0.300000011920929, "0.300000011920929"},
        {static_cast<double>(0.3f), "0.300000011920929"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral15(c.value), c.text) << c.value;
    }
}

// The C library's "%.15G" with our exponent form (no plus sign, no leading zeros): the same
// 15 digits, the same choice between fixed and scientific (exponent -4 to 14 is fixed) and
// the same dropping of trailing zeros. Only exact ties differ (the C library rounds them to
// even, we round them away from zero); they are left to the table above.
std::string CLibraryGeneral15(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    const size_t e = text.find('E');
    if (e == std::string::npos) return text;
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

// The 15 significant digits of "%.14e" without trailing zeros.
std::string CLibraryDigits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    for (const char* p = buffer; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

// Whether the value lies on a 15-digit rounding midpoint (or within 10^-10 units of the 15th
// digit of one), where the two tie rules may differ.
bool NearTie(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.25e", std::fabs(value));
    const std::string_view after15(buffer + 16, 10);
    return after15 == "5000000000" || after15 == "4999999999";
}

// The significant digits of one of our texts, without sign, point, exponent, leading or
// trailing zeros.
std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (const char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

// A few hundred thousand doubles of every kind against the C library: random bit patterns
// (every exponent), engineering-sized values, subnormals, and values whose shortest text
// has 17 digits (where the 15-digit rounding cannot read the shortest digits alone).
TEST(FormatGeneral15, AgreesWithTheCLibraryOnRandomDoubles) {
    SetDecimalSeparator('.');
    std::mt19937_64 rng(20250611);
    std::vector<double> values;
    for (int i = 0; i < 100000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (std::isfinite(v)) values.push_back(v);
    }
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        values.push_back(unit(rng) * std::pow(10.0, static_cast<int>(rng() % 30) - 8));
    }
    for (int i = 0; i < 10000; ++i) {
        values.push_back(std::bit_cast<double>(rng() & 0x800FFFFFFFFFFFFFull));  // subnormal
    }
    for (int i = 0; i < 50000; ++i) {
        // 17 significant digits as a user's file may hold them: 0.ddddddddddddddddd x 10^k.
        char text[40];
        std::snprintf(text, sizeof text, "0.%08llu%09llue%d",
                      static_cast<unsigned long long>(rng() % 100000000),
                      static_cast<unsigned long long>(rng() % 1000000000),
                      static_cast<int>(rng() % 41) - 20);
        values.push_back(std::strtod(text, nullptr));
    }
    size_t ties = 0;
    size_t wrong = 0;
    for (const double v : values) {
        if (v == 0) continue;
        const std::string ours = FormatGeneral15(v);
        const std::string theirs = CLibraryGeneral15(v);
        if (ours == theirs && DigitsOf(ours) == CLibraryDigits(v)) continue;
        if (NearTie(v)) {
            ++ties;
        } else if (++wrong <= 10) {
            ADD_FAILURE() << std::setprecision(17) << v << ": " << ours << " instead of " << theirs;
        }
    }
    EXPECT_EQ(wrong, 0u) << "of " << values.size();
    // Exact ties come mostly from values near 10^15, whose last binary digits are halves.
    EXPECT_LT(ties, values.size() / 100);
}

TEST(FormatGeneral15, UsesTheProgramDecimalSeparator) {
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatGeneral15(-2.5), "-2,5");
    EXPECT_EQ(FormatGeneral15(1.5e20), "1,5E20");
    SetDecimalSeparator('.');
}

// Numbers for reading: rounded to the digits asked for, written as the general format
// writes them (fixed point within its exponent range, no trailing zeros).
TEST(FormatSignificant, TableOfValues) {
    SetDecimalSeparator('.');
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {
        {0.0201411268115044, 3, "0.0201"},
        {90695.3, 3, "90700"},
        {0.99951, 3, "1"},
        {-1.23456e-7, 3, "-1.23E-7"},
        {0.0, 3, "0"},
        {12345.6, 4, "12350"},
        {0.00012345, 2, "0.00012"},
        {2.5, 1, "3"},
        {-2.5, 1, "-3"},
        {1.0 / 3.0, 15, "0.333333333333333"},
        // Subnormal: the digits kept, not the 15 of the nearest double to them.
        {-4.94065645841247e-324, 6, "-4.94066E-324"},
        {1e-320, 3, "1E-320"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSignificant(c.value, c.digits), c.text) << c.value << " " << c.digits;
}

// The same numbers with no exponent however small or large, in the program's separator.
TEST(FormatSignificantFixed, TableOfValues) {
    const struct {
        double value;
        int digits;
        char separator;
        std::string text;
    } cases[] = {
        {-1.23456e-7, 3, '.', "-0.000000123"},
        {1.2345e-5, 6, '.', "0.000012345"},
        {1.5e20, 6, '.', "150000000000000000000"},
        {-9.99996e16, 5, '.', "-100000000000000000"},
        {1.234567e17, 3, ',', "123000000000000000"},
        {4.250222817, 6, ',', "4,25022"},
        {-0.000123456, 6, ',', "-0,000123456"},
        {0.0, 6, '.', "0"},
        {std::numeric_limits<double>::infinity(), 6, '.', "INF"},
        {1.5e-300, 2, '.', "0." + std::string(299, '0') + "15"},
        {-4.94065645841247e-324, 2, ',', "-0," + std::string(323, '0') + "49"},
    };
    for (const auto& c : cases) {
        SetDecimalSeparator(c.separator);
        EXPECT_EQ(FormatSignificantFixed(c.value, c.digits), c.text) << c.value << " " << c.digits;
    }
    SetDecimalSeparator('.');
}

TEST(StrToInt, AcceptsSignedDecimalAndHexWithinThirtyTwoBits) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {{"1", 1},
                 {" 12\t", 12},
                 {"+7", 7},
                 {"-3", -3},
                 {"$1F", 31},
                 {"0x10", 16},
                 {"2147483647", INT32_MAX},
                 {"-2147483648", INT32_MIN},
                 {"$FFFFFFFF", -1},
                 {"007", 7}};
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RefusesWithTheTrimmedText) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "'''' is not a valid integer value"},
        {"abc", "''abc'' is not a valid integer value"},
        {"  1.5 ", "''1.5'' is not a valid integer value"},
        {"2147483648", "''2147483648'' is not a valid integer value"},
        {"1 2", "''1 2'' is not a valid integer value"},
        {"-", "''-'' is not a valid integer value"},
        {"$", "''$'' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        try {
            StrToInt(c.text);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(StrToFloat, Grammar) {
    const struct {
        const char* text;
        bool valid;
        double value;
    } cases[] = {
        {"1", true, 1},         {"-2.5", true, -2.5},     {"+3", true, 3},
        {".5", true, 0.5},      {"5.", true, 5},          {"1e3", true, 1000},
        {"1E-3", true, 1e-3},   {"1e+2", true, 100},      {"-3.13e-03", true, -3.13e-3},
        {"1e308", true, 1e308}, {"1e-320", true, 1e-320}, {"1e-400", true, 0},
        {"", false, 0},         {".", false, 0},          {"1e", false, 0},
        {"1,5", false, 0},      {"1 000", false, 0},      {"1.2.3", false, 0},
        {"12mm", false, 0},     {"1;2", false, 0},        {"inf", false, 0},
        {"nan", false, 0},      {"1e400", false, 0},      {" 1", false, 0},
        {"0x10", false, 0},     {"--1", false, 0},
    };
    for (const auto& c : cases) {
        const auto v = ParseFloat(c.text, '.');
        ASSERT_EQ(v.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(*v, c.value) << c.text;
        }
    }
}

// Out of range is decided by the magnitude of the value, whatever zeros lead its digits.
TEST(StrToFloat, LeadingZerosDoNotTurnAnUnderflowIntoAnOverflow) {
    const std::string zeros(400, '0');
    const struct {
        std::string text;
        std::optional<double> value;
    } cases[] = {
        {zeros + "1e-330", 0.0},         {"-" + zeros + "1e-330", -0.0},
        {zeros + "1e309", std::nullopt}, {"0." + zeros + "1e-330", 0.0},
        {"0." + zeros + "1e709", 1e308}, {"0.1e309", 1e308},
        {"0.00001e-320", 0.0},
    };
    for (const auto& c : cases) {
        for (const char separator : {'.', ','}) {
            std::string text = c.text;
            for (char& ch : text) {
                if (ch == '.') ch = separator;
            }
            const auto v = ParseFloat(text, separator);
            ASSERT_EQ(v.has_value(), c.value.has_value()) << text;
            if (v) {
                EXPECT_EQ(*v, *c.value) << text;
                EXPECT_EQ(std::signbit(*v), std::signbit(*c.value)) << text;
            }
        }
    }
}

TEST(StrToFloat, MessageShowsTheTextAsGiven) {
    try {
        StrToFloat("Disp");
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'Disp' is not a valid floating point value");
    }
    try {
        StrToFloat("");
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
}

TEST(StrToFloat, CommaLocaleTakesCommaAsSeparator) {
    EXPECT_EQ(ParseFloat("1,5", ','), 1.5);
    EXPECT_FALSE(ParseFloat("1.5", ',').has_value());
}

TEST(ErrorBoxText, AppendsFullStopAfterCharactersAboveIt) {
    EXPECT_EQ(ErrorBoxText("''x'' is not a valid integer value"),
              "''x'' is not a valid integer value.");
    EXPECT_EQ(ErrorBoxText("done."), "done.");
    EXPECT_EQ(ErrorBoxText("what?"), "what?.");
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
    EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace qlnx
