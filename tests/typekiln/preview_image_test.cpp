#include "frontend_core/preview_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A glyph whose every pixel tells where it came from.
uint32_t markOf(int32_t x, int32_t y) {
    return 0xFF000000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x);
}

void drawMarks(Surface& glyph, int32_t width, int32_t height) {
    ASSERT_TRUE(glyph.create(width, height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) glyph.setPixel(x, y, markOf(x, y));
}

}  // namespace

TEST(PreviewImage, GlyphIsCentredTruncatingTowardZeroAndCutOnEverySide) {
    struct Case {
        int32_t pictureWidth, pictureHeight, glyphWidth, glyphHeight, dx, dy;
    };
    const Case cases[] = {
        {10, 10, 4, 4, 3, 3},  {10, 9, 5, 4, 2, 2},   // smaller: odd leftovers go right and down
        {4, 4, 10, 9, -3, -2}, {4, 4, 7, 7, -1, -1},  // larger: -3 / 2 is -1, not -2
        {6, 6, 6, 6, 0, 0},
    };
    for (const Case& c : cases) {
        Surface picture, glyph;
        ASSERT_TRUE(picture.create(c.pictureWidth, c.pictureHeight));
        picture.setPixel(0, 0, 0xFFFFFFFF);  // an earlier rendering, to be cleared
        drawMarks(glyph, c.glyphWidth, c.glyphHeight);
        centreInPicture(picture, glyph);
        for (int32_t y = 0; y < c.pictureHeight; ++y) {
            for (int32_t x = 0; x < c.pictureWidth; ++x) {
                const int32_t gx = x - c.dx, gy = y - c.dy;
                const bool covered = gx >= 0 && gy >= 0 && gx < c.glyphWidth && gy < c.glyphHeight;
                uint32_t pixel;
                picture.getPixel(x, y, &pixel);
                ASSERT_EQ(pixel, covered ? markOf(gx, gy) : 0u)
                    << c.glyphWidth << "x" << c.glyphHeight << " at " << x << "," << y;
            }
        }
    }
}

TEST(PreviewImage, ComposingBlendsOverMidGreyByAlphaInBlueGreenRedAlphaOrder) {
    Surface source;
    ASSERT_TRUE(source.create(3, 2));
    source.setPixel(0, 0, 0xFF102030);  // opaque: its own colour
    source.setPixel(1, 0, 0x80FF0000);  // half red: 128 + 127 * 128 / 255 = 191, others 128 - 64
    source.setPixel(2, 0, 0x40000000);  // quarter black: 128 - 128 * 64 / 255, truncated toward zero
    // (x, 1) stays transparent: grey with alpha 0.

    const int32_t width = 4, height = 3, pitch = 20;  // a wider display with padding
    std::vector<uint8_t> bytes(pitch * height, 0x11);
    composeOverGrey(source, {bytes.data(), pitch, width, height});

    auto pixel = [&](int x, int y) {
        const uint8_t* p = &bytes[y * pitch + 4 * x];
        return std::vector<int>{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{0x30, 0x20, 0x10, 255}));
    EXPECT_EQ(pixel(1, 0), (std::vector<int>{64, 64, 191, 128}));
    EXPECT_EQ(pixel(2, 0), (std::vector<int>{96, 96, 96, 64}));
    EXPECT_EQ(pixel(1, 1), (std::vector<int>{128, 128, 128, 0}));
    // Beyond the source, and the row padding: plain grey with alpha 128.
    EXPECT_EQ(pixel(3, 0), (std::vector<int>{128, 128, 128, 128}));
    EXPECT_EQ(pixel(0, 2), (std::vector<int>{128, 128, 128, 128}));
    for (int y = 0; y < height; ++y)
        for (int i = 4 * width; i < pitch; ++i) EXPECT_EQ(bytes[y * pitch + i], 0x80);
}

TEST(PreviewImage, ASourceLargerThanTheDisplayIsCutAndAnEmptyOneLeavesGrey) {
    Surface large, empty;
    ASSERT_TRUE(large.create(50, 50));
    large.clear();
    std::vector<uint8_t> bytes(2 * 2 * 4 + 4, 0x11);  // 4 guard bytes past the display
    composeOverGrey(large, {bytes.data(), 8, 2, 2});
    EXPECT_EQ(bytes[16], 0x11);
    composeOverGrey(empty, {bytes.data(), 8, 2, 2});
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0x80);
}
