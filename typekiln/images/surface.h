#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/page_memory.h"

// A pixel (0xAARRGGBB) from a packed colour of the settings (red in bits 0-7,
// green 8-15, blue 16-23; the top byte means nothing) and an alpha.
constexpr uint32_t pixelFromPackedColour(uint32_t colour, uint32_t alpha) {
    return alpha << 24 | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// One colour channel (the byte at `shift`) of `source` laid over
// `destination` with `alpha`: D + (S - D) * alpha / 255, truncated toward
// zero, in place at `shift`.
constexpr uint32_t blendChannel(uint32_t destination, uint32_t source, int shift, int32_t alpha) {
    const int32_t d = static_cast<int32_t>((destination >> shift) & 0xFF);
    const int32_t s = static_cast<int32_t>((source >> shift) & 0xFF);
    return static_cast<uint32_t>(d + (s - d) * alpha / 255) << shift;
}

// The font tool's in-memory image: glyphs, texture pages and the preview.
//
// Pixels are 32-bit 0xAARRGGBB (bytes in memory: blue, green, red, alpha);
// alpha 0 is transparent, 255 opaque. Rows run top to bottom, each exactly
// `width` pixels with no gap, so the pitch is always `width` and pixel (x, y)
// is element y * width + x. A surface has pixels exactly when its width and
// height are non-zero.
//
// The pixel buffer comes zero-filled from the page allocator and is owned by
// the surface: release() gives it back, and so does the destructor. Surfaces
// are never copied implicitly; copyFrom() copies pixels explicitly.
//
// Nothing throws: creation reports an ungranted buffer by returning false and
// leaves the surface empty, and every other operation on an empty surface does
// nothing (or reads transparent black).
class Surface {
public:
    Surface() = default;
    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Replaces the surface by width x height transparent black pixels.
    // Returns false, leaving the surface 0 x 0, when either side is 0 or less
    // or no buffer is granted.
    bool create(int32_t width, int32_t height);
    // create() at the source's size and copy all its pixels.
    bool copyFrom(const Surface& source);
    // Exchanges the pixels of two surfaces.
    void swap(Surface& other);
    // Gives back the pixels; the surface becomes 0 x 0.
    void release();

    // Hands out the pixel buffer and its pitch in pixels (always the width).
    // Returns false when there are no pixels.
    bool lockPixels(uint32_t** pixels, int32_t* pitch);
    bool lockPixels(const uint32_t** pixels, int32_t* pitch) const;
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }

    void clear();
    // Reads pixel (x, y). Outside the surface *pixel receives 0 and the
    // result is false.
    bool getPixel(int32_t x, int32_t y, uint32_t* pixel) const;
    // Writes pixel (x, y); outside the surface nothing happens.
    void setPixel(int32_t x, int32_t y, uint32_t pixel);

    // The three rectangle operations place the w x h rectangle of `source`
    // that starts at (sourceX, sourceY) with its top-left corner at (x, y),
    // clipped to both surfaces, and combine each covered pixel D with its
    // source pixel S:
    //   copyRect:  D = S, alpha included.
    //   stampRect: D = red, green and blue of `colour`, a packed colour (red
    //              in the low byte, top byte ignored), with alpha
    //              min(255, alpha(D) + alpha(S)); also where alpha(S) is 0.
    //   blendRect: each colour channel D + (S - D) * alpha(S) / 255, truncated
    //              toward zero; alpha 255 where alpha(S) is not 0, else kept.
    void copyRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY, int32_t w,
                  int32_t h);
    void stampRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY, int32_t w,
                   int32_t h, uint32_t colour);
    void blendRect(int32_t x, int32_t y, const Surface& source, int32_t sourceX, int32_t sourceY, int32_t w,
                   int32_t h);

private:
    PageBlock<uint32_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
};
