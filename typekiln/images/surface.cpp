#include "images/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr int64_t kMaxPixels = int64_t{1} << 30;  // 4 GB of pixels: far beyond any page

uint32_t alphaOf(uint32_t pixel) {
    return pixel >> 24;
}

// The part of a source rectangle that lands on both surfaces, as a
// destination origin, a source origin and a size.
struct ClippedRect {
    int32_t x, y, sourceX, sourceY, columns, rows;
};

// Clips one axis: [position, position + length) on a destination of size
// `limit`, reading from [sourcePosition, ...) of a source of size
// `sourceLimit`. Returns false when nothing is left.
bool clipSpan(int64_t position, int64_t sourcePosition, int64_t length, int64_t limit, int64_t sourceLimit,
              int32_t* outPosition, int32_t* outSourcePosition, int32_t* outLength) {
    if (sourcePosition < 0) {  // callers pass whole sources; guard the reads anyway
        position -= sourcePosition;
        length += sourcePosition;
        sourcePosition = 0;
    }
    length = std::min(length, sourceLimit - sourcePosition);
    if (position < 0) {
        sourcePosition -= position;
        length += position;
        position = 0;
    }
    length = std::min(length, limit - position);
    if (length <= 0) return false;
    *outPosition = static_cast<int32_t>(position);
    *outSourcePosition = static_cast<int32_t>(sourcePosition);
    *outLength = static_cast<int32_t>(length);
    return true;
}

bool clipRect(int32_t x, int32_t y, int32_t width, int32_t height, const Surface& source, int32_t sourceX,
              int32_t sourceY, int32_t w, int32_t h, ClippedRect* clipped) {
    if (width == 0 || source.getWidth() == 0) return false;
    return clipSpan(x, sourceX, w, width, source.getWidth(), &clipped->x, &clipped->sourceX,
                    &clipped->columns) &&
           clipSpan(y, sourceY, h, height, source.getHeight(), &clipped->y, &clipped->sourceY,
                    &clipped->rows);
}

// Visits every destination and source pixel pair of a clipped rectangle.
template <typename Combine>
void forEachPixelPair(uint32_t* destination, int32_t destinationPitch, const Surface& source,
                      const ClippedRect& r, Combine combine) {
    const uint32_t* sourcePixels = nullptr;
    int32_t sourcePitch = 0;
    source.lockPixels(&sourcePixels, &sourcePitch);
    for (int32_t row = 0; row < r.rows; ++row) {
        uint32_t* d = destination + static_cast<int64_t>(r.y + row) * destinationPitch + r.x;
        const uint32_t* s = sourcePixels + static_cast<int64_t>(r.sourceY + row) * sourcePitch + r.sourceX;
        for (int32_t column = 0; column < r.columns; ++column) d[column] = combine(d[column], s[column]);
    }
}

// Alpha 255 gives the source colour exactly and alpha 0 leaves the
// destination, so rows of glyph pixels (all 0 or 255) take a plain select
// that the compiler can turn into vector code.
void blendRow(uint32_t* __restrict d, const uint32_t* __restrict s, int32_t columns) {
    bool solid = true;
    for (int32_t c = 0; c < columns; ++c) solid &= (s[c] >> 24) == 0 || (s[c] >> 24) == 255;
    if (solid) {
        for (int32_t c = 0; c < columns; ++c) d[c] = (s[c] >> 24) != 0 ? s[c] : d[c];
        return;
    }
    for (int32_t c = 0; c < columns; ++c) {
        const int32_t alpha = static_cast<int32_t>(alphaOf(s[c]));
        if (alpha == 0) continue;
        d[c] = blendChannel(d[c], s[c], 0, alpha) | blendChannel(d[c], s[c], 8, alpha) |
               blendChannel(d[c], s[c], 16, alpha) | 0xFF000000u;
    }
}

}  // namespace

bool Surface::create(int32_t newWidth, int32_t newHeight) {
    release();
    if (newWidth <= 0 || newHeight <= 0) return false;
    int64_t count = int64_t{newWidth} * newHeight;
    if (count > kMaxPixels) return false;
    if (!pixels.allocate(static_cast<size_t>(count))) return false;
    width = newWidth;
    height = newHeight;
    return true;
}

bool Surface::copyFrom(const Surface& source) {
    if (&source == this) return pixels.get() != nullptr;
    if (!create(source.width, source.height)) return false;
    std::memcpy(pixels.get(), source.pixels.get(), static_cast<size_t>(width) * height * sizeof(uint32_t));
    return true;
}

void Surface::swap(Surface& other) {
    std::swap(pixels, other.pixels);
    std::swap(width, other.width);
    std::swap(height, other.height);
}

void Surface::release() {
    pixels.reset();
    width = 0;
    height = 0;
}

bool Surface::lockPixels(uint32_t** outPixels, int32_t* pitch) {
    *outPixels = pixels.get();
    *pitch = width;
    return pixels.get() != nullptr;
}

bool Surface::lockPixels(const uint32_t** outPixels, int32_t* pitch) const {
    *outPixels = pixels.get();
    *pitch = width;
    return pixels.get() != nullptr;
}

void Surface::clear() {
    if (pixels) std::memset(pixels.get(), 0, static_cast<size_t>(width) * height * sizeof(uint32_t));
}

bool Surface::getPixel(int32_t x, int32_t y, uint32_t* pixel) const {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height) {
        *pixel = 0;
        return false;
    }
    *pixel = pixels[static_cast<int64_t>(y) * width + x];
    return true;
}

void Surface::setPixel(int32_t x, int32_t y, uint32_t pixel) {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<int64_t>(y) * width + x] = pixel;
}

void Surface::copyRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY,
                       int32_t w, int32_t h) {
    ClippedRect r;
    if (!clipRect(x, y, width, height, source, sourceX, sourceY, w, h, &r)) return;
    for (int32_t row = 0; row < r.rows; ++row) {
        std::memmove(pixels.get() + static_cast<int64_t>(r.y + row) * width + r.x,
                     source.pixels.get() + static_cast<int64_t>(r.sourceY + row) * source.width + r.sourceX,
                     static_cast<size_t>(r.columns) * sizeof(uint32_t));
    }
}

void Surface::stampRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY,
                        int32_t w, int32_t h, uint32_t colour) {
    ClippedRect r;
    if (!clipRect(x, y, width, height, source, sourceX, sourceY, w, h, &r)) return;
    const uint32_t rgb = pixelFromPackedColour(colour, 0);
    forEachPixelPair(pixels.get(), width, source, r, [rgb](uint32_t d, uint32_t s) {
        uint32_t alpha = std::min<uint32_t>(255, alphaOf(d) + alphaOf(s));
        return rgb | alpha << 24;
    });
}

void Surface::blendRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY,
                        int32_t w, int32_t h) {
    ClippedRect r;
    if (!clipRect(x, y, width, height, source, sourceX, sourceY, w, h, &r)) return;
    const uint32_t* sourcePixels = nullptr;
    int32_t sourcePitch = 0;
    source.lockPixels(&sourcePixels, &sourcePitch);
    for (int32_t row = 0; row < r.rows; ++row) {
        uint32_t* d = pixels.get() + static_cast<int64_t>(r.y + row) * width + r.x;
        const uint32_t* s = sourcePixels + static_cast<int64_t>(r.sourceY + row) * sourcePitch + r.sourceX;
        blendRow(d, s, r.columns);
    }
}
