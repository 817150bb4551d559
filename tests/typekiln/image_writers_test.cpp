#include "image_writers.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "reference_reduction.h"
#include "surface_pixels.h"
#include "test_files.h"

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

std::vector<uint8_t> bytesOf(const ByteBuffer& buffer) {
    return std::vector<uint8_t>(buffer.bytes, buffer.bytes + buffer.size);
}

// An asymmetric "F" in red on a transparent page: a flip or a red/blue swap shows.
void drawF(Surface& page) {
    for (int y = 1; y <= 6; ++y)
        page.setPixel(1, y, argb(255, 255, 0, 0));
    for (int x = 2; x <= 4; ++x)
        page.setPixel(x, 1, argb(255, 255, 0, 0));
    for (int x = 2; x <= 3; ++x)
        page.setPixel(x, 3, argb(128, 255, 0, 0));
}

}  // namespace

TEST(ImageWriters, WrittenHeightIsThePowerOfTwoAboveTheUsedRows) {
    Surface page;
    page.create(16, 256);
    EXPECT_EQ(writtenHeight(page, 0), 256);
    EXPECT_EQ(writtenHeight(page, -4), 256);
    EXPECT_EQ(writtenHeight(page, 1), 1);
    EXPECT_EQ(writtenHeight(page, 100), 128);
    EXPECT_EQ(writtenHeight(page, 128), 128);
    EXPECT_EQ(writtenHeight(page, 129), 256);
    EXPECT_EQ(writtenHeight(page, 256), 256);
    Surface odd;
    odd.create(4, 100);
    EXPECT_EQ(writtenHeight(odd, 99), 100);  // never more rows than the surface has
}

TEST(ImageWriters, TgaStoresRowsFromTheTopWithGreyForTransparentPixels) {
    Surface page;
    page.create(8, 8);
    drawF(page);
    ByteBuffer out;
    ASSERT_TRUE(encodeTga32(page, 7, out));  // 7 used rows: 8 written
    std::vector<uint8_t> bytes = bytesOf(out);
    ASSERT_EQ(bytes.size(), 18u + 8 * 8 * 4);
    const std::vector<uint8_t> header = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 18), header);
    auto pixel = [&](int x, int y) {
        size_t at = 18 + (static_cast<size_t>(y) * 8 + x) * 4;
        return std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + 4);
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<uint8_t>{0x80, 0x80, 0x80, 0x00}));
    EXPECT_EQ(pixel(4, 1), (std::vector<uint8_t>{0x00, 0x00, 0xFF, 0xFF}));  // blue, green, red, alpha
    EXPECT_EQ(pixel(2, 3), (std::vector<uint8_t>{0x00, 0x00, 0xFF, 128}));   // partial alpha kept
    EXPECT_EQ(pixel(1, 6), (std::vector<uint8_t>{0x00, 0x00, 0xFF, 0xFF}));
    EXPECT_EQ(pixel(4, 6), (std::vector<uint8_t>{0x80, 0x80, 0x80, 0x00}));
}

TEST(ImageWriters, PageFileSizesFollowTheWrittenHeight) {
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    Surface page;
    page.create(256, 256);
    drawF(page);
    ASSERT_TRUE(page.writeBmp4("four.bmp", 100));
    ASSERT_TRUE(page.writeBmp8("eight.bmp", 100));
    ASSERT_TRUE(page.writeTga32("page.tga", 100));
    const std::vector<uint8_t> four = readFileBytes("four.bmp");
    EXPECT_EQ(four.size(), 16502u);
    EXPECT_EQ(readU32(four, 2), 16502u);
    EXPECT_EQ(readU32(four, 10), 118u);
    EXPECT_EQ(readU32(four, 22), 128u);
    EXPECT_EQ(readU16(four, 28), 4u);
    const std::vector<uint8_t> eight = readFileBytes("eight.bmp");
    EXPECT_EQ(eight.size(), 33846u);
    EXPECT_EQ(readU32(eight, 10), 1078u);
    EXPECT_EQ(readFileBytes("page.tga").size(), 131090u);
    EXPECT_EQ(readFileBytes("four.bmp.tga").size(), 131090u);
    EXPECT_EQ(readFileBytes("eight.bmp.tga").size(), 131090u);
    EXPECT_FALSE(fileExists(folder.file("page.tga.tga")));
}

TEST(ImageWriters, BmpStoresTheLowestRowFirstAndItsCopyTheTopRowFirst) {
    Surface page;
    page.create(8, 4);
    for (int x = 0; x < 8; ++x)
        page.setPixel(x, 3, 0xFF0000FF);  // bottom row blue
    page.setPixel(0, 0, 0xFFFF0000);      // top-left red
    ASSERT_TRUE(page.buildHistogram(8) && page.buildIndexImage(8));
    const int blue = page.paletteIndex(0xFF0000FF, 8);
    const int red = page.paletteIndex(0xFFFF0000, 8);
    ASSERT_TRUE(page.storePalette());
    ByteBuffer bmp;
    ASSERT_TRUE(encodePalettedBmp(page, 8, 0, bmp));
    EXPECT_EQ(bmp.bytes[1078], blue);                             // first stored row: the bottom one
    EXPECT_EQ(bmp.bytes[1078 + 3 * 8], red);                      // last stored row: the top one
    EXPECT_EQ(readU32(bytesOf(bmp), 54 + 4 * red), 0xFFFF0000u);  // palette keeps the alpha byte
    ByteBuffer copy;
    ASSERT_TRUE(encodePaletteTga32(page, 8, 0, copy));
    EXPECT_EQ(readU32(bytesOf(copy), 18), 0xFFFF0000u);
    EXPECT_EQ(readU32(bytesOf(copy), 18 + 4), Surface::kTransparentKey);  // the key's own entry, not grey
    EXPECT_EQ(readU32(bytesOf(copy), 18 + 3 * 8 * 4), 0xFF0000FFu);
}

TEST(ImageWriters, PalettedFilesMatchTheStraightforwardWriterByteForByte) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> channel(0, 3);
    std::uniform_int_distribution<int> alpha(0, 255);
    for (int bits : {4, 8}) {
        const int width = 32, height = 32, used = 20;
        std::vector<uint32_t> pixels(width * height);
        for (auto& p : pixels)
            p = argb(alpha(random), channel(random) * 85, channel(random) * 85, 255);
        Surface page;
        page.create(width, height);
        for (int i = 0; i < width * height; ++i)
            page.setPixel(i % width, i / width, pixels[i]);

        const ReferenceReduction reference = referenceReduce(pixels, width, height, bits);
        TemporaryFolder folder;
        const std::string name = folder.file("page.bmp");
        ASSERT_TRUE(bits == 4 ? page.writeBmp4(name.c_str(), used) : page.writeBmp8(name.c_str(), used));
        EXPECT_EQ(readFileBytes(name), referenceBmpFile(reference, bits, width, 32)) << bits << " bits";
        EXPECT_EQ(readFileBytes(name + ".tga"), referenceBmpTgaCopy(reference, bits, width, 32)) << bits;
        EXPECT_EQ(pixelsOf(page), reference.pixels);  // the page keeps its quantised pixels
    }
}

TEST(ImageWriters, OddWidthBmpRowsArePaddedToFourBytes) {
    Surface page;
    page.create(5, 2);
    page.setPixel(4, 1, 0xFFFFFFFF);
    ASSERT_TRUE(page.buildHistogram(4) && page.buildIndexImage(4) && page.storePalette());
    ByteBuffer bmp;
    ASSERT_TRUE(encodePalettedBmp(page, 4, 0, bmp));
    EXPECT_EQ(bmp.size, 118u + 2 * 4);
    EXPECT_EQ(readU32(bytesOf(bmp), 2), bmp.size);
}

TEST(ImageWriters, ExistingFilesAreReplaced) {
    TemporaryFolder folder;
    const std::string name = folder.file("font_00.bmp");
    writeFileBytes(name, std::string(100000, 'x'));
    writeFileBytes(name + ".tga", std::string(100000, 'x'));
    Surface page;
    page.create(128, 128);
    ASSERT_TRUE(page.writeBmp4(name.c_str(), 1));
    EXPECT_EQ(readFileBytes(name).size(), 118u + 64);
    EXPECT_EQ(readFileBytes(name + ".tga").size(), 18u + 128 * 4);
}

TEST(ImageWriters, NothingIsWrittenFromAPageWithoutPixels) {
    TemporaryFolder folder;
    Surface empty;
    const std::string tga = folder.file("a.tga");
    const std::string bmp = folder.file("a.bmp");
    EXPECT_FALSE(empty.writeTga32(tga.c_str(), 0));
    EXPECT_FALSE(empty.writeBmp8(bmp.c_str(), 0));
    EXPECT_FALSE(fileExists(tga));
    EXPECT_FALSE(fileExists(bmp));
    EXPECT_FALSE(fileExists(bmp + ".tga"));
}

TEST(ImageWriters, ABmpThatCannotBeCreatedGetsNoCopy) {
    TemporaryFolder folder;
    Surface page;
    page.create(128, 128);
    const std::string name = folder.file("missing-folder/page.bmp");
    EXPECT_FALSE(page.writeBmp8(name.c_str(), 0));
    EXPECT_FALSE(page.writeTga32(folder.file("missing-folder/page.tga").c_str(), 0));
    EXPECT_FALSE(fileExists(name + ".tga"));
}
