#include "glyph_rasterizer_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "program_driver.h"
#include "surface_pixels.h"

namespace {

GlyphOptions startupGlyph() {
    GlyphOptions options;
    setStartupGlyphOptions(options);
    return options;
}

// What GDI itself says of a character at a height, measured without the rasteriser.
struct GdiGlyph {
    GLYPHMETRICS metrics;
    ABC abc;
    TEXTMETRICA text;
};

GdiGlyph measure(UINT code, int height, int weight = FW_DONTCARE) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    HGDIOBJ previous = SelectObject(dc, font);
    GdiGlyph g = {};
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GetGlyphOutlineA(dc, code, GGO_BITMAP, &g.metrics, 0, nullptr, &identity);
    GetCharABCWidthsA(dc, code, code, &g.abc);
    GetTextMetricsA(dc, &g.text);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return g;
}

int opaqueCount(const Surface& glyph) {
    int count = 0;
    for (uint32_t pixel : pixelsOf(glyph))
        count += (pixel >> 24) != 0;
    return count;
}

}  // namespace

TEST(GlyphRasterizer, WithoutEffectsTheImageIsGdisBlackBoxAtTheSampledSize) {
    GlyphOptions options = startupGlyph();
    options.sample = 2;
    Surface glyph;
    rasterizeGlyph(GetDesktopWindow(), glyph, options, "あ");
    const GdiGlyph expected = measure(0x82A0, 52);
    EXPECT_EQ(glyph.getWidth(), static_cast<int>(expected.metrics.gmBlackBoxX));
    EXPECT_EQ(glyph.getHeight(), static_cast<int>(expected.metrics.gmBlackBoxY));
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB);
    EXPECT_EQ(options.textMetrics.tmAscent, expected.text.tmAscent);
    EXPECT_EQ(options.topOffset, expected.text.tmAscent - expected.metrics.gmptGlyphOrigin.y);
    EXPECT_GT(opaqueCount(glyph), 100);
    for (uint32_t pixel : pixelsOf(glyph))
        ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFFFF);
}

TEST(GlyphRasterizer, EffectsShrinkTheOutlineThenGrowItBack) {
    GlyphOptions options = startupGlyph();
    options.edgeOn = 1;
    options.edgeSize = 2;
    options.bevelOn = 1;
    options.bevelSize = 3;
    options.bevelDirection = 3;
    Surface plain;
    GlyphOptions plainOptions = startupGlyph();
    rasterizeGlyph(GetDesktopWindow(), plain, plainOptions, "あ");
    Surface glyph;
    rasterizeGlyph(GetDesktopWindow(), glyph, options, "あ");
    // The outline was drawn at 19/26 of its size, then grew by 4 and 3 pixels.
    EXPECT_LT(glyph.getWidth(), plain.getWidth() + 7);
    EXPECT_NEAR(glyph.getWidth() - 7, plain.getWidth() * 19 / 26, 2);
    EXPECT_NEAR(glyph.getHeight() - 7, plain.getHeight() * 19 / 26, 2);
    EXPECT_EQ(options.topOffset, plainOptions.topOffset);  // measured on the unshrunk outline
}

TEST(GlyphRasterizer, TheHorizontalScaleDividesTheBearingsAndWidensTheBox) {
    GlyphOptions options = startupGlyph();
    options.aspectX = 2.0f;
    Surface glyph;
    rasterizeGlyph(GetDesktopWindow(), glyph, options, "A");
    const GdiGlyph expected = measure('A', 26);
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA / 2);
    EXPECT_EQ(options.abc.abcC, expected.abc.abcC / 2);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB * 2);
    EXPECT_NEAR(glyph.getWidth(), 2 * static_cast<int>(expected.metrics.gmBlackBoxX), 2);
}

TEST(GlyphRasterizer, BoldAsksForTheHeaviestWeight) {
    GlyphOptions bold = startupGlyph();
    bold.bold = 1;
    Surface glyph;
    rasterizeGlyph(GetDesktopWindow(), glyph, bold, "A");
    GlyphOptions normal = startupGlyph();
    Surface plain;
    rasterizeGlyph(GetDesktopWindow(), plain, normal, "A");
    EXPECT_EQ(bold.textMetrics.tmWeight, measure('A', 26, FW_HEAVY).text.tmWeight);
    EXPECT_GT(bold.textMetrics.tmWeight, normal.textMetrics.tmWeight);
    EXPECT_GT(opaqueCount(glyph), opaqueCount(plain));
}

TEST(GlyphRasterizer, OnlyTheLowBytesOfTheColourCount) {
    GlyphOptions fromOption = startupGlyph();
    fromOption.color = 0xFF0000FF;  // /color,255,0,0
    GlyphOptions fromPicker = startupGlyph();
    fromPicker.color = 0x000000FF;  // the same red from the colour picker
    Surface a, b;
    rasterizeGlyph(GetDesktopWindow(), a, fromOption, "字");
    rasterizeGlyph(GetDesktopWindow(), b, fromPicker, "字");
    EXPECT_EQ(pixelsOf(a), pixelsOf(b));
    for (uint32_t pixel : pixelsOf(a))
        ASSERT_TRUE(pixel == 0 || pixel == 0xFFFF0000);
}

TEST(GlyphRasterizer, SmallGlyphsHangLowBelowTheAscent) {
    GlyphOptions stop = startupGlyph();
    Surface glyph;
    rasterizeGlyph(GetDesktopWindow(), glyph, stop, "。");
    EXPECT_GT(stop.topOffset, stop.textMetrics.tmAscent / 2);
    GlyphOptions tall = startupGlyph();
    rasterizeGlyph(GetDesktopWindow(), glyph, tall, "|");
    EXPECT_LT(tall.topOffset, tall.textMetrics.tmAscent / 4);
}

TEST(GlyphRasterizer, AnEmptyGlyphShowsTheBufferMessageAndStaysEmpty) {
    GlyphOptions options = startupGlyph();
    options.edgeOn = 1;
    options.edgeSize = 1;
    options.topOffset = 1234;
    Surface glyph;
    MessageBoxAnswerer answerer;
    rasterizeGlyph(GetDesktopWindow(), glyph, options, " ");
    const std::vector<MessageBoxSeen> boxes = answerer.stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "ERROR Failed GetFontBuffer");
    EXPECT_EQ(glyph.getWidth(), 0);  // no effects grew it
    EXPECT_EQ(options.topOffset, 1234);
}
