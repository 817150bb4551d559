#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "reference_reduction.h"
#include "surface.h"
#include "surface_pixels.h"

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

void fill(Surface& s, const std::vector<uint32_t>& pixels, int width, int height) {
    s.create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.setPixel(x, y, pixels[static_cast<size_t>(y) * width + x]);
}

// Pixels drawn from a small set of channel values, so that ranges and sort
// keys tie often, with alpha spread over every quantisation step.
std::vector<uint32_t> randomPage(std::mt19937& random, int width, int height, int channelValues) {
    std::uniform_int_distribution<int> level(0, channelValues - 1);
    std::uniform_int_distribution<int> alpha(0, 255);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const uint32_t step = 255 / (channelValues - 1);
    for (auto& p : pixels)
        p = argb(alpha(random), level(random) * step, level(random) * step, level(random) * step);
    return pixels;
}

}  // namespace

TEST(ColourReduction, TransparentPageHasOnlyTheKeyColour) {
    Surface page;
    page.create(16, 8);
    ASSERT_TRUE(page.buildHistogram(8));
    ASSERT_EQ(page.getColourCount(), 1);
    EXPECT_EQ(page.getColours()[0], Surface::kTransparentKey);
    EXPECT_EQ(page.getCounts()[0], 128);
    EXPECT_EQ(page.getBoxes()[0].colour, 0x0000FF00u);
    ASSERT_TRUE(page.buildIndexImage(8));
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(page.getIndexImage()[i], 0);
    ASSERT_TRUE(page.storePalette());
    EXPECT_EQ(page.getColours()[0], 0x0000FF00u);
    for (int j = 1; j < 256; ++j)
        EXPECT_EQ(page.getColours()[j], 0u) << j;
}

TEST(ColourReduction, AlphaIsQuantisedToTheLevelSteps) {
    Surface page;
    page.create(6, 1);
    const uint32_t alphas[6] = {63, 64, 127, 128, 254, 255};
    for (int x = 0; x < 6; ++x)
        page.setPixel(x, 0, argb(alphas[x], 10, 20, 30));
    ASSERT_TRUE(page.buildHistogram(4));
    const uint32_t expected[6] = {Surface::kTransparentKey, argb(63, 10, 20, 30),  argb(63, 10, 20, 30),
                                  argb(127, 10, 20, 30),    argb(191, 10, 20, 30), argb(255, 10, 20, 30)};
    EXPECT_EQ(pixelsOf(page), std::vector<uint32_t>(expected, expected + 6));

    page.create(3, 1);
    page.setPixel(0, 0, argb(31, 1, 1, 1));
    page.setPixel(1, 0, argb(32, 1, 1, 1));
    page.setPixel(2, 0, argb(224, 1, 1, 1));
    ASSERT_TRUE(page.buildHistogram(8));
    EXPECT_EQ(pixelsOf(page),
              (std::vector<uint32_t>{Surface::kTransparentKey, argb(31, 1, 1, 1), argb(223, 1, 1, 1)}));
}

TEST(ColourReduction, WhiteGlyphsGetOneBoxPerCoverageLevel) {
    Surface page;
    page.create(10, 10);
    const uint32_t alphas[5] = {0, 70, 130, 200, 255};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            page.setPixel(x, y, argb(alphas[(x + y) % 5], 255, 255, 255));
    ASSERT_TRUE(page.buildHistogram(4));
    EXPECT_EQ(page.getColourCount(), 5);
    std::set<uint32_t> boxColours;
    for (int j = 0; j < 5; ++j)
        boxColours.insert(page.getBoxes()[j].colour);
    EXPECT_EQ(boxColours,
              (std::set<uint32_t>{Surface::kTransparentKey, argb(63, 255, 255, 255), argb(127, 255, 255, 255),
                                  argb(191, 255, 255, 255), 0xFFFFFFFF}));
    for (int j = 5; j < 16; ++j)
        EXPECT_EQ(page.getBoxes()[j].colour, 0u);
}

TEST(ColourReduction, TwoColoursWithUnevenCountsSplitIntoOneBoxEach) {
    for (bool rareFirst : {false, true}) {
        Surface page;
        page.create(11, 1);
        for (int x = 0; x < 11; ++x)
            page.setPixel(x, 0, argb(255, 200, 0, 0));
        page.setPixel(rareFirst ? 10 : 0, 0, argb(255, 0, 0, 90));
        ASSERT_TRUE(page.buildHistogram(4));
        EXPECT_EQ(page.getBoxes()[0].count, 1);
        EXPECT_EQ(page.getBoxes()[1].count, 1);
        std::set<uint32_t> colours{page.getBoxes()[0].colour, page.getBoxes()[1].colour};
        EXPECT_EQ(colours, (std::set<uint32_t>{argb(255, 200, 0, 0), argb(255, 0, 0, 90)}));
    }
}

TEST(ColourReduction, BoxColourIsTheCountWeightedMeanTruncated) {
    // 17 distinct opaque greys for 16 boxes: one box must hold two of them.
    Surface page;
    page.create(17, 3);
    for (int x = 0; x < 17; ++x)
        for (int y = 0; y < 3; ++y)
            page.setPixel(x, y, argb(255, x * 15, x * 15, x * 15));
    ASSERT_TRUE(page.buildHistogram(4));
    int merged = -1;
    for (int j = 0; j < 16; ++j)
        if (page.getBoxes()[j].count == 2)
            merged = j;
    ASSERT_GE(merged, 0);
    const ColourBox& box = page.getBoxes()[merged];
    int64_t sum = 0;
    for (int i = box.start; i < box.start + 2; ++i)
        sum += (page.getColours()[i] & 0xFF) * int64_t{page.getCounts()[i]};
    EXPECT_EQ(box.colour & 0xFF, static_cast<uint32_t>(sum / box.total));
    EXPECT_EQ(box.colour >> 24, 255u);
}

TEST(ColourReduction, UnknownValuesGetTheLastPaletteIndex) {
    Surface page;
    page.create(2, 2);
    ASSERT_TRUE(page.buildHistogram(4));
    EXPECT_EQ(page.paletteIndex(0x12345678, 4), 15);
    EXPECT_EQ(page.paletteIndex(0x12345678, 8), 255);
    EXPECT_EQ(page.paletteIndex(Surface::kTransparentKey, 4), 0);
    Surface unreduced;
    EXPECT_EQ(unreduced.paletteIndex(0, 8), 255);
}

TEST(ColourReduction, FourBitIndicesPackTheLeftPixelHigh) {
    Surface page;
    page.create(3, 1);  // odd width: the last byte's low nibble stays 0
    page.setPixel(0, 0, 0xFF0000FF);
    page.setPixel(1, 0, 0xFFFF0000);
    page.setPixel(2, 0, 0xFFFF0000);
    ASSERT_TRUE(page.buildHistogram(4));
    ASSERT_TRUE(page.buildIndexImage(4));
    const int blue = page.paletteIndex(0xFF0000FF, 4);
    const int red = page.paletteIndex(0xFFFF0000, 4);
    ASSERT_NE(blue, red);
    EXPECT_EQ(page.getIndexImage()[0], blue << 4 | red);
    EXPECT_EQ(page.getIndexImage()[1], red << 4);
    EXPECT_FALSE(page.buildIndexImage(5));
}

TEST(ColourReduction, MatchesTheStraightforwardReductionOnRandomPages) {
    std::mt19937 random(2024);
    struct Case {
        int width, height, levels, channelValues;
    };
    const Case cases[] = {{64, 48, 8, 4},   {64, 48, 4, 4}, {33, 20, 4, 3}, {40, 40, 8, 256},
                          {40, 40, 4, 256}, {96, 64, 8, 6}, {7, 5, 8, 2}};
    for (const Case& c : cases) {
        for (int seed = 0; seed < 3; ++seed) {
            const std::vector<uint32_t> pixels = randomPage(random, c.width, c.height, c.channelValues);
            const ReferenceReduction expected = referenceReduce(pixels, c.width, c.height, c.levels);
            Surface page;
            fill(page, pixels, c.width, c.height);
            ASSERT_TRUE(page.buildHistogram(c.levels));
            ASSERT_TRUE(page.buildIndexImage(c.levels));
            SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " L" << c.levels << " values "
                                              << c.channelValues << " seed " << seed);
            EXPECT_EQ(pixelsOf(page), expected.pixels);
            ASSERT_EQ(static_cast<size_t>(page.getColourCount()), expected.colours.size());
            EXPECT_EQ(std::vector<uint32_t>(page.getColours(), page.getColours() + page.getColourCount()),
                      expected.colours);
            EXPECT_EQ(std::vector<int32_t>(page.getCounts(), page.getCounts() + page.getColourCount()),
                      expected.counts);
            for (size_t j = 0; j < expected.boxes.size(); ++j) {
                EXPECT_EQ(page.getBoxes()[j].start, expected.boxes[j].start) << "box " << j;
                EXPECT_EQ(page.getBoxes()[j].count, expected.boxes[j].count) << "box " << j;
                EXPECT_EQ(page.getBoxes()[j].colour, expected.boxes[j].colour) << "box " << j;
            }
            EXPECT_EQ(
                std::vector<uint8_t>(page.getIndexImage(), page.getIndexImage() + expected.indexImage.size()),
                expected.indexImage);
        }
    }
}
