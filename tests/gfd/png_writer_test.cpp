#include "gfd/png_writer.h"

#include <gtest/gtest.h>

#include "tests/gfd/png_reader.h"
#include "tests/test_files/test_files.h"

// An asymmetric image with four alphas, read back by libpng's own reader:
// a flip, a channel swap or a lost alpha shows.
TEST(PngWriter, EnlargesEachPixelIntoASquareBlockWithOrWithoutAlpha) {
    const uint32_t source[2][2] = {{0xFF112233, 0x80445566}, {0x00778899, 0xFFAABBCC}};
    Surface image;
    ASSERT_TRUE(image.create(2, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) image.setPixel(x, y, source[y][x]);
    TemporaryFolder folder;
    const std::string path = folder.file("image.png");
    for (const PngAlpha alpha : {PngAlpha::Keep, PngAlpha::Drop}) {
        for (const int scale : {1, 3}) {
            std::string error;
            ASSERT_TRUE(writePng(path.c_str(), image, alpha, scale, error)) << error;
            const PageImage png = readPng(path);
            ASSERT_EQ(png.width, 2 * scale);
            ASSERT_EQ(png.height, 2 * scale);
            for (int y = 0; y < png.height; ++y) {
                for (int x = 0; x < png.width; ++x) {
                    const uint32_t pixel = source[y / scale][x / scale];
                    EXPECT_EQ(png.at(x, y), alpha == PngAlpha::Keep ? pixel : pixel | 0xFF000000)
                        << "scale " << scale << " at " << x << "," << y;
                }
            }
        }
    }
}
