#include "text_numbers.h"

#include <gtest/gtest.h>

#include <cfloat>

TEST(TextNumbers, IntegersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(textToInt("  -5,7"), -5);
    EXPECT_EQ(textToInt("2147483648"), INT32_MAX);
    EXPECT_EQ(textToInt("-99999999999999999999999"), INT32_MIN);
}

TEST(TextNumbers, RealsAreDecimalOnlyAndStayInTheFloatRange) {
    EXPECT_EQ(textToFloat("-2.5e1x"), -25.0f);
    EXPECT_EQ(textToFloat("1e+"), 1.0f);
    EXPECT_EQ(textToFloat("inf"), 0.0f);
    EXPECT_EQ(textToFloat("nan"), 0.0f);
    EXPECT_EQ(textToFloat("0x10"), 0.0f);
    EXPECT_EQ(textToFloat("1e999"), FLT_MAX);
    EXPECT_EQ(textToFloat("-1e39"), -FLT_MAX);
}
