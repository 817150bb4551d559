#include "images/surface.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

uint32_t pixelAt(const Surface& s, int x, int y) {
    uint32_t p = 0;
    s.getPixel(x, y, &p);
    return p;
}

// A source whose every pixel tells where it came from.
void fillWithPositions(Surface& s, int width, int height) {
    s.create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) s.setPixel(x, y, argb(255, 0, y, x));
}

// `operation` applied to a one-pixel destination and source.
template <typename Operation>
uint32_t combined(uint32_t destination, uint32_t source, Operation operation) {
    Surface d, s;
    d.create(1, 1);
    d.setPixel(0, 0, destination);
    s.create(1, 1);
    s.setPixel(0, 0, source);
    operation(d, s);
    return pixelAt(d, 0, 0);
}

uint32_t blended(uint32_t destination, uint32_t source) {
    return combined(destination, source, [](Surface& d, Surface& s) { d.blendRect(0, 0, s, 0, 0, 1, 1); });
}

uint32_t stamped(uint32_t destination, uint32_t source, uint32_t colour) {
    return combined(destination, source,
                    [=](Surface& d, Surface& s) { d.stampRect(0, 0, s, 0, 0, 1, 1, colour); });
}

}  // namespace

TEST(Surface, CreateRefusesEmptyNegativeOrAbsurdSizesAndStaysEmpty) {
    Surface s;
    ASSERT_TRUE(s.create(4, 3));
    for (auto size : {std::pair{0, 5}, std::pair{-2, 5}, std::pair{1 << 20, 1 << 20}}) {
        EXPECT_FALSE(s.create(size.first, size.second));
        EXPECT_EQ(s.getWidth() + s.getHeight(), 0);
    }
    uint32_t p = 123;
    EXPECT_FALSE(s.getPixel(0, 0, &p));
    EXPECT_EQ(p, 0u);
}

TEST(Surface, PixelAccessOutsideReadsTransparentBlackAndWritesNothing) {
    Surface s;
    s.create(4, 2);
    s.setPixel(4, 0, 0xFFFFFFFF);
    s.setPixel(3, 1, 0x12345678);
    uint32_t p = 123;
    EXPECT_FALSE(s.getPixel(-1, 0, &p));
    EXPECT_EQ(p, 0u);
    EXPECT_FALSE(s.getPixel(4, 0, &p));
    EXPECT_TRUE(s.getPixel(3, 1, &p));
    EXPECT_EQ(p, 0x12345678u);
}

TEST(Surface, RectanglesAreClippedAtEveryEdge) {
    Surface source;
    fillWithPositions(source, 10, 10);
    Surface target;
    target.create(20, 12);
    target.copyRect(-3, 5, source, 0, 0, 10, 10);
    // Source columns 3..9 land in columns 0..6, source rows 0..6 in rows 5..11.
    EXPECT_EQ(pixelAt(target, 0, 5), argb(255, 0, 0, 3));
    EXPECT_EQ(pixelAt(target, 6, 11), argb(255, 0, 6, 9));
    EXPECT_EQ(pixelAt(target, 7, 5), 0u);
    EXPECT_EQ(pixelAt(target, 0, 4), 0u);
    target.create(6, 6);
    target.copyRect(4, -2, source, 0, 0, 10, 10);
    EXPECT_EQ(pixelAt(target, 5, 0), argb(255, 0, 2, 1));
    EXPECT_EQ(pixelAt(target, 3, 0), 0u);
    EXPECT_EQ(pixelAt(target, 4, 5), argb(255, 0, 7, 0));
    // Wholly outside: nothing changes.
    target.create(4, 4);
    target.copyRect(4, 0, source, 0, 0, 3, 3);
    target.stampRect(0, -3, source, 0, 0, 3, 3, 0xFF);
    target.blendRect(-3, 0, source, 0, 0, 3, 3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(pixelAt(target, x, y), 0u);
}

TEST(Surface, BlendMixesColourByTheSourceAlphaOnly) {
    EXPECT_EQ(blended(argb(10, 200, 0, 0), argb(128, 0, 0, 0)), argb(255, 100, 0, 0));
    EXPECT_EQ(blended(argb(0, 0, 0, 0), argb(128, 200, 0, 0)), argb(255, 100, 0, 0));
    EXPECT_EQ(blended(argb(40, 1, 2, 3), argb(255, 9, 8, 7)), argb(255, 9, 8, 7));
    EXPECT_EQ(blended(argb(40, 1, 2, 3), argb(0, 9, 8, 7)), argb(40, 1, 2, 3));
    // Truncation toward zero on the way down: 200 + (101 - 200) * 128 / 255 = 151, not 150.
    EXPECT_EQ(blended(argb(255, 0, 200, 0), argb(128, 0, 101, 0)), argb(255, 0, 151, 0));
}

TEST(Surface, StampAddsAlphaWithSaturationInThePackedColour) {
    // A packed colour holds red in its low byte; its top byte means nothing.
    EXPECT_EQ(stamped(argb(200, 1, 2, 3), argb(100, 9, 9, 9), 0x00102030), argb(255, 0x30, 0x20, 0x10));
    EXPECT_EQ(stamped(argb(200, 1, 2, 3), argb(0, 9, 9, 9), 0xAB102030), argb(200, 0x30, 0x20, 0x10));
}

TEST(Surface, CopyFromAndReleaseHandleEmptySurfaces) {
    Surface source;
    fillWithPositions(source, 3, 2);
    Surface copy;
    ASSERT_TRUE(copy.copyFrom(source));
    EXPECT_EQ(pixelAt(copy, 2, 1), argb(255, 0, 1, 2));
    copy.release();
    EXPECT_EQ(copy.getWidth(), 0);
    copy.release();
    Surface empty;
    EXPECT_FALSE(copy.copyFrom(empty));
}
