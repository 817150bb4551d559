#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "images/byte_buffer.h"

// The font descriptor (".gfd"): the index that goes with the page images.
// Little-endian, three sections back to back:
//   header, 25,700 bytes: "GFD\0", font size (u8), page count (u8), page
//       width and height (u16 each), glyph count (u16), then 12,844 slots
//       (u16 each): the glyph number of the character in that slot, or 0xFFFF;
//   page names, 32 bytes per page: the page's name (font_file_names.h)
//       without folder, zero filled, cut to 32 bytes without terminator
//       when longer;
//   glyph records, 12 bytes per glyph (GlyphRecord, in glyph number order).
// A reader finds a character by computing characterSlot of its Shift-JIS code.
// The generator writes the file with encodeDescriptor and readers read it
// with decodeDescriptor: both walk the same list of fields.

constexpr int32_t kSlotCount = 12844;
constexpr uint16_t kEmptySlot = 0xFFFF;
constexpr int32_t kNoSlot = -1;
constexpr int32_t kDescriptorHeaderBytes = 25700;
constexpr int32_t kPageNameBytes = 32;
constexpr int32_t kGlyphRecordBytes = 12;
constexpr char kDescriptorMagic[4] = {'G', 'F', 'D', '\0'};

// The length of a descriptor file with `pageCount` pages and `glyphCount` glyphs.
constexpr size_t descriptorFileSize(uint32_t pageCount, uint32_t glyphCount) {
    return size_t{kDescriptorHeaderBytes} + size_t{kPageNameBytes} * pageCount +
           size_t{kGlyphRecordBytes} * glyphCount;
}

// The longest descriptor there can be: 255 pages and 65,535 glyphs.
constexpr size_t kMaxDescriptorBytes = descriptorFileSize(UINT8_MAX, UINT16_MAX);

// The codes that have a slot, in the order the slot rule tries them: a code
// from `first` to `last` lives in slot code - `offset`.
struct SlotRange {
    uint16_t first, last;
    int32_t offset;
};
constexpr SlotRange kSlotRanges[] = {
    {0x0000, 0x00FF, 0x0000},  // single-byte characters
    {0x8041, 0x9FFF, 0x8041},  // lead bytes 0x81 to 0x9F
    {0xC082, 0xEEFF, 0xC082},  // lead bytes 0xE0 to 0xEE
    {0xEF00, 0xFC4E, 0xCA23},  // lead bytes 0xEF to 0xFC
};

// How many codes have a slot: a run's glyphs are distinct characters with
// a slot, so it never records more glyphs than this.
constexpr int32_t codesWithASlot() {
    int32_t count = 0;
    for (const SlotRange& range : kSlotRanges) count += range.last - range.first + 1;
    return count;
}

// The slot of a character code (0 .. 12,843), or kNoSlot when the code has
// none. The rule is part of the file format: readers compute it the same way.
int32_t characterSlot(uint16_t code);

// Where one glyph lies, in output pixels of its page (x right, y down).
// left..right x top..bottom (right and bottom exclusive) is the glyph's cell:
// its image with one pixel of margin each side, and its row's full height.
// The cell width and the bearings depend on the glyph and have the narrow
// ranges below; a page holds every other value.
struct GlyphRecord {
    uint8_t page;
    int8_t leftBearing;   // A width
    uint8_t cellWidth;    // image width plus the two margin pixels
    int8_t rightBearing;  // C width
    int16_t left;
    int16_t top;
    int16_t right;
    int16_t bottom;
};

constexpr int32_t kMaxCellWidth = UINT8_MAX;
constexpr int32_t kMinBearing = INT8_MIN;
constexpr int32_t kMaxBearing = INT8_MAX;
// The header's font size is one byte too.
constexpr int32_t kMaxFontSize = UINT8_MAX;

struct DescriptorHeader {
    char magic[4];
    uint8_t fontSize;
    uint8_t pageCount;
    uint16_t pageWidth;
    uint16_t pageHeight;
    uint16_t glyphCount;
    uint16_t slots[kSlotCount];
};

// The header at the start of a run: magic set, counts zero, every slot empty.
void clearDescriptorHeader(DescriptorHeader& header);

// The 32-byte name field of page `page`: its pageName (font_file_names.h)
// made from the output name's part after its last backslash, zero filled,
// cut to 32 bytes.
void formatPageName(const char* outName, int32_t page, char field[kPageNameBytes]);

// The whole descriptor file: the header, header.pageCount page names and
// header.glyphCount records.
bool encodeDescriptor(const DescriptorHeader& header, const char* outName, const GlyphRecord* records,
                      ByteBuffer& out);

// Writes it to `fileName`, replacing an existing file. Returns false when the
// file cannot be created or written.
bool writeDescriptor(const char* fileName, const DescriptorHeader& header, const char* outName,
                     const GlyphRecord* records);

// A font descriptor as its file holds it: the header with the slot table,
// the page names and the glyph records.
struct DescriptorFile {
    DescriptorHeader header;
    std::vector<std::string> pageNames;  // code page 932 bytes, without the zero fill
    std::vector<GlyphRecord> records;    // header.glyphCount of them
};

enum class DescriptorDecoding {
    Decoded,
    NotADescriptor,     // fewer than 4 bytes, or they are not kDescriptorMagic
    ShorterThanHeader,  // fewer than kDescriptorHeaderBytes
    WrongLength,        // not the descriptorFileSize that the header's counts call for
};

// Decodes the `size` bytes of a descriptor file into `descriptor`, reading
// none beyond them, and tells the first of the refusals above that applies.
// On WrongLength the header is decoded (its counts say what the length
// should be); page names and records are decoded only when the length is
// right, so what they take is bounded by `size`. Otherwise the fields are
// taken as they stand: whether slots, records and pages agree is the
// reader's business.
DescriptorDecoding decodeDescriptor(const uint8_t* bytes, size_t size, DescriptorFile& descriptor);

// The record that character code `code` leads to through its slot, or -1
// when its slot is empty or points past the last record.
int32_t recordOfCode(const DescriptorFile& descriptor, uint16_t code);
