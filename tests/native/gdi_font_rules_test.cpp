#include "glyphs/gdi_font_rules.h"

#include <gtest/gtest.h>

// The rules on faces the IPA fonts do not reach; the comparison with GDI
// under Wine covers the faces that are installed.
namespace {

FaceFigures gothicLike() {
    FaceFigures f = {};
    f.unitsPerEm = 2048;
    f.os2Version = 3;
    f.averageWidth = 1024;
    f.weightClass = 400;
    f.firstCharIndex = 0x20;
    f.lastCharIndex = 0xFFE5;
    f.winAscent = 1802;
    f.winDescent = 246;
    f.ascender = 1802;
    f.descender = -246;
    f.boxXMin = -20;
    f.boxXMax = 2068;
    f.panose[0] = 2;
    f.panose[3] = 9;  // monospaced
    return f;
}

}  // namespace

TEST(GdiFontRules, PixelsPerEmComeFromTheCellHeight) {
    FaceFigures f = gothicLike();
    EXPECT_EQ(ppemForCellHeight(f, 52), 52);
    EXPECT_EQ(ppemForCellHeight(f, 0), 16);    // no height: the default one
    EXPECT_EQ(ppemForCellHeight(f, -30), 30);  // a negative height is the em itself
    f.winAscent = 1900;
    f.winDescent = 400;
    EXPECT_EQ(ppemForCellHeight(f, 41), 36);     // 37 rounded up would overshoot 41 pixels
    f.winDescent = static_cast<uint16_t>(-400);  // a signed descent in the unsigned field
    EXPECT_EQ(ppemForCellHeight(f, 41), 36);
    f.winAscent = f.winDescent = 0;  // no Windows metrics: hhea's
    f.ascender = 1600;
    f.descender = -448;
    EXPECT_EQ(ppemForCellHeight(f, 52), 52);
}

TEST(GdiFontRules, TextMetricsInvertThePitchBitAndSimulateBold) {
    const FaceFigures fixed = gothicLike();
    const TextMetrics plain = textMetricsOf(fixed, 52, {false, false}, 128);
    EXPECT_EQ(plain.tmPitchAndFamily, 0x30 | 0x02 | 0x04);  // modern, no "variable" bit, vector, TrueType
    EXPECT_EQ(plain.tmWeight, 400);
    EXPECT_EQ(plain.tmFirstChar, 0x1E);  // one below the default character, 0x1F
    const TextMetrics bold = textMetricsOf(fixed, 52, {true, true}, 128);
    EXPECT_EQ(bold.tmWeight, 700);
    EXPECT_EQ(bold.tmAveCharWidth, plain.tmAveCharWidth + 1);
    EXPECT_EQ(bold.tmMaxCharWidth, plain.tmMaxCharWidth + 1);
    EXPECT_EQ(bold.tmItalic, 255);

    FaceFigures proportional = fixed;
    proportional.panose[3] = 3;
    proportional.panose[1] = 11;  // sans serif
    proportional.postscriptOutlines = true;
    EXPECT_EQ(textMetricsOf(proportional, 52, {}, 128).tmPitchAndFamily, 0x20 | 0x01 | 0x02 | 0x08);
    EXPECT_FALSE(fontFactsOf(proportional, 52, {}).fixedPitch);
    EXPECT_TRUE(fontFactsOf(fixed, 52, {}).fixedPitch);
}

TEST(GdiFontRules, BoxesAreWholePixelsAroundTheOutline) {
    FT_Glyph_Metrics m = {};
    m.horiBearingX = -70;  // -1.09 pixels
    m.horiBearingY = 1000;
    m.width = 700;
    m.height = 1100;
    const FT_BBox plain = transformedBox(m, glyphMatrixFor(false, nullptr));
    EXPECT_EQ(plain.xMin, -128);  // floor
    EXPECT_EQ(plain.xMax, 640);   // ceiling of 630
    EXPECT_EQ(plain.yMax, 1024);
    EXPECT_EQ(plain.yMin, -128);
    const GlyphTransform half = {1 << 15, 0, 0, 1 << 16};
    const FT_BBox halved = transformedBox(m, glyphMatrixFor(false, &half));
    EXPECT_EQ(halved.xMin, -64);
    EXPECT_EQ(halved.xMax, 320);
    const FT_BBox slanted = transformedBox(m, glyphMatrixFor(true, nullptr));
    EXPECT_GT(slanted.xMax, plain.xMax);  // the top leans right by a quarter of its height
}

TEST(GdiFontRules, FullWidthGlyphsOfFixedPitchFacesAdvanceTwiceTheAverage) {
    // At 19 pixels the average width rounds to 10, and a full-width glyph
    // (19 pixels by its own advance) takes 20, as two half-width ones do.
    FaceFigures face = gothicLike();
    FT_Glyph_Metrics m = {};
    m.horiBearingX = 64;
    m.horiBearingY = 1000;
    m.width = 1000;
    m.height = 1000;
    m.horiAdvance = 19 * 64;
    const GlyphMatrix none = glyphMatrixFor(false, nullptr);
    const FT_BBox box = transformedBox(m, none);
    const GlyphLayout full = glyphLayout(fontFactsOf(face, 19, {}), m, box, none);
    EXPECT_EQ(full.box.cellIncX, 20);
    EXPECT_EQ(full.abc.abcA + static_cast<int32_t>(full.abc.abcB) + full.abc.abcC, 20);
    EXPECT_EQ(glyphLayout(fontFactsOf(face, 19, {true, false}), m, box, none).box.cellIncX,
              21);       // bold: a pixel more
    face.panose[3] = 3;  // proportional: the glyph's own advance
    EXPECT_EQ(glyphLayout(fontFactsOf(face, 19, {}), m, box, none).box.cellIncX, 19);

    FT_Glyph_Metrics blank = {};
    const GlyphLayout empty =
        glyphLayout(fontFactsOf(face, 19, {}), blank, transformedBox(blank, none), none);
    EXPECT_EQ(empty.abc.abcB, 1u);  // never less than a pixel
    EXPECT_EQ(empty.box.blackBoxX, 1u);
    EXPECT_EQ(empty.box.blackBoxY, 1u);
}
