#include "frontend_core/preview_image.h"

#include <cstring>

void centreInPicture(Surface& picture, const Surface& glyph) {
    picture.clear();
    const int32_t x = (picture.getWidth() - glyph.getWidth()) / 2;
    const int32_t y = (picture.getHeight() - glyph.getHeight()) / 2;
    picture.copyRect(x, y, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
}

void composeOverGrey(const Surface& source, const DisplayPixels& display) {
    constexpr uint32_t kGrey = 0x00808080;
    std::memset(display.bytes, 0x80, static_cast<size_t>(display.pitchBytes) * display.height);
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!source.lockPixels(&pixels, &pitch)) return;

    const int32_t columns = source.getWidth() < display.width ? source.getWidth() : display.width;
    const int32_t rows = source.getHeight() < display.height ? source.getHeight() : display.height;
    for (int32_t y = 0; y < rows; ++y) {
        uint8_t* row = display.bytes + static_cast<size_t>(y) * display.pitchBytes;
        for (int32_t x = 0; x < columns; ++x) {
            const uint32_t s = pixels[static_cast<size_t>(y) * pitch + x];
            const int32_t alpha = static_cast<int32_t>(s >> 24);
            uint8_t* pixel = row + 4 * x;
            pixel[0] = static_cast<uint8_t>(blendChannel(kGrey, s, 0, alpha));
            pixel[1] = static_cast<uint8_t>(blendChannel(kGrey, s, 8, alpha) >> 8);
            pixel[2] = static_cast<uint8_t>(blendChannel(kGrey, s, 16, alpha) >> 16);
            pixel[3] = static_cast<uint8_t>(alpha);
        }
    }
}
