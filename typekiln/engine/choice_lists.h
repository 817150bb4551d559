#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

// The choices a setting offers from a fixed list, each in one table with
// what the options carry and what the main dialog shows side by side. The
// dialog's lists are filled from these tables in their order, so a list
// index is a table index.

// Page edge lengths in pixels, by the index the options carry; the dialog
// shows each length as its decimal number.
constexpr int32_t pageSizes[] = {128, 256, 512, 1024, 2048};
constexpr int32_t kPageSizeCount = static_cast<int32_t>(std::size(pageSizes));
constexpr int32_t kLargestPageSize = pageSizes[kPageSizeCount - 1];

// Image format of the page files.
enum PageFormat : int32_t { Bmp4 = 0, Bmp8 = 1, Tga32 = 2 };

struct PageFormatChoice {
    PageFormat format;
    const char* dialogText;
    int32_t bitsPerPixel;  // 4 or 8: a palettised BMP; 32: a TGA
};

constexpr PageFormatChoice pageFormats[] = {
    {Bmp4, "bmp(4bit)", 4},
    {Bmp8, "bmp(8bit)", 8},
    {Tga32, "tga(32bit)", 32},
};

constexpr bool listsEveryPageFormatInOrder() {
    for (size_t i = 0; i < std::size(pageFormats); ++i) {
        if (pageFormats[i].format != static_cast<PageFormat>(i)) return false;
    }
    return std::size(pageFormats) == Tga32 + 1;
}
static_assert(listsEveryPageFormatInOrder(), "pageFormats is indexed by PageFormat");

// The table entry of a page format code, or null when the code names none
// (a run with such a code writes no page images).
constexpr const PageFormatChoice* findPageFormat(int32_t code) {
    return code >= 0 && code < static_cast<int32_t>(std::size(pageFormats)) ? &pageFormats[code] : nullptr;
}

// Extrusion directions as numeric-keypad codes (7 is up and left, 3 down
// and right), in the order of the dialog's direction list.
struct BevelDirectionChoice {
    int32_t code;
    const char* dialogText;
};

constexpr BevelDirectionChoice bevelDirectionCodes[] = {
    {7, "左上"}, {9, "右上"}, {1, "左下"}, {3, "右下"}, {8, "上"}, {2, "下"}, {4, "左"}, {6, "右"},
};
