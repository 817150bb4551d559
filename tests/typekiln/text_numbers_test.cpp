#include "text_numbers.h"

#include <gtest/gtest.h>

#include <cfloat>

TEST(TextToInt, ConvertsLikeAtoi) {
    EXPECT_EQ(textToInt("26"), 26);
    EXPECT_EQ(textToInt("  -5,7"), -5);
    EXPECT_EQ(textToInt("+12px"), 12);
    EXPECT_EQ(textToInt("abc"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("-"), 0);
    EXPECT_EQ(textToInt("\t\n 7"), 7);
}

TEST(TextToInt, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(textToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(textToInt("2147483648"), INT32_MAX);
    EXPECT_EQ(textToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(textToInt("-99999999999999999999999"), INT32_MIN);
}

TEST(TextToFloat, ConvertsDecimalRealsLikeAtof) {
    EXPECT_EQ(textToFloat("1.5,0.8"), 1.5f);
    EXPECT_EQ(textToFloat(" 0.8"), 0.8f);
    EXPECT_EQ(textToFloat("-2.5e1x"), -25.0f);
    EXPECT_EQ(textToFloat(".5"), 0.5f);
    EXPECT_EQ(textToFloat("3."), 3.0f);
    EXPECT_EQ(textToFloat("1e"), 1.0f);
    EXPECT_EQ(textToFloat("1e+"), 1.0f);
    EXPECT_EQ(textToFloat("abc"), 0.0f);
}

TEST(TextToFloat, RefusesSpecialFormsAndStaysInTheFloatRange) {
    EXPECT_EQ(textToFloat("inf"), 0.0f);
    EXPECT_EQ(textToFloat("nan"), 0.0f);
    EXPECT_EQ(textToFloat("0x10"), 0.0f);
    EXPECT_EQ(textToFloat("1e999"), FLT_MAX);
    EXPECT_EQ(textToFloat("-1e39"), -FLT_MAX);
}
