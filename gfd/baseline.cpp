#include "gfd/baseline.h"

#include <algorithm>
#include <map>

#include "gfd/descriptor_reader.h"
#include "gfd/page_loader.h"

namespace {

// Code page 932 codes of the measured characters: 0-9, A-Z, and their
// full-width forms.
struct CodeRange {
    uint16_t first;
    uint16_t last;
};
constexpr CodeRange kMeasuredCodes[] = {{0x30, 0x39}, {0x41, 0x5A}, {0x824F, 0x8258}, {0x8260, 0x8279}};

constexpr uint32_t kHalfAlpha = 0x80;

uint32_t alphaOf(uint32_t pixel) {
    return pixel >> 24;
}

uint32_t colourOf(uint32_t pixel) {
    return pixel & 0xFFFFFF;
}

bool isOpaque(const CellPixels& cell, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < cell.width && y < cell.height &&
           alphaOf(cell.pixels[static_cast<size_t>(y) * cell.width + x]) == 0xFF;
}

bool onRim(const CellPixels& cell, int32_t x, int32_t y) {
    return !isOpaque(cell, x - 1, y) || !isOpaque(cell, x + 1, y) || !isOpaque(cell, x, y - 1) ||
           !isOpaque(cell, x, y + 1);
}

int32_t distanceSquared(uint32_t a, uint32_t b) {
    int32_t sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int32_t difference =
            static_cast<int32_t>(a >> shift & 0xFF) - static_cast<int32_t>(b >> shift & 0xFF);
        sum += difference * difference;
    }
    return sum;
}

// The key counted most often; of equal counts the smallest key.
template <typename Key>
Key mostCommon(const std::map<Key, int64_t>& counts) {
    auto best = counts.begin();
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it->second > best->second) best = it;
    return best->first;
}

CellPixels copyCell(const Surface& page, const GlyphRecord& r) {
    CellPixels cell{r.right - r.left, r.bottom - r.top, {}};
    cell.pixels.resize(static_cast<size_t>(cell.width) * cell.height);
    for (int32_t y = 0; y < cell.height; ++y)
        for (int32_t x = 0; x < cell.width; ++x)
            page.getPixel(r.left + x, r.top + y, &cell.pixels[static_cast<size_t>(y) * cell.width + x]);
    return cell;
}

}  // namespace

int32_t defaultBaseline(const DescriptorHeader& header) {
    return header.fontSize + 1;
}

int32_t baselineOfCells(const std::vector<CellPixels>& cells) {
    std::map<uint32_t, int64_t> rim;
    std::map<uint32_t, int64_t> inner;
    for (const CellPixels& cell : cells) {
        for (int32_t y = 0; y < cell.height; ++y) {
            for (int32_t x = 0; x < cell.width; ++x) {
                if (!isOpaque(cell, x, y)) continue;
                const uint32_t colour = colourOf(cell.pixels[static_cast<size_t>(y) * cell.width + x]);
                ++(onRim(cell, x, y) ? rim : inner)[colour];
            }
        }
    }
    const uint32_t rimColour = rim.empty() ? 0 : mostCommon(rim);
    inner.erase(rimColour);
    const bool outlined = !inner.empty();
    const uint32_t bodyColour = outlined ? mostCommon(inner) : rimColour;

    std::map<int32_t, int64_t> bottoms;
    for (const CellPixels& cell : cells) {
        int32_t bottom = 0;
        for (int32_t y = 0; y < cell.height; ++y) {
            for (int32_t x = 0; x < cell.width; ++x) {
                const uint32_t pixel = cell.pixels[static_cast<size_t>(y) * cell.width + x];
                if (alphaOf(pixel) < kHalfAlpha) continue;
                if (outlined && distanceSquared(pixel, bodyColour) > distanceSquared(pixel, rimColour))
                    continue;
                bottom = y + 1;
            }
        }
        if (bottom > 0) ++bottoms[bottom];
    }
    return bottoms.empty() ? -1 : mostCommon(bottoms);
}

bool measureBaseline(const Font& font, int32_t& baseline, std::string& error) {
    const DescriptorFile& descriptor = font.descriptor;
    std::vector<int32_t> records;
    for (const CodeRange& range : kMeasuredCodes) {
        for (uint32_t code = range.first; code <= range.last; ++code) {
            const int32_t record = recordOfCode(descriptor, static_cast<uint16_t>(code));
            if (record >= 0) records.push_back(record);
        }
    }
    // Page by page, each page loaded once.
    std::sort(records.begin(), records.end(),
              [&](int32_t a, int32_t b) { return descriptor.records[a].page < descriptor.records[b].page; });
    std::vector<CellPixels> cells;
    Surface page;
    int32_t loaded = -1;
    for (int32_t record : records) {
        const GlyphRecord& r = descriptor.records[record];
        if (r.page != loaded && !loadPage(font, r.page, page, error)) return false;
        loaded = r.page;
        cells.push_back(copyCell(page, r));
    }
    const int32_t measured = baselineOfCells(cells);
    baseline = measured >= 0 ? measured : defaultBaseline(descriptor.header);
    return true;
}
