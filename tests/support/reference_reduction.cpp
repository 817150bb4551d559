#include "tests/support/reference_reduction.h"

#include <algorithm>
#include <utility>

namespace {

uint32_t channelOf(uint32_t colour, int channel) {
    return (colour >> (8 * channel)) & 0xFF;
}

void append16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void append32(std::vector<uint8_t>& out, uint32_t v) {
    append16(out, v);
    append16(out, v >> 16);
}

void appendTgaHeader(std::vector<uint8_t>& out, int32_t width, int32_t height) {
    const uint8_t fixed[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    out.insert(out.end(), fixed, fixed + 12);
    append16(out, static_cast<uint32_t>(width));
    append16(out, static_cast<uint32_t>(height));
    out.push_back(32);
    out.push_back(0x28);
}

// Sorts colours[start, start+count) by one channel, descending, as written.
void sortByChannel(ReferenceReduction& r, int32_t start, int32_t count, int channel) {
    for (int32_t i = 0; i < count; ++i) {
        for (int32_t j = i; j < count; ++j) {
            if (channelOf(r.colours[start + i], channel) < channelOf(r.colours[start + j], channel)) {
                std::swap(r.colours[start + i], r.colours[start + j]);
                std::swap(r.counts[start + i], r.counts[start + j]);
            }
        }
    }
}

int32_t sumCounts(const ReferenceReduction& r, int32_t start, int32_t count) {
    int32_t total = 0;
    for (int32_t i = start; i < start + count; ++i) total += r.counts[i];
    return total;
}

void medianCut(ReferenceReduction& r, int boxCount) {
    r.boxes.assign(boxCount, ColourBox{0, 0, 0, 0});
    const int32_t colourCount = static_cast<int32_t>(r.colours.size());
    r.boxes[0] = {0, colourCount, sumCounts(r, 0, colourCount), 0};
    for (int n = 1; n < boxCount; ++n) {
        int chosen = -1;
        int32_t best = -1;
        for (int b = 0; b < n; ++b) {
            if (r.boxes[b].count >= 2 && r.boxes[b].total > best) {
                best = r.boxes[b].total;
                chosen = b;
            }
        }
        if (chosen < 0) break;
        ColourBox& box = r.boxes[chosen];
        uint32_t range[4];
        for (int c = 0; c < 4; ++c) {
            uint32_t lo = 255, hi = 0;
            for (int32_t i = box.start; i < box.start + box.count; ++i) {
                lo = std::min(lo, channelOf(r.colours[i], c));
                hi = std::max(hi, channelOf(r.colours[i], c));
            }
            range[c] = hi - lo;
        }
        for (int c = 0; c < 4; ++c) {
            bool widest = true;
            for (int o = 0; o < 4; ++o) widest = widest && range[c] >= range[o];
            if (widest) sortByChannel(r, box.start, box.count, c);
        }
        int32_t half = box.total / 2;
        int32_t end = box.start + box.count;
        int32_t sum = r.counts[box.start];
        int32_t k = box.start + 1;
        while (k < end - 1 && sum < half) {
            sum += r.counts[k];
            ++k;
        }
        r.boxes[n] = {k, end - k, sumCounts(r, k, end - k), 0};
        box.count = k - box.start;
        box.total = sumCounts(r, box.start, box.count);
    }
    for (ColourBox& box : r.boxes) {
        if (box.total <= 0) continue;
        uint32_t colour = 0;
        for (int c = 0; c < 4; ++c) {
            int64_t sum = 0;
            for (int32_t i = box.start; i < box.start + box.count; ++i)
                sum += int64_t{channelOf(r.colours[i], c)} * r.counts[i];
            colour |= static_cast<uint32_t>(sum / box.total) << (8 * c);
        }
        box.colour = colour;
    }
}

int paletteIndex(const ReferenceReduction& r, uint32_t value, int bits) {
    int32_t found = -1;
    for (size_t i = 0; i < r.colours.size(); ++i) {
        if (r.colours[i] == value) {
            found = static_cast<int32_t>(i);
            break;
        }
    }
    const int boxCount = bits == 4 ? 16 : 256;
    for (int j = 0; j < boxCount; ++j) {
        if (r.boxes[j].start <= found && found < r.boxes[j].start + r.boxes[j].count) return j;
    }
    return (1 << bits) - 1;
}

int32_t indexRowBytes(int bits, int32_t width) {
    return bits == 8 ? width : (width + 1) / 2;
}

}  // namespace

void referenceExchangeSort(std::vector<uint8_t>& keys, std::vector<int32_t>& payload) {
    for (size_t i = 0; i < keys.size(); ++i) {
        for (size_t j = i; j < keys.size(); ++j) {
            if (keys[i] < keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(payload[i], payload[j]);
            }
        }
    }
}

ReferenceReduction referenceReduce(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                   int levels) {
    ReferenceReduction r;
    r.pixels = pixels;
    for (size_t p = r.pixels.size(); p-- > 0;) {
        uint32_t alpha = (r.pixels[p] >> 24) * levels / 255 * 255 / levels;
        r.pixels[p] =
            alpha == 0 ? ColourReduction::kTransparentKey : (r.pixels[p] & 0x00FFFFFF) | alpha << 24;
        size_t i = 0;
        while (i < r.colours.size() && r.colours[i] != r.pixels[p]) ++i;
        if (i == r.colours.size()) {
            r.colours.push_back(r.pixels[p]);
            r.counts.push_back(0);
        }
        ++r.counts[i];
    }
    const int bits = levels;
    medianCut(r, bits == 4 ? 16 : 256);

    const int32_t rowBytes = indexRowBytes(bits, width);
    r.indexImage.assign(static_cast<size_t>(rowBytes) * height, 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            int index = paletteIndex(r, r.pixels[static_cast<size_t>(y) * width + x], bits);
            uint8_t& byte = r.indexImage[static_cast<size_t>(y) * rowBytes + (bits == 8 ? x : x / 2)];
            if (bits == 8) {
                byte = static_cast<uint8_t>(index);
            } else {
                byte |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
            }
        }
    }
    for (const ColourBox& box : r.boxes) r.palette.push_back(box.colour);
    return r;
}

std::vector<uint8_t> referenceBmpFile(const ReferenceReduction& r, int bits, int32_t width,
                                      int32_t writtenHeight) {
    const int32_t rowBytes = indexRowBytes(bits, width);
    const int32_t stride = (rowBytes + 3) / 4 * 4;
    const uint32_t offset = 54 + 4 * (1u << bits);
    std::vector<uint8_t> out = {'B', 'M'};
    append32(out, offset + static_cast<uint32_t>(stride * writtenHeight));
    append32(out, 0);
    append32(out, offset);
    const uint32_t info[] = {40, static_cast<uint32_t>(width), static_cast<uint32_t>(writtenHeight)};
    for (uint32_t v : info) append32(out, v);
    append16(out, 1);
    append16(out, static_cast<uint32_t>(bits));
    for (int i = 0; i < 6; ++i) append32(out, 0);
    for (uint32_t colour : r.palette) append32(out, colour);
    for (int32_t y = writtenHeight - 1; y >= 0; --y) {
        const uint8_t* row = r.indexImage.data() + static_cast<size_t>(y) * rowBytes;
        out.insert(out.end(), row, row + rowBytes);
        out.insert(out.end(), static_cast<size_t>(stride - rowBytes), 0);
    }
    return out;
}

std::vector<uint8_t> referenceBmpTgaCopy(const ReferenceReduction& r, int bits, int32_t width,
                                         int32_t writtenHeight) {
    const int32_t rowBytes = indexRowBytes(bits, width);
    std::vector<uint8_t> out;
    appendTgaHeader(out, width, writtenHeight);
    for (int32_t y = 0; y < writtenHeight; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t byte = r.indexImage[static_cast<size_t>(y) * rowBytes + (bits == 8 ? x : x / 2)];
            int index = bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
            append32(out, r.palette[index]);
        }
    }
    return out;
}
