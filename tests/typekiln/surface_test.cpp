#include "surface.h"

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
void fillWithPositions(Surface& s) {
    for (int y = 0; y < s.getHeight(); ++y)
        for (int x = 0; x < s.getWidth(); ++x)
            s.setPixel(x, y, argb(255, 0, y, x));
}

Surface& single(Surface& s, uint32_t pixel) {
    s.create(1, 1);
    s.setPixel(0, 0, pixel);
    return s;
}

}  // namespace

TEST(Surface, CreateRefusesEmptyOrNegativeSizesAndStaysEmpty) {
    Surface s;
    EXPECT_TRUE(s.create(4, 3));
    EXPECT_FALSE(s.create(0, 5));
    EXPECT_EQ(s.getWidth(), 0);
    EXPECT_EQ(s.getHeight(), 0);
    uint32_t* pixels = nullptr;
    int32_t pitch = -1;
    EXPECT_FALSE(s.lockPixels(&pixels, &pitch));
    EXPECT_FALSE(s.create(-2, 5));
    EXPECT_FALSE(s.create(1 << 20, 1 << 20));  // a terapixel is refused, not wrapped around
}

TEST(Surface, CreateClearsEveryPixelAndPitchIsWidth) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2));
    s.setPixel(2, 1, 0xFFFFFFFF);
    ASSERT_TRUE(s.create(5, 4));
    uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    ASSERT_TRUE(s.lockPixels(&pixels, &pitch));
    EXPECT_EQ(pitch, 5);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(pixels[i], 0u);
}

TEST(Surface, PixelAccessOutsideReadsTransparentBlackAndWritesNothing) {
    Surface s;
    s.create(4, 2);
    s.setPixel(4, 0, 0xFFFFFFFF);
    s.setPixel(-1, 0, 0xFFFFFFFF);
    uint32_t p = 123;
    EXPECT_FALSE(s.getPixel(-1, 0, &p));
    EXPECT_EQ(p, 0u);
    p = 123;
    EXPECT_FALSE(s.getPixel(4, 0, &p));
    EXPECT_EQ(p, 0u);
    EXPECT_FALSE(s.getPixel(0, 2, &p));
    s.setPixel(3, 1, 0x12345678);
    EXPECT_TRUE(s.getPixel(3, 1, &p));
    EXPECT_EQ(p, 0x12345678u);
    Surface empty;
    EXPECT_FALSE(empty.getPixel(0, 0, &p));
}

TEST(Surface, CopyFromDuplicatesPixelsAndSize) {
    Surface source;
    source.create(3, 2);
    fillWithPositions(source);
    Surface copy;
    ASSERT_TRUE(copy.copyFrom(source));
    ASSERT_EQ(copy.getWidth(), 3);
    ASSERT_EQ(copy.getHeight(), 2);
    EXPECT_EQ(pixelAt(copy, 2, 1), argb(255, 0, 1, 2));
    Surface empty;
    EXPECT_FALSE(copy.copyFrom(empty));
    EXPECT_EQ(copy.getWidth(), 0);
}

TEST(Surface, CopyRectClipsAtTheLeftAndBottomEdges) {
    Surface source;
    source.create(10, 10);
    fillWithPositions(source);
    Surface target;
    target.create(20, 12);
    target.copyRect(-3, 5, source, 0, 0, 10, 10);
    // Source columns 3..9 land in columns 0..6, source rows 0..6 in rows 5..11.
    EXPECT_EQ(pixelAt(target, 0, 5), argb(255, 0, 0, 3));
    EXPECT_EQ(pixelAt(target, 6, 11), argb(255, 0, 6, 9));
    EXPECT_EQ(pixelAt(target, 7, 5), 0u);
    EXPECT_EQ(pixelAt(target, 0, 4), 0u);
}

TEST(Surface, CopyRectClipsAtTheRightAndTopEdgesAndCopiesAlpha) {
    Surface source;
    source.create(4, 4);
    source.setPixel(0, 3, argb(7, 1, 2, 3));
    source.setPixel(3, 3, argb(9, 4, 5, 6));
    Surface target;
    target.create(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            target.setPixel(x, y, 0xFFFFFFFF);
    target.copyRect(4, -2, source, 0, 0, 4, 4);
    EXPECT_EQ(pixelAt(target, 4, 1), argb(7, 1, 2, 3));  // source row 3 at row 1
    EXPECT_EQ(pixelAt(target, 5, 0), 0u);                // source (1, 2): transparent black replaces white
    EXPECT_EQ(pixelAt(target, 3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(target, 4, 2), 0xFFFFFFFFu);
}

TEST(Surface, RectanglesWhollyOutsideChangeNothing) {
    Surface source;
    source.create(3, 3);
    fillWithPositions(source);
    Surface target;
    target.create(4, 4);
    target.copyRect(4, 0, source, 0, 0, 3, 3);
    target.copyRect(-3, 0, source, 0, 0, 3, 3);
    target.stampRect(0, 4, source, 0, 0, 3, 3, 0xFF);
    target.blendRect(0, -3, source, 0, 0, 3, 3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixelAt(target, x, y), 0u);
}

TEST(Surface, BlendMixesColourByTheSourceAlphaOnly) {
    Surface d;
    Surface s;
    single(d, argb(10, 200, 0, 0)).blendRect(0, 0, single(s, argb(128, 0, 0, 0)), 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(255, 100, 0, 0));
    single(d, argb(0, 0, 0, 0)).blendRect(0, 0, single(s, argb(128, 200, 0, 0)), 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(255, 100, 0, 0));
    single(d, argb(40, 1, 2, 3)).blendRect(0, 0, single(s, argb(255, 9, 8, 7)), 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(255, 9, 8, 7));
    single(d, argb(40, 1, 2, 3)).blendRect(0, 0, single(s, argb(0, 9, 8, 7)), 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(40, 1, 2, 3));
    // Truncation toward zero on the way down: 200 + (101 - 200) * 128 / 255 = 151 (not 150).
    single(d, argb(255, 0, 200, 0)).blendRect(0, 0, single(s, argb(128, 0, 101, 0)), 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(255, 0, 151, 0));
}

TEST(Surface, StampAddsAlphaWithSaturationAndPaintsTheStampColour) {
    Surface d;
    Surface s;
    single(d, argb(200, 1, 2, 3)).stampRect(0, 0, single(s, argb(100, 9, 9, 9)), 0, 0, 1, 1, 0x00102030);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(255, 0x30, 0x20, 0x10));
    single(d, argb(200, 1, 2, 3)).stampRect(0, 0, single(s, argb(0, 9, 9, 9)), 0, 0, 1, 1, 0xAB102030);
    EXPECT_EQ(pixelAt(d, 0, 0), argb(200, 0x30, 0x20, 0x10));  // top byte of the colour ignored
}

TEST(Surface, ReleaseEmptiesAndIsHarmlessTwice) {
    Surface s;
    s.release();
    s.create(8, 8);
    s.buildHistogram(4);
    s.release();
    EXPECT_EQ(s.getWidth(), 0);
    EXPECT_EQ(s.getColours(), nullptr);
    EXPECT_EQ(s.getBoxes(), nullptr);
    s.release();
}
