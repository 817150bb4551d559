#include "generation_settings.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GenerationSettings, StartupValues) {
    GenerationSettings s;
    std::memset(&s, 0x55, sizeof s);
    setStartupSettings(s);
    EXPECT_STREQ(s.inputPath, "");
    EXPECT_STREQ(s.outName, "font");
    EXPECT_EQ(s.pageWidthIndex, 1);
    EXPECT_EQ(s.pageHeightIndex, 1);
    EXPECT_EQ(s.pageFormat, Tga32);
    const GlyphOptions& g = s.glyphOptions;
    EXPECT_STREQ(g.face, "ＭＳ ゴシック");
    EXPECT_EQ(g.size, 26);
    EXPECT_EQ(g.sample, 1);
    EXPECT_EQ(g.color, 0xFFFFFFFFu);
    EXPECT_EQ(g.aspectX, 1.0f);
    EXPECT_EQ(g.aspectY, 1.0f);
    EXPECT_EQ(g.bold + g.italic + g.fixPitch + g.edgeOn + g.bevelOn, 0);
    EXPECT_EQ(g.edgeSize + g.bevelSize + g.bevelDirection, 0);
    EXPECT_EQ(g.edgeColor, 0u);
    EXPECT_EQ(g.bevelColor, 0u);
    EXPECT_EQ(g.topOffset, 0);
    EXPECT_EQ(g.font, nullptr);
}

TEST(GenerationSettings, PackedColoursKeepRedLow) {
    EXPECT_EQ(packColour(0x10, 0x20, 0x30, 0xFF), 0xFF302010u);
    EXPECT_EQ(packColour(0x110, 0, 0, 0), 0x10u);
    EXPECT_EQ(redOf(0xFF302010u), 0x10u);
    EXPECT_EQ(greenOf(0xFF302010u), 0x20u);
    EXPECT_EQ(blueOf(0xFF302010u), 0x30u);
}
