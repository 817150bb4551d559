#include "engine/text_numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>

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

TEST(TextNumbers, RealsAreWrittenShortestWithOnePlaceAtLeastAndReadBackUnchanged) {
    const std::pair<float, std::string> cases[] = {{1.0f, "1.0"},   {1.5f, "1.5"},     {1.25f, "1.25"},
                                                   {0.8f, "0.8"},   {1.26f, "1.26"},   {0.0f, "0.0"},
                                                   {-2.5f, "-2.5"}, {100.0f, "100.0"}, {0.001f, "0.001"}};
    char text[256];
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(formatReal(value, text, sizeof text), expected.size());
        EXPECT_EQ(text, expected);
    }
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_GT(formatReal(value, text, sizeof text), 0u);
        ASSERT_EQ(textToFloat(text), value) << text;
    }
    EXPECT_EQ(formatReal(FLT_MAX, text, 10), 0u);  // does not fit: nothing half-written
    EXPECT_STREQ(text, "");
}
