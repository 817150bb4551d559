#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/sample_reduction.h"
#include "images/surface.h"
#include "platform/page_memory.h"

// A texture page at sampled resolution, without holding its samples.
//
// A sampled page (sample times the page size on each side; 16,384 x 16,384
// pixels for sample 8 on 2048-pixel pages) is far larger than the glyphs on
// it. So a page keeps its glyphs as runs of covered pixels, and only when it
// is finished draws them one band of `sample` rows at a time and reduces each
// band straight into the output page. Since later glyphs can still land in
// any row that has room, no row is final before the page is; what is held
// meanwhile is the runs, which grow with the glyphs' outlines, not their area.

// One run of covered pixels in a glyph row: `length` pixels of one value.
struct PixelRun {
    uint16_t x;
    uint16_t length;
    uint32_t value;
};

// A glyph image as runs of covered pixels (alpha not 0), row by row. The
// reduction never looks at the colour of a transparent pixel, so runs are
// all a page needs. Reused from glyph to glyph; the buffers come from the
// page allocator.
class GlyphRuns {
public:
    // Glyphs wider than this cannot be encoded; no page is that wide.
    static constexpr int32_t kMaxWidth = 65535;

    // Replaces the runs with those of `glyph` (an empty glyph gives none).
    // Returns false, leaving a 0 x 0 glyph, when the glyph is wider than
    // kMaxWidth or a buffer is not granted.
    bool encode(const Surface& glyph);

    int32_t width() const { return columns; }
    int32_t height() const { return rows; }
    int32_t runCount() const { return count; }
    // Runs of row y are runs()[rowStarts()[y] .. rowStarts()[y + 1]), left to right.
    const uint32_t* rowStarts() const { return starts.get(); }
    const PixelRun* runs() const { return pixelRuns.get(); }

private:
    bool reserve(int32_t rowCount, size_t runCapacity);

    int32_t columns = 0;
    int32_t rows = 0;
    int32_t count = 0;
    PageBlock<uint32_t> starts;
    PageBlock<PixelRun> pixelRuns;
};

class SampledPage {
public:
    SampledPage() = default;
    ~SampledPage();
    SampledPage(const SampledPage&) = delete;
    SampledPage& operator=(const SampledPage&) = delete;

    // Starts an empty page of width x height samples; forgets any glyphs.
    void open(int32_t width, int32_t height);

    // Puts a glyph with its top-left corner at (x, y), as Surface::copyRect
    // of the whole glyph would: clipped at the page's edges, and replacing
    // everything under its rectangle (its transparent pixels too) of the
    // glyphs placed before. Returns false when the glyph's runs cannot be
    // kept (no memory).
    bool place(int32_t x, int32_t y, const GlyphRuns& glyph);

    // Reduces the page by `sample` (which divides both sides) into
    // `reduced`, re-created at width / sample x height / sample, band by
    // band, with the same result as reduceSamples of the whole page. The
    // glyphs are forgotten afterwards. Returns false when a buffer is not
    // granted (`reduced` is then empty).
    bool reduceInto(int32_t sample, Surface& reduced);

    int32_t glyphCount() const { return placedCount; }

private:
    struct Placed;
    struct Chunk;
    const Placed& placed(int32_t index) const;
    bool grow(size_t bytes, uint8_t** entry);
    void paintBand(const int32_t* active, int32_t activeCount, int32_t top, int32_t rows,
                   uint32_t* band) const;
    void addBandRuns(const int32_t* active, int32_t activeCount, int32_t top, int32_t rows, int32_t sample,
                     BandSums& sums) const;
    bool overlapAcross(const int32_t* active, int32_t activeCount, int32_t* scratch) const;
    void forget();

    int32_t pageWidth = 0;
    int32_t pageHeight = 0;
    // The placed glyphs, back to back in chunks that never move (the newest
    // owns the one before, and so on), and where each glyph starts.
    PageBlock<uint8_t> newestChunk;
    size_t newestChunkUsed = 0;
    PageBlock<uint8_t*> entries;
    int32_t placedCount = 0;
};
