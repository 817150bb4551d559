#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads a generated font the way a program that uses it would: the
// descriptor's header, slot table, page names and glyph records, and the
// page images as 0xAARRGGBB pixels. Independent of the product's code on
// purpose: the engine writes and reads descriptors through one list of
// fields, and only a reader of its own shows that the list puts each field
// where the format says; nor does the product read BMP pages.

struct DescriptorRecord {
    int page;
    int leftBearing, cellWidth, rightBearing;
    int left, top, right, bottom;
};

struct FontDescriptor {
    int fontSize = 0;
    int pageCount = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int glyphCount = 0;
    std::vector<uint16_t> slots;         // 12,844 entries
    std::vector<std::string> pageNames;  // without trailing zero bytes
    std::vector<DescriptorRecord> records;
    bool sizeMatches = false;  // the file is exactly as long as its counts say
};

FontDescriptor parseDescriptor(const std::vector<uint8_t>& bytes);

// The slot a consumer computes from a Shift-JIS code, or -1.
int consumerSlot(uint16_t code);

struct PageImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // rows top to bottom

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A 32-bit TGA (either row order) or a 4/8-bit BMP whose palette keeps
// each entry's alpha in its reserved byte.
PageImage parsePageImage(const std::vector<uint8_t>& bytes);
