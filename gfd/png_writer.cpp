#include "gfd/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>

#include "platform/file_system.h"

namespace {

// Where libpng's output and its complaints go. libpng is C: nothing may
// throw through it, so a failed allocation becomes one of its errors.
struct PngSink {
    std::vector<uint8_t>* bytes;
    char message[128];
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    PngSink* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    bool appended = true;
    try {
        sink->bytes->insert(sink->bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) png_error(png, "not enough memory for the compressed image");
}

void flushNothing(png_structp) {}

void keepMessage(png_structp png, png_const_charp message) {
    PngSink* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

// The rows of `image`, each pixel and row repeated `scale` times, through
// libpng; `wideRow` holds one enlarged row. Only plain values live here, as
// an error leaves by longjmp.
bool writeRows(png_structp png, png_infop info, const Surface& image, PngAlpha alpha, int32_t scale,
               uint32_t* wideRow) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    image.lockPixels(&pixels, &pitch);
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.getWidth() * scale),
                 static_cast<png_uint_32>(image.getHeight() * scale), 8,
                 alpha == PngAlpha::Keep ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // A surface pixel lies in memory as blue, green, red, alpha.
    png_set_bgr(png);
    if (alpha == PngAlpha::Drop) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int32_t y = 0; y < image.getHeight(); ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        if (scale > 1) {
            for (int32_t x = 0; x < image.getWidth() * scale; ++x) wideRow[x] = row[x / scale];
            row = wideRow;
        }
        for (int32_t repeat = 0; repeat < scale; ++repeat)
            png_write_row(png, reinterpret_cast<png_const_bytep>(row));
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool encodePng(const Surface& image, PngAlpha alpha, int32_t scale, std::vector<uint8_t>& png,
               std::string& error) {
    if (image.getWidth() == 0 || scale < 1) {
        error = "an image without pixels cannot be a PNG";
        return false;
    }
    std::vector<uint32_t> wideRow(scale > 1 ? static_cast<size_t>(image.getWidth()) * scale : 0);
    png.clear();
    PngSink sink = {&png, "libpng cannot start"};
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, keepMessage, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    bool written = false;
    if (info) {
        png_set_write_fn(writer, &sink, appendBytes, flushNothing);
        written = writeRows(writer, info, image, alpha, scale, wideRow.data());
    }
    png_destroy_write_struct(&writer, info ? &info : nullptr);
    if (!written) {
        error = std::string("PNG encoding failed: ") + sink.message;
        png.clear();
    }
    return written;
}

bool writePng(const char* fileName, const Surface& image, PngAlpha alpha, int32_t scale, std::string& error) {
    std::vector<uint8_t> png;
    if (!encodePng(image, alpha, scale, png, error)) return false;
    if (!writeWholeFile(fileName, png.data(), png.size())) {
        error = std::string(fileName) + " cannot be written";
        return false;
    }
    return true;
}
