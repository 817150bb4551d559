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
constexpr uint32_t kEdgePixel = 0xFFFF0000;
constexpr uint32_t kBevelPixel = 0xFF0000FF;

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
            if (rows[y][x] == '#')
                s.setPixel(static_cast<int>(x), static_cast<int>(y), kGlyph);
}

// The image as rows of text: '#' body, 'e' edge, 'b' extrusion, '.' transparent.
std::vector<std::string> picture(const Surface& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.getHeight(); ++y) {
        std::string row;
        for (int x = 0; x < s.getWidth(); ++x) {
            uint32_t p;
            s.getPixel(x, y, &p);
            if ((p >> 24) == 0)
                row += '.';
            else if (p == kGlyph)
                row += '#';
            else if (p == kEdgePixel)
                row += 'e';
            else if (p == kBevelPixel)
                row += 'b';
            else
                row += '?';
        }
        rows.push_back(row);
    }
    return rows;
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

uint32_t pixelAt(const Surface& s, int x, int y) {
    uint32_t p;
    s.getPixel(x, y, &p);
    return p;
}

}  // namespace

TEST(Edge, OnePassSurroundsAPixelWithAFullSquare) {
    GlyphOptions o = options();
    o.edgeOn = 1;
    o.edgeSize = 1;
    Surface s;
    draw(s, {"#"});
    applyEdge(o, s);
    EXPECT_EQ(picture(s), (std::vector<std::string>{"eee", "e#e", "eee"}));
}

TEST(Edge, TheLastOfSeveralPassesCutsTheCorners) {
    GlyphOptions o = options();
    o.edgeOn = 1;
    o.edgeSize = 2;
    Surface s;
    draw(s, {"#"});
    applyEdge(o, s);
    EXPECT_EQ(picture(s), (std::vector<std::string>{".eee.", "eeeee", "ee#ee", "eeeee", ".eee."}));
    // Transparent pixels a stamp covered take the edge colour; the corners were never covered.
    EXPECT_EQ(pixelAt(s, 0, 0), 0u);
}

TEST(Edge, WorksInSampledPixels) {
    GlyphOptions o = options(2);
    o.edgeOn = 1;
    o.edgeSize = 1;  // two passes at sample 2
    Surface s;
    draw(s, {"##"});
    applyEdge(o, s);
    EXPECT_EQ(picture(s), (std::vector<std::string>{".eeee.", "eeeeee", "ee##ee", "eeeeee", ".eeee."}));
}

TEST(Edge, SizeZeroOrEdgeOffLeavesTheGlyph) {
    for (int on : {0, 1}) {
        GlyphOptions o = options();
        o.edgeOn = on;
        o.edgeSize = on ? 0 : 3;
        Surface s;
        draw(s, {"#.", ".#"});
        applyEdge(o, s);
        EXPECT_EQ(picture(s), (std::vector<std::string>{"#.", ".#"}));
    }
}

TEST(Edge, MatchesGrowingOnePixelAtATime) {
    std::mt19937 random(11);
    for (int sample = 1; sample <= 3; ++sample) {
        for (int size = 1; size <= 3; ++size) {
            for (int shape = 0; shape < 6; ++shape) {
                std::uniform_int_distribution<int> side(1, 24);
                std::uniform_int_distribution<int> coin(0, shape);  // sparse to dense
                Surface glyph;
                glyph.create(side(random), side(random));
                for (int y = 0; y < glyph.getHeight(); ++y)
                    for (int x = 0; x < glyph.getWidth(); ++x)
                        if (coin(random) == 0)
                            glyph.setPixel(x, y, 0xFF000000u | random() % 0xFFFFFF);
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

TEST(Bevel, DownRightTrailsLayersBehindTheFace) {
    EXPECT_EQ(bevelled(7, 2, {"#"}), (std::vector<std::string>{"#..", ".b.", "..b"}));
}

TEST(Bevel, FacesTowardTheFarSideStartOnePixelShort) {
    // Code 3: layers at (1,1), (0,0), (-1,-1); the last row and column stay empty.
    EXPECT_EQ(bevelled(3, 2, {"#"}), (std::vector<std::string>{"b..", ".#.", "..."}));
}

TEST(Bevel, EveryDirectionGrowsAndPlacesTheFaceAsItsKeypadKeyPoints) {
    const std::vector<std::string> glyph = {"##", "#."};
    struct Expected {
        int code;
        std::vector<std::string> image;
    };
    const Expected table[] = {
        {0, {"##", "#."}},
        {1, {".bb.", "##..", "#...", "...."}},
        {2, {"bb", "##", "#.", ".."}},
        {3, {"bb..", "b##.", ".#..", "...."}},
        {4, {"##bb", "#bb."}},
        {5, {"##", "#."}},
        {6, {"b##.", "b#.."}},
        {7, {"##..", "#bb.", ".bbb", "..b."}},
        {8, {"##", "#b", "bb", "b."}},
        {9, {".##.", "b#..", "b...", "...."}},
    };
    for (const Expected& e : table)
        EXPECT_EQ(bevelled(e.code, 2, glyph), e.image) << "code " << e.code;
}

TEST(Bevel, DepthZeroStillShiftsTowardTheFarSide) {
    EXPECT_EQ(bevelled(2, 0, {"#.", ".#"}), (std::vector<std::string>{".#", ".."}));
    EXPECT_EQ(bevelled(6, 0, {"#.", ".#"}), (std::vector<std::string>{"..", "#."}));
    EXPECT_EQ(bevelled(8, 0, {"#.", ".#"}), (std::vector<std::string>{"#.", ".#"}));
}

TEST(Bevel, UnknownCodesExtrudeInPlace) {
    EXPECT_EQ(bevelled(11, 2, {"#"}), (std::vector<std::string>{"#"}));
    EXPECT_EQ(bevelled(-1, 2, {"#"}), (std::vector<std::string>{"#"}));
}

TEST(ReduceSamples, ColourIsTheMeanOfCoveredSamplesAndAlphaTheCoverage) {
    Surface s;
    s.create(4, 2);
    s.setPixel(0, 0, 0xFFFF0000);  // block 1: one red sample of four
    s.setPixel(2, 0, 0xFFFF0000);  // block 2: one red and one blue
    s.setPixel(3, 1, 0xFF0000FF);
    reduceSamples(s, options(2));
    ASSERT_EQ(s.getWidth(), 2);
    ASSERT_EQ(s.getHeight(), 1);
    EXPECT_EQ(pixelAt(s, 0, 0), 0x3FFF0000u);
    EXPECT_EQ(pixelAt(s, 1, 0), 0x7F7F007Fu);
}

TEST(ReduceSamples, BlocksPastTheEdgeCountMissingSamplesAsTransparent) {
    Surface s;
    s.create(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            s.setPixel(x, y, 0xFFFFFFFF);
    reduceSamples(s, options(2));
    ASSERT_EQ(s.getWidth(), 3);
    ASSERT_EQ(s.getHeight(), 3);
    const uint32_t expectedAlpha[3][3] = {{255, 255, 127}, {255, 255, 127}, {127, 127, 63}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixelAt(s, x, y), expectedAlpha[y][x] << 24 | 0xFFFFFF) << x << "," << y;
}

TEST(ReduceSamples, SampleOneLeavesTheImage) {
    Surface s;
    s.create(3, 3);
    s.setPixel(1, 1, 0x80123456);
    reduceSamples(s, options(1));
    EXPECT_EQ(s.getWidth(), 3);
    EXPECT_EQ(pixelAt(s, 1, 1), 0x80123456u);
}
