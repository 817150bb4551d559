#pragma once

#include <cstddef>
#include <cstdint>

// One palette entry in the making: a run of consecutive entries of the
// surface's `colours`, and the mean colour that stands for them.
struct ColourBox {
    int32_t start;    // index in `colours` of the box's first colour
    int32_t count;    // number of distinct colours in the box
    int32_t total;    // number of pixels whose value lies in the box
    uint32_t colour;  // mean colour, 0xAARRGGBB: the palette entry
};

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

// The colour channels of a pixel, in the order the colour reduction tries them.
enum class Channel { Blue, Green, Red, Alpha };

// The font tool's in-memory image: glyphs, texture pages and the preview.
//
// Pixels are 32-bit 0xAARRGGBB (bytes in memory: blue, green, red, alpha);
// alpha 0 is transparent, 255 opaque. Rows run top to bottom, each exactly
// `width` pixels with no gap, so the pitch is always `width` and pixel (x, y)
// is element y * width + x. A surface has pixels exactly when its width and
// height are non-zero.
//
// Besides its pixels a surface holds the working data of its own colour
// reduction (palette boxes, distinct colours with their counts, the packed
// index image), which the BMP writers read. Every buffer comes zero-filled
// from the page allocator and is owned by the surface: release() gives back
// all of them, releaseReduction() just the reduction data, and the destructor
// calls release(). Surfaces are never copied implicitly; copyFrom() copies
// pixels explicitly.
//
// Nothing throws: creation reports an ungranted buffer by returning false and
// leaves the surface empty, and every other operation on an empty surface does
// nothing (or reads transparent black).
class Surface {
public:
    Surface() = default;
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Replaces the surface by width x height transparent black pixels.
    // Returns false, leaving the surface 0 x 0, when either side is 0 or less
    // or no buffer is granted.
    bool create(int32_t width, int32_t height);
    // create() at the source's size and copy all its pixels.
    bool copyFrom(const Surface& source);
    // Exchanges everything two surfaces hold, pixels and reduction data.
    void swap(Surface& other);
    // Gives back every buffer; the surface becomes 0 x 0.
    void release();
    // Gives back the colour reduction's data only.
    void releaseReduction();

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

    // Colour reduction to 16 (levels 4) or 256 (levels 8) palette entries with
    // alpha: a median cut over the distinct pixel values after the alpha has
    // been quantised to levels + 1 steps. buildHistogram() changes the pixels
    // in place (quantised alpha; fully transparent pixels become
    // kTransparentKey), collects the distinct colours and runs medianCut().
    // Both return false when a working buffer is not granted; the reduction
    // data is then released, so that nothing is written from missing data.
    bool buildHistogram(int levels);
    bool medianCut(int levels);
    // Sorts colours[start .. start+count) with their counts in descending
    // order of one channel, ties left exactly where the classic in-place
    // exchange sort leaves them (the palette depends on that order).
    // Returns false when no working memory is granted (the run is unchanged).
    bool sortColours(int32_t start, int32_t count, Channel channel);
    // The palette index (0 .. 2^bits - 1) of a pixel value: the box holding
    // the value's entry in `colours`; 2^bits - 1 when there is none.
    int paletteIndex(uint32_t value, int bits) const;
    // Fills the index image from the pixels: one byte per pixel for 8 bits,
    // two pixels per byte (left one in the high nibble) for 4 bits, each row
    // starting on a new byte. Returns false for other bit counts, without
    // pixels or reduction data, or when no buffer is granted.
    bool buildIndexImage(int bits);
    // Copies the colour of box j into colours[j] for every box: the palette,
    // as the BMP writers store it. The colour lookup is rebuilt so that
    // paletteIndex goes on finding values where a search of `colours` would.
    // Returns false without boxes, or when the lookup cannot be rebuilt.
    bool storePalette();

    // Reduction data, for the writers and for tests.
    const ColourBox* getBoxes() const { return boxes; }
    const uint32_t* getColours() const { return colours; }
    const int32_t* getCounts() const { return counts; }
    int32_t getColourCount() const { return colourCount; }
    const uint8_t* getIndexImage() const { return indexImage; }

    // Page writers (files are created anew, relative to the current
    // directory). The written height is the smallest power of two not below
    // `usedHeight` (rows from the top), or the whole surface when
    // `usedHeight` is 0 or less. writeTga32 returns false when the file was
    // not written. writeBmp4/writeBmp8 reduce the surface first and also
    // write `copyName`, a 32-bit TGA copy in palette colours; they return
    // false when either file was not written (no copy follows a failed BMP).
    bool writeTga32(const char* fileName, int32_t usedHeight) const;
    bool writeBmp4(const char* fileName, const char* copyName, int32_t usedHeight);
    bool writeBmp8(const char* fileName, const char* copyName, int32_t usedHeight);

    // The value every fully transparent pixel takes in the reduction: green
    // with alpha 0, so that all of them share one palette entry.
    static constexpr uint32_t kTransparentKey = 0x0000FF00;

private:
    bool writePalettedBmp(const char* fileName, const char* copyName, int32_t usedHeight, int bits);
    bool indexColours();
    bool resizeColourLookup(uint32_t slots);
    int32_t findColour(uint32_t value) const;
    int32_t addColour(uint32_t value);

    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ColourBox* boxes = nullptr;
    uint8_t* indexImage = nullptr;
    uint32_t* colours = nullptr;
    int32_t* counts = nullptr;
    int32_t colourCount = 0;
    // Fast path of the reduction: an open-addressed table from a pixel value
    // to its first entry in `colours`, and the box that holds each entry.
    // Same answers as searching `colours` and the boxes from the front.
    struct ColourSlot {
        uint32_t value;
        int32_t entry;  // index in `colours` + 1; 0 marks a free slot
    };
    ColourSlot* colourLookup = nullptr;
    uint32_t colourLookupMask = 0;
    uint8_t* boxOfColour = nullptr;
    int32_t boxCount = 0;
};
