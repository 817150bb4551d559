// Median-cut colour reduction of a Surface to a 16- or 256-entry palette with
// alpha. The results (which colour lands in which box, in which order) follow
// the straightforward algorithm exactly: the distinct colours in the order
// first met scanning from the last pixel, boxes split at the pixel-count
// median after an exchange sort on the widest channel. Only the searches are
// faster: a hash table finds a colour's entry, and each entry knows its box.
#include <algorithm>
#include <cstring>

#include "images/colour_reduction.h"
#include "images/exchange_sort.h"

namespace {

constexpr uint32_t kInitialLookupSlots = 1024;

int boxesForLevels(int levels) {
    return levels == 4 ? 16 : 256;
}

uint32_t quantiseAlpha(uint32_t pixel, int levels) {
    uint32_t alpha = pixel >> 24;
    uint32_t quantised = alpha * levels / 255 * 255 / levels;
    if (quantised == 0) return ColourReduction::kTransparentKey;
    return (pixel & 0x00FFFFFF) | quantised << 24;
}

int channelShift(Channel channel) {
    switch (channel) {
        case Channel::Blue:
            return 0;
        case Channel::Green:
            return 8;
        case Channel::Red:
            return 16;
        case Channel::Alpha:
            return 24;
    }
    return 0;
}

uint32_t channelValue(uint32_t colour, Channel channel) {
    return (colour >> channelShift(channel)) & 0xFF;
}

uint32_t hashColour(uint32_t value) {
    uint32_t h = value * 0x9E3779B1u;
    return h ^ (h >> 15);
}

}  // namespace

int32_t ColourReduction::findColour(uint32_t value) const {
    if (!colourLookup) return -1;
    for (uint32_t slot = hashColour(value) & colourLookupMask;; slot = (slot + 1) & colourLookupMask) {
        const ColourSlot& s = colourLookup[slot];
        if (s.entry == 0) return -1;
        if (s.value == value) return s.entry - 1;
    }
}

// Moves the lookup into a table of `slots` slots (a power of two), or makes
// an empty one.
bool ColourReduction::resizeColourLookup(uint32_t slots) {
    PageBlock<ColourSlot> resized(slots);
    if (!resized) return false;
    const PageBlock<ColourSlot> old = std::move(colourLookup);
    colourLookup = std::move(resized);
    colourLookupMask = slots - 1;
    for (size_t i = 0; i < old.size(); ++i) {
        if (old[i].entry == 0) continue;
        uint32_t slot = hashColour(old[i].value) & colourLookupMask;
        while (colourLookup[slot].entry != 0) slot = (slot + 1) & colourLookupMask;
        colourLookup[slot] = old[i];
    }
    return true;
}

// Appends a colour with count 0, or returns the entry it already has.
// Returns -1 when the lookup cannot grow.
int32_t ColourReduction::addColour(uint32_t value) {
    // Keep the table at most half full, so that probes stay short.
    if (static_cast<uint64_t>(colourCount + 1) * 2 > colourLookupMask + 1 &&
        !resizeColourLookup((colourLookupMask + 1) * 2)) {
        return -1;
    }
    uint32_t slot = hashColour(value) & colourLookupMask;
    for (; colourLookup[slot].entry != 0; slot = (slot + 1) & colourLookupMask) {
        if (colourLookup[slot].value == value) return colourLookup[slot].entry - 1;
    }
    colourLookup[slot] = {value, colourCount + 1};
    colours[colourCount] = value;
    return colourCount++;
}

// Rebuilds the lookup from `colours`, keeping the first entry of each value.
bool ColourReduction::indexColours() {
    colourLookup.reset();
    uint32_t slots = kInitialLookupSlots;
    while (slots < static_cast<uint64_t>(colourCount) * 2) slots *= 2;
    if (!resizeColourLookup(slots)) return false;
    for (int32_t i = 0; i < colourCount; ++i) {
        uint32_t slot = hashColour(colours[i]) & colourLookupMask;
        while (colourLookup[slot].entry != 0 && colourLookup[slot].value != colours[i])
            slot = (slot + 1) & colourLookupMask;
        if (colourLookup[slot].entry == 0) colourLookup[slot] = {colours[i], i + 1};
    }
    return true;
}

void ColourReduction::clear() {
    *this = ColourReduction();
}

bool ColourReduction::buildHistogram(Surface& surface, int levels) {
    uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!surface.lockPixels(&pixels, &pitch) || (levels != 4 && levels != 8)) return false;
    clear();
    size_t pixelCount = static_cast<size_t>(surface.getWidth()) * surface.getHeight();
    // Room for every pixel's colour, and never less than a whole palette,
    // which storePalette() writes over the first entries.
    size_t room = std::max<size_t>(pixelCount, 256);
    colours.allocate(room);
    counts.allocate(room);
    if (!colours || !counts || !resizeColourLookup(kInitialLookupSlots)) {
        clear();
        return false;
    }

    // Glyph pages are mostly long runs of one value: remember the last one.
    uint32_t lastValue = 0;
    int32_t lastEntry = -1;
    for (size_t i = pixelCount; i-- > 0;) {
        uint32_t value = quantiseAlpha(pixels[i], levels);
        pixels[i] = value;
        if (lastEntry < 0 || value != lastValue) {
            lastEntry = addColour(value);
            lastValue = value;
            if (lastEntry < 0) {
                clear();
                return false;
            }
        }
        ++counts[lastEntry];
    }
    return medianCut(levels);
}

bool ColourReduction::medianCut(int levels) {
    if (!colours || (levels != 4 && levels != 8)) return false;
    const int boxTotal = boxesForLevels(levels);
    boxes.allocate(boxTotal);
    boxOfColour.allocate(std::max(colourCount, 1));
    if (!boxes || !boxOfColour) {
        clear();
        return false;
    }
    boxCount = boxTotal;

    auto sumCounts = [this](int32_t start, int32_t count) {
        int64_t total = 0;
        for (int32_t i = start; i < start + count; ++i) total += counts[i];
        return static_cast<int32_t>(total);
    };
    boxes[0] = {0, colourCount, sumCounts(0, colourCount), 0};

    for (int n = 1; n < boxTotal; ++n) {
        int chosen = -1;
        for (int b = 0; b < n; ++b) {
            if (boxes[b].count >= 2 && (chosen < 0 || boxes[b].total > boxes[chosen].total)) chosen = b;
        }
        if (chosen < 0) break;
        ColourBox& box = boxes[chosen];
        const int32_t end = box.start + box.count;

        uint32_t low[4] = {255, 255, 255, 255};
        uint32_t high[4] = {0, 0, 0, 0};
        for (int32_t i = box.start; i < end; ++i) {
            for (int c = 0; c < 4; ++c) {
                uint32_t v = channelValue(colours[i], static_cast<Channel>(c));
                low[c] = std::min(low[c], v);
                high[c] = std::max(high[c], v);
            }
        }
        uint32_t range[4];
        for (int c = 0; c < 4; ++c) range[c] = high[c] - low[c];
        uint32_t widest = *std::max_element(range, range + 4);
        for (int c = 0; c < 4; ++c) {
            if (range[c] == widest && !sortColours(box.start, box.count, static_cast<Channel>(c))) {
                clear();
                return false;
            }
        }

        const int32_t half = box.total / 2;
        int64_t below = counts[box.start];
        int32_t k = box.start + 1;
        while (k < end - 1 && below < half) below += counts[k++];

        boxes[n] = {k, end - k, sumCounts(k, end - k), 0};
        box.count = k - box.start;
        box.total = sumCounts(box.start, box.count);
    }

    for (int b = 0; b < boxTotal; ++b) {
        ColourBox& box = boxes[b];
        for (int32_t i = box.start; i < box.start + box.count; ++i) boxOfColour[i] = static_cast<uint8_t>(b);
        if (box.total <= 0) continue;
        uint32_t mean = 0;
        for (int c = 0; c < 4; ++c) {
            int64_t sum = 0;
            for (int32_t i = box.start; i < box.start + box.count; ++i)
                sum += int64_t{channelValue(colours[i], static_cast<Channel>(c))} * counts[i];
            mean |= static_cast<uint32_t>(sum / box.total) << channelShift(static_cast<Channel>(c));
        }
        box.colour = mean;
    }
    return true;
}

bool ColourReduction::sortColours(int32_t start, int32_t count, Channel channel) {
    if (count < 2) return true;
    PageBlock<uint8_t> keys(count);
    PageBlock<int32_t> order(count);
    PageBlock<uint32_t> sortedColours(count);
    PageBlock<int32_t> sortedCounts(count);
    bool sorted = keys && order && sortedColours && sortedCounts;
    if (sorted) {
        for (int32_t i = 0; i < count; ++i)
            keys[i] = static_cast<uint8_t>(channelValue(colours[start + i], channel));
        sorted = exchangeSortOrder(keys.get(), count, order.get());
    }
    if (sorted) {
        for (int32_t i = 0; i < count; ++i) {
            sortedColours[i] = colours[start + order[i]];
            sortedCounts[i] = counts[start + order[i]];
        }
        std::memcpy(colours.get() + start, sortedColours.get(),
                    static_cast<size_t>(count) * sizeof(uint32_t));
        std::memcpy(counts.get() + start, sortedCounts.get(), static_cast<size_t>(count) * sizeof(int32_t));
        // The values are distinct here, so each moved value's entry is simply its new index.
        for (int32_t i = start; i < start + count; ++i) {
            uint32_t slot = hashColour(colours[i]) & colourLookupMask;
            while (colourLookup[slot].value != colours[i]) slot = (slot + 1) & colourLookupMask;
            colourLookup[slot].entry = i + 1;
        }
    }
    return sorted;
}

int ColourReduction::paletteIndex(uint32_t value, int bits) const {
    const int none = (1 << bits) - 1;
    int32_t entry = findColour(value);
    if (entry < 0 || !boxOfColour) return none;
    int box = boxOfColour[entry];
    return box < std::min(boxCount, bits == 4 ? 16 : 256) ? box : none;
}

bool ColourReduction::buildIndexImage(const Surface& surface, int bits) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!surface.lockPixels(&pixels, &pitch) || !boxOfColour || (bits != 4 && bits != 8)) return false;
    const int32_t width = surface.getWidth();
    const int32_t height = surface.getHeight();
    const int32_t rowBytes = bits == 8 ? width : (width + 1) / 2;
    if (!indexImage.allocate(static_cast<size_t>(rowBytes) * height)) return false;

    uint32_t lastValue = 0;
    int lastIndex = -1;
    auto indexOf = [&](uint32_t value) {
        if (lastIndex < 0 || value != lastValue) {
            lastValue = value;
            lastIndex = paletteIndex(value, bits);
        }
        return lastIndex;
    };
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        uint8_t* out = indexImage.get() + static_cast<size_t>(y) * rowBytes;
        if (bits == 8) {
            for (int32_t x = 0; x < width; ++x) out[x] = static_cast<uint8_t>(indexOf(row[x]));
        } else {
            // An odd last pixel leaves the low nibble of its byte 0.
            for (int32_t x = 0; x < width; x += 2) {
                int right = x + 1 < width ? indexOf(row[x + 1]) : 0;
                out[x / 2] = static_cast<uint8_t>(indexOf(row[x]) << 4 | right);
            }
        }
    }
    return true;
}

bool ColourReduction::storePalette() {
    if (!boxes) return false;
    for (int j = 0; j < boxCount; ++j) colours[j] = boxes[j].colour;
    return indexColours();
}
