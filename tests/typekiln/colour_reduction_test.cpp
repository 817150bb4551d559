#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "images/colour_reduction.h"
#include "tests/support/reference_reduction.h"
#include "tests/support/surface_pixels.h"

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

void fill(Surface& s, const std::vector<uint32_t>& pixels, int width) {
    s.create(width, static_cast<int>(pixels.size()) / width);
    for (size_t i = 0; i < pixels.size(); ++i)
        s.setPixel(static_cast<int>(i) % width, static_cast<int>(i) / width, pixels[i]);
}

std::set<uint32_t> boxColours(const ColourReduction& reduction, int count) {
    std::set<uint32_t> colours;
    for (int j = 0; j < count; ++j) colours.insert(reduction.getBoxes()[j].colour);
    return colours;
}

}  // namespace

TEST(ColourReduction, ATransparentPageHasOnlyTheKeyColour) {
    Surface page;
    page.create(16, 8);
    ColourReduction reduction;
    ASSERT_TRUE(reduction.buildHistogram(page, 8) && reduction.buildIndexImage(page, 8) &&
                reduction.storePalette());
    EXPECT_EQ(reduction.getColourCount(), 1);
    for (int i = 0; i < 128; ++i) ASSERT_EQ(reduction.getIndexImage()[i], 0);
    EXPECT_EQ(reduction.getColours()[0], 0x0000FF00u);
    for (int j = 1; j < 256; ++j) ASSERT_EQ(reduction.getColours()[j], 0u) << j;
}

TEST(ColourReduction, AlphaIsQuantisedToTheLevelSteps) {
    const std::vector<uint32_t> in = {63, 64, 127, 128, 254, 255, 31, 32, 224};
    const std::vector<uint32_t> four = {0, 63, 63, 127, 191, 255, 0, 0, 191};
    const std::vector<uint32_t> eight = {31, 63, 95, 127, 223, 255, 0, 31, 223};
    for (int levels : {4, 8}) {
        Surface page;
        std::vector<uint32_t> pixels;
        for (uint32_t alpha : in) pixels.push_back(argb(alpha, 10, 20, 30));
        fill(page, pixels, static_cast<int>(pixels.size()));
        ColourReduction reduction;
        ASSERT_TRUE(reduction.buildHistogram(page, levels));
        const std::vector<uint32_t>& expected = levels == 4 ? four : eight;
        const std::vector<uint32_t> out = pixelsOf(page);
        for (size_t i = 0; i < in.size(); ++i) {
            EXPECT_EQ(out[i], expected[i] ? argb(expected[i], 10, 20, 30) : ColourReduction::kTransparentKey)
                << "alpha " << in[i] << " levels " << levels;
        }
    }
}

TEST(ColourReduction, WhiteGlyphsGetOneBoxPerCoverageLevel) {
    const uint32_t alphas[5] = {0, 70, 130, 200, 255};
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 100; ++i) pixels.push_back(argb(alphas[i * 7 % 5], 255, 255, 255));
    Surface page;
    fill(page, pixels, 10);
    ColourReduction reduction;
    ASSERT_TRUE(reduction.buildHistogram(page, 4));
    EXPECT_EQ(reduction.getColourCount(), 5);
    EXPECT_EQ(boxColours(reduction, 16), (std::set<uint32_t>{ColourReduction::kTransparentKey, 0x3FFFFFFF,
                                                             0x7FFFFFFF, 0xBFFFFFFF, 0xFFFFFFFF, 0}));
}

TEST(ColourReduction, TwoColoursWithUnevenCountsSplitIntoOneBoxEach) {
    for (size_t rare : {0, 10}) {
        std::vector<uint32_t> pixels(11, argb(255, 200, 0, 0));
        pixels[rare] = argb(255, 0, 0, 90);
        Surface page;
        fill(page, pixels, 11);
        ColourReduction reduction;
        ASSERT_TRUE(reduction.buildHistogram(page, 4));
        EXPECT_EQ(boxColours(reduction, 2), (std::set<uint32_t>{argb(255, 200, 0, 0), argb(255, 0, 0, 90)}));
    }
}

TEST(ColourReduction, IndicesOfUnknownValuesAndTheFourBitPacking) {
    Surface page;
    fill(page, {0xFF0000FF, 0xFFFF0000, 0xFFFF0000}, 3);  // odd width: the last low nibble stays 0
    ColourReduction reduction;
    ASSERT_TRUE(reduction.buildHistogram(page, 4) && reduction.buildIndexImage(page, 4));
    const int blue = reduction.paletteIndex(0xFF0000FF, 4);
    const int red = reduction.paletteIndex(0xFFFF0000, 4);
    ASSERT_NE(blue, red);
    EXPECT_EQ(reduction.getIndexImage()[0], blue << 4 | red);
    EXPECT_EQ(reduction.getIndexImage()[1], red << 4);
    EXPECT_EQ(reduction.paletteIndex(0x12345678, 4), 15);
    EXPECT_EQ(reduction.paletteIndex(0x12345678, 8), 255);
    EXPECT_FALSE(reduction.buildIndexImage(page, 5));
}

TEST(ColourReduction, MatchesTheStraightforwardReductionOnRandomPages) {
    // Few channel values make ranges and sort keys tie often; those ties
    // decide the palette.
    std::mt19937 random(2024);
    struct Case {
        int width, height, levels, channelValues;
    };
    const Case cases[] = {{64, 48, 8, 4},   {64, 48, 4, 4}, {33, 20, 4, 3}, {40, 40, 8, 256},
                          {40, 40, 4, 256}, {96, 64, 8, 6}, {7, 5, 8, 2}};
    for (const Case& c : cases) {
        for (int seed = 0; seed < 3; ++seed) {
            std::uniform_int_distribution<uint32_t> level(0, c.channelValues - 1), alpha(0, 255);
            const uint32_t step = 255 / (c.channelValues - 1);
            std::vector<uint32_t> pixels(static_cast<size_t>(c.width) * c.height);
            for (auto& p : pixels)
                p = argb(alpha(random), level(random) * step, level(random) * step, level(random) * step);
            const ReferenceReduction expected = referenceReduce(pixels, c.width, c.height, c.levels);
            Surface page;
            fill(page, pixels, c.width);
            ColourReduction reduction;
            ASSERT_TRUE(reduction.buildHistogram(page, c.levels) &&
                        reduction.buildIndexImage(page, c.levels));
            SCOPED_TRACE(::testing::Message()
                         << c.width << "x" << c.height << " L" << c.levels << " seed " << seed);
            EXPECT_EQ(pixelsOf(page), expected.pixels);
            const uint32_t* colours = reduction.getColours();
            const int32_t* counts = reduction.getCounts();
            EXPECT_EQ(std::vector<uint32_t>(colours, colours + reduction.getColourCount()), expected.colours);
            EXPECT_EQ(std::vector<int32_t>(counts, counts + reduction.getColourCount()), expected.counts);
            for (size_t j = 0; j < expected.boxes.size(); ++j) {
                EXPECT_EQ(reduction.getBoxes()[j].start, expected.boxes[j].start) << "box " << j;
                EXPECT_EQ(reduction.getBoxes()[j].count, expected.boxes[j].count) << "box " << j;
                EXPECT_EQ(reduction.getBoxes()[j].colour, expected.boxes[j].colour) << "box " << j;
            }
            const uint8_t* indices = reduction.getIndexImage();
            EXPECT_EQ(std::vector<uint8_t>(indices, indices + expected.indexImage.size()),
                      expected.indexImage);
        }
    }
}
