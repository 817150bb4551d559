#include "glyphs/glyph_drawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/refused_allocation.h"
#include "tests/support/surface_pixels.h"

// Glyphs drawn through the glyph source of the build: GDI under Wine,
// FreeType natively (with the IPA fonts the setup installs).
namespace {

// Rasterises `text` with the start-up glyph settings changed by `change`.
template <typename Change>
bool rasterized(Surface& glyph, GlyphOptions& options, const char* text, Change change) {
    setStartupGlyphOptions(options);
    change(options);
    const char* problem = nullptr;
    const GlyphOutcome outcome = rasterizeGlyph(glyph, options, text, &problem);
    EXPECT_EQ(problem, nullptr);
    return outcome == GlyphOutcome::Drawn;
}

int opaqueCount(const Surface& glyph) {
    int count = 0;
    for (uint32_t pixel : pixelsOf(glyph)) count += (pixel >> 24) != 0;
    return count;
}

// What the glyph source itself says of a character, without the drawing.
struct SourceGlyph {
    GlyphBoxMetrics box;
    AbcWidths abc;
    TextMetrics text;
};

SourceGlyph measured(uint16_t code, const GlyphOptions& options) {
    const GlyphFontOpening opening = openGlyphFont(options);
    SourceGlyph g = {};
    if (!opening.font) return g;
    measureGlyphBitmap(*opening.font, code, {1 << 16, 0, 0, 1 << 16}, &g.box);
    g.abc = glyphAbcWidths(*opening.font, code);
    g.text = glyphTextMetrics(*opening.font);
    closeGlyphFont(opening.font);
    return g;
}

}  // namespace

TEST(GlyphDrawing, WithoutEffectsTheImageIsTheBlackBoxAtTheSampledSize) {
    GlyphOptions options;
    Surface glyph;
    ASSERT_TRUE(rasterized(glyph, options, "あ", [](GlyphOptions& o) { o.sample = 2; }));
    const SourceGlyph expected = measured(0x82A0, options);
    EXPECT_EQ(glyph.getWidth(), static_cast<int>(expected.box.blackBoxX));
    EXPECT_EQ(glyph.getHeight(), static_cast<int>(expected.box.blackBoxY));
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB);
    EXPECT_EQ(options.topOffset, expected.text.tmAscent - expected.box.originY);
    EXPECT_GT(opaqueCount(glyph), 100);
    for (uint32_t pixel : pixelsOf(glyph)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFFFF);
}

TEST(GlyphDrawing, EffectsShrinkTheOutlineThenGrowItBack) {
    GlyphOptions plainOptions, options;
    Surface plain, glyph;
    ASSERT_TRUE(rasterized(plain, plainOptions, "あ", [](GlyphOptions&) {}));
    ASSERT_TRUE(rasterized(glyph, options, "あ", [](GlyphOptions& o) {
        o.edgeOn = o.bevelOn = 1;
        o.edgeSize = 2;
        o.bevelSize = 3;
        o.bevelDirection = 3;
    }));
    // The outline was drawn at 19/26 of its size, then grew by 4 and 3 pixels.
    EXPECT_NEAR(glyph.getWidth() - 7, plain.getWidth() * 19 / 26, 2);
    EXPECT_NEAR(glyph.getHeight() - 7, plain.getHeight() * 19 / 26, 2);
    EXPECT_EQ(options.topOffset, plainOptions.topOffset);  // measured on the unshrunk outline
}

TEST(GlyphDrawing, TheHorizontalScaleDividesTheBearingsAndWidensTheBox) {
    GlyphOptions options;
    Surface glyph;
    ASSERT_TRUE(rasterized(glyph, options, "A", [](GlyphOptions& o) { o.aspectX = 2.0f; }));
    GlyphOptions plain;
    setStartupGlyphOptions(plain);
    const SourceGlyph expected = measured('A', plain);
    EXPECT_EQ(options.abc.abcA, expected.abc.abcA / 2);
    EXPECT_EQ(options.abc.abcC, expected.abc.abcC / 2);
    EXPECT_EQ(options.abc.abcB, expected.abc.abcB * 2);
    EXPECT_NEAR(glyph.getWidth(), 2 * static_cast<int>(expected.box.blackBoxX), 2);
}

TEST(GlyphDrawing, BoldThickensAndOnlyTheColoursLowBytesCount) {
    GlyphOptions bold, normal, picked;
    Surface heavy, plain, red;
    rasterized(heavy, bold, "字",
               [](GlyphOptions& o) { o.bold = 1, o.color = 0xFF0000FF; });  // /color,255,0,0
    rasterized(plain, normal, "字", [](GlyphOptions&) {});
    rasterized(red, picked, "字",
               [](GlyphOptions& o) { o.color = 0x000000FF; });  // red from the colour picker
    EXPECT_EQ(bold.textMetrics.tmWeight, 700);                  // the face has no bold: it is made bold
    EXPECT_GT(opaqueCount(heavy), opaqueCount(plain));
    for (uint32_t pixel : pixelsOf(heavy)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFF0000);
    for (uint32_t pixel : pixelsOf(red)) ASSERT_TRUE(pixel == 0 || pixel == 0xFFFF0000);
}

TEST(GlyphDrawing, SmallGlyphsHangLowBelowTheAscent) {
    GlyphOptions stop, bar;
    Surface glyph, other;
    rasterized(glyph, stop, "。", [](GlyphOptions&) {});
    EXPECT_GT(stop.topOffset, stop.textMetrics.tmAscent / 2);
    rasterized(other, bar, "|", [](GlyphOptions&) {});
    EXPECT_LT(bar.topOffset, bar.textMetrics.tmAscent / 4);
}

TEST(GlyphDrawing, ABlankCharacterGivesNoImageAndLeavesTheOffset) {
    GlyphOptions options;
    Surface glyph;
    EXPECT_FALSE(rasterized(glyph, options, " ",
                            [](GlyphOptions& o) { o.edgeOn = 1, o.edgeSize = 1, o.topOffset = 1234; }));
    EXPECT_EQ(glyph.getWidth(), 0);  // no effects grew it
    EXPECT_EQ(options.topOffset, 1234);
}

// A drawing thread keeps one font for all its glyphs; each glyph must be what
// a font of its own draws, whatever was drawn before it.
TEST(GlyphDrawing, ARunsDrawerDrawsWhatAFontPerGlyphDraws) {
    GlyphOptions settings;
    setStartupGlyphOptions(settings);
    settings.sample = 3;
    settings.edgeOn = settings.bevelOn = 1;
    settings.edgeSize = 1;
    settings.bevelSize = 2;
    settings.bevelDirection = 9;
    settings.aspectX = 1.5f;
    settings.italic = 1;
    GlyphOptions drawerOptions = settings;
    const char* problem = nullptr;
    void* drawer = openRunDrawer(nullptr, drawerOptions, &problem);
    ASSERT_NE(drawer, nullptr);
    for (const char* text : {"A", "A", "g", "あ", "漢", "漢", "。"}) {
        GlyphOptions ownOptions = settings;
        Surface expected, glyph;
        ASSERT_EQ(rasterizeGlyph(expected, ownOptions, text, &problem), GlyphOutcome::Drawn);
        ASSERT_EQ(drawRunGlyph(drawer, glyph, drawerOptions, text), GlyphOutcome::Drawn);
        EXPECT_EQ(pixelsOf(glyph), pixelsOf(expected)) << text;
        EXPECT_EQ(glyph.getWidth(), expected.getWidth()) << text;
        EXPECT_EQ(drawerOptions.abc.abcA, ownOptions.abc.abcA) << text;
        EXPECT_EQ(drawerOptions.abc.abcB, ownOptions.abc.abcB) << text;
        EXPECT_EQ(drawerOptions.abc.abcC, ownOptions.abc.abcC) << text;
        EXPECT_EQ(drawerOptions.topOffset, ownOptions.topOffset) << text;
    }
    Surface blank;
    drawerOptions.topOffset = 77;
    EXPECT_EQ(drawRunGlyph(drawer, blank, drawerOptions, " "), GlyphOutcome::Empty);
    EXPECT_EQ(blank.getWidth(), 0);
    EXPECT_EQ(drawerOptions.topOffset, 77);
    closeRunDrawer(drawer);
}

// Any buffer of a glyph that is not granted (its bitmap, its image, the
// effects' masks) makes it out of memory, never a character without an
// image: a run ends rather than placing an empty cell.
TEST(GlyphDrawing, MemoryThatRunsOutIsNotAnEmptyGlyph) {
    GlyphOptions options;
    setStartupGlyphOptions(options);
    options.edgeOn = options.bevelOn = 1;
    options.edgeSize = options.bevelSize = 1;
    options.bevelDirection = 3;
    const char* problem = nullptr;
    void* drawer = openRunDrawer(nullptr, options, &problem);
    ASSERT_NE(drawer, nullptr);
    {
        RefusedAllocation refusal;
        Surface whole;
        EXPECT_EQ(drawRunGlyph(drawer, whole, options, "あ"), GlyphOutcome::Drawn);
        const int64_t count = refusal.count();
        EXPECT_GE(count, 3);
        for (int64_t refused = 1; refused <= count; ++refused) {
            refusal.refuse(refused);
            Surface glyph;
            EXPECT_EQ(drawRunGlyph(drawer, glyph, options, "あ"), GlyphOutcome::OutOfMemory) << refused;
            EXPECT_EQ(glyph.getWidth(), 0) << refused;
        }
    }
    closeRunDrawer(drawer);
}
