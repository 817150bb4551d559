#include "engine/sampled_page.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

bool covered(uint32_t pixel) {
    return (pixel >> 24) != 0;
}

// Makes `block` hold at least `needed` values, its first `used` kept: a new
// block takes their place and the old one is given back. Grows by half as
// many bytes again at least, so that appending stays cheap. False, with the
// block as it was, when the new one is not granted.
template <typename T>
bool growBlock(PageBlock<T>& block, size_t used, size_t needed) {
    if (needed <= block.size()) return true;
    const size_t bytes = block.size() * sizeof(T);
    PageBlock<T> grown(std::max(needed, (bytes + bytes / 2 + 4096) / sizeof(T)));
    if (!grown) return false;
    std::copy_n(block.get(), used, grown.get());
    block = std::move(grown);
    return true;
}

size_t roundUp8(size_t bytes) {
    return (bytes + 7) & ~size_t{7};
}

}  // namespace

bool GlyphRuns::reserve(int32_t rowCount, size_t runs) {
    return growBlock(starts, 0, static_cast<size_t>(rowCount) + 1) &&
           growBlock(pixelRuns, static_cast<size_t>(count), runs);
}

bool GlyphRuns::encode(const Surface& glyph) {
    columns = rows = count = 0;
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!glyph.lockPixels(&pixels, &pitch)) return true;
    if (glyph.getWidth() > kMaxWidth || !reserve(glyph.getHeight(), 0)) return false;
    for (int32_t y = 0; y < glyph.getHeight(); ++y) {
        starts[y] = static_cast<uint32_t>(count);
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        for (int32_t x = 0; x < glyph.getWidth();) {
            if (!covered(row[x])) {
                ++x;
                continue;
            }
            int32_t end = x + 1;
            while (end < glyph.getWidth() && row[end] == row[x]) ++end;
            if (static_cast<size_t>(count) == pixelRuns.size() &&
                !reserve(glyph.getHeight(), pixelRuns.size() + 1)) {
                count = 0;
                return false;
            }
            pixelRuns[count++] = {static_cast<uint16_t>(x), static_cast<uint16_t>(end - x), row[x]};
            x = end;
        }
    }
    starts[glyph.getHeight()] = static_cast<uint32_t>(count);
    columns = glyph.getWidth();
    rows = glyph.getHeight();
    return true;
}

// A placed glyph in the store: this header, then height + 1 row starts,
// then the runs.
struct SampledPage::Placed {
    int32_t x, y, width, height;

    const uint32_t* rowStarts() const { return reinterpret_cast<const uint32_t*>(this + 1); }
    const PixelRun* runs() const {
        return reinterpret_cast<const PixelRun*>(reinterpret_cast<const uint8_t*>(this) +
                                                 roundUp8(sizeof(Placed) + (height + 1) * sizeof(uint32_t)));
    }

    // Calls visit(y, from, to, value) for every run of rows top .. top +
    // rows - 1, in page columns, clipped to the page's `pageWidth`.
    template <typename Visit>
    void forEachRun(int32_t top, int32_t rows, int32_t pageWidth, Visit visit) const {
        const int32_t last = std::min(y + height, top + rows);
        for (int32_t row = std::max(y, top); row < last; ++row) {
            const uint32_t* starts = rowStarts() + (row - y);
            for (uint32_t r = starts[0]; r < starts[1]; ++r) {
                const PixelRun& run = runs()[r];
                const int32_t from = std::max(x + run.x, 0);
                const int32_t to = std::min(x + run.x + run.length, pageWidth);
                if (from < to) visit(row, from, to, run.value);
            }
        }
    }
};

// A chunk of the store: this header, then placed glyphs. A page of many
// glyphs grows a chunk at a time, never copying what it holds, so that its
// memory is what it keeps and not, for a moment, twice that. Each chunk owns
// the one before it.
struct SampledPage::Chunk {
    PageBlock<uint8_t> previous;
};

namespace {

constexpr size_t kChunkBytes = size_t{4} << 20;

}  // namespace

SampledPage::~SampledPage() {
    forget();
}

void SampledPage::forget() {
    // Newest first, each chunk's successor taken from its header before the
    // chunk goes back: a long chain unwinds without recursion.
    while (newestChunk) newestChunk = std::move(reinterpret_cast<Chunk*>(newestChunk.get())->previous);
    newestChunkUsed = 0;
    entries.reset();
    placedCount = 0;
}

void SampledPage::open(int32_t width, int32_t height) {
    forget();
    pageWidth = width;
    pageHeight = height;
}

const SampledPage::Placed& SampledPage::placed(int32_t index) const {
    return *reinterpret_cast<const Placed*>(entries[index]);
}

bool SampledPage::grow(size_t bytes, uint8_t** entry) {
    const size_t headerBytes = roundUp8(sizeof(Chunk));
    if (!newestChunk || newestChunkUsed + bytes > newestChunk.size()) {
        PageBlock<uint8_t> chunk(std::max(kChunkBytes, headerBytes + bytes));
        if (!chunk) return false;
        new (chunk.get()) Chunk{std::move(newestChunk)};
        newestChunk = std::move(chunk);
        newestChunkUsed = headerBytes;
    }
    const size_t entryCount = static_cast<size_t>(placedCount);
    if (entryCount == entries.size() && !growBlock(entries, entryCount, entryCount + 1)) return false;
    *entry = newestChunk.get() + newestChunkUsed;
    newestChunkUsed += bytes;
    return true;
}

bool SampledPage::place(int32_t x, int32_t y, const GlyphRuns& glyph) {
    // Glyphs wholly off the page change nothing.
    if (glyph.width() == 0 || x >= pageWidth || y >= pageHeight || x + glyph.width() <= 0 ||
        y + glyph.height() <= 0) {
        return true;
    }
    const size_t startBytes = (static_cast<size_t>(glyph.height()) + 1) * sizeof(uint32_t);
    const size_t runBytes = static_cast<size_t>(glyph.runCount()) * sizeof(PixelRun);
    const size_t headerBytes = roundUp8(sizeof(Placed) + startBytes);
    uint8_t* entry = nullptr;
    if (!grow(headerBytes + roundUp8(runBytes), &entry)) return false;
    const Placed header = {x, y, glyph.width(), glyph.height()};
    std::memcpy(entry, &header, sizeof header);
    std::memcpy(entry + sizeof header, glyph.rowStarts(), startBytes);
    if (runBytes) std::memcpy(entry + headerBytes, glyph.runs(), runBytes);
    entries[placedCount++] = entry;
    return true;
}

// Draws rows top .. top + rows - 1 of the page into `band` (cleared by the
// caller), glyph after glyph in the order they were placed, so that a later
// glyph's rectangle replaces what it covers.
void SampledPage::paintBand(const int32_t* active, int32_t activeCount, int32_t top, int32_t rows,
                            uint32_t* band) const {
    for (int32_t a = 0; a < activeCount; ++a) {
        const Placed& glyph = placed(active[a]);
        const int32_t left = std::max(glyph.x, 0);
        const int32_t right = std::min(glyph.x + glyph.width, pageWidth);
        const int32_t last = std::min(glyph.y + glyph.height, top + rows);
        for (int32_t y = std::max(glyph.y, top); y < last; ++y) {
            uint32_t* row = band + static_cast<size_t>(y - top) * pageWidth;
            std::fill(row + left, row + right, 0u);
        }
        glyph.forEachRun(top, rows, pageWidth, [&](int32_t y, int32_t from, int32_t to, uint32_t value) {
            uint32_t* row = band + static_cast<size_t>(y - top) * pageWidth;
            std::fill(row + from, row + to, value);
        });
    }
}

// Adds the runs of rows top .. top + rows - 1 straight to the sums: exact
// when no two of the glyphs' rectangles share a column, so that no glyph
// replaces another's samples.
void SampledPage::addBandRuns(const int32_t* active, int32_t activeCount, int32_t top, int32_t rows,
                              int32_t sample, BandSums& sums) const {
    for (int32_t a = 0; a < activeCount; ++a) {
        placed(active[a]).forEachRun(top, rows, pageWidth,
                                     [&](int32_t, int32_t from, int32_t to, uint32_t value) {
                                         sums.addRun(from, to - from, value, sample);
                                     });
    }
}

// Whether two of the glyphs' rectangles share a column of the page.
bool SampledPage::overlapAcross(const int32_t* active, int32_t activeCount, int32_t* scratch) const {
    std::copy(active, active + activeCount, scratch);
    std::sort(scratch, scratch + activeCount,
              [this](int32_t a, int32_t b) { return placed(a).x < placed(b).x; });
    for (int32_t a = 1; a < activeCount; ++a) {
        const Placed& left = placed(scratch[a - 1]);
        if (left.x + left.width > placed(scratch[a]).x) return true;
    }
    return false;
}

bool SampledPage::reduceInto(int32_t sample, Surface& reduced) {
    const int32_t outWidth = pageWidth / sample;
    const int32_t outHeight = pageHeight / sample;
    BandSums sums;
    const size_t bandSamples = static_cast<size_t>(pageWidth) * sample;
    PageBlock<uint32_t> bandBlock(bandSamples);
    // The glyphs by their top row, and the ones that reach the current band
    // in the order they were placed.
    const size_t glyphs = static_cast<size_t>(std::max(placedCount, 1));
    PageBlock<int32_t> byTopBlock(glyphs);
    PageBlock<int32_t> activeBlock(glyphs);
    PageBlock<int32_t> byLeftBlock(glyphs);
    uint32_t* const band = bandBlock.get();
    int32_t* const byTop = byTopBlock.get();
    int32_t* const active = activeBlock.get();
    int32_t* const byLeft = byLeftBlock.get();
    bool done =
        band && byTop && active && byLeft && sums.reserve(outWidth) && reduced.create(outWidth, outHeight);
    if (done) {
        for (int32_t i = 0; i < placedCount; ++i) byTop[i] = i;
        std::stable_sort(byTop, byTop + placedCount,
                         [this](int32_t a, int32_t b) { return placed(a).y < placed(b).y; });
        uint32_t* out = nullptr;
        int32_t outPitch = 0;
        reduced.lockPixels(&out, &outPitch);
        int32_t next = 0;
        int32_t activeCount = 0;
        for (int32_t y = 0; y < outHeight; ++y) {
            const int32_t top = y * sample;
            for (; next < placedCount && placed(byTop[next]).y < top + sample; ++next) {
                int32_t* at = std::upper_bound(active, active + activeCount, byTop[next]);
                std::memmove(at + 1, at, static_cast<size_t>(active + activeCount - at) * sizeof(int32_t));
                *at = byTop[next];
                ++activeCount;
            }
            activeCount = static_cast<int32_t>(
                std::remove_if(active, active + activeCount,
                               [&](int32_t i) { return placed(i).y + placed(i).height <= top; }) -
                active);
            // Bands no glyph reaches stay transparent, as the page was created.
            if (activeCount == 0) continue;
            uint32_t* target = out + static_cast<size_t>(y) * outPitch;
            if (overlapAcross(active, activeCount, byLeft)) {
                std::memset(band, 0, bandSamples * sizeof(uint32_t));
                paintBand(active, activeCount, top, sample, band);
                sums.reduce(band, pageWidth, pageWidth, sample, sample, target);
            } else {
                sums.clear(outWidth);
                addBandRuns(active, activeCount, top, sample, sample, sums);
                sums.finish(outWidth, sample, target);
            }
        }
    } else {
        reduced.release();
    }
    forget();
    return done;
}
