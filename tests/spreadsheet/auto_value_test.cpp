// Automation values: kinds, conversions of returned values, texts.
#include "spreadsheet/auto_value.h"

#include <gtest/gtest.h>

#include "spreadsheet/automation_error.h"

namespace qlnx {
namespace {

TEST(AutoValue, KindsCarryTheVariantTypeCodes) {
    EXPECT_EQ(static_cast<int>(AutoValue::Null().Kind()), 1);
    EXPECT_EQ(static_cast<int>(AutoValue::I2(1).Kind()), 2);
    EXPECT_EQ(static_cast<int>(AutoValue::I4(1).Kind()), 3);
    EXPECT_EQ(static_cast<int>(AutoValue::R4(1).Kind()), 4);
    EXPECT_EQ(static_cast<int>(AutoValue::Text("a").Kind()), 8);
    EXPECT_EQ(static_cast<int>(AutoValue::Bool(true).Kind()), 11);
    EXPECT_EQ(static_cast<int>(AutoValue::UI4(1).Kind()), 19);
    EXPECT_EQ(AutoValue::Bool(true).AsBool(), -1);
    EXPECT_EQ(AutoValue::Bool(false).AsBool(), 0);
    EXPECT_TRUE(AutoValue::Object(DispatchPtr()).IsNull());
}

TEST(AutoValue, FloatToIntegerRoundsHalfToEven) {
    const std::pair<double, int32_t> cases[] = {
        {96.0, 96}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {96.49, 96}, {96.51, 97}, {-0.5, 0},
    };
    for (const auto& [x, n] : cases) EXPECT_EQ(ValueToInt32(AutoValue::R8(x)), n) << x;
    EXPECT_EQ(ValueToInt32(AutoValue::R4(0.5f)), 0);
    EXPECT_THROW(ValueToInt32(AutoValue::R8(3e9)), AutomationError);
    EXPECT_THROW(ValueToInt32(AutoValue::Text("1")), AutomationError);
    EXPECT_TRUE(ValueToBool(AutoValue::Bool(true)));
    EXPECT_FALSE(ValueToBool(AutoValue::I4(0)));
    EXPECT_THROW(ValueToObject(AutoValue::Null()), AutomationError);
}

TEST(AutoValue, TextsWidenFromUtf8AndBack) {
    EXPECT_EQ(WidenUtf8("X-Y"), u"X-Y");
    EXPECT_EQ(WidenUtf8("错误"), u"错误");
    EXPECT_EQ(WidenUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");  // outside the BMP: a pair
    EXPECT_EQ(WidenUtf8("a\xFF"
                        "b"),
              u"a\uFFFDb");                         // not UTF-8
    EXPECT_EQ(WidenUtf8("a\xE4\xB8"), u"a\uFFFD");  // cut short
    EXPECT_EQ(NarrowToUtf8(u"错误 \U0001F600"), "错误 \xF0\x9F\x98\x80");
    EXPECT_EQ(AutoValue::Text("").AsBstr(), u"");
}

}  // namespace
}  // namespace qlnx
