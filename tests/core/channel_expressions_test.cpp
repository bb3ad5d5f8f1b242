// The forms of an expression worked out without muparser's interpreter give its bits.
#include "core/channel_expressions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace qlnx {
namespace {

// Block evaluation against muparser's bulk evaluation of the same columns, on random samples
// with negative zeros, infinities, NaN and subnormal numbers among them, for the forms read
// off the bytecode (the unit factors 25.4 and 4.4482216152605 among the scales) and for some
// left to muparser.
TEST(ChannelExpression, BlockFormsGiveMuparsersBits) {
    const std::vector<Channel> channels = {
        {"a", "a", "mm", 1}, {"b", "b", "in", 2}, {"c", "c", "kN", 3}};
    constexpr size_t kRows = 5000;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(-1e3, 1e3);
    const std::vector<double> special = {-0.0,
                                         0.0,
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         std::nan(""),
                                         std::numeric_limits<double>::denorm_min(),
                                         -1e-310,
                                         1e308};
    std::vector<std::vector<double>> samples(3, std::vector<double>(kRows));
    for (auto& column : samples) {
        for (size_t i = 0; i < kRows; ++i) {
            column[i] = i % 11 == 0 ? special[random() % special.size()] : uniform(random);
        }
    }
    const std::vector<const double*> columns = {samples[0].data(), samples[1].data(),
                                                samples[2].data()};
    const struct {
        std::string text;
        bool direct;
    } cases[] = {
        {"a", true},
        {"c2", true},
        {"a - b", true},
        {"a + c", true},
        {"b * a", true},
        {"a / b", true},
        {"c * 4.4482216152605", true},
        {"25.4 * b", true},
        {"a / 25.4", false},
        {"2 * a - 3", true},
        {"(a + 1) / 4", true},
        {"0.5 * (a + b)", false},
        {"-a", false},
        {"a - b - c", false},
        {"sin(a) + b^2", false},
    };
    for (const auto& expression : cases) {
        SCOPED_TRACE(expression.text);
        ChannelExpression bulk("displacement", expression.text, channels);
        ChannelExpression block("displacement", expression.text, channels);
        EXPECT_EQ(block.WorkedOutDirectly(), expression.direct);
        std::vector<double> expected(kRows);
        std::vector<double> got(kRows);
        bulk.EvaluateRows(columns, kRows, expected.data());
        block.EvaluateBlock(columns, kRows, got.data());
        for (size_t i = 0; i < kRows; ++i) {
            ASSERT_EQ(std::bit_cast<uint64_t>(got[i]), std::bit_cast<uint64_t>(expected[i]))
                << "row " << i << ": " << got[i] << " against " << expected[i];
        }
    }
}

}  // namespace
}  // namespace qlnx
