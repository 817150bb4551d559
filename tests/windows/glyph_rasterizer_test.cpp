#include "glyph_rasterizer_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "gui_driver.h"
#include "page_memory.h"
#include "surface_pixels.h"

namespace {

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

// Rasterises with the start-up glyph settings changed by `change`.
template <typename Change>
Surface& rasterized(Surface& glyph, GlyphOptions& options, const char* text, Change change) {
    setStartupGlyphOptions(options);
    change(options);
    rasterizeGlyph(GetDesktopWindow(), glyph, options, text);
    return glyph;
}

int opaqueCount(const Surface& glyph) {
    int count = 0;
    for (uint32_t pixel : pixelsOf(glyph)) count += (pixel >> 24) != 0;
    return count;
}

}  // namespace

TEST(GlyphRasterizer, WithoutEffectsTheImageIsGdisBlackBoxAtTheSampledSize) {
    GlyphOptions options;
    Surface glyph;
    rasterized(glyph, options, "あ", [](GlyphOptions& o) { o.sample = 2; });
    const GdiGlyph expected = measure(0x82A0, 52);
    EXPECT_EQ(glyph.getWidth(), static_cast<int>(expected.metrics.gmBlackBoxX));
    EXPECT_EQ(glyph.getHeight(), static_cast<int>(expected.metrics.gmBlackBoxY));
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB);
    EXPECT_EQ(options.topOffset, expected.text.tmAscent - expected.metrics.gmptGlyphOrigin.y);
    EXPECT_GT(opaqueCount(glyph), 100);
    for (uint32_t pixel : pixelsOf(glyph)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFFFF);
}

TEST(GlyphRasterizer, EffectsShrinkTheOutlineThenGrowItBack) {
    GlyphOptions plainOptions, options;
    Surface plain, glyph;
    rasterized(plain, plainOptions, "あ", [](GlyphOptions&) {});
    rasterized(glyph, options, "あ", [](GlyphOptions& o) {
        o.edgeOn = o.bevelOn = 1;
        o.edgeSize = 2;
        o.bevelSize = 3;
        o.bevelDirection = 3;
    });
    // The outline was drawn at 19/26 of its size, then grew by 4 and 3 pixels.
    EXPECT_NEAR(glyph.getWidth() - 7, plain.getWidth() * 19 / 26, 2);
    EXPECT_NEAR(glyph.getHeight() - 7, plain.getHeight() * 19 / 26, 2);
    EXPECT_EQ(options.topOffset, plainOptions.topOffset);  // measured on the unshrunk outline
}

TEST(GlyphRasterizer, TheHorizontalScaleDividesTheBearingsAndWidensTheBox) {
    GlyphOptions options;
    Surface glyph;
    rasterized(glyph, options, "A", [](GlyphOptions& o) { o.aspectX = 2.0f; });
    const GdiGlyph expected = measure('A', 26);
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA / 2);
    EXPECT_EQ(options.abc.abcC, expected.abc.abcC / 2);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB * 2);
    EXPECT_NEAR(glyph.getWidth(), 2 * static_cast<int>(expected.metrics.gmBlackBoxX), 2);
}

TEST(GlyphRasterizer, BoldWeightAndTheColoursLowBytes) {
    GlyphOptions bold, normal, picked;
    Surface heavy, plain, red;
    rasterized(heavy, bold, "字",
               [](GlyphOptions& o) { o.bold = 1, o.color = 0xFF0000FF; });  // /color,255,0,0
    rasterized(plain, normal, "字", [](GlyphOptions&) {});
    rasterized(red, picked, "字",
               [](GlyphOptions& o) { o.color = 0x000000FF; });  // red from the colour picker
    EXPECT_EQ(bold.textMetrics.tmWeight, measure('A', 26, FW_HEAVY).text.tmWeight);
    EXPECT_GT(opaqueCount(heavy), opaqueCount(plain));
    for (uint32_t pixel : pixelsOf(heavy)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFF0000);
    for (uint32_t pixel : pixelsOf(red)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFF0000);
}

TEST(GlyphRasterizer, SmallGlyphsHangLowBelowTheAscent) {
    GlyphOptions stop, bar;
    Surface glyph;
    rasterized(glyph, stop, "。", [](GlyphOptions&) {});
    EXPECT_GT(stop.topOffset, stop.textMetrics.tmAscent / 2);
    rasterized(glyph, bar, "|", [](GlyphOptions&) {});
    EXPECT_LT(bar.topOffset, bar.textMetrics.tmAscent / 4);
}

TEST(GlyphRasterizer, AnEmptyGlyphShowsTheBufferMessageAndStaysEmpty) {
    GlyphOptions options;
    Surface glyph;
    MessageBoxAnswerer answerer;
    rasterized(glyph, options, " ",
               [](GlyphOptions& o) { o.edgeOn = 1, o.edgeSize = 1, o.topOffset = 1234; });
    const std::vector<ShownBox> boxes = answerer.stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "ERROR Failed GetFontBuffer");
    EXPECT_EQ(glyph.getWidth(), 0);  // no effects grew it
    EXPECT_EQ(options.topOffset, 1234);
}

// A run's drawing threads keep one memory device context and one font for
// all their glyphs; the glyphs must be those of a font made per glyph on the
// window's device context.
TEST(GlyphRasterizer, ARunsDrawerDrawsWhatTheWindowsDeviceContextDraws) {
    GlyphOptions settings;
    setStartupGlyphOptions(settings);
    settings.sample = 3;
    settings.edgeOn = settings.bevelOn = 1;
    settings.edgeSize = 1;
    settings.bevelSize = 2;
    settings.bevelDirection = 9;
    settings.aspectX = 1.5f;
    GlyphOptions drawerOptions = settings;
    GlyphDrawer* drawer = openGlyphDrawer(drawerOptions);
    ASSERT_NE(drawer, nullptr);
    for (const char* text : {"A", "g", "あ", "漢", "。"}) {
        GlyphOptions windowOptions = settings;
        Surface expected, glyph;
        rasterizeGlyph(GetDesktopWindow(), expected, windowOptions, text);
        ASSERT_EQ(drawRunGlyph(drawer, glyph, drawerOptions, text), GlyphOutcome::Drawn);
        EXPECT_EQ(pixelsOf(glyph), pixelsOf(expected)) << text;
        EXPECT_EQ(glyph.getWidth(), expected.getWidth()) << text;
        EXPECT_EQ(drawerOptions.abc.abcA, windowOptions.abc.abcA) << text;
        EXPECT_EQ(drawerOptions.abc.abcB, windowOptions.abc.abcB) << text;
        EXPECT_EQ(drawerOptions.abc.abcC, windowOptions.abc.abcC) << text;
        EXPECT_EQ(drawerOptions.topOffset, windowOptions.topOffset) << text;
    }
    Surface blank;
    drawerOptions.topOffset = 77;
    EXPECT_EQ(drawRunGlyph(drawer, blank, drawerOptions, " "),
              GlyphOutcome::Empty);  // no message: the run shows it
    EXPECT_EQ(blank.getWidth(), 0);
    EXPECT_EQ(drawerOptions.topOffset, 77);
    closeGlyphDrawer(drawer);
}

// Any buffer of a glyph that is not granted (its bitmap, its image, the
// effects' masks) makes it out of memory, never a character without an
// image: nothing is shown, and a run would end.
TEST(GlyphRasterizer, MemoryThatRunsOutIsNotAnEmptyGlyph) {
    GlyphOptions settings;
    setStartupGlyphOptions(settings);
    settings.edgeOn = settings.bevelOn = 1;
    settings.edgeSize = settings.bevelSize = 1;
    settings.bevelDirection = 3;
    GlyphOptions drawerOptions = settings;
    GlyphDrawer* drawer = openGlyphDrawer(drawerOptions);
    ASSERT_NE(drawer, nullptr);
    static int allocations, refused;
    setAllocationRefusal([] { return ++allocations == refused; });
    allocations = refused = 0;
    Surface whole;
    EXPECT_EQ(drawRunGlyph(drawer, whole, drawerOptions, "あ"), GlyphOutcome::Drawn);
    const int count = allocations;
    EXPECT_GE(count, 3);
    for (refused = 1; refused <= count; ++refused) {
        allocations = 0;
        Surface glyph;
        EXPECT_EQ(drawRunGlyph(drawer, glyph, drawerOptions, "あ"), GlyphOutcome::OutOfMemory) << refused;
        EXPECT_EQ(glyph.getWidth(), 0) << refused;
    }
    MessageBoxAnswerer answerer;
    allocations = 0;
    refused = 1;  // the bitmap
    Surface shown;
    EXPECT_EQ(drawGlyphOutline(GetDesktopWindow(), shown, settings, "あ"), GlyphOutcome::OutOfMemory);
    EXPECT_TRUE(answerer.stop().empty());
    setAllocationRefusal(nullptr);
    closeGlyphDrawer(drawer);
}
