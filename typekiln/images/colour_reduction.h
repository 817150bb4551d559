#pragma once

#include <cstdint>

#include "images/surface.h"
#include "platform/page_memory.h"

// One palette entry in the making: a run of consecutive entries of the
// reduction's `colours`, and the mean colour that stands for them.
struct ColourBox {
    int32_t start;    // index in `colours` of the box's first colour
    int32_t count;    // number of distinct colours in the box
    int32_t total;    // number of pixels whose value lies in the box
    uint32_t colour;  // mean colour, 0xAARRGGBB: the palette entry
};

// The colour channels of a pixel, in the order the colour reduction tries them.
enum class Channel { Blue, Green, Red, Alpha };

// The working state of one colour reduction of a surface to 16 (levels 4)
// or 256 (levels 8) palette entries with alpha: palette boxes, the distinct
// colours with their counts, and the packed index image, which the BMP
// writers read. It lives as long as the reduction and owns its buffers,
// which come zero-filled from the page allocator; the surface keeps only
// its pixels, changed in place.
class ColourReduction {
public:
    // The value every fully transparent pixel takes in the reduction: green
    // with alpha 0, so that all of them share one palette entry.
    static constexpr uint32_t kTransparentKey = 0x0000FF00;

    // A median cut over the distinct pixel values after the alpha has been
    // quantised to levels + 1 steps. buildHistogram() changes the surface's
    // pixels in place (quantised alpha; fully transparent pixels become
    // kTransparentKey), collects the distinct colours and runs medianCut().
    // Both return false when a working buffer is not granted; the
    // reduction's data is then given back, so that nothing is written from
    // missing data.
    bool buildHistogram(Surface& surface, int levels);
    bool medianCut(int levels);
    // Sorts colours[start .. start+count) with their counts in descending
    // order of one channel, ties left exactly where the classic in-place
    // exchange sort leaves them (the palette depends on that order).
    // Returns false when no working memory is granted (the run is unchanged).
    bool sortColours(int32_t start, int32_t count, Channel channel);
    // The palette index (0 .. 2^bits - 1) of a pixel value: the box holding
    // the value's entry in `colours`; 2^bits - 1 when there is none.
    int paletteIndex(uint32_t value, int bits) const;
    // Fills the index image from the pixels of the surface that was reduced:
    // one byte per pixel for 8 bits, two pixels per byte (left one in the
    // high nibble) for 4 bits, each row starting on a new byte. Returns false
    // for other bit counts, without pixels or boxes, or when no buffer is
    // granted.
    bool buildIndexImage(const Surface& surface, int bits);
    // Copies the colour of box j into colours[j] for every box: the palette,
    // as the BMP writers store it. The colour lookup is rebuilt so that
    // paletteIndex goes on finding values where a search of `colours` would.
    // Returns false without boxes, or when the lookup cannot be rebuilt.
    bool storePalette();

    // The reduction's data, for the writers and for tests.
    const ColourBox* getBoxes() const { return boxes.get(); }
    const uint32_t* getColours() const { return colours.get(); }
    const int32_t* getCounts() const { return counts.get(); }
    int32_t getColourCount() const { return colourCount; }
    const uint8_t* getIndexImage() const { return indexImage.get(); }

private:
    void clear();
    bool indexColours();
    bool resizeColourLookup(uint32_t slots);
    int32_t findColour(uint32_t value) const;
    int32_t addColour(uint32_t value);

    PageBlock<ColourBox> boxes;
    PageBlock<uint8_t> indexImage;
    PageBlock<uint32_t> colours;
    PageBlock<int32_t> counts;
    int32_t colourCount = 0;
    // Fast path of the reduction: an open-addressed table from a pixel value
    // to its first entry in `colours`, and the box that holds each entry.
    // Same answers as searching `colours` and the boxes from the front.
    struct ColourSlot {
        uint32_t value;
        int32_t entry;  // index in `colours` + 1; 0 marks a free slot
    };
    PageBlock<ColourSlot> colourLookup;
    uint32_t colourLookupMask = 0;
    PageBlock<uint8_t> boxOfColour;
    int32_t boxCount = 0;
};
