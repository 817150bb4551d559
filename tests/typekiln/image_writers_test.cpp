#include "images/image_writers.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/reference_reduction.h"
#include "tests/support/surface_pixels.h"
#include "tests/test_files/test_files.h"

namespace {

std::vector<uint8_t> bytesOf(const ByteBuffer& buffer) {
    return std::vector<uint8_t>(buffer.bytes.get(), buffer.bytes.get() + buffer.size);
}

// An asymmetric "F" in red on a transparent page, its middle bar half
// covered: a flip or a red/blue swap shows.
void drawF(Surface& page) {
    for (int y = 1; y <= 6; ++y) page.setPixel(1, y, 0xFFFF0000);
    for (int x = 2; x <= 4; ++x) page.setPixel(x, 1, 0xFFFF0000);
    for (int x = 2; x <= 3; ++x) page.setPixel(x, 3, 0x80FF0000);
}

}  // namespace

TEST(ImageWriters, WrittenHeightIsThePowerOfTwoAboveTheUsedRows) {
    Surface page;
    page.create(16, 256);
    const int used[] = {0, -4, 1, 100, 128, 129, 256};
    const int written[] = {256, 256, 1, 128, 128, 256, 256};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(writtenHeight(page, used[i]), written[i]) << used[i];
    page.create(4, 100);
    EXPECT_EQ(writtenHeight(page, 99), 100);  // never more rows than the surface has
}

TEST(ImageWriters, TgaStoresRowsFromTheTopWithGreyForTransparentPixels) {
    Surface page;
    page.create(8, 8);
    drawF(page);
    ByteBuffer out;
    ASSERT_TRUE(encodeTga32(page, 7, out));
    const std::vector<uint8_t> bytes = bytesOf(out);
    ASSERT_EQ(bytes.size(), 18u + 8 * 8 * 4);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 18),
              (std::vector<uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28}));
    auto pixel = [&](int x, int y) { return readU32(bytes, 18 + (static_cast<size_t>(y) * 8 + x) * 4); };
    EXPECT_EQ(pixel(0, 0), 0x00808080u);  // stored as 80 80 80 00
    EXPECT_EQ(pixel(4, 1), 0xFFFF0000u);  // stored as blue, green, red, alpha
    EXPECT_EQ(pixel(2, 3), 0x80FF0000u);  // partial alpha kept
    EXPECT_EQ(pixel(1, 6), 0xFFFF0000u);
}

TEST(ImageWriters, PageFilesReplaceOldOnesAndFollowTheWrittenHeight) {
    TemporaryFolder folder;
    CurrentFolderScope scope(folder.path());
    for (const char* name : {"four.bmp", "four.bmp.tga", "page.tga"})
        writeFileBytes(name, std::string(200000, 'x'));
    Surface page;
    page.create(256, 256);
    drawF(page);
    ASSERT_TRUE(writeBmp4(page, "four.bmp", "four.bmp.tga", 100));
    ASSERT_TRUE(writeBmp8(page, "eight.bmp", "eight.bmp.tga", 100));
    ASSERT_TRUE(writeTga32(page, "page.tga", 100));
    const std::vector<uint8_t> four = readFileBytes("four.bmp");
    EXPECT_EQ(four.size(), 16502u);
    EXPECT_EQ(readU32(four, 2), 16502u);
    EXPECT_EQ(readU32(four, 10), 118u);
    EXPECT_EQ(readU32(four, 22), 128u);
    EXPECT_EQ(readFileBytes("eight.bmp").size(), 33846u);
    for (const char* name : {"page.tga", "four.bmp.tga", "eight.bmp.tga"})
        EXPECT_EQ(readFileBytes(name).size(), 131090u);
    EXPECT_FALSE(fileExists("page.tga.tga"));
}

TEST(ImageWriters, BmpStoresTheLowestRowFirstAndItsCopyTheTopRowFirst) {
    Surface page;
    page.create(8, 4);
    for (int x = 0; x < 8; ++x) page.setPixel(x, 3, 0xFF0000FF);  // bottom row blue
    page.setPixel(0, 0, 0xFFFF0000);                              // top-left red
    ColourReduction reduction;
    ASSERT_TRUE(reduction.buildHistogram(page, 8) && reduction.buildIndexImage(page, 8));
    const int blue = reduction.paletteIndex(0xFF0000FF, 8);
    const int red = reduction.paletteIndex(0xFFFF0000, 8);
    ASSERT_TRUE(reduction.storePalette());
    ByteBuffer bmp, copy;
    ASSERT_TRUE(encodePalettedBmp(page, reduction, 8, 0, bmp) &&
                encodePaletteTga32(page, reduction, 8, 0, copy));
    EXPECT_EQ(bmp.bytes[1078], blue);
    EXPECT_EQ(bmp.bytes[1078 + 3 * 8], red);
    EXPECT_EQ(readU32(bytesOf(bmp), 54 + 4 * red), 0xFFFF0000u);  // the palette keeps its alpha byte
    EXPECT_EQ(readU32(bytesOf(copy), 18), 0xFFFF0000u);
    EXPECT_EQ(readU32(bytesOf(copy), 18 + 4),
              ColourReduction::kTransparentKey);  // the key's own entry, not grey
    EXPECT_EQ(readU32(bytesOf(copy), 18 + 3 * 8 * 4), 0xFF0000FFu);
}

TEST(ImageWriters, PalettedFilesMatchTheStraightforwardWriterByteForByte) {
    std::mt19937 random(99);
    std::uniform_int_distribution<uint32_t> channel(0, 3), alpha(0, 255);
    for (int bits : {4, 8}) {
        std::vector<uint32_t> pixels(32 * 32);
        for (auto& p : pixels)
            p = alpha(random) << 24 | channel(random) * 85 << 16 | channel(random) * 85 << 8 | 255;
        Surface page;
        page.create(32, 32);
        for (int i = 0; i < 32 * 32; ++i) page.setPixel(i % 32, i / 32, pixels[i]);
        const ReferenceReduction reference = referenceReduce(pixels, 32, 32, bits);
        TemporaryFolder folder;
        const std::string name = folder.file("page.bmp");
        const std::string copy = name + ".tga";
        ASSERT_TRUE(bits == 4 ? writeBmp4(page, name.c_str(), copy.c_str(), 20)
                              : writeBmp8(page, name.c_str(), copy.c_str(), 20));
        EXPECT_EQ(readFileBytes(name), referenceBmpFile(reference, bits, 32, 32)) << bits << " bits";
        EXPECT_EQ(readFileBytes(name + ".tga"), referenceBmpTgaCopy(reference, bits, 32, 32))
            << bits << " bits";
        EXPECT_EQ(pixelsOf(page), reference.pixels);  // the page keeps its quantised pixels
    }
}

TEST(ImageWriters, OddWidthBmpRowsArePaddedToFourBytes) {
    Surface page;
    page.create(5, 2);
    ColourReduction reduction;
    ASSERT_TRUE(reduction.buildHistogram(page, 4) && reduction.buildIndexImage(page, 4) &&
                reduction.storePalette());
    ByteBuffer bmp;
    ASSERT_TRUE(encodePalettedBmp(page, reduction, 4, 0, bmp));
    EXPECT_EQ(bmp.size, 118u + 2 * 4);
}

TEST(ImageWriters, NothingIsWrittenFromMissingPixelsAndNoCopyFollowsAFailedBmp) {
    TemporaryFolder folder;
    Surface empty;
    EXPECT_FALSE(writeTga32(empty, folder.file("a.tga").c_str(), 0));
    EXPECT_FALSE(writeBmp8(empty, folder.file("a.bmp").c_str(), folder.file("a.bmp.tga").c_str(), 0));
    Surface page;
    page.create(128, 128);
    createFolder(folder.file("b.bmp"));  // in the way of the BMP
    EXPECT_FALSE(writeBmp8(page, folder.file("b.bmp").c_str(), folder.file("b.bmp.tga").c_str(), 0));
    for (const char* name : {"a.tga", "a.bmp", "a.bmp.tga", "b.bmp.tga"})
        EXPECT_FALSE(fileExists(folder.file(name)));
}
