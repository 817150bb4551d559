#include "engine/effects.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/reference_effects.h"
#include "tests/support/surface_pixels.h"

namespace {

constexpr uint32_t kGlyph = 0xFFFFFFFF;  // white body
constexpr uint32_t kEdge = 0x000000FF;   // packed colour: red
constexpr uint32_t kBevel = 0x00FF0000;  // packed colour: blue

GlyphOptions options(int sample = 1) {
    GlyphOptions o{};
    o.sample = sample;
    o.edgeColor = kEdge;
    o.bevelColor = kBevel;
    return o;
}

// Draws a glyph from rows of text: '#' is a body pixel, '.' is transparent.
void draw(Surface& s, const std::vector<std::string>& rows) {
    s.create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#') s.setPixel(static_cast<int>(x), static_cast<int>(y), kGlyph);
}

// The image as rows of text: '#' body, 'e' edge, 'b' extrusion, '.' transparent.
std::vector<std::string> picture(const Surface& s) {
    std::vector<std::string> rows(s.getHeight());
    const std::vector<uint32_t> pixels = pixelsOf(s);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i];
        rows[i / s.getWidth()] += (p >> 24) == 0    ? '.'
                                  : p == kGlyph     ? '#'
                                  : p == 0xFFFF0000 ? 'e'
                                  : p == 0xFF0000FF ? 'b'
                                                    : '?';
    }
    return rows;
}

std::vector<std::string> edged(int sample, int size, const std::vector<std::string>& glyph) {
    GlyphOptions o = options(sample);
    o.edgeOn = 1;
    o.edgeSize = size;
    Surface s;
    draw(s, glyph);
    applyEdge(o, s);
    return picture(s);
}

std::vector<std::string> bevelled(int code, int depth, const std::vector<std::string>& glyph) {
    GlyphOptions o = options();
    o.bevelOn = 1;
    o.bevelSize = depth;
    o.bevelDirection = code;
    Surface s;
    draw(s, glyph);
    applyBevel(o, s);
    return picture(s);
}

// A glyph of random size with body pixels of random colours, about one in
// density + 1 of them covered.
void drawRandomGlyph(std::mt19937& random, int maxSide, int density, Surface& glyph) {
    std::uniform_int_distribution<int> side(1, maxSide);
    std::uniform_int_distribution<int> coin(0, density);
    glyph.create(side(random), side(random));
    for (int y = 0; y < glyph.getHeight(); ++y)
        for (int x = 0; x < glyph.getWidth(); ++x)
            if (coin(random) == 0) glyph.setPixel(x, y, 0xFF000000u | random() % 0xFFFFFF);
}

// The product's edge and extrusion against the straightforward ones, pixel
// for pixel, transparent pixels' colours included.
void expectSameAsReference(const GlyphOptions& o, std::mt19937& random, int maxSide, int density,
                           const std::string& what) {
    Surface glyph, separate, together, reference;
    drawRandomGlyph(random, maxSide, density, glyph);
    separate.copyFrom(glyph);
    together.copyFrom(glyph);
    reference.copyFrom(glyph);
    applyEdge(o, separate);
    applyBevel(o, separate);
    applyEffects(o, together);
    referenceApplyEdge(o, reference);
    referenceApplyBevel(o, reference);
    const std::vector<uint32_t> expected = pixelsOf(reference);
    ASSERT_EQ(separate.getWidth(), reference.getWidth()) << what;
    ASSERT_EQ(separate.getHeight(), reference.getHeight()) << what;
    ASSERT_EQ(pixelsOf(separate), expected)
        << what << ", sample " << o.sample << ", edge " << o.edgeSize << ", depth " << o.bevelSize << ", "
        << glyph.getWidth() << " x " << glyph.getHeight();
    ASSERT_EQ(together.getWidth(), reference.getWidth()) << what << ", in one pass";
    ASSERT_EQ(pixelsOf(together), expected) << what << ", in one pass, sample " << o.sample << ", edge "
                                            << o.edgeSize << ", depth " << o.bevelSize;
}

uint32_t reducedPixel(const Surface& s, int x, int y) {
    uint32_t p;
    s.getPixel(x, y, &p);
    return p;
}

}  // namespace

TEST(Edge, GrowsByTheSampledSizeAndCutsCornersOnTheLastOfSeveralPasses) {
    EXPECT_EQ(edged(1, 1, {"#"}), (std::vector<std::string>{"eee", "e#e", "eee"}));
    EXPECT_EQ(edged(1, 2, {"#"}), (std::vector<std::string>{".eee.", "eeeee", "ee#ee", "eeeee", ".eee."}));
    EXPECT_EQ(edged(2, 1, {"##"}),
              (std::vector<std::string>{".eeee.", "eeeeee", "ee##ee", "eeeeee", ".eeee."}));
    EXPECT_EQ(edged(1, 0, {"#.", ".#"}), (std::vector<std::string>{"#.", ".#"}));
}

TEST(Edge, MatchesGrowingOnePixelAtATime) {
    std::mt19937 random(11);
    for (int sample = 1; sample <= 3; ++sample) {
        for (int size = 1; size <= 3; ++size) {
            for (int density = 0; density < 6; ++density) {
                GlyphOptions o = options(sample);
                o.edgeOn = 1;
                o.edgeSize = size;
                o.edgeColor = random() & 0xFFFFFF;
                expectSameAsReference(o, random, 24, density, "edge");
            }
        }
    }
}

TEST(Bevel, MatchesStackingEveryLayer) {
    std::mt19937 random(12);
    for (int code = -1; code <= 10; ++code) {
        for (int depth = 0; depth <= 8; ++depth) {
            for (int density = 0; density < 4; ++density) {
                GlyphOptions o = options();
                o.bevelOn = 1;
                o.bevelSize = depth;
                o.bevelDirection = code;
                o.bevelColor = random() & 0xFFFFFF;
                expectSameAsReference(o, random, 16, density, "code " + std::to_string(code));
            }
        }
    }
}

// Edge and extrusion as the rasteriser applies them, at sizes the settings
// allow for large fonts: sample 8 with an edge of 3 and an extrusion of 2.
TEST(Effects, TogetherMatchTheStraightforwardPassesAtHighSampling) {
    std::mt19937 random(13);
    const int settings[][4] = {{2, 1, 1, 7}, {4, 2, 1, 1}, {8, 3, 2, 3}, {8, 1, 3, 9}, {5, 0, 2, 6}};
    for (const auto& s : settings) {
        GlyphOptions o = options(s[0]);
        o.edgeOn = 1;
        o.edgeSize = s[1];
        o.bevelOn = 1;
        o.bevelSize = s[2];
        o.bevelDirection = s[3];
        expectSameAsReference(o, random, 70, 3, "sample " + std::to_string(s[0]));
    }
}

TEST(Bevel, EveryDirectionGrowsAndPlacesTheFaceAsItsKeypadKeyPoints) {
    const std::vector<std::string> glyph = {"##", "#."};
    const std::vector<std::string> expected[10] = {
        {"##", "#."},
        {".bb.", "##..", "#...", "...."},
        {"bb", "##", "#.", ".."},
        {"bb..", "b##.", ".#..", "...."},  // the far layer is cut, the last row and column stay empty
        {"##bb", "#bb."},
        {"##", "#."},
        {"b##.", "b#.."},
        {"##..", "#bb.", ".bbb", "..b."},
        {"##", "#b", "bb", "b."},
        {".##.", "b#..", "b...", "...."},
    };
    for (int code = 0; code < 10; ++code)
        EXPECT_EQ(bevelled(code, 2, glyph), expected[code]) << "code " << code;
    EXPECT_EQ(bevelled(11, 2, glyph), expected[0]);  // unknown codes extrude in place
}

TEST(Bevel, DepthZeroStillShiftsTowardTheFarSide) {
    EXPECT_EQ(bevelled(2, 0, {"#.", ".#"}), (std::vector<std::string>{".#", ".."}));
    EXPECT_EQ(bevelled(6, 0, {"#.", ".#"}), (std::vector<std::string>{"..", "#."}));
    EXPECT_EQ(bevelled(8, 0, {"#.", ".#"}), (std::vector<std::string>{"#.", ".#"}));
}

TEST(ReduceSamples, ColourIsTheMeanOfCoveredSamplesAndAlphaTheCoverage) {
    Surface s;
    s.create(4, 2);
    s.setPixel(0, 0, 0xFFFF0000);  // block 1: one red sample of four
    s.setPixel(2, 0, 0xFFFF0000);  // block 2: one red and one blue
    s.setPixel(3, 1, 0xFF0000FF);
    reduceSamples(s, options(2));
    ASSERT_EQ(s.getWidth(), 2);
    EXPECT_EQ(pixelsOf(s), (std::vector<uint32_t>{0x3FFF0000u, 0x7F7F007Fu}));
    reduceSamples(s, options(1));
    EXPECT_EQ(pixelsOf(s), (std::vector<uint32_t>{0x3FFF0000u, 0x7F7F007Fu}));
}

TEST(ReduceSamples, BlocksPastTheEdgeCountMissingSamplesAsTransparent) {
    Surface s;
    s.create(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) s.setPixel(x, y, 0xFFFFFFFF);
    reduceSamples(s, options(2));
    ASSERT_EQ(s.getWidth(), 3);
    const uint32_t alpha[3][3] = {{255, 255, 127}, {255, 255, 127}, {127, 127, 63}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(reducedPixel(s, x, y), alpha[y][x] << 24 | 0xFFFFFF);
}

TEST(ReduceSamples, MatchesReadingEverySampleWithBoundsChecks) {
    std::mt19937 random(14);
    for (int sample = 1; sample <= 9; ++sample) {
        for (int trial = 0; trial < 4; ++trial) {
            Surface fast;
            drawRandomGlyph(random, 40, trial, fast);
            // Alphas of every kind, not only the glyphs' 0 and 255.
            for (int i = 0; i < 20; ++i) {
                fast.setPixel(random() % fast.getWidth(), random() % fast.getHeight(),
                              static_cast<uint32_t>(random()));
            }
            Surface reference;
            reference.copyFrom(fast);
            reduceSamples(fast, options(sample));
            referenceReduceSamples(reference, options(sample));
            ASSERT_EQ(fast.getWidth(), reference.getWidth());
            ASSERT_EQ(pixelsOf(fast), pixelsOf(reference)) << "sample " << sample;
        }
    }
}
