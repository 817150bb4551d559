#include "png_writer.h"

#include <png.h>

#include <cstring>

#include "file_system.h"

bool encodePng(const Surface& image, PngAlpha alpha, std::vector<uint8_t>& png, std::string& error) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!image.lockPixels(&pixels, &pitch)) {
        error = "an image without pixels cannot be a PNG";
        return false;
    }
    png_image description;
    std::memset(&description, 0, sizeof description);
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.getWidth());
    description.height = static_cast<png_uint_32>(image.getHeight());

    // A surface pixel lies in memory as blue, green, red, alpha. Without its
    // alpha, the colour is packed into three bytes first.
    const void* rows = pixels;
    std::vector<uint8_t> packed;
    if (alpha == PngAlpha::Keep) {
        description.format = PNG_FORMAT_BGRA;
    } else {
        description.format = PNG_FORMAT_BGR;
        packed.resize(size_t{3} * image.getWidth() * image.getHeight());
        uint8_t* out = packed.data();
        for (int32_t y = 0; y < image.getHeight(); ++y) {
            const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
            for (int32_t x = 0; x < image.getWidth(); ++x, out += 3) {
                out[0] = static_cast<uint8_t>(row[x]);
                out[1] = static_cast<uint8_t>(row[x] >> 8);
                out[2] = static_cast<uint8_t>(row[x] >> 16);
            }
        }
        rows = packed.data();
    }
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(description);
    png.resize(size);
    if (!png_image_write_to_memory(&description, png.data(), &size, 0, rows, 0, nullptr)) {
        error = std::string("PNG encoding failed: ") + description.message;
        png_image_free(&description);
        return false;
    }
    png.resize(size);
    return true;
}

bool writePng(const char* fileName, const Surface& image, PngAlpha alpha, std::string& error) {
    std::vector<uint8_t> png;
    if (!encodePng(image, alpha, png, error)) return false;
    if (!writeWholeFile(fileName, png.data(), png.size())) {
        error = std::string(fileName) + " cannot be written";
        return false;
    }
    return true;
}
