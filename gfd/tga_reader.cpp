#include "gfd/tga_reader.h"

#include "gfd/wording.h"
#include "images/tga_header.h"

bool readTgaLayout(const uint8_t* bytes, size_t size, TgaLayout& layout, std::string& error) {
    if (size < kTgaHeaderBytes) {
        error = "is too short for a TGA image";
        return false;
    }
    const TgaHeader header = readTgaHeader(bytes);
    if (header.colourMapType != 0 || header.imageType != kTgaTrueColour ||
        header.pixelDepth != kTgaPageDepth || (header.descriptor & kTgaAlphaBitsMask) != kTgaPageAlphaBits ||
        (header.descriptor & kTgaRightToLeft)) {
        error = "is not an uncompressed 32-bit TGA image with alpha";
        return false;
    }
    layout.width = header.width;
    layout.height = header.height;
    if (layout.width == 0 || layout.height == 0) {
        error = "is an image without pixels";
        return false;
    }
    layout.pixelOffset = kTgaHeaderBytes + header.idLength;
    layout.topDown = header.descriptor & kTgaTopDown;
    return true;
}

bool decodeTgaPixels(const uint8_t* bytes, size_t size, const TgaLayout& layout, Surface& image,
                     std::string& error) {
    image.release();
    const size_t rowBytes = size_t{4} * layout.width;
    const size_t needed = layout.pixelOffset + rowBytes * layout.height;
    if (size < needed) {
        error = "is truncated: " + counted(size, "byte", "bytes") + " where " + std::to_string(layout.width) +
                " x " + std::to_string(layout.height) + " pixels take " + counted(needed, "byte", "bytes");
        return false;
    }
    uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!image.create(layout.width, layout.height) || !image.lockPixels(&pixels, &pitch)) {
        error = "does not fit in memory";
        return false;
    }
    for (int32_t stored = 0; stored < layout.height; ++stored) {
        const int32_t y = layout.topDown ? stored : layout.height - 1 - stored;
        const uint8_t* in = bytes + layout.pixelOffset + rowBytes * stored;
        uint32_t* out = pixels + static_cast<size_t>(y) * pitch;
        // Stored blue, green, red, alpha: the little-endian 0xAARRGGBB.
        for (int32_t x = 0; x < layout.width; ++x, in += 4)
            out[x] = in[0] | in[1] << 8 | in[2] << 16 | static_cast<uint32_t>(in[3]) << 24;
    }
    return true;
}
