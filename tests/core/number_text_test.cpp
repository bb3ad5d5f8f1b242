// FormatGeneral15 and the edit-box conversions.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

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

TEST(FormatGeneral15, UsesTheProgramDecimalSeparator) {
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatGeneral15(-2.5), "-2,5");
    EXPECT_EQ(FormatGeneral15(1.5e20), "1,5E20");
    SetDecimalSeparator('.');
}

TEST(StrToInt, AcceptsSignedDecimalAndHexWithinThirtyTwoBits) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {{"1", 1},          {" 12\t", 12},  {"+7", 7},           {"-3", -3},
                 {"$1F", 31},       {"0x10", 16},   {"2147483647", INT32_MAX},
                 {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1}, {"007", 7}};
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
        {"1", true, 1},         {"-2.5", true, -2.5},    {"+3", true, 3},
        {".5", true, 0.5},      {"5.", true, 5},         {"1e3", true, 1000},
        {"1E-3", true, 1e-3},   {"1e+2", true, 100},     {"-3.13e-03", true, -3.13e-3},
        {"1e308", true, 1e308}, {"1e-320", true, 1e-320}, {"1e-400", true, 0},
        {"", false, 0},         {".", false, 0},         {"1e", false, 0},
        {"1,5", false, 0},      {"1 000", false, 0},     {"1.2.3", false, 0},
        {"12mm", false, 0},     {"1;2", false, 0},       {"inf", false, 0},
        {"nan", false, 0},      {"1e400", false, 0},     {" 1", false, 0},
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
        {zeros + "1e-330", 0.0},
        {"-" + zeros + "1e-330", -0.0},
        {zeros + "1e309", std::nullopt},
        {"0." + zeros + "1e-330", 0.0},
        {"0." + zeros + "1e709", 1e308},
        {"0.1e309", 1e308},
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
