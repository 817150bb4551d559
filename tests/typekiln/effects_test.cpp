#include "effects.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reference_effects.h"
#include "surface_pixels.h"

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
                std::uniform_int_distribution<int> side(1, 24);
                std::uniform_int_distribution<int> coin(0, density);
                Surface glyph;
                glyph.create(side(random), side(random));
                for (int y = 0; y < glyph.getHeight(); ++y)
                    for (int x = 0; x < glyph.getWidth(); ++x)
                        if (coin(random) == 0) glyph.setPixel(x, y, 0xFF000000u | random() % 0xFFFFFF);
                Surface reference;
                reference.copyFrom(glyph);
                GlyphOptions o = options(sample);
                o.edgeOn = 1;
                o.edgeSize = size;
                o.edgeColor = random() & 0xFFFFFF;
                applyEdge(o, glyph);
                referenceApplyEdge(o, reference);
                ASSERT_EQ(glyph.getWidth(), reference.getWidth());
                ASSERT_EQ(pixelsOf(glyph), pixelsOf(reference)) << "sample " << sample << " size " << size;
            }
        }
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
